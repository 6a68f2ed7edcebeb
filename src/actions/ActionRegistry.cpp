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

// What several kinds show alike: every getter, in the order the tool shows
// them.
using ecfg::KindVisitor;

namespace view {

const auto None = [](CActionConfig&, KindVisitor&) {};
const auto EventID = [](auto& o, KindVisitor& v) {
    v.Id("GetEventID", o.GetEventID(), Ref::Event);
};
const auto WaitEventStates = [](auto& o, KindVisitor& v) {
    v.Ids("GetWaitEventStateList", o.GetWaitEventStateList(), Ref::EventState);
};
const auto LocatorMap = [](auto& o, KindVisitor& v) {
    v.Number("GetToUpdateFieldID", o.GetToUpdateFieldID());
    v.Locators("GetMsgFieldConfigList", ecfg::LocatorsOf(o.GetMsgFieldConfigList()));
    v.Number("NeededReverseFind", o.NeededReverseFind());
};
const auto FieldPair = [](auto& o, KindVisitor& v) {
    v.Number("GetSrcFieldID", o.GetSrcFieldID());
    v.Number("GetDesFieldID", o.GetDesFieldID());
};
const auto FieldID = [](auto& o, KindVisitor& v) { v.Number("GetFieldID", o.GetFieldID()); };
const auto RuleIDs = [](auto& o, KindVisitor& v) {
    std::vector<int> ids;
    o.GetRuleIDList(ids);
    v.Ids("GetRuleIDList", ids, Ref::Rule);
};
const auto RuleFields = [](auto& o, KindVisitor& v) {
    RuleIDs(o, v);
    v.Locators("GetMsgFieldConfigList", ecfg::LocatorsOf(o.GetMsgFieldConfigList()));
};
const auto SavedField = [](auto& o, KindVisitor& v) {
    v.Members(
        "InMsgIDList", [&o](int id) { return o.InMsgIDList(id); }, Ref::Msg);
    v.Text("GetToSaveFieldName", o.GetToSaveFieldName());
    v.Number("GetLength", o.GetLength());
    v.Number("GetOffset", o.GetOffset());
};

}  // namespace view

// A view showing one list of ids.
#define ECFG_IDS(getter, ref) [](auto& o, KindVisitor& v) { v.Ids(#getter, o.getter(), ref); }

#define ACTION_KIND(id, cls, description, grammar, ...) \
    ECFG_KIND(CActionConfig, id, cls, description, grammar, __VA_ARGS__)

// Every action kind in registration order: its id, class, what it means to an
// author, and what it reads.
const std::vector<ecfg::KindEntry<CActionConfig>>& ActionKindTable() {
    static const std::vector<ecfg::KindEntry<CActionConfig>> table = {
        ACTION_KIND(0, CActionConfig, "no step of its own", G(), view::None),
        ACTION_KIND(6, CActDelEventStateConfig, "delete event states",
                    Ids(Num::Dec, Ref::EventState),
                    ECFG_IDS(GetToDelEventStateList, Ref::EventState)),
        ACTION_KIND(1, CActGenEventConfig, "generate an event", EventID(), view::EventID),
        ACTION_KIND(3, CActInitActiveEventStateConfig, "activate event states initially",
                    Ids(Num::Dec, Ref::EventState),
                    ECFG_IDS(GetToActivateEventStateList, Ref::EventState)),
        ACTION_KIND(4, CActInitMsgFieldConfig, "save a message field under its name", MsgField(),
                    view::SavedField),
        ACTION_KIND(5, CActTranEventStateConfig, "transition to event states",
                    Ids(Num::Dec, Ref::EventState),
                    ECFG_IDS(GetToTranEventStateList, Ref::EventState)),
        ACTION_KIND(
            7, CActTranRuleConfig, "transition to a rule",
            G().C(L"RuleID", Text(Num::Dec, Ref::Rule)),
            [](auto& o, KindVisitor& v) { v.Id("GetTranRuleID", o.GetTranRuleID(), Ref::Rule); }),
        ACTION_KIND(2, CActTranSysStateConfig, "transition to a system state",
                    G().C(L"SystemStateID", Text(Num::Dec, Ref::SysState)),
                    [](auto& o, KindVisitor& v) {
                        v.Id("GetTranSysState", o.GetTranSysState(), Ref::SysState);
                    }),
        ACTION_KIND(11, CActRecordTimeConfig, "record the time for waiting event states",
                    Ids(Num::Dec, Ref::EventState), view::WaitEventStates),
        ACTION_KIND(12, CActGenEventByTimeConfig, "generate an event in the timed form", EventID(),
                    view::EventID),
        ACTION_KIND(13, CActSaveSumOfMsgFieldsConfig, "save the sum of message fields",
                    G().C(L"Msg", G().A(L"ID", Num::Hex, Ref::Msg).All(G().Fixed())),
                    [](auto& o, KindVisitor& v) {
                        v.Id("GetMsgID", o.GetMsgID(), Ref::Msg);
                        v.Records("GetAddFieldList", ecfg::RecordsOf(o.GetAddFieldList()));
                    }),
        ACTION_KIND(14, CActAcitveRulesConfig, "activate rules", Ids(Num::Dec, Ref::Rule),
                    ECFG_IDS(GetToActiveRulesList, Ref::Rule)),
        ACTION_KIND(15, CActInActiveRulesConfig, "deactivate rules", Ids(Num::Dec, Ref::Rule),
                    ECFG_IDS(GetToInActiveRulesList, Ref::Rule)),
        ACTION_KIND(16, CActClearTickTimeConfig, "clear the tick time of waiting event states",
                    Ids(Num::Dec, Ref::EventState), view::WaitEventStates),
        ACTION_KIND(17, CActInitLogCodeFieldConfig, "initialise a log code field",
                    G().C(L"FieldID", Text(Num::Hex)), view::FieldID),
        ACTION_KIND(18, CActDelInitialLogFieldConfig, "delete an initial log field",
                    G().C(L"FieldID", Text(Num::Hex)), view::FieldID),
        ACTION_KIND(20, CActRecordInfoForRule, "record message fields for rules",
                    G().C(L"Rule", Rules().Each(L"Field", G().Forward())), view::RuleFields),
        ACTION_KIND(21, CActSaveEventIDConfig, "save an event id", EventID(), view::EventID),
        ACTION_KIND(22, CActDeleteEventIDConfig, "delete a saved event id", EventID(),
                    view::EventID),
        ACTION_KIND(23, CActResetWaitingEventStateConfig,
                    "reset rules in their waiting event states", Ids(Num::Dec, Ref::Rule),
                    ECFG_IDS(GetToResetRulesList, Ref::Rule)),
        ACTION_KIND(24, CAction_Record_RL_And_PSCConfig,
                    "record the radio link and scrambling-code fields for rules",
                    G().C(L"Rule", Rules().C(L"RadioLink", MetaField()).C(L"PSC", MetaField())),
                    [](auto& o, KindVisitor& v) {
                        view::RuleIDs(o, v);
                        v.Text("GetRLTag", o.GetRLTag());
                        v.Text("GetRLMetaInfoTag", o.GetRLMetaInfoTag());
                        v.Text("GetPSCTag", o.GetPSCTag());
                        v.Text("GetPSCMetaInfoTag", o.GetPSCMetaInfoTag());
                    }),
        ACTION_KIND(
            25, CAct_Update_RL_And_PSCConfig,
            "add and remove scrambling-code information for rules",
            G().C(L"Rule", Rules().C(L"AddInfo", MetaField()).C(L"RemoveInfo", MetaField())),
            [](auto& o, KindVisitor& v) {
                view::RuleIDs(o, v);
                v.Text("GetAddPSCTag", o.GetAddPSCTag());
                v.Text("GetAddPSCMetaInfoTag", o.GetAddPSCMetaInfoTag());
                v.Text("GetDelPSCTag", o.GetDelPSCTag());
                v.Text("GetDelPSCMetaInfoTag", o.GetDelPSCMetaInfoTag());
            }),
        ACTION_KIND(26, CAct_UpdateLogFieldConfig, "update a log field from message fields",
                    LogFieldMap(), view::LocatorMap),
        ACTION_KIND(
            27, CAct_DelValueOfLogFieldConfig, "delete a value from a log field",
            LogField().C(L"Msg", G().A(L"ReverseFind", Num::Dec).C(L"Field", G().Reverse())),
            view::LocatorMap),
        ACTION_KIND(28, CActUpdateLogFieldByRuleInit,
                    "update a log field from the rule's initial field",
                    LogField().C(L"RuleInitial", G().A(L"FieldName", Num::Text)),
                    [](auto& o, KindVisitor& v) {
                        v.Number("GetFieldID", o.GetFieldID());
                        v.Text("GetFieldName", o.GetFieldName());
                    }),
        ACTION_KIND(
            29, CActSwitchProtocol, "switch to another protocol",
            G().C(L"SwitchToProtocol", G().A(L"ID", Num::Hex)
                                           .C(L"SystemState", G().A(L"ID", Num::Hex))
                                           .C(L"NeededActiveWaitingEventState", Ids(Num::Dec))
                                           .C(L"NeededInActiveWaitingEventState", Ids(Num::Dec))),
            [](auto& o, KindVisitor& v) {
                v.Number("GetProtocol", o.GetProtocol());
                v.Number("GetSysID", o.GetSysID());
                v.Ids("GetNeedActiveList", o.GetNeedActiveList(), Ref::None);
                v.Ids("GetNeedInactiveList", o.GetNeedInactiveList(), Ref::None);
            }),
        ACTION_KIND(
            30, CAct_EnterIntoProtocalSwitchModeConfig, "enter protocol switch mode",
            G().C(L"NeedRunningWaitingEventState", G().Each(L"WaitingEventSate", Text(Num::Dec))),
            ECFG_IDS(GetRunningWaitingEventStateList, Ref::None)),
        ACTION_KIND(31, CActRecordInfoForRule_ReverseFind,
                    "record message fields for rules, searching from the end",
                    G().C(L"EventState", G().A(L"ID", Num::Dec, Ref::EventState)
                                             .C(L"Rule", Rules().Each(L"Field", G().Reverse()))),
                    [](auto& o, KindVisitor& v) {
                        view::RuleFields(o, v);
                        v.Id("GetEventStateID", o.GetEventStateID(), Ref::EventState);
                    }),
        ACTION_KIND(32, CAct_AddPauseTimeConfig, "add a pause time for rules",
                    Ids(Num::Dec, Ref::Rule), ECFG_IDS(GetRulesList, Ref::Rule)),
        ACTION_KIND(33, CAct_DelPauseTimeConfig, "delete the pause time", G(), view::None),
        ACTION_KIND(34, CActGenEventWithLogFieldInfo,
                    "generate an event carrying a log field's value",
                    EventID().C(L"LogFieldID", Text(Num::Hex)).C(L"InfoName", Text(Num::Text)),
                    [](auto& o, KindVisitor& v) {
                        view::EventID(o, v);
                        v.Text("GetInfoName", o.GetInfoName());
                        v.Number("GetLogFieldID", o.GetLogFieldID());
                    }),
        ACTION_KIND(35, CActActiveEventStateAndPrcPacket,
                    "activate event states and process the packet", Ids(Num::Dec, Ref::EventState),
                    ECFG_IDS(GetToActiveEventStateList, Ref::EventState)),
        ACTION_KIND(36, CAct_GenEvent_InfoFromMsgConfig,
                    "generate an event with information from a message field",
                    MsgField().C(L"EventID", Text(Num::Dec, Ref::Event)),
                    [](auto& o, KindVisitor& v) {
                        view::EventID(o, v);
                        view::SavedField(o, v);
                    }),
        ACTION_KIND(37, CAct_UpdateLogField_ForEventInfo_Config,
                    "update a log field from message fields, for event information", LogFieldMap(),
                    view::LocatorMap),
        ACTION_KIND(38, CAct_UpdateLogField_B_From_A_Config, "update one log field from another",
                    SourceAndDestination(), view::FieldPair),
        ACTION_KIND(39, CAct_DelLogFieldValue_B_By_A_Config,
                    "delete one log field's value by another's", SourceAndDestination(),
                    view::FieldPair),
        ACTION_KIND(40, CActGenSystemEventConfig, "generate a system event", EventID(),
                    [](auto& o, KindVisitor& v) {
                        view::EventID(o, v);
                        v.Text("GetEventInfo", o.GetEventInfo());
                    }),
        ACTION_KIND(41, CActResetStateMachineConfig, "reset the state machine",
                    G().Next(Text(Num::Dec)),
                    [](auto& o, KindVisitor& v) { v.Number("GetResetTime", o.GetResetTime()); }),
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

const ecfg::KindRow* ecfg::ActionRowOf(const CActionConfig& object) {
    const KindEntry<CActionConfig>* entry = FindKindEntry(ActionKindTable(), object);
    return entry ? &entry->row : nullptr;
}

bool ecfg::ViewActionKind(CActionConfig& object, KindVisitor& visitor) {
    const KindEntry<CActionConfig>* entry = FindKindEntry(ActionKindTable(), object);
    if (!entry) return false;
    entry->view(object, visitor);
    return true;
}

std::unique_ptr<CActionConfig> ecfg::CopyActionKind(const CActionConfig& object,
                                                    bool byAssignment) {
    const KindEntry<CActionConfig>* entry = FindKindEntry(ActionKindTable(), object);
    if (!entry || !entry->copy) return nullptr;
    return std::unique_ptr<CActionConfig>(entry->copy(object, byAssignment));
}
