#include <algorithm>
#include <cstdio>

#include "Commands.h"
#include "eventconfig/actions/ActionConfig.h"
#include "eventconfig/operations/OperationTypeConfig.h"

namespace ectool {

// Straight from the registries' own tables, so the list cannot drift.
int RunKinds(const Options& options) {
    Style style(options.color, stdout);
    auto list = [&](const char* title, std::vector<EventConfigKindInfo> kinds) {
        std::sort(kinds.begin(), kinds.end(),
                  [](const EventConfigKindInfo& a, const EventConfigKindInfo& b) {
                      return a.nTypeID < b.nTypeID;
                  });
        std::printf("%s (%zu)\n", style.Bold(title).c_str(), kinds.size());
        for (const EventConfigKindInfo& kind : kinds)
            std::printf("  %3d  %-44s %s\n", kind.nTypeID, kind.szClassName, kind.szDescription);
    };
    list("Operations", EventConfigOperationKinds());
    std::printf("\n");
    list("Actions", EventConfigActionKinds());
    return kClean;
}

}  // namespace ectool
