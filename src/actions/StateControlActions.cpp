#include "eventconfig/actions/StateControlActions.h"

#include "actions/ActionShapes.h"

CActIdListConfig::CActIdListConfig(const ecfg::XmlSource& source)
    : CActionConfig(source), m_vecIdList(ecfg::ReadActionIdList(source)) {}

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
CActTranSysStateConfig::CActTranSysStateConfig(const ecfg::XmlSource& source)
    : CActionConfig(source), m_nTranSysState(ecfg::ReadActionChildDec(source, L"SystemStateID")) {}

ECFG_ACTION_KIND(CActTranRuleConfig, ACT_TYPE_TRAN_RULE)
CActTranRuleConfig::CActTranRuleConfig(const ecfg::XmlSource& source)
    : CActionConfig(source), m_nTranRuleID(ecfg::ReadActionChildDec(source, L"RuleID")) {}

ECFG_ACTION_KIND(CActResetStateMachineConfig, ACT_TYPE_RESET_STATE_MACHINE)
CActResetStateMachineConfig::CActResetStateMachineConfig(const ecfg::XmlSource& source)
    : CActionConfig(source) {
    // The child search selects the action element first: its first child.
    ecfg::XmlReader reader(source);
    reader.FindChild();
    m_nResetTime = reader.ChildDataDec();
}
