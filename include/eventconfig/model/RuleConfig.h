#pragma once

#include <string>
#include <vector>

#include "eventconfig/EventConfigExport.h"
#include "eventconfig/Owned.h"

class COperationTypeConfig;
class CActionConfig;
namespace ecfg {
class XmlReader;
}

// One rule: "Rule" ("ID", "InitialActivated", "PlatType") holding its
// "Operation" and an "ActionList" of "Result" lists. Owns its operation and
// actions; null entries stand for types without a kind.
class EVENTCONFIG_API CRuleConfig {
public:
    CRuleConfig();
    explicit CRuleConfig(std::wstring subDoc);
    // The library's own path: the rule of a reader's current element, read
    // in place (the reader type is internal to the library); the reader is
    // left where it was.
    explicit CRuleConfig(ecfg::XmlReader& element);
    CRuleConfig(const CRuleConfig&) = delete;
    CRuleConfig& operator=(const CRuleConfig&) = delete;
    virtual ~CRuleConfig();

    int GetRuleID() const { return m_nRuleID; }
    int GetInitialActivated() const { return m_nInitialActivated; }
    COperationTypeConfig* GetOperationType() const { return m_pOperation; }
    const std::vector<CActionConfig*>& GetTrueActionList() { return m_vecTrueActionList.get(); }
    const std::vector<CActionConfig*>& GetFalseActionList() { return m_vecFalseActionList.get(); }
    int GetPlatType() { return m_nPlatType; }

private:
    // Reads the reader's current element; leaves the reader where it was.
    void Read(ecfg::XmlReader& reader);
    // One "Result" element's action list, read in place.
    void InitialActionList(ecfg::XmlReader& result);

    int m_nRuleID;
    int m_nInitialActivated;
    COperationTypeConfig* m_pOperation;
    OwnedPtrVector<CActionConfig> m_vecTrueActionList;
    OwnedPtrVector<CActionConfig> m_vecFalseActionList;
    int m_nPlatType;
};
