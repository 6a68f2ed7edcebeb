#include "actions/ActionRegistry.h"

#include "actions/ProtocolSwitchMode.h"
#include "eventconfig/actions/EventGenerationActions.h"
#include "eventconfig/actions/LogFieldActions.h"
#include "eventconfig/actions/RadioLinkActions.h"
#include "eventconfig/actions/RuleRecordActions.h"
#include "eventconfig/actions/StateControlActions.h"
#include "eventconfig/actions/TimeKeepingActions.h"
#include "reading/Registry.h"

namespace {

#define ACTION_KIND(id, cls, shape) ECFG_KIND(CActionConfig, id, cls, shape)

// Every action kind, one line each, in registration order. Adding a kind is
// adding its line here.
const ecfg::KindEntry<CActionConfig> kActionKinds[] = {
    ACTION_KIND(0, CActionConfig, "Action Type, Info; no children read"),
    ACTION_KIND(6, CActDelEventStateConfig, "every child, any name: event state id (decimal)"),
    ACTION_KIND(1, CActGenEventConfig, "child EventID (decimal, optional)"),
    ACTION_KIND(3, CActInitActiveEventStateConfig,
                "every child, any name: event state id (decimal)"),
    ACTION_KIND(4, CActInitMsgFieldConfig,
                "Msg: Name, Length, StartOffset; children: msg ids (hex)"),
    ACTION_KIND(5, CActTranEventStateConfig, "every child, any name: event state id (decimal)"),
    ACTION_KIND(7, CActTranRuleConfig, "child RuleID (decimal)"),
    ACTION_KIND(2, CActTranSysStateConfig, "child SystemStateID (decimal)"),
    ACTION_KIND(11, CActRecordTimeConfig,
                "every child, any name: waiting event state id (decimal)"),
    ACTION_KIND(12, CActGenEventByTimeConfig, "child EventID (decimal)"),
    ACTION_KIND(13, CActSaveSumOfMsgFieldsConfig,
                "Msg: ID (hex); children: Name, Length, StartOffset"),
    ACTION_KIND(14, CActAcitveRulesConfig, "every child, any name: rule id (decimal)"),
    ACTION_KIND(15, CActInActiveRulesConfig, "every child, any name: rule id (decimal)"),
    ACTION_KIND(16, CActClearTickTimeConfig,
                "every child, any name: waiting event state id (decimal)"),
    ACTION_KIND(17, CActInitLogCodeFieldConfig, "FieldID: log field id (hex text)"),
    ACTION_KIND(18, CActDelInitialLogFieldConfig, "FieldID: log field id (hex text)"),
    ACTION_KIND(20, CActRecordInfoForRule,
                "Rule: ID (dec ids, '/'); Fields: forward tags (lower-cased)"),
    ACTION_KIND(21, CActSaveEventIDConfig, "child EventID (decimal)"),
    ACTION_KIND(22, CActDeleteEventIDConfig, "child EventID (decimal)"),
    ACTION_KIND(23, CActResetWaitingEventStateConfig, "every child, any name: rule id (decimal)"),
    ACTION_KIND(24, CAction_Record_RL_And_PSCConfig,
                "Rule: ID (dec ids, '/'); RadioLink, PSC: FieldName, MetaInfoName"),
    ACTION_KIND(25, CAct_Update_RL_And_PSCConfig,
                "Rule: ID (dec ids, '/'); AddInfo, RemoveInfo: names (lower-cased)"),
    ACTION_KIND(26, CAct_UpdateLogFieldConfig,
                "LogField: ID (hex); Msg: ReverseFind; Fields: reverse tags, EventInfoName"),
    ACTION_KIND(27, CAct_DelValueOfLogFieldConfig,
                "LogField: ID (hex); Msg: ReverseFind; one Field: reverse tags (lower-cased)"),
    ACTION_KIND(28, CActUpdateLogFieldByRuleInit,
                "LogField: ID (hex); RuleInitial: FieldName (lower-cased)"),
    ACTION_KIND(29, CActSwitchProtocol,
                "SwitchToProtocol: ID (hex); SystemState: ID (hex); two lists of ids (dec)"),
    ACTION_KIND(30, CAct_EnterIntoProtocalSwitchModeConfig,
                "NeedRunningWaitingEventState: WaitingEventSate ids (dec)"),
    ACTION_KIND(31, CActRecordInfoForRule_ReverseFind,
                "EventState: ID (dec); Rule: ID; Fields: reverse tags (lower-cased)"),
    ACTION_KIND(32, CAct_AddPauseTimeConfig, "every child, any name: rule id (decimal)"),
    ACTION_KIND(33, CAct_DelPauseTimeConfig, "no children read"),
    ACTION_KIND(34, CActGenEventWithLogFieldInfo,
                "children EventID (decimal, optional), LogFieldID (hex), InfoName"),
    ACTION_KIND(35, CActActiveEventStateAndPrcPacket,
                "every child, any name: event state id (decimal)"),
    ACTION_KIND(36, CAct_GenEvent_InfoFromMsgConfig,
                "Msg: Name, Length, StartOffset; its children: msg ids (hex); then EventID "
                "(decimal, optional)"),
    ACTION_KIND(37, CAct_UpdateLogField_ForEventInfo_Config,
                "LogField: ID (hex); Msg: ReverseFind; Fields: reverse tags, EventInfoName"),
    ACTION_KIND(38, CAct_UpdateLogField_B_From_A_Config,
                "LogFieldSrc, LogFieldDes: log field ids (hex texts)"),
    ACTION_KIND(39, CAct_DelLogFieldValue_B_By_A_Config,
                "LogFieldSrc, LogFieldDes: log field ids (hex texts)"),
    ACTION_KIND(40, CActGenSystemEventConfig,
                "child EventID (decimal, optional; sets info SystemEvent)"),
    ACTION_KIND(41, CActResetStateMachineConfig, "1st child, any name: reset time (decimal)"),
};

typedef ecfg::ProcessInstance<CActionTypeFactory> Instance;

}  // namespace

CActionTypeFactory::CActionTypeFactory()
    : PrototypeRegistry(kActionKinds,
                        [](const CActionConfig& prototype) { return prototype.GetActionType(); }) {}

CActionTypeFactory* CActionTypeFactory::GetInstance() {
    return Instance::Get();
}

void CActionTypeFactory::Release() {
    Instance::Release();
}

const std::vector<EventConfigKindInfo>& EventConfigActionKinds() {
    static const std::vector<EventConfigKindInfo> kinds = ecfg::KindInfos(kActionKinds);
    return kinds;
}
