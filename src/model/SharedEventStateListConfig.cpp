#include "eventconfig/model/SharedEventStateListConfig.h"

#include "model/StateLists.h"

CSpecialEventStateListConfig::CSpecialEventStateListConfig() {}

CSpecialEventStateListConfig::CSpecialEventStateListConfig(const std::wstring& subDoc) {
    ecfg::XmlReader reader(subDoc);
    reader.Find();
    reader.Into();
    ecfg::ReadMsgList(reader, m_mapMsgList);
    ecfg::ReadLogFieldList(reader, [&](int id) { m_vecLogFieldList.push_back(id); });
    ecfg::ReadEventStateList(reader, m_mapEventStateList);
    reader.Find(L"Relationship");
    reader.EachChild(L"SystemState", [&] {
        const int systemStateID = ecfg::DecToInt(reader.Attr(L"ID"));
        std::map<int, CEventStateConfig*> related;
        reader.EachChild(L"WaitingEventStateID", [&] {
            const int id = ecfg::DecToInt(reader.Data());
            if (CEventStateConfig* eventState = m_mapEventStateList.find(id))
                related[id] = eventState;
        });
        m_mapRelationship[systemStateID] = std::move(related);
    });
}

CSpecialEventStateListConfig::~CSpecialEventStateListConfig() {
    m_mapMsgList.clear();
    m_mapEventStateList.clear();
    m_mapRelationship.clear();
}

int CSpecialEventStateListConfig::IsInMsgList(int msgID) {
    return m_mapMsgList.contains(msgID) ? 1 : 0;
}

void CSpecialEventStateListConfig::GetLogFieldList(std::vector<int>& logFields) {
    logFields = m_vecLogFieldList;
}
