// Loads a configuration file and prints the size of each protocol's
// document and what its model holds.
//
//   eventconfig_demo [path/to/EventConfig.xml]

#include <eventconfig/EventConfig.h>

#include <climits>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// The root serves documents by protocol type but does not list the types, so
// read them from the "Protocol" element of the whole text.
std::vector<int> ProtocolTypes(const std::wstring& wholeDocument) {
    std::vector<int> types;
    CMarkup markup(wholeDocument);
    if (!markup.FindElem() || !markup.IntoElem() || !markup.FindElem(L"Protocol")) return types;
    while (markup.FindChildElem()) {
        const long type = std::wcstol(markup.GetChildAttrib(L"ProtocolType").c_str(), nullptr, 10);
        types.push_back(type > INT_MAX   ? INT_MAX
                        : type < INT_MIN ? INT_MIN
                                         : static_cast<int>(type));
    }
    return types;
}

}  // namespace

int main(int argc, char** argv) {
    std::string narrow = argc > 1 ? argv[1] : "examples/EventConfig.xml";
    const std::wstring path(narrow.begin(), narrow.end());  // ASCII paths only, for brevity
    CEventConfig config(path);

    const std::vector<int> types = ProtocolTypes(config.GetEventConfig());
    if (types.empty()) {
        std::printf("no protocols in %s\n", narrow.c_str());
        return 1;
    }
    for (int type : types) {
        const std::wstring doc =
            config.GetEventConfigByProtocol(static_cast<Protocol_Type_Enum>(type));
        CStateMachineConfig machine(doc);
        std::size_t rules = 0;
        for (const auto& state : machine.GetSysStateConfigList()) {
            for (const auto& waiting : state.second->GetEventStateList())
                rules += waiting.second->GetRuleList().size();
        }
        std::printf("protocol %d: %zu characters, %zu system states, %zu rules, %zu events\n", type,
                    doc.size(), machine.GetSysStateConfigList().size(), rules,
                    machine.GetEventInfoConfigList().size());
    }
    std::printf("message parser document: %zu characters\n", config.GetMsgConfig().size());
    std::printf("message info document: %zu characters\n", config.GetGenMsgInfoConfig().size());
    return 0;
}
