#pragma once

// The lists a system state and the special event state list both read.

#include "eventconfig/Owned.h"
#include "eventconfig/messages/MsgConfig.h"
#include "eventconfig/model/EventStateConfig.h"
#include "reading/Reading.h"

namespace ecfg {

// Finds "MsgList" and files each "Msg" under its id; the first of an id wins.
void ReadMsgList(XmlReader& reader, OwnedPtrMap<int, CMsgConfig>& messages);

// Finds "LogFieldList" and calls onField(id, reader) for each "Field_IEID",
// the id read as hexadecimal from its text.
template <class F>
void ReadLogFieldList(XmlReader& reader, F onField) {
    reader.Find(L"LogFieldList");
    reader.EachChild(L"Field_IEID", [&] { onField(reader.DataHex()); });
}

// Finds "WaitingEventStateList" and files each "WaitingEventState" under its
// id; a later one of the same id replaces the earlier.
void ReadEventStateList(XmlReader& reader, OwnedPtrMap<int, CEventStateConfig>& eventStates);

}  // namespace ecfg
