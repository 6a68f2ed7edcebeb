#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../fuzz/KindSeeds.h"
#include "../fuzz/ModelWalk.h"
#include "xml/TextDecoding.h"

// What the model fuzzer found, replayed the way the fuzzer runs an input:
// the bytes decoded as a file, split by the root, every protocol modelled and
// every object read. Under the sanitizer and valgrind stages these catch the
// memory faults again; everywhere they check the walk's invariants.

namespace {

std::vector<std::string> WalkBytes(const std::string& bytes, int& models) {
    std::wstring encoding;
    bool fellBack = false;
    const std::wstring text = ecfg::DecodeXmlBytes(
        reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), encoding, fellBack);
    modelwalk::Walker walker;
    walker.WalkConfiguration(text);
    models += walker.Models();
    return walker.Problems();
}

// The whole seed corpus: the example, one document per kind, the structural
// documents and every input the fuzzer reported (kept there under a name that
// says what was wrong), so each finding stays a test.
TEST(FuzzRegression, EverySeedLoadsAndHolds) {
    const std::filesystem::path dir =
        std::filesystem::path(EVENTCONFIG_SOURCE_DIR) / "fuzz" / "corpus" / "model";
#ifdef _WIN32
    // Under wine the build's Unix path may not resolve.
    if (!std::filesystem::is_directory(dir)) GTEST_SKIP() << dir << " not reachable";
#endif
    ASSERT_TRUE(std::filesystem::is_directory(dir)) << dir;
    int seeds = 0;
    int models = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::ifstream file(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)),
                                std::istreambuf_iterator<char>());
        const std::vector<std::string> problems = WalkBytes(bytes, models);
        EXPECT_TRUE(problems.empty()) << entry.path() << ": " << problems.front();
        ++seeds;
    }
    EXPECT_GT(seeds, 80);
    EXPECT_GT(models, seeds);  // some seeds serve several protocols
}

// Each kind's seed is the one its row's grammar writes: a kind added, or a
// grammar changed, fails here until model_seeds has rewritten the seeds.
TEST(FuzzRegression, KindSeedsAreTheTables) {
    const std::filesystem::path dir =
        std::filesystem::path(EVENTCONFIG_SOURCE_DIR) / "fuzz" / "corpus" / "model";
#ifdef _WIN32
    if (!std::filesystem::is_directory(dir)) GTEST_SKIP() << dir << " not reachable";
#endif
    for (const auto& seed : kindseeds::Seeds()) {
        std::ifstream file(dir / seed.first, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)),
                                std::istreambuf_iterator<char>());
        EXPECT_EQ(bytes, seed.second) << seed.first << ": run model_seeds (tests/model_seeds)";
    }
}

}  // namespace
