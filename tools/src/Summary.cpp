#include <chrono>
#include <cstdio>
#include <map>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "Check.h"
#include "Commands.h"
#include "Loaded.h"
#include "Model.h"

namespace ectool {

namespace {

// Bytes the allocator has handed out, where it says.
long long HeapInUse() {
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 33))
    return static_cast<long long>(mallinfo2().uordblks);
#else
    return -1;
#endif
}

struct Counts {
    std::size_t eventStates = 0, rules = 0, messages = 0;
    std::map<std::string, std::size_t> operations, actions;
};

void CountStates(const Json& states, Counts& counts) {
    for (const Json& state : states) {
        ++counts.eventStates;
        for (const Json& rule : state["GetRuleList"]) {
            ++counts.rules;
            const Json& op = rule["GetOperationType"];
            counts.operations[op.is_null() ? "(no kind: null)"
                                           : op["class"].get<std::string>() + " (" +
                                                 std::to_string(op["typeId"].get<int>()) + ")"]++;
            for (const char* list : {"GetTrueActionList", "GetFalseActionList"})
                for (const Json& action : rule[list])
                    counts.actions[action.is_null()
                                       ? "(no kind: null)"
                                       : action["class"].get<std::string>() + " (" +
                                             std::to_string(action["typeId"].get<int>()) + ")"]++;
        }
    }
}

}  // namespace

int RunSummary(const Options& options) {
    auto start = std::chrono::steady_clock::now();
    long long heapBefore = HeapInUse();
    Loaded loaded(options.file);
    if (!loaded.Readable()) return Unreadable(loaded, options);
    loaded.BuildModels();
    long long heapAfter = HeapInUse();
    double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (ReportXmlErrors(loaded, CheckFile(loaded), options, "summary")) return kErrors;
    Style style(options.color, stdout);
    std::printf("%s\n", style.Bold(loaded.ShownPath()).c_str());
    for (LoadedProtocol& protocol : loaded.Protocols()) {
        Json model = ProtocolJson(protocol, MsgCandidates());
        Counts counts;
        for (const Json& state : model["GetSysStateConfigList"]) {
            counts.messages += state["GetMsgList"].size();
            CountStates(state["GetEventStateList"], counts);
        }
        const Json& special = model["GetSpecialEventStateListConfig"];
        std::size_t specialStates = 0;
        if (!special.is_null()) {
            counts.messages += special["GetMsgList"].size();
            specialStates = special["GetEventStateList"].size();
            CountStates(special["GetEventStateList"], counts);
        }
        std::printf("%s\n", style.Bold("protocol " + std::to_string(protocol.type)).c_str());
        std::printf("  system states  %zu\n", model["GetSysStateConfigList"].size());
        std::printf("  event states   %zu", counts.eventStates);
        if (!special.is_null()) std::printf(" (%zu in the special list)", specialStates);
        std::printf("\n  rules          %zu\n", counts.rules);
        std::printf("  messages       %zu\n", counts.messages);
        std::printf("  event infos    %zu\n", model["GetEventInfoConfigList"].size());
        std::printf("  log codes      %zu\n", model["GetLogCodeFieldList"].size());
        auto kinds = [&](const char* title, const std::map<std::string, std::size_t>& byKind) {
            std::size_t total = 0;
            for (const auto& entry : byKind) total += entry.second;
            std::printf("  %-14s %zu\n", title, total);
            for (const auto& entry : byKind)
                std::printf("    %5zu  %s\n", entry.second, entry.first.c_str());
        };
        kinds("operations", counts.operations);
        kinds("actions", counts.actions);
    }
    std::printf("%s %.1f ms", style.Bold("load").c_str(), ms);
    if (heapBefore >= 0 && heapAfter >= heapBefore)
        std::printf(", %.1f KiB of memory", static_cast<double>(heapAfter - heapBefore) / 1024.0);
    std::printf(" (%zu protocol%s)\n", loaded.Protocols().size(),
                loaded.Protocols().size() == 1 ? "" : "s");
    return kClean;
}

}  // namespace ectool
