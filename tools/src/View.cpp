#include "View.h"

#include <typeinfo>

#include "ViewHelpers.h"

namespace ectool {

using namespace view;

std::string ClassNameOf(const COperationTypeConfig& op) {
    return Demangle(typeid(op).name());
}
std::string ClassNameOf(const CActionConfig& action) {
    return Demangle(typeid(action).name());
}

ObjectView ViewAction(CActionConfig& a, const std::vector<int>& msgs) {
    ObjectView v = NewView(a, a.GetActionType(), a.GetActionInfo());
    Json& g = v.getters;
    NamedIds& n = v.named;
    auto states = [&](const char* getter, const std::vector<int>& ids) {
        g[getter] = ids;
        Append(n.eventStates, ids);
    };
    auto rules = [&](const char* getter, const std::vector<int>& ids) {
        g[getter] = ids;
        Append(n.rules, ids);
    };
    As<CActInitActiveEventStateConfig>(
        a,
        [&](auto& o) { states("GetToActivateEventStateList", o.GetToActivateEventStateList()); }) ||
        As<CActTranEventStateConfig>(
            a, [&](auto& o) { states("GetToTranEventStateList", o.GetToTranEventStateList()); }) ||
        As<CActDelEventStateConfig>(
            a, [&](auto& o) { states("GetToDelEventStateList", o.GetToDelEventStateList()); }) ||
        As<CActResetWaitingEventStateConfig>(
            a, [&](auto& o) { rules("GetToResetRulesList", o.GetToResetRulesList()); }) ||
        As<CActActiveEventStateAndPrcPacket>(
            a,
            [&](auto& o) { states("GetToActiveEventStateList", o.GetToActiveEventStateList()); }) ||
        As<CActRecordTimeConfig, CActClearTickTimeConfig>(
            a, [&](auto& o) { states("GetWaitEventStateList", o.GetWaitEventStateList()); }) ||
        As<CActAcitveRulesConfig>(
            a, [&](auto& o) { rules("GetToActiveRulesList", o.GetToActiveRulesList()); }) ||
        As<CActInActiveRulesConfig>(
            a, [&](auto& o) { rules("GetToInActiveRulesList", o.GetToInActiveRulesList()); }) ||
        As<CAct_AddPauseTimeConfig>(a, [&](auto& o) { rules("GetRulesList", o.GetRulesList()); }) ||
        As<CActTranSysStateConfig>(a,
                                   [&](auto& o) {
                                       g["GetTranSysState"] = o.GetTranSysState();
                                       n.sysStates.push_back(o.GetTranSysState());
                                   }) ||
        As<CActTranRuleConfig>(a,
                               [&](auto& o) {
                                   g["GetTranRuleID"] = o.GetTranRuleID();
                                   n.rules.push_back(o.GetTranRuleID());
                               }) ||
        As<CActResetStateMachineConfig>(a,
                                        [&](auto& o) { g["GetResetTime"] = o.GetResetTime(); }) ||
        As<CActGenEventConfig, CActGenEventByTimeConfig, CActSaveEventIDConfig,
           CActDeleteEventIDConfig>(a,
                                    [&](auto& o) {
                                        g["GetEventID"] = o.GetEventID();
                                        n.events.push_back(o.GetEventID());
                                    }) ||
        As<CActGenSystemEventConfig>(a,
                                     [&](auto& o) {
                                         g["GetEventID"] = o.GetEventID();
                                         g["GetEventInfo"] = Utf8(o.GetEventInfo());
                                         n.events.push_back(o.GetEventID());
                                     }) ||
        As<CActGenEventWithLogFieldInfo>(a,
                                         [&](auto& o) {
                                             g["GetEventID"] = o.GetEventID();
                                             g["GetInfoName"] = Utf8(o.GetInfoName());
                                             g["GetLogFieldID"] = o.GetLogFieldID();
                                             n.events.push_back(o.GetEventID());
                                         }) ||
        As<CAct_GenEvent_InfoFromMsgConfig>(
            a,
            [&](auto& o) {
                g["GetEventID"] = o.GetEventID();
                g["InMsgIDList"] = Members(msgs, [&](int id) { return o.InMsgIDList(id); });
                g["GetToSaveFieldName"] = Utf8(o.GetToSaveFieldName());
                g["GetLength"] = o.GetLength();
                g["GetOffset"] = o.GetOffset();
                n.events.push_back(o.GetEventID());
                Append(n.msgs, g["InMsgIDList"].get<std::vector<int>>());
            }) ||
        As<CAct_UpdateLogFieldConfig, CAct_UpdateLogField_ForEventInfo_Config,
           CAct_DelValueOfLogFieldConfig>(a,
                                          [&](auto& o) {
                                              g["GetToUpdateFieldID"] = o.GetToUpdateFieldID();
                                              g["GetMsgFieldConfigList"] =
                                                  Locators(o.GetMsgFieldConfigList());
                                              g["NeededReverseFind"] = o.NeededReverseFind();
                                          }) ||
        As<CActUpdateLogFieldByRuleInit>(a,
                                         [&](auto& o) {
                                             g["GetFieldID"] = o.GetFieldID();
                                             g["GetFieldName"] = Utf8(o.GetFieldName());
                                         }) ||
        As<CAct_UpdateLogField_B_From_A_Config, CAct_DelLogFieldValue_B_By_A_Config>(
            a,
            [&](auto& o) {
                g["GetSrcFieldID"] = o.GetSrcFieldID();
                g["GetDesFieldID"] = o.GetDesFieldID();
            }) ||
        As<CActInitLogCodeFieldConfig, CActDelInitialLogFieldConfig>(
            a, [&](auto& o) { g["GetFieldID"] = o.GetFieldID(); }) ||
        As<CActInitMsgFieldConfig>(a,
                                   [&](auto& o) {
                                       g["InMsgIDList"] =
                                           Members(msgs, [&](int id) { return o.InMsgIDList(id); });
                                       g["GetToSaveFieldName"] = Utf8(o.GetToSaveFieldName());
                                       g["GetLength"] = o.GetLength();
                                       g["GetOffset"] = o.GetOffset();
                                       Append(n.msgs, g["InMsgIDList"].get<std::vector<int>>());
                                   }) ||
        As<CActSaveSumOfMsgFieldsConfig>(a,
                                         [&](auto& o) {
                                             g["GetMsgID"] = o.GetMsgID();
                                             g["GetAddFieldList"] = Records(o.GetAddFieldList());
                                             n.msgs.push_back(o.GetMsgID());
                                         }) ||
        As<CActRecordInfoForRule, CActRecordInfoForRule_ReverseFind>(
            a,
            [&](auto& o) {
                std::vector<int> ids;
                o.GetRuleIDList(ids);
                rules("GetRuleIDList", ids);
                g["GetMsgFieldConfigList"] = Locators(o.GetMsgFieldConfigList());
            }) ||
        As<CAction_Record_RL_And_PSCConfig>(a,
                                            [&](auto& o) {
                                                std::vector<int> ids;
                                                o.GetRuleIDList(ids);
                                                rules("GetRuleIDList", ids);
                                                g["GetRLTag"] = Utf8(o.GetRLTag());
                                                g["GetRLMetaInfoTag"] = Utf8(o.GetRLMetaInfoTag());
                                                g["GetPSCTag"] = Utf8(o.GetPSCTag());
                                                g["GetPSCMetaInfoTag"] =
                                                    Utf8(o.GetPSCMetaInfoTag());
                                            }) ||
        As<CAct_Update_RL_And_PSCConfig>(
            a,
            [&](auto& o) {
                std::vector<int> ids;
                o.GetRuleIDList(ids);
                rules("GetRuleIDList", ids);
                g["GetAddPSCTag"] = Utf8(o.GetAddPSCTag());
                g["GetAddPSCMetaInfoTag"] = Utf8(o.GetAddPSCMetaInfoTag());
                g["GetDelPSCTag"] = Utf8(o.GetDelPSCTag());
                g["GetDelPSCMetaInfoTag"] = Utf8(o.GetDelPSCMetaInfoTag());
            }) ||
        As<CActSwitchProtocol>(a, [&](auto& o) {
            g["GetProtocol"] = o.GetProtocol();
            g["GetSysID"] = o.GetSysID();
            g["GetNeedActiveList"] = o.GetNeedActiveList();
            g["GetNeedInactiveList"] = o.GetNeedInactiveList();
        });
    if (auto* o = dynamic_cast<CActRecordInfoForRule_ReverseFind*>(&a)) {
        g["GetEventStateID"] = o->GetEventStateID();
        n.eventStates.push_back(o->GetEventStateID());
        n.ruleEventState = o->GetEventStateID();
        n.hasRuleEventState = true;
    }
    return v;
}

}  // namespace ectool
