#include "eventconfig/actions/EventGenerationActions.h"

#include "actions/ActionShapes.h"

CActEventIDConfig::CActEventIDConfig(const ecfg::XmlSource& source) : CActionConfig(source) {
    // wcstol in base 10 and _wtoi read the same digits with the same limits.
    ecfg::XmlReader reader(source);
    reader.Find();
    reader.Into();
    reader.Find(L"EventID");
    m_nEventID = reader.DataDec();
}

CActGenEventByTimeConfig::CActGenEventByTimeConfig() {
    SetActionType(ACT_TYPE_GEN_EVENT_BY_TIME);
}
CActGenEventByTimeConfig::CActGenEventByTimeConfig(const ecfg::XmlSource& source)
    : CActEventIDConfig(source) {}
ECFG_ACTION_TEXT_AND_CLONE(CActGenEventByTimeConfig, std::wstring);
CActSaveEventIDConfig::CActSaveEventIDConfig() {
    SetActionType(ACT_TYPE_SAVE_EVENT_ID);
}
CActSaveEventIDConfig::CActSaveEventIDConfig(const ecfg::XmlSource& source)
    : CActEventIDConfig(source) {}
ECFG_ACTION_TEXT_AND_CLONE(CActSaveEventIDConfig, std::wstring);
CActDeleteEventIDConfig::CActDeleteEventIDConfig() {
    SetActionType(ACT_TYPE_DELETE_EVENT_ID);
}
CActDeleteEventIDConfig::CActDeleteEventIDConfig(const ecfg::XmlSource& source)
    : CActEventIDConfig(source) {}
ECFG_ACTION_TEXT_AND_CLONE(CActDeleteEventIDConfig, std::wstring);

CActGenEventConfig::CActGenEventConfig() {
    SetActionType(ACT_TYPE_GEN_EVENT);
}
ECFG_ACTION_TEXT_AND_CLONE(CActGenEventConfig, std::wstring);
CActGenEventConfig::CActGenEventConfig(const ecfg::XmlSource& source) : CActionConfig(source) {
    ecfg::XmlReader reader(source);
    ecfg::ReadOptionalEventID(reader, m_nEventID);
}

CActGenSystemEventConfig::CActGenSystemEventConfig() {
    SetActionType(ACT_TYPE_GEN_SYSTEM_EVENT);
}
ECFG_ACTION_TEXT_AND_CLONE(CActGenSystemEventConfig, std::wstring);
CActGenSystemEventConfig::CActGenSystemEventConfig(const ecfg::XmlSource& source)
    : CActionConfig(source) {
    ecfg::XmlReader reader(source);
    if (ecfg::ReadOptionalEventID(reader, m_nEventID)) m_strEventInfo = L"SystemEvent";
}

CActGenEventWithLogFieldInfo::CActGenEventWithLogFieldInfo() {
    SetActionType(ACT_TYPE_GEN_EVENT_WITH_LOG_FIELD_INFO);
}
ECFG_ACTION_TEXT_AND_CLONE(CActGenEventWithLogFieldInfo, std::wstring);
CActGenEventWithLogFieldInfo::CActGenEventWithLogFieldInfo(const ecfg::XmlSource& source)
    : CActionConfig(source) {
    // A child that is absent reads empty (log field id 0, empty name), never
    // the text of the child found before it.
    ecfg::XmlReader reader(source);
    ecfg::ReadOptionalEventID(reader, m_nEventID);
    reader.FindChild(L"LogFieldID");
    m_nLogFieldID = reader.ChildDataHex();
    reader.FindChild(L"InfoName");
    m_strInfoName = reader.ChildData();
}

CAct_GenEvent_InfoFromMsgConfig::CAct_GenEvent_InfoFromMsgConfig() {
    SetActionType(ACT_TYPE_GEN_EVENT_INFO_FROM_MSG);
}
ECFG_ACTION_TEXT_AND_CLONE(CAct_GenEvent_InfoFromMsgConfig, std::wstring);
CAct_GenEvent_InfoFromMsgConfig::CAct_GenEvent_InfoFromMsgConfig(const ecfg::XmlSource& source)
    : CActionConfig(source) {
    ecfg::XmlReader reader(source);
    reader.Find();
    reader.Into();
    const ecfg::FixedLocator field = ecfg::ReadMsgLocatorAndIDs(reader, m_vecMsgIDList);
    m_strToSaveFieldName = field.name;
    m_nLength = field.length;
    m_nOffset = field.offset;
    // Searched on from "Msg": an "EventID" written before it is not seen.
    if (reader.Find(L"EventID")) m_nEventID = reader.DataDec();
}

int CAct_GenEvent_InfoFromMsgConfig::InMsgIDList(int id) const {
    return ecfg::InList(m_vecMsgIDList, id);
}
