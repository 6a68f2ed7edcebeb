#include "eventconfig/actions/RadioLinkActions.h"

#include <utility>

#include "actions/LocatorMapShapes.h"
#include "actions/ProtocolSwitchMode.h"

// ---- Radio link and PSC field names ---------------------------------------------------

CActRuleFieldNamesConfig::CActRuleFieldNamesConfig(Action_Type_Enum type) {
    SetActionType(type);
}

CActRuleFieldNamesConfig::CActRuleFieldNamesConfig(const ecfg::XmlSource& source,
                                                   Action_Type_Enum type, const wchar_t* first,
                                                   const wchar_t* second, NameCase nameCase)
    : CActionConfig(source) {
    SetActionType(type);
    ecfg::InsideElement reader(source);
    reader.Find(L"Rule");
    GenRuleIDList(reader.Attr(L"ID"), m_vecRuleIDList);
    reader.Into();
    auto read = [&](const wchar_t* attr) {
        std::wstring text = reader.Attr(attr);
        if (nameCase == NameCase::Lowered) CovertToLower(text);
        return text;
    };
    // A second element that is missing (or stands first) gives empty names.
    reader.Find(first);
    m_strFirstName = read(L"FieldName");
    m_strFirstMetaInfoName = read(L"MetaInfoName");
    reader.Find(second);
    m_strSecondName = read(L"FieldName");
    m_strSecondMetaInfoName = read(L"MetaInfoName");
}

void CActRuleFieldNamesConfig::GenRuleIDList(std::wstring text, std::vector<int>& ruleIDs) {
    ecfg::GenRuleIDList(text, ruleIDs);
}

CAction_Record_RL_And_PSCConfig::CAction_Record_RL_And_PSCConfig()
    : CActRuleFieldNamesConfig(ACT_TYPE_RECORD_RL_AND_PSC) {}
CAction_Record_RL_And_PSCConfig::CAction_Record_RL_And_PSCConfig(const ecfg::XmlSource& source)
    : CActRuleFieldNamesConfig(source, ACT_TYPE_RECORD_RL_AND_PSC, L"RadioLink", L"PSC",
                               NameCase::AsWritten) {}
ECFG_ACTION_TEXT_AND_CLONE(CAction_Record_RL_And_PSCConfig, std::wstring);

CAct_Update_RL_And_PSCConfig::CAct_Update_RL_And_PSCConfig()
    : CActRuleFieldNamesConfig(ACT_TYPE_UPDATE_RL_AND_PSC) {}
CAct_Update_RL_And_PSCConfig::CAct_Update_RL_And_PSCConfig(const ecfg::XmlSource& source)
    : CActRuleFieldNamesConfig(source, ACT_TYPE_UPDATE_RL_AND_PSC, L"AddInfo", L"RemoveInfo",
                               NameCase::Lowered) {}
ECFG_ACTION_TEXT_AND_CLONE(CAct_Update_RL_And_PSCConfig, std::wstring);

// ---- Protocol switch ------------------------------------------------------------------

CActSwitchProtocol::CActSwitchProtocol() {
    SetActionType(ACT_TYPE_SWITCH_PROTOCOL);
}

CActSwitchProtocol::CActSwitchProtocol(const ecfg::XmlSource& source) : CActionConfig(source) {
    ecfg::InsideElement reader(source);
    reader.Find(L"SwitchToProtocol");
    m_nProtocol = reader.AttrHex(L"ID");
    reader.Into();
    reader.Find(L"SystemState");
    m_nSysID = reader.AttrHex(L"ID");
    reader.Find(L"NeededActiveWaitingEventState");
    ecfg::ReadChildNumbers(reader, ecfg::kDec, ecfg::EmptyText::AsZero, m_vecNeedActiveList);
    reader.Find(L"NeededInActiveWaitingEventState");
    ecfg::ReadChildNumbers(reader, ecfg::kDec, ecfg::EmptyText::AsZero, m_vecNeedInactiveList);
}

ECFG_ACTION_TEXT_AND_CLONE(CActSwitchProtocol, std::wstring);

CAct_EnterIntoProtocalSwitchModeConfig::CAct_EnterIntoProtocalSwitchModeConfig() {
    SetActionType(ACT_TYPE_ENTER_INTO_PROTOCOL_SWITCH_MODE);
}

CAct_EnterIntoProtocalSwitchModeConfig::CAct_EnterIntoProtocalSwitchModeConfig(
    const ecfg::XmlSource& source)
    : CActionConfig(source) {
    SetActionType(ACT_TYPE_ENTER_INTO_PROTOCOL_SWITCH_MODE);
    ecfg::InsideElement reader(source);
    reader.Find(L"NeedRunningWaitingEventState");
    reader.EachChild(L"WaitingEventSate",
                     [&] { m_vecRunningWaitingEventStateList.push_back(reader.DataDec()); });
}

ECFG_ACTION_TEXT_AND_CLONE(CAct_EnterIntoProtocalSwitchModeConfig, std::wstring);
