#include "eventconfig/model/StateMachineConfig.h"

#include "eventconfig/model/SharedEventStateListConfig.h"
#include "eventconfig/model/SystemStateConfig.h"
#include "reading/Reading.h"

CEventInfoConfig::CEventInfoConfig(int eventID, std::wstring eventName)
    : m_nEventID(eventID), m_strEventName(std::move(eventName)) {}

CEventInfoConfig::~CEventInfoConfig() {}

CStateMachineConfig::CStateMachineConfig(const std::wstring& protocolDoc)
    : m_pSpecialEventStateListConfig(nullptr) {
    try {
        ReadXML(protocolDoc);
    } catch (...) {
        // The maps free themselves; the special list is the one raw owner.
        delete m_pSpecialEventStateListConfig;
        throw;
    }
}

void CStateMachineConfig::ReadXML(const std::wstring& protocolDoc) {
    ecfg::XmlReader reader(protocolDoc);
    reader.Find();
    reader.Into();
    reader.Find(L"StateMachineConfig");
    reader.Into();
    if (reader.Find(L"SpecialEventStateList"))
        m_pSpecialEventStateListConfig = new CSpecialEventStateListConfig(reader.SubDoc());
    while (reader.Find()) {
        const int id = reader.AttrDec(L"ID");
        m_mapSysStateConfigList.Replace(
            id, std::unique_ptr<CSystemStateConfig>(new CSystemStateConfig(reader)));
    }
    reader.Out();
    reader.Find(L"EventInfoList");
    reader.EachChild(nullptr, [&] {
        const int id = reader.AttrDec(L"ID");
        m_mapEventInfoConfigList.Replace(
            id, std::unique_ptr<CEventInfoConfig>(new CEventInfoConfig(id, reader.Attr(L"Name"))));
    });
    reader.Find(L"LogCodeFieldList");
    reader.EachChild(nullptr, [&] { m_vecLogCodeFieldList.push_back(reader.DataHex()); });
}

CStateMachineConfig::~CStateMachineConfig() {
    m_mapSysStateConfigList.clear();
    m_mapEventInfoConfigList.clear();
    delete m_pSpecialEventStateListConfig;
}
