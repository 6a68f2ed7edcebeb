#pragma once

// The commands, each returning the process's exit code.

#include <string>

#include "Output.h"

namespace ectool {

// Exit codes.
enum Exit { kClean = 0, kWarnings = 1, kErrors = 2, kUnreadable = 3, kUsage = 4 };

struct Options {
    std::string file;
    ColorMode color = ColorMode::Auto;
    bool hasProtocol = false;
    int protocol = 0;
    std::string format = "text";
};

int RunCheck(const Options& options);
int RunSummary(const Options& options);
int RunDump(const Options& options);
int RunKinds(const Options& options);

// The file the library itself would load: beside this executable.
std::string DefaultFile();
// Reports an unreadable file on standard error; returns kUnreadable.
int Unreadable(const std::string& path, const Options& options);

}  // namespace ectool
