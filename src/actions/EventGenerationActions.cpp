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

ECFG_ACTION_SHAPE_KIND(CActGenEventByTimeConfig, CActEventIDConfig, ACT_TYPE_GEN_EVENT_BY_TIME)
ECFG_ACTION_SHAPE_KIND(CActSaveEventIDConfig, CActEventIDConfig, ACT_TYPE_SAVE_EVENT_ID)
ECFG_ACTION_SHAPE_KIND(CActDeleteEventIDConfig, CActEventIDConfig, ACT_TYPE_DELETE_EVENT_ID)

ECFG_ACTION_KIND(CActGenEventConfig, ACT_TYPE_GEN_EVENT)
CActGenEventConfig::CActGenEventConfig(const ecfg::XmlSource& source) : CActionConfig(source) {
    ecfg::XmlReader reader(source);
    ecfg::ReadOptionalEventID(reader, m_nEventID);
}

ECFG_ACTION_KIND(CActGenSystemEventConfig, ACT_TYPE_GEN_SYSTEM_EVENT)
CActGenSystemEventConfig::CActGenSystemEventConfig(const ecfg::XmlSource& source)
    : CActionConfig(source) {
    ecfg::XmlReader reader(source);
    if (ecfg::ReadOptionalEventID(reader, m_nEventID)) m_strEventInfo = L"SystemEvent";
}

ECFG_ACTION_KIND(CActGenEventWithLogFieldInfo, ACT_TYPE_GEN_EVENT_WITH_LOG_FIELD_INFO)
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

ECFG_ACTION_KIND(CAct_GenEvent_InfoFromMsgConfig, ACT_TYPE_GEN_EVENT_INFO_FROM_MSG)
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
