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

using namespace ecfg::grammar;
using ecfg::Num;
using ecfg::Ref;

// What several kinds read alike.
G EventID() {
    return G().C(L"EventID", Text(Num::Dec, Ref::Event));
}
G MsgField() {
    return G().C(L"Msg", G().Fixed().All(Text(Num::Hex, Ref::Msg)));
}
G LogField() {
    return G().C(L"LogField", G().A(L"ID", Num::Hex));
}
G LogFieldMap() {
    return LogField().C(L"Msg", G().A(L"ReverseFind", Num::Dec)
                                    .Each(L"Field", G().Reverse().A(L"EventInfoName", Num::Text)));
}
G SourceAndDestination() {
    return G().C(L"LogFieldSrc", Text(Num::Hex)).C(L"LogFieldDes", Text(Num::Hex));
}
G Rules() {
    return G().A(L"ID", Num::DecList, Ref::Rule);
}

#define ACTION_KIND(id, cls, description, grammar) \
    ECFG_KIND(CActionConfig, id, cls, description, grammar)

// Every action kind in registration order: its id, class, what it means to an
// author, and what it reads.
const std::vector<ecfg::KindEntry<CActionConfig>>& ActionKindTable() {
    static const std::vector<ecfg::KindEntry<CActionConfig>> table = {
        ACTION_KIND(0, CActionConfig, "no step of its own", G()),
        ACTION_KIND(6, CActDelEventStateConfig, "delete event states",
                    Ids(Num::Dec, Ref::EventState)),
        ACTION_KIND(1, CActGenEventConfig, "generate an event", EventID()),
        ACTION_KIND(3, CActInitActiveEventStateConfig, "activate event states initially",
                    Ids(Num::Dec, Ref::EventState)),
        ACTION_KIND(4, CActInitMsgFieldConfig, "save a message field under its name", MsgField()),
        ACTION_KIND(5, CActTranEventStateConfig, "transition to event states",
                    Ids(Num::Dec, Ref::EventState)),
        ACTION_KIND(7, CActTranRuleConfig, "transition to a rule",
                    G().C(L"RuleID", Text(Num::Dec, Ref::Rule))),
        ACTION_KIND(2, CActTranSysStateConfig, "transition to a system state",
                    G().C(L"SystemStateID", Text(Num::Dec, Ref::SysState))),
        ACTION_KIND(11, CActRecordTimeConfig, "record the time for waiting event states",
                    Ids(Num::Dec, Ref::EventState)),
        ACTION_KIND(12, CActGenEventByTimeConfig, "generate an event in the timed form", EventID()),
        ACTION_KIND(13, CActSaveSumOfMsgFieldsConfig, "save the sum of message fields",
                    G().C(L"Msg", G().A(L"ID", Num::Hex, Ref::Msg).All(G().Fixed()))),
        ACTION_KIND(14, CActAcitveRulesConfig, "activate rules", Ids(Num::Dec, Ref::Rule)),
        ACTION_KIND(15, CActInActiveRulesConfig, "deactivate rules", Ids(Num::Dec, Ref::Rule)),
        ACTION_KIND(16, CActClearTickTimeConfig, "clear the tick time of waiting event states",
                    Ids(Num::Dec, Ref::EventState)),
        ACTION_KIND(17, CActInitLogCodeFieldConfig, "initialise a log code field",
                    G().C(L"FieldID", Text(Num::Hex))),
        ACTION_KIND(18, CActDelInitialLogFieldConfig, "delete an initial log field",
                    G().C(L"FieldID", Text(Num::Hex))),
        ACTION_KIND(20, CActRecordInfoForRule, "record message fields for rules",
                    G().C(L"Rule", Rules().Each(L"Field", G().Forward()))),
        ACTION_KIND(21, CActSaveEventIDConfig, "save an event id", EventID()),
        ACTION_KIND(22, CActDeleteEventIDConfig, "delete a saved event id", EventID()),
        ACTION_KIND(23, CActResetWaitingEventStateConfig,
                    "reset rules in their waiting event states", Ids(Num::Dec, Ref::Rule)),
        ACTION_KIND(24, CAction_Record_RL_And_PSCConfig,
                    "record the radio link and scrambling-code fields for rules",
                    G().C(L"Rule", Rules().C(L"RadioLink", MetaField()).C(L"PSC", MetaField()))),
        ACTION_KIND(
            25, CAct_Update_RL_And_PSCConfig,
            "add and remove scrambling-code information for rules",
            G().C(L"Rule", Rules().C(L"AddInfo", MetaField()).C(L"RemoveInfo", MetaField()))),
        ACTION_KIND(26, CAct_UpdateLogFieldConfig, "update a log field from message fields",
                    LogFieldMap()),
        ACTION_KIND(
            27, CAct_DelValueOfLogFieldConfig, "delete a value from a log field",
            LogField().C(L"Msg", G().A(L"ReverseFind", Num::Dec).C(L"Field", G().Reverse()))),
        ACTION_KIND(28, CActUpdateLogFieldByRuleInit,
                    "update a log field from the rule's initial field",
                    LogField().C(L"RuleInitial", G().A(L"FieldName", Num::Text))),
        ACTION_KIND(
            29, CActSwitchProtocol, "switch to another protocol",
            G().C(L"SwitchToProtocol", G().A(L"ID", Num::Hex)
                                           .C(L"SystemState", G().A(L"ID", Num::Hex))
                                           .C(L"NeededActiveWaitingEventState", Ids(Num::Dec))
                                           .C(L"NeededInActiveWaitingEventState", Ids(Num::Dec)))),
        ACTION_KIND(
            30, CAct_EnterIntoProtocalSwitchModeConfig, "enter protocol switch mode",
            G().C(L"NeedRunningWaitingEventState", G().Each(L"WaitingEventSate", Text(Num::Dec)))),
        ACTION_KIND(31, CActRecordInfoForRule_ReverseFind,
                    "record message fields for rules, searching from the end",
                    G().C(L"EventState", G().A(L"ID", Num::Dec, Ref::EventState)
                                             .C(L"Rule", Rules().Each(L"Field", G().Reverse())))),
        ACTION_KIND(32, CAct_AddPauseTimeConfig, "add a pause time for rules",
                    Ids(Num::Dec, Ref::Rule)),
        ACTION_KIND(33, CAct_DelPauseTimeConfig, "delete the pause time", G()),
        ACTION_KIND(34, CActGenEventWithLogFieldInfo,
                    "generate an event carrying a log field's value",
                    EventID().C(L"LogFieldID", Text(Num::Hex)).C(L"InfoName", Text(Num::Text))),
        ACTION_KIND(35, CActActiveEventStateAndPrcPacket,
                    "activate event states and process the packet", Ids(Num::Dec, Ref::EventState)),
        ACTION_KIND(36, CAct_GenEvent_InfoFromMsgConfig,
                    "generate an event with information from a message field",
                    MsgField().C(L"EventID", Text(Num::Dec, Ref::Event))),
        ACTION_KIND(37, CAct_UpdateLogField_ForEventInfo_Config,
                    "update a log field from message fields, for event information", LogFieldMap()),
        ACTION_KIND(38, CAct_UpdateLogField_B_From_A_Config, "update one log field from another",
                    SourceAndDestination()),
        ACTION_KIND(39, CAct_DelLogFieldValue_B_By_A_Config,
                    "delete one log field's value by another's", SourceAndDestination()),
        ACTION_KIND(40, CActGenSystemEventConfig, "generate a system event", EventID()),
        ACTION_KIND(41, CActResetStateMachineConfig, "reset the state machine",
                    G().Next(Text(Num::Dec))),
    };
    return table;
}

typedef ecfg::ProcessInstance<CActionTypeFactory> Instance;

}  // namespace

CActionTypeFactory::CActionTypeFactory() : PrototypeRegistry(ActionKindTable()) {}

CActionTypeFactory* CActionTypeFactory::GetInstance() {
    return Instance::Get();
}

void CActionTypeFactory::Release() {
    Instance::Release();
}

const std::vector<EventConfigKindInfo>& EventConfigActionKinds() {
    static const std::vector<EventConfigKindInfo> kinds =
        ecfg::KindInfos<EventConfigKindInfo>(ActionKindTable());
    return kinds;
}

const std::vector<ecfg::KindRow>& ecfg::ActionKindRows() {
    static const std::vector<KindRow> rows = KindRows(ActionKindTable());
    return rows;
}
