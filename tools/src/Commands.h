#pragma once

// The commands, each returning the process's exit code.

#include <cstdio>
#include <string>
#include <vector>

#include "Output.h"

namespace ectool {

// Exit codes.
enum Exit { kClean = 0, kWarnings = 1, kErrors = 2, kUnreadable = 3, kUsage = 4 };

class Loaded;
struct Finding;

struct Options {
    std::string file;                // the one being worked on
    std::vector<std::string> files;  // as given; "-" is standard input
    ColorMode color = ColorMode::Auto;
    bool hasProtocol = false;
    int protocol = 0;
    std::string format = "text";
    bool noPath = false;  // dump: leave the file's path out
};

int RunCheck(const Options& options);
int RunSummary(const Options& options);
int RunDump(const Options& options);
int RunKinds(const Options& options);

// The file the library itself would load: beside this executable.
std::string DefaultFile();
// Reports an unreadable file and why on standard error; returns kUnreadable.
int Unreadable(const Loaded& loaded, const Options& options);
// Reports the file's XML errors on standard error, the way check prints
// them; true when there are any, and the command has nothing sound to show.
bool ReportXmlErrors(const Loaded& loaded, const std::vector<Finding>& findings,
                     const Options& options, const char* command);
// Prints one finding and its notes, FILE:LINE:COL: first.
void PrintFinding(std::FILE* stream, const Loaded& loaded, const Finding& finding,
                  const Style& style);
// Runs a command on each file; the exit code is the worst of them.
int ForEachFile(Options options, int (*run)(const Options&));

}  // namespace ectool
