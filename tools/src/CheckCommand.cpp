#include <cstdio>

#include "Check.h"
#include "Commands.h"
#include "Loaded.h"
#include "eventconfig/model/SystemStateConfig.h"

namespace ectool {

int RunCheck(const Options& options) {
    Loaded loaded(options.file);
    if (!loaded.Readable()) return Unreadable(loaded, options);
    std::vector<Finding> findings = CheckFile(loaded);
    Style style(options.color, stdout);
    std::size_t errors = 0, warnings = 0;
    for (const Finding& f : findings) {
        (f.severity == Severity::Error ? errors : warnings)++;
        PrintFinding(stdout, loaded, f, style);
    }
    if (errors || warnings) {
        auto plural = [](std::size_t n, const char* word) {
            return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
        };
        std::string counts = errors && warnings
                                 ? plural(errors, "error") + ", " + plural(warnings, "warning")
                             : errors ? plural(errors, "error")
                                      : plural(warnings, "warning");
        std::printf("%s: %s\n", loaded.ShownPath().c_str(),
                    (errors ? style.Error(counts) : style.Warning(counts)).c_str());
        return errors ? kErrors : kWarnings;
    }
    std::size_t states = 0;
    for (LoadedProtocol& protocol : loaded.Protocols())
        states += protocol.model->GetSysStateConfigList().size();
    std::printf("%s: %s (%zu protocol%s, %zu system state%s)\n", loaded.ShownPath().c_str(),
                style.Good("clean").c_str(), loaded.Protocols().size(),
                loaded.Protocols().size() == 1 ? "" : "s", states, states == 1 ? "" : "s");
    return kClean;
}

}  // namespace ectool
