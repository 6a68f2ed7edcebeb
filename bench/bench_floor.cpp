// What every full load pays before it builds a single model object, beside
// pugixml's whole parse of the same file, each on a touched heap (see
// BenchSupport.h): reading and decoding the file, indexing its text, the
// host's copy of the protocols' documents (returned by value) and the check
// that the copy the host hands back equals the root's text.
//
//   bench_floor FILE [RUNS]   the table (markdown), best of RUNS fresh processes
//   bench_floor --one FILE    (child) one run: five times in ms

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <pugixml.hpp>
#include <string>

#include "BenchSupport.h"
#include "xml/LargeBuffer.h"
#include "xml/MarkupImpl.h"
#include "xml/TextDecoding.h"

namespace {

typedef std::chrono::steady_clock Clock;

double Ms(Clock::time_point from) {
    return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

const int kSteps = 5;
const char* const kStepNames[kSteps] = {
    "read and decode the file (UTF-8 to wide characters)",
    "index the text",
    "the host's copy of the documents (returned by value)",
    "the check that the host's copy equals the root's text",
    "pugixml's whole load_file",
};

int One(const std::string& path) {
    bench::TouchHeap(bench::TouchedHeapBytes(bench::FileSize(path)));
    double ms[kSteps];
    {
        // Freed before pugixml runs, so that it too finds the touched heap.
        const std::wstring wide(path.begin(), path.end());
        std::wstring text, encoding;
        bool fellBack = false;
        Clock::time_point t = Clock::now();
        if (!ecfg::LoadXmlFile(wide.c_str(), text, encoding, fellBack)) return 1;
        ms[0] = Ms(t);
        t = Clock::now();
        const auto index = ecfg::markup::BuildIndex(text.data(), text.size());
        ms[1] = Ms(t);
        t = Clock::now();
        const std::wstring copy = ecfg::CopyText(text.data(), text.size());
        ms[2] = Ms(t);
        t = Clock::now();
        const bool same = std::wmemcmp(copy.data(), text.data(), text.size()) == 0;
        ms[3] = Ms(t);
        if (!same || index->nodes.size() < 2) return 1;
    }
    pugi::xml_document doc;
    const Clock::time_point t = Clock::now();
    if (!doc.load_file(path.c_str())) return 1;
    ms[4] = Ms(t);
    for (double m : ms) std::printf("%.3f ", m);
    std::printf("\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && !std::strcmp(argv[1], "--one")) return One(argv[2]);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s FILE [RUNS]\n", argv[0]);
        return 2;
    }
    const int runs = argc == 3 ? std::max(1, std::atoi(argv[2])) : 5;
    const std::string self = bench::SelfPath();
    if (self.empty()) return 1;
    double best[kSteps];
    std::fill(best, best + kSteps, 1e99);
    for (int run = 0; run < runs; ++run) {
        // Each run in a fresh process, as a host loads its configuration.
        const std::string command = "'" + self + "' --one '" + argv[1] + "'";
        FILE* child = popen(command.c_str(), "r");
        if (!child) return 1;
        double ms[kSteps];
        int got = 0;
        for (double& m : ms) got += std::fscanf(child, "%lf", &m);
        if (pclose(child) != 0 || got != kSteps) {
            std::fprintf(stderr, "a run of %s failed\n", argv[1]);
            return 1;
        }
        for (int i = 0; i < kSteps; ++i) best[i] = std::min(best[i], ms[i]);
    }
    const char* slash = std::strrchr(argv[1], '/');
    std::printf("| step (%s, touched heap, best of %d) | ms |\n|---|---:|\n",
                slash ? slash + 1 : argv[1], runs);
    double sum = 0;
    for (int i = 0; i < kSteps - 1; ++i) {
        std::printf("| %s | %.0f |\n", kStepNames[i], best[i]);
        sum += best[i];
    }
    std::printf("| **before any model object** | **%.0f** |\n| %s | %.0f |\n", sum,
                kStepNames[kSteps - 1], best[kSteps - 1]);
    return 0;
}
