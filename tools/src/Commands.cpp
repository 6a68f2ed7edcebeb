#include "Commands.h"

#include <cstdio>

#include "Text.h"
#include "eventconfig/config/Platform.h"

namespace ectool {

std::string DefaultFile() {
    return Utf8(EventConfigDefaultPath());
}

int Unreadable(const std::string& path, const Options& options) {
    Style style(options.color, stderr);
    std::fprintf(stderr, "%s: %s cannot read the file\n", style.Bold(path).c_str(),
                 style.Error("error:").c_str());
    return kUnreadable;
}

}  // namespace ectool
