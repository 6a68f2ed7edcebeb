#include "actions/ActionRegistry.h"

#include "eventconfig/actions/EventGenerationActions.h"
#include "eventconfig/actions/LogFieldActions.h"
#include "eventconfig/actions/RadioLinkActions.h"
#include "eventconfig/actions/RuleRecordActions.h"
#include "eventconfig/actions/StateControlActions.h"
#include "eventconfig/actions/TimeKeepingActions.h"
#include "model/Registry.h"

namespace {

#define ACTION_KIND(id, cls, shape) ECFG_KIND(CActionConfig, id, cls, shape)

// Every action kind, one line each, in registration order. Adding a kind is
// adding its line here.
const ecfg::KindEntry<CActionConfig> kActionKinds[] = {
    ACTION_KIND(0, CActionConfig, "Action Type, Info; no children read"),
    // ACTION_KIND(6, CActDelEventStateConfig, ""),
    // ACTION_KIND(1, CActGenEventConfig, ""),
    // ACTION_KIND(3, CActInitActiveEventStateConfig, ""),
    // ACTION_KIND(4, CActInitMsgFieldConfig, ""),
    // ACTION_KIND(5, CActTranEventStateConfig, ""),
    // ACTION_KIND(7, CActTranRuleConfig, ""),
    // ACTION_KIND(2, CActTranSysStateConfig, ""),
    // ACTION_KIND(11, CActRecordTimeConfig, ""),
    // ACTION_KIND(12, CActGenEventByTimeConfig, ""),
    // ACTION_KIND(13, CActSaveSumOfMsgFieldsConfig, ""),
    // ACTION_KIND(14, CActAcitveRulesConfig, ""),
    // ACTION_KIND(15, CActInActiveRulesConfig, ""),
    // ACTION_KIND(16, CActClearTickTimeConfig, ""),
    // ACTION_KIND(17, CActInitLogCodeFieldConfig, ""),
    // ACTION_KIND(18, CActDelInitialLogFieldConfig, ""),
    // ACTION_KIND(20, CActRecordInfoForRule, ""),
    // ACTION_KIND(21, CActSaveEventIDConfig, ""),
    // ACTION_KIND(22, CActDeleteEventIDConfig, ""),
    // ACTION_KIND(23, CActResetWaitingEventStateConfig, ""),
    // ACTION_KIND(24, CAction_Record_RL_And_PSCConfig, ""),
    // ACTION_KIND(25, CAct_Update_RL_And_PSCConfig, ""),
    // ACTION_KIND(26, CAct_UpdateLogFieldConfig, ""),
    // ACTION_KIND(27, CAct_DelValueOfLogFieldConfig, ""),
    // ACTION_KIND(28, CActUpdateLogFieldByRuleInit, ""),
    // ACTION_KIND(29, CActSwitchProtocol, ""),
    // ACTION_KIND(30, CAct_EnterIntoProtocalSwitchModeConfig, ""),
    // ACTION_KIND(31, CActRecordInfoForRule_ReverseFind, ""),
    // ACTION_KIND(32, CAct_AddPauseTimeConfig, ""),
    // ACTION_KIND(33, CAct_DelPauseTimeConfig, ""),
    // ACTION_KIND(34, CActGenEventWithLogFieldInfo, ""),
    // ACTION_KIND(35, CActActiveEventStateAndPrcPacket, ""),
    // ACTION_KIND(36, CAct_GenEvent_InfoFromMsgConfig, ""),
    // ACTION_KIND(37, CAct_UpdateLogField_ForEventInfo_Config, ""),
    // ACTION_KIND(38, CAct_UpdateLogField_B_From_A_Config, ""),
    // ACTION_KIND(39, CAct_DelLogFieldValue_B_By_A_Config, ""),
    // ACTION_KIND(40, CActGenSystemEventConfig, ""),
    // ACTION_KIND(41, CActResetStateMachineConfig, ""),
};

typedef ecfg::ProcessInstance<CActionTypeFactory> Instance;

}  // namespace

CActionTypeFactory::CActionTypeFactory() {
    ecfg::BuildPrototypes(kActionKinds, [](const CActionConfig& p) { return p.GetActionType(); }, m_mapPrototypes);
}

CActionTypeFactory::~CActionTypeFactory() { m_mapPrototypes.clear(); }

CActionTypeFactory* CActionTypeFactory::GetInstance() { return Instance::Get(); }

void CActionTypeFactory::Release() { Instance::Release(); }

CActionConfig* CActionTypeFactory::CreateAction(const std::wstring& subDoc) const {
    return ecfg::CreateFromPrototype(m_mapPrototypes, subDoc);
}

std::vector<int> CActionTypeFactory::GetRegisteredTypes() const { return ecfg::RegisteredIds(m_mapPrototypes); }

const std::vector<EventConfigKindInfo>& EventConfigActionKinds() {
    static const std::vector<EventConfigKindInfo> kinds = ecfg::KindInfos(kActionKinds);
    return kinds;
}
