#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../fuzz/ModelWalk.h"
#include "config/TextDecoding.h"

// What the model fuzzer found, replayed the way the fuzzer runs an input:
// the bytes decoded as a file, split by the root, every protocol modelled and
// every object read. Under the sanitizer and valgrind stages these catch the
// memory faults again; everywhere they check the walk's invariants.

namespace {

std::vector<std::string> WalkBytes(const std::string& bytes) {
    std::wstring encoding;
    bool fellBack = false;
    const std::wstring text = ecfg::DecodeXmlBytes(
        reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), encoding, fellBack);
    modelwalk::Walker walker;
    walker.WalkConfiguration(text);
    return walker.Problems();
}

struct Finding {
    const char* name;
    std::string input;
};

// One entry per fault the fuzzer found, with what was wrong; each input is
// also in fuzz/corpus/model under the name given.
const std::vector<Finding>& Findings() {
    static const std::vector<Finding> findings = {};
    return findings;
}

TEST(FuzzRegression, EveryFindingLoadsAndHolds) {
    for (const Finding& finding : Findings()) {
        const std::vector<std::string> problems = WalkBytes(finding.input);
        EXPECT_TRUE(problems.empty()) << finding.name << ": " << problems.front();
    }
}

// The whole seed corpus (kinds, structures, the example and the findings).
TEST(FuzzRegression, EverySeedLoadsAndHolds) {
    const std::filesystem::path dir =
        std::filesystem::path(EVENTCONFIG_SOURCE_DIR) / "fuzz" / "corpus" / "model";
    ASSERT_TRUE(std::filesystem::is_directory(dir)) << dir;
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::ifstream file(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)),
                                std::istreambuf_iterator<char>());
        const std::vector<std::string> problems = WalkBytes(bytes);
        EXPECT_TRUE(problems.empty()) << entry.path() << ": " << problems.front();
        ++seeds;
    }
    EXPECT_GT(seeds, 80);
}

}  // namespace
