#include "eventconfig/actions/StateControlActions.h"

#include "actions/ActionShapes.h"

CActIdListConfig::CActIdListConfig(const std::wstring& subDoc)
    : CActionConfig(subDoc), m_vecIdList(ecfg::ReadActionIdList(subDoc)) {}

ECFG_ACTION_SHAPE_KIND(CActInitActiveEventStateConfig, CActIdListConfig,
                       ACT_TYPE_INIT_ACTIVE_EVENT_STATE)
ECFG_ACTION_SHAPE_KIND(CActTranEventStateConfig, CActIdListConfig, ACT_TYPE_TRAN_EVENT_STATE)
ECFG_ACTION_SHAPE_KIND(CActDelEventStateConfig, CActIdListConfig, ACT_TYPE_DEL_EVENT_STATE)
ECFG_ACTION_SHAPE_KIND(CActAcitveRulesConfig, CActIdListConfig, ACT_TYPE_ACTIVE_RULES)
ECFG_ACTION_SHAPE_KIND(CActInActiveRulesConfig, CActIdListConfig, ACT_TYPE_INACTIVE_RULES)
ECFG_ACTION_SHAPE_KIND(CActResetWaitingEventStateConfig, CActIdListConfig,
                       ACT_TYPE_RESET_WAITING_EVENT_STATE)
ECFG_ACTION_SHAPE_KIND(CActActiveEventStateAndPrcPacket, CActIdListConfig,
                       ACT_TYPE_ACTIVE_EVENT_STATE_AND_PRC_PACKET)

ECFG_ACTION_KIND(CActTranSysStateConfig, ACT_TYPE_TRAN_SYS_STATE)
CActTranSysStateConfig::CActTranSysStateConfig(std::wstring subDoc)
    : CActionConfig(subDoc), m_nTranSysState(ecfg::ReadActionChildDec(subDoc, L"SystemStateID")) {}

ECFG_ACTION_KIND(CActTranRuleConfig, ACT_TYPE_TRAN_RULE)
CActTranRuleConfig::CActTranRuleConfig(std::wstring subDoc)
    : CActionConfig(subDoc), m_nTranRuleID(ecfg::ReadActionChildDec(subDoc, L"RuleID")) {}

ECFG_ACTION_KIND(CActResetStateMachineConfig, ACT_TYPE_RESET_STATE_MACHINE)
CActResetStateMachineConfig::CActResetStateMachineConfig(std::wstring subDoc)
    : CActionConfig(subDoc) {
    // The child search selects the action element first: its first child.
    ecfg::XmlReader reader(subDoc);
    reader.FindChild();
    m_nResetTime = reader.ChildDataDec();
}
