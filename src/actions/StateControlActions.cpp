#include "eventconfig/actions/StateControlActions.h"

#include "actions/ActionShapes.h"

CActIdListConfig::CActIdListConfig(const ecfg::XmlSource& source)
    : CActionConfig(source), m_vecIdList(ecfg::ReadActionIdList(source)) {}

CActInitActiveEventStateConfig::CActInitActiveEventStateConfig() {
    SetActionType(ACT_TYPE_INIT_ACTIVE_EVENT_STATE);
}
CActInitActiveEventStateConfig::CActInitActiveEventStateConfig(const ecfg::XmlSource& source)
    : CActIdListConfig(source) {}
ECFG_ACTION_TEXT_AND_CLONE(CActInitActiveEventStateConfig, std::wstring);
CActTranEventStateConfig::CActTranEventStateConfig() {
    SetActionType(ACT_TYPE_TRAN_EVENT_STATE);
}
CActTranEventStateConfig::CActTranEventStateConfig(const ecfg::XmlSource& source)
    : CActIdListConfig(source) {}
ECFG_ACTION_TEXT_AND_CLONE(CActTranEventStateConfig, std::wstring);
CActDelEventStateConfig::CActDelEventStateConfig() {
    SetActionType(ACT_TYPE_DEL_EVENT_STATE);
}
CActDelEventStateConfig::CActDelEventStateConfig(const ecfg::XmlSource& source)
    : CActIdListConfig(source) {}
ECFG_ACTION_TEXT_AND_CLONE(CActDelEventStateConfig, std::wstring);
CActAcitveRulesConfig::CActAcitveRulesConfig() {
    SetActionType(ACT_TYPE_ACTIVE_RULES);
}
CActAcitveRulesConfig::CActAcitveRulesConfig(const ecfg::XmlSource& source)
    : CActIdListConfig(source) {}
ECFG_ACTION_TEXT_AND_CLONE(CActAcitveRulesConfig, std::wstring);
CActInActiveRulesConfig::CActInActiveRulesConfig() {
    SetActionType(ACT_TYPE_INACTIVE_RULES);
}
CActInActiveRulesConfig::CActInActiveRulesConfig(const ecfg::XmlSource& source)
    : CActIdListConfig(source) {}
ECFG_ACTION_TEXT_AND_CLONE(CActInActiveRulesConfig, std::wstring);
CActResetWaitingEventStateConfig::CActResetWaitingEventStateConfig() {
    SetActionType(ACT_TYPE_RESET_WAITING_EVENT_STATE);
}
CActResetWaitingEventStateConfig::CActResetWaitingEventStateConfig(const ecfg::XmlSource& source)
    : CActIdListConfig(source) {}
ECFG_ACTION_TEXT_AND_CLONE(CActResetWaitingEventStateConfig, std::wstring);
CActActiveEventStateAndPrcPacket::CActActiveEventStateAndPrcPacket() {
    SetActionType(ACT_TYPE_ACTIVE_EVENT_STATE_AND_PRC_PACKET);
}
CActActiveEventStateAndPrcPacket::CActActiveEventStateAndPrcPacket(const ecfg::XmlSource& source)
    : CActIdListConfig(source) {}
ECFG_ACTION_TEXT_AND_CLONE(CActActiveEventStateAndPrcPacket, std::wstring);

CActTranSysStateConfig::CActTranSysStateConfig() {
    SetActionType(ACT_TYPE_TRAN_SYS_STATE);
}
ECFG_ACTION_TEXT_AND_CLONE(CActTranSysStateConfig, std::wstring);
CActTranSysStateConfig::CActTranSysStateConfig(const ecfg::XmlSource& source)
    : CActionConfig(source), m_nTranSysState(ecfg::ReadActionChildDec(source, L"SystemStateID")) {}

CActTranRuleConfig::CActTranRuleConfig() {
    SetActionType(ACT_TYPE_TRAN_RULE);
}
ECFG_ACTION_TEXT_AND_CLONE(CActTranRuleConfig, std::wstring);
CActTranRuleConfig::CActTranRuleConfig(const ecfg::XmlSource& source)
    : CActionConfig(source), m_nTranRuleID(ecfg::ReadActionChildDec(source, L"RuleID")) {}

CActResetStateMachineConfig::CActResetStateMachineConfig() {
    SetActionType(ACT_TYPE_RESET_STATE_MACHINE);
}
ECFG_ACTION_TEXT_AND_CLONE(CActResetStateMachineConfig, std::wstring);
CActResetStateMachineConfig::CActResetStateMachineConfig(const ecfg::XmlSource& source)
    : CActionConfig(source) {
    // The child search selects the action element first: its first child.
    ecfg::XmlReader reader(source);
    reader.FindChild();
    m_nResetTime = reader.ChildDataDec();
}
