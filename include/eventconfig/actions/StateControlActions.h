#pragma once

#include <string>
#include <vector>

#include "eventconfig/actions/ActionConfig.h"

// What every id-list kind holds: one decimal id per child of the action
// element (any name, document order, duplicates kept, empty text as 0).
class EVENTCONFIG_API CActIdListConfig : public CActionConfig {
protected:
    CActIdListConfig() = default;
    explicit CActIdListConfig(const ecfg::XmlSource& source);

    std::vector<int> m_vecIdList;
};

// Event states to activate initially.
class EVENTCONFIG_API CActInitActiveEventStateConfig : public CActIdListConfig {
public:
    CActInitActiveEventStateConfig();
    explicit CActInitActiveEventStateConfig(std::wstring subDoc);
    explicit CActInitActiveEventStateConfig(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;
    std::vector<int> GetToActivateEventStateList() { return m_vecIdList; }
};

// Event states to pass to.
class EVENTCONFIG_API CActTranEventStateConfig : public CActIdListConfig {
public:
    CActTranEventStateConfig();
    explicit CActTranEventStateConfig(std::wstring subDoc);
    explicit CActTranEventStateConfig(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;
    std::vector<int> GetToTranEventStateList() { return m_vecIdList; }
};

// Event states to delete.
class EVENTCONFIG_API CActDelEventStateConfig : public CActIdListConfig {
public:
    CActDelEventStateConfig();
    explicit CActDelEventStateConfig(std::wstring subDoc);
    explicit CActDelEventStateConfig(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;
    std::vector<int> GetToDelEventStateList() { return m_vecIdList; }
};

// Rules to activate.
class EVENTCONFIG_API CActAcitveRulesConfig : public CActIdListConfig {
public:
    CActAcitveRulesConfig();
    explicit CActAcitveRulesConfig(std::wstring subDoc);
    explicit CActAcitveRulesConfig(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;
    std::vector<int> GetToActiveRulesList() { return m_vecIdList; }
};

// Rules to deactivate.
class EVENTCONFIG_API CActInActiveRulesConfig : public CActIdListConfig {
public:
    CActInActiveRulesConfig();
    explicit CActInActiveRulesConfig(std::wstring subDoc);
    explicit CActInActiveRulesConfig(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;
    std::vector<int> GetToInActiveRulesList() { return m_vecIdList; }
};

// Rules to reset in their waiting event states.
class EVENTCONFIG_API CActResetWaitingEventStateConfig : public CActIdListConfig {
public:
    CActResetWaitingEventStateConfig();
    explicit CActResetWaitingEventStateConfig(std::wstring subDoc);
    explicit CActResetWaitingEventStateConfig(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;
    std::vector<int> GetToResetRulesList() { return m_vecIdList; }
};

// Event states to activate, with the current packet processed.
class EVENTCONFIG_API CActActiveEventStateAndPrcPacket : public CActIdListConfig {
public:
    CActActiveEventStateAndPrcPacket();
    explicit CActActiveEventStateAndPrcPacket(std::wstring subDoc);
    explicit CActActiveEventStateAndPrcPacket(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;
    std::vector<int> GetToActiveEventStateList() { return m_vecIdList; }
};

// Passes to the system state of the child "SystemStateID" (0 when absent).
class EVENTCONFIG_API CActTranSysStateConfig : public CActionConfig {
public:
    CActTranSysStateConfig();
    explicit CActTranSysStateConfig(std::wstring subDoc);
    explicit CActTranSysStateConfig(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;
    int GetTranSysState() const { return m_nTranSysState; }

private:
    int m_nTranSysState = 0;
};

// Passes to the rule of the child "RuleID" (-1 in the prototype, 0 when the
// child is absent).
class EVENTCONFIG_API CActTranRuleConfig : public CActionConfig {
public:
    CActTranRuleConfig();
    explicit CActTranRuleConfig(std::wstring subDoc);
    explicit CActTranRuleConfig(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;
    int GetTranRuleID() const { return m_nTranRuleID; }

private:
    int m_nTranRuleID = -1;
};

// Resets the state machine; the reset time is the first child's text, any
// name. Stored signed, handed out unsigned (-1 reads as 4294967295).
class EVENTCONFIG_API CActResetStateMachineConfig : public CActionConfig {
public:
    CActResetStateMachineConfig();
    explicit CActResetStateMachineConfig(std::wstring subDoc);
    explicit CActResetStateMachineConfig(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;
    unsigned int GetResetTime() const { return static_cast<unsigned int>(m_nResetTime); }

private:
    int m_nResetTime = 0;
};
