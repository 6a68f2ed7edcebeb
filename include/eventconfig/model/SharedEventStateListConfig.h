#pragma once

#include <map>
#include <string>
#include <vector>

#include "eventconfig/EventConfigExport.h"
#include "eventconfig/Owned.h"

class CMsgConfig;
class CEventStateConfig;

// The optional "SpecialEventStateList": messages, log fields, event states and
// the "Relationship" table (system state id -> related event states). Owns
// messages and event states; the relationship's pointers are borrowed.
class EVENTCONFIG_API CSpecialEventStateListConfig {
public:
    CSpecialEventStateListConfig();
    explicit CSpecialEventStateListConfig(const std::wstring& subDoc);
    CSpecialEventStateListConfig(const CSpecialEventStateListConfig&) = delete;
    CSpecialEventStateListConfig& operator=(const CSpecialEventStateListConfig&) = delete;
    virtual ~CSpecialEventStateListConfig();

    std::map<int, CMsgConfig*> GetMsgList() const { return m_mapMsgList.get(); }
    std::map<int, CEventStateConfig*> GetEventStateList() const {
        return m_mapEventStateList.get();
    }
    std::map<int, std::map<int, CEventStateConfig*>> GetRelationship() { return m_mapRelationship; }
    int IsInMsgList(int msgID);
    void GetLogFieldList(std::vector<int>& logFields);

private:
    OwnedPtrMap<int, CMsgConfig> m_mapMsgList;
    OwnedPtrMap<int, CEventStateConfig> m_mapEventStateList;
    std::map<int, std::map<int, CEventStateConfig*>> m_mapRelationship;
    std::vector<int> m_vecLogFieldList;
};
