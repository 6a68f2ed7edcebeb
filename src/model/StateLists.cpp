#include "model/StateLists.h"

namespace ecfg {

void ReadMsgList(XmlReader& reader, OwnedPtrMap<int, CMsgConfig>& messages) {
    reader.Find(L"MsgList");
    reader.EachChild(L"Msg", [&] {
        std::unique_ptr<CMsgConfig> message(new CMsgConfig(reader));
        const int id = message->GetMsgID();
        messages.InsertIfAbsent(id, std::move(message));
    });
}

void ReadEventStateList(XmlReader& reader, OwnedPtrMap<int, CEventStateConfig>& eventStates) {
    reader.Find(L"WaitingEventStateList");
    reader.EachChild(L"WaitingEventState", [&] {
        std::unique_ptr<CEventStateConfig> eventState(new CEventStateConfig(reader));
        const int id = eventState->GetID();
        eventStates.Replace(id, std::move(eventState));
    });
}

}  // namespace ecfg
