#pragma once

#include <map>
#include <string>

#include "eventconfig/EventConfigExport.h"
#include "eventconfig/Owned.h"

class CRuleConfig;
namespace ecfg {
class XmlReader;
}

// One "WaitingEventState" ("ID", "InitialActivated", "NeedProcessLogField")
// and its rules, filed by rule id and owned.
class EVENTCONFIG_API CEventStateConfig {
public:
    CEventStateConfig();
    explicit CEventStateConfig(std::wstring subDoc);
    // The library's own path: the event state of a reader's current element,
    // read in place (the reader type is internal to the library); the reader
    // is left where it was.
    explicit CEventStateConfig(ecfg::XmlReader& element);
    CEventStateConfig(const CEventStateConfig&) = delete;
    CEventStateConfig& operator=(const CEventStateConfig&) = delete;
    virtual ~CEventStateConfig();

    int GetID() const { return m_nID; }
    int GetInitialActivated() const { return m_nInitialActivated; }
    const std::map<int, CRuleConfig*>& GetRuleList() { return m_mapRuleList.get(); }
    int IsNeedProcessLogField() { return m_nNeedProcessLogField; }

private:
    // Reads the reader's current element; leaves the reader where it was.
    void Read(ecfg::XmlReader& reader);

    int m_nID;
    int m_nInitialActivated;
    OwnedPtrMap<int, CRuleConfig> m_mapRuleList;
    int m_nNeedProcessLogField;
};
