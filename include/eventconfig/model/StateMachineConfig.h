#pragma once

#include <map>
#include <string>
#include <vector>

#include "eventconfig/EventConfigExport.h"
#include "eventconfig/Owned.h"

class CSystemStateConfig;
class CSpecialEventStateListConfig;

// One entry of "EventInfoList": an event id and its name.
class EVENTCONFIG_API CEventInfoConfig {
public:
    CEventInfoConfig(int eventID, std::wstring eventName);
    CEventInfoConfig(const CEventInfoConfig& other) = default;
    CEventInfoConfig& operator=(const CEventInfoConfig& other) = default;
    virtual ~CEventInfoConfig();

    int GetEventID() const { return m_nEventID; }
    std::wstring GetEventName() const { return m_strEventName; }

private:
    int m_nEventID;
    std::wstring m_strEventName;
};

// The model of one protocol document: system states, the optional special
// event state list, event names and log codes. Owns everything it builds.
class EVENTCONFIG_API CStateMachineConfig {
public:
    explicit CStateMachineConfig(const std::wstring& protocolDoc);
    CStateMachineConfig(const CStateMachineConfig&) = delete;
    CStateMachineConfig& operator=(const CStateMachineConfig&) = delete;
    virtual ~CStateMachineConfig();

    const std::map<int, CSystemStateConfig*>& GetSysStateConfigList() {
        return m_mapSysStateConfigList.get();
    }
    const std::map<int, CEventInfoConfig*>& GetEventInfoConfigList() {
        return m_mapEventInfoConfigList.get();
    }
    const std::vector<int>& GetLogCodeFieldList() { return m_vecLogCodeFieldList; }
    CSpecialEventStateListConfig* GetSpecialEventStateListConfig() {
        return m_pSpecialEventStateListConfig;
    }

protected:
    void ReadXML(const std::wstring& protocolDoc);

private:
    OwnedPtrMap<int, CSystemStateConfig> m_mapSysStateConfigList;
    OwnedPtrMap<int, CEventInfoConfig> m_mapEventInfoConfigList;
    std::vector<int> m_vecLogCodeFieldList;
    CSpecialEventStateListConfig* m_pSpecialEventStateListConfig;
};
