// Arbitrary bytes as a whole configuration file: decoded as the root's file
// load decodes them, split by the root, every protocol document modelled,
// every object read through its kind, then everything destroyed. A broken
// model invariant aborts, so the fuzzer keeps the input.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ModelWalk.h"
#include "xml/TextDecoding.h"

namespace {
volatile std::size_t g_sink;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::wstring encoding;
    bool fellBack = false;
    const std::wstring text = ecfg::DecodeXmlBytes(data, size, encoding, fellBack);

    modelwalk::Walker walker;
    walker.WalkConfiguration(text);
    if (!walker.Problems().empty()) {
        for (const std::string& problem : walker.Problems())
            std::fprintf(stderr, "model_fuzz: %s\n", problem.c_str());
        std::abort();
    }
    g_sink = walker.Sum();
    return 0;
}
