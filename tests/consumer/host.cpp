// Writes a configuration file, loads it through the installed library and
// walks the model: fails (non-zero) on any mismatch.

#include <eventconfig/EventConfig.h>

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string path = argv[1];
    std::ofstream(path, std::ios::binary)
        << "<EventConfig><Protocol><Umts ProtocolType=\"1\"><StateMachineConfig>"
           "<SystemState ID=\"3\" Name=\"Idle\"><WaitingEventStateList><WaitingEventState ID=\"7\">"
           "<Rule ID=\"1\"><Operation Type=\"0\" Info=\"op\"/></Rule>"
           "</WaitingEventState></WaitingEventStateList></SystemState>"
           "</StateMachineConfig><EventInfoList/><LogCodeFieldList/></Umts></Protocol>"
           "<MsgParserConfig/><GenMessageInfoString/></EventConfig>";

    CEventConfig config(std::wstring(path.begin(), path.end()));
    CStateMachineConfig machine(
        config.GetEventConfigByProtocol(static_cast<Protocol_Type_Enum>(1)));
    const auto& states = machine.GetSysStateConfigList();
    if (states.size() != 1 || states.begin()->second->GetSystemStateName() != L"Idle") return 1;
    CEventStateConfig* waiting = states.begin()->second->GetEventStateList().at(7);
    CRuleConfig* rule = waiting->GetRuleList().at(1);
    if (!rule->GetOperationType() || rule->GetOperationType()->GetOperationInfo() != L"op")
        return 1;
    std::printf("consumer: loaded %zu characters, state %d\n", config.GetEventConfig().size(),
                states.begin()->second->GetSystemStateID());
    return 0;
}
