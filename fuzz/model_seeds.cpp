// Writes the model fuzzer's seeds of the kinds (KindSeeds.h) into a
// directory, by default the source tree's fuzz/corpus/model. Run after adding
// a kind or changing a grammar; FuzzRegression.KindSeedsAreTheTables fails
// until then.
//
//   model_seeds [DIR]

#include <cstdio>
#include <string>

#include "KindSeeds.h"

int main(int argc, char** argv) {
    const std::string dir =
        argc > 1 ? argv[1] : std::string(EVENTCONFIG_SOURCE_DIR) + "/fuzz/corpus/model";
    int written = 0;
    for (const auto& seed : kindseeds::Seeds()) {
        const std::string path = dir + "/" + seed.first;
        FILE* f = std::fopen(path.c_str(), "wb");
        if (!f || std::fwrite(seed.second.data(), 1, seed.second.size(), f) != seed.second.size() ||
            std::fclose(f) != 0) {
            std::perror(path.c_str());
            return 1;
        }
        ++written;
    }
    std::printf("%d kind seeds in %s\n", written, dir.c_str());
    return 0;
}
