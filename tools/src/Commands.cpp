#include "Commands.h"

#include <algorithm>
#include <cstdio>

#include "Check.h"
#include "Loaded.h"
#include "Text.h"
#include "eventconfig/config/Platform.h"

namespace ectool {

std::string DefaultFile() {
    return Utf8(EventConfigDefaultPath());
}

int Unreadable(const Loaded& loaded, const Options& options) {
    Style style(options.color, stderr);
    std::fprintf(stderr, "%s: %s cannot read the file: %s\n",
                 style.Bold(loaded.ShownPath()).c_str(), style.Error("error:").c_str(),
                 loaded.Reason().c_str());
    return kUnreadable;
}

void PrintFinding(std::FILE* stream, const Loaded& loaded, const Finding& f, const Style& style) {
    auto where = [&](std::size_t offset) {
        Position at = loaded.At(offset);
        return style.Bold(loaded.ShownPath() + ":" + std::to_string(at.line) + ":" +
                          std::to_string(at.column) + ":");
    };
    bool error = f.severity == Severity::Error;
    std::fprintf(stream, "%s %s %s %s\n", where(f.offset).c_str(),
                 error ? style.Error("error:").c_str() : style.Warning("warning:").c_str(),
                 f.message.c_str(), style.Dim("[" + f.check + "]").c_str());
    // The compilers' convention, so that editors jump to the other place too.
    for (const Note& note : f.notes)
        std::fprintf(stream, "%s %s %s\n", where(note.offset).c_str(), style.Bold("note:").c_str(),
                     note.message.c_str());
}

bool ReportXmlErrors(const Loaded& loaded, const std::vector<Finding>& findings,
                     const Options& options, const char* command) {
    Style style(options.color, stderr);
    bool any = false;
    for (const Finding& f : findings)
        if (f.severity == Severity::Error && IsXmlFinding(f)) {
            PrintFinding(stderr, loaded, f, style);
            any = true;
        }
    if (any)
        std::fprintf(stderr,
                     "eventconfig %s: %s is not well-formed XML, so nothing is shown; "
                     "'eventconfig check' lists every finding\n",
                     command, loaded.ShownPath().c_str());
    return any;
}

int ForEachFile(Options options, int (*run)(const Options&)) {
    if (options.files.empty()) options.files.push_back(DefaultFile());
    int worst = kClean;
    for (const std::string& file : options.files) {
        options.file = file;
        worst = std::max(worst, run(options));
    }
    return worst;
}

}  // namespace ectool
