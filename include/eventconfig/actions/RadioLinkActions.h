#pragma once

#include <string>
#include <vector>

#include "eventconfig/actions/ActionConfig.h"

// ---- Radio link and PSC field names for a list of rules (24, 25) ------------

// "Rule" ("ID": decimal rule ids cut at '/') holding two named elements in
// order, each with "FieldName" and "MetaInfoName".
class EVENTCONFIG_API CActRuleFieldNamesConfig : public CActionConfig {
public:
    // Replaces the vector's content with the rule ids.
    void GetRuleIDList(std::vector<int>& ruleIDs) { ruleIDs = m_vecRuleIDList; }

protected:
    enum class NameCase { AsWritten, Lowered };
    explicit CActRuleFieldNamesConfig(Action_Type_Enum type);
    CActRuleFieldNamesConfig(const ecfg::XmlSource& source, Action_Type_Enum type,
                             const wchar_t* first, const wchar_t* second, NameCase nameCase);

    const std::wstring& FirstName() const { return m_strFirstName; }
    const std::wstring& FirstMetaInfoName() const { return m_strFirstMetaInfoName; }
    const std::wstring& SecondName() const { return m_strSecondName; }
    const std::wstring& SecondMetaInfoName() const { return m_strSecondMetaInfoName; }

private:
    // Empty text leaves the list as it is; otherwise it is replaced.
    void GenRuleIDList(std::wstring text, std::vector<int>& ruleIDs);

    std::vector<int> m_vecRuleIDList;
    std::wstring m_strFirstName;
    std::wstring m_strFirstMetaInfoName;
    std::wstring m_strSecondName;
    std::wstring m_strSecondMetaInfoName;
};

// "RadioLink" then "PSC", names as written.
class EVENTCONFIG_API CAction_Record_RL_And_PSCConfig : public CActRuleFieldNamesConfig {
public:
    CAction_Record_RL_And_PSCConfig();
    explicit CAction_Record_RL_And_PSCConfig(std::wstring subDoc);
    explicit CAction_Record_RL_And_PSCConfig(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;

    std::wstring GetRLTag() { return FirstName(); }
    std::wstring GetRLMetaInfoTag() { return FirstMetaInfoName(); }
    std::wstring GetPSCTag() { return SecondName(); }
    std::wstring GetPSCMetaInfoTag() { return SecondMetaInfoName(); }
};

// "AddInfo" then "RemoveInfo", names lower-cased.
class EVENTCONFIG_API CAct_Update_RL_And_PSCConfig : public CActRuleFieldNamesConfig {
public:
    CAct_Update_RL_And_PSCConfig();
    explicit CAct_Update_RL_And_PSCConfig(std::wstring subDoc);
    explicit CAct_Update_RL_And_PSCConfig(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;

    std::wstring GetAddPSCTag() { return FirstName(); }
    std::wstring GetAddPSCMetaInfoTag() { return FirstMetaInfoName(); }
    std::wstring GetDelPSCTag() { return SecondName(); }
    std::wstring GetDelPSCMetaInfoTag() { return SecondMetaInfoName(); }
};

// ---- Protocol switch (29) ---------------------------------------------------

// "SwitchToProtocol" ("ID", hex) holding "SystemState" ("ID", hex), then
// "NeededActiveWaitingEventState" and "NeededInActiveWaitingEventState", each
// with one child per event state id (decimal text, any name).
class EVENTCONFIG_API CActSwitchProtocol : public CActionConfig {
public:
    CActSwitchProtocol();
    explicit CActSwitchProtocol(std::wstring subDoc);
    explicit CActSwitchProtocol(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;

    int GetProtocol() const { return m_nProtocol; }
    const std::vector<int>& GetNeedActiveList() const { return m_vecNeedActiveList; }
    const std::vector<int>& GetNeedInactiveList() const { return m_vecNeedInactiveList; }
    int GetSysID() const { return m_nSysID; }

private:
    int m_nProtocol = 0;
    std::vector<int> m_vecNeedActiveList;
    std::vector<int> m_vecNeedInactiveList;
    int m_nSysID = 0;
};
