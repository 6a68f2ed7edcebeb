#include "Model.h"

#include "Loaded.h"
#include "Text.h"
#include "eventconfig/EventConfig.h"

namespace ectool {

namespace {

Json Messages(const std::map<int, CMsgConfig*>& messages) {
    Json out = Json::array();
    for (const auto& entry : messages)
        out.push_back({{"class", "CMsgConfig"},
                       {"GetMsgID", entry.second->GetMsgID()},
                       {"GetLogCode", entry.second->GetLogCode()},
                       {"GetMsgName", Utf8(entry.second->GetMsgName())}});
    return out;
}

Json Kind(const ObjectView* view) {
    if (!view) return nullptr;
    return {{"class", view->className},
            {"typeId", view->typeId},
            {"info", view->info},
            {"getters", view->getters}};
}

const std::vector<int>& Offered(const MsgCandidates& candidates, const void* object) {
    static const std::vector<int> none;
    auto it = candidates.find(object);
    return it == candidates.end() ? none : it->second;
}

Json Rule(CRuleConfig& rule, const MsgCandidates& candidates) {
    Json out = {{"class", "CRuleConfig"},
                {"GetRuleID", rule.GetRuleID()},
                {"GetInitialActivated", rule.GetInitialActivated()},
                {"GetPlatType", rule.GetPlatType()}};
    if (COperationTypeConfig* op = rule.GetOperationType()) {
        ObjectView view = ViewOperation(*op, Offered(candidates, op));
        out["GetOperationType"] = Kind(&view);
    } else {
        out["GetOperationType"] = nullptr;
    }
    auto actions = [&](const std::vector<CActionConfig*>& list) {
        Json items = Json::array();
        for (CActionConfig* action : list) {
            if (!action) {
                items.push_back(nullptr);
                continue;
            }
            ObjectView view = ViewAction(*action, Offered(candidates, action));
            items.push_back(Kind(&view));
        }
        return items;
    };
    out["GetTrueActionList"] = actions(rule.GetTrueActionList());
    out["GetFalseActionList"] = actions(rule.GetFalseActionList());
    return out;
}

Json EventStates(const std::map<int, CEventStateConfig*>& states, const MsgCandidates& candidates) {
    Json out = Json::array();
    for (const auto& entry : states) {
        CEventStateConfig& state = *entry.second;
        Json rules = Json::array();
        for (const auto& rule : state.GetRuleList())
            rules.push_back(Rule(*rule.second, candidates));
        out.push_back({{"class", "CEventStateConfig"},
                       {"GetID", state.GetID()},
                       {"GetInitialActivated", state.GetInitialActivated()},
                       {"IsNeedProcessLogField", state.IsNeedProcessLogField()},
                       {"GetRuleList", rules}});
    }
    return out;
}

}  // namespace

Json ProtocolJson(LoadedProtocol& protocol, const MsgCandidates& candidates) {
    CStateMachineConfig& model = *protocol.model;
    Json states = Json::array();
    for (const auto& entry : model.GetSysStateConfigList()) {
        CSystemStateConfig& state = *entry.second;
        std::vector<int> logFields;
        state.GetLogFieldList(logFields);
        Json activation = Json::array();
        for (int field : logFields)
            activation.push_back(
                {{"logField", field}, {"value", state.GetLogFiedCanActiveSysState(field)}});
        states.push_back(
            {{"class", "CSystemStateConfig"},
             {"GetSystemStateID", state.GetSystemStateID()},
             {"GetSystemStateName", Utf8(state.GetSystemStateName())},
             {"GetMsgList", Messages(state.GetMsgList())},
             {"GetLogFieldList", logFields},
             {"GetLogFiedCanActiveSysState", activation},
             {"GetEventStateList", EventStates(state.GetEventStateList(), candidates)}});
    }
    Json special = nullptr;
    if (CSpecialEventStateListConfig* list = model.GetSpecialEventStateListConfig()) {
        std::vector<int> logFields;
        list->GetLogFieldList(logFields);
        Json relationship = Json::array();
        for (const auto& entry : list->GetRelationship()) {
            std::vector<int> ids;
            for (const auto& state : entry.second) ids.push_back(state.first);
            relationship.push_back({{"systemStateID", entry.first}, {"eventStateIDs", ids}});
        }
        special = {{"class", "CSpecialEventStateListConfig"},
                   {"GetMsgList", Messages(list->GetMsgList())},
                   {"GetLogFieldList", logFields},
                   {"GetEventStateList", EventStates(list->GetEventStateList(), candidates)},
                   {"GetRelationship", relationship}};
    }
    Json infos = Json::array();
    for (const auto& entry : model.GetEventInfoConfigList())
        infos.push_back({{"class", "CEventInfoConfig"},
                         {"GetEventID", entry.second->GetEventID()},
                         {"GetEventName", Utf8(entry.second->GetEventName())}});
    return {
        {"class", "CStateMachineConfig"},  {"protocolType", protocol.type},
        {"GetSysStateConfigList", states}, {"GetSpecialEventStateListConfig", special},
        {"GetEventInfoConfigList", infos}, {"GetLogCodeFieldList", model.GetLogCodeFieldList()}};
}

}  // namespace ectool
