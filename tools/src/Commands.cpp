#include "Commands.h"

#include <algorithm>
#include <cstdio>

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
