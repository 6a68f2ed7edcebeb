#pragma once

#include <map>
#include <string>
#include <vector>

#include "eventconfig/EventConfigExport.h"
#include "eventconfig/Owned.h"

class CMsgConfig;
class CEventStateConfig;
namespace ecfg {
class XmlReader;
}

// One system state ("ID", "Name") with its "MsgList", "LogFieldList" and
// "WaitingEventStateList", read in that order. Owns messages and event states.
class EVENTCONFIG_API CSystemStateConfig {
public:
    CSystemStateConfig();
    explicit CSystemStateConfig(const std::wstring& subDoc);
    // The library's own path: the system state of a reader's current
    // element, read in place (the reader type is internal to the library);
    // the reader is left where it was.
    explicit CSystemStateConfig(ecfg::XmlReader& element);
    CSystemStateConfig(const CSystemStateConfig&) = delete;
    CSystemStateConfig& operator=(const CSystemStateConfig&) = delete;
    virtual ~CSystemStateConfig();

    int GetSystemStateID() const { return m_nSystemStateID; }
    std::wstring GetSystemStateName() const { return m_strSystemStateName; }
    const std::map<int, CMsgConfig*>& GetMsgList() { return m_mapMsgList.get(); }
    const std::map<int, CEventStateConfig*>& GetEventStateList() {
        return m_mapEventStateList.get();
    }
    int IsInMsgList(int msgID);
    int IsInLogFieldList(int logFieldID);
    int GetLogFiedCanActiveSysState(int logFieldID);
    void GetLogFieldList(std::vector<int>& logFields);

private:
    // Reads the reader's current element; leaves the reader where it was.
    void Read(ecfg::XmlReader& reader);

    int m_nSystemStateID;
    std::wstring m_strSystemStateName;
    OwnedPtrMap<int, CMsgConfig> m_mapMsgList;
    OwnedPtrMap<int, CEventStateConfig> m_mapEventStateList;
    std::vector<int> m_vecLogFieldList;
    std::map<int, int> m_mapLogFieldCanActiveSysState;
};
