#include <algorithm>

#include "CheckInternal.h"

namespace ectool {

std::size_t Checker::SiteOf(int owner, Ref ref, int id) const {
    auto it = m_sites.find(owner);
    if (it != m_sites.end())
        for (const Site& site : it->second)
            if (site.ref == ref && site.id == id) return site.offset;
    return m_tree.At(owner).offset;
}

void Checker::CheckNamed(LoadedProtocol& protocol, const ObjectView& view, int node,
                         CEventStateConfig& state, const void* object) {
    const std::string who = view.className;
    const std::string where = "protocol " + std::to_string(protocol.type);
    auto report = [&](const std::vector<int>& ids, const std::set<int>& defined, Ref ref,
                      Severity severity, const char* check, auto describe) {
        std::set<int> seen;
        for (int id : ids)
            if (!defined.count(id) && seen.insert(id).second) {
                Add(severity, SiteOf(node, ref, id), describe(id), check);
                Refer(object, id);
            }
    };
    report(view.named.eventStates, m_eventStates, Ref::EventState, Severity::Error,
           "dangling-event-state", [&](int id) {
               return "event state " + std::to_string(id) + " named by " + who +
                      " is not defined in " + where;
           });
    report(view.named.sysStates, m_sysStates, Ref::SysState, Severity::Error,
           "dangling-system-state", [&](int id) {
               return "system state " + std::to_string(id) + " named by " + who +
                      " is not defined in " + where;
           });
    report(view.named.events, m_events, Ref::Event, Severity::Warning, "dangling-event-id",
           [&](int id) {
               return "event " + std::to_string(id) + " used by " + who +
                      " is not named in the \"EventInfoList\" of " + where;
           });
    report(view.named.msgs, m_msgs, Ref::Msg, Severity::Warning, "dangling-message", [&](int id) {
        return "message " + Hex(id) + " tested by " + who + " is in no \"MsgList\" of " + where;
    });
    // Rules are named within their event state (or the one the action names).
    CEventStateConfig* scope = &state;
    if (view.named.hasRuleEventState) {
        scope = nullptr;
        for (const auto& entry : protocol.model->GetSysStateConfigList()) {
            auto found = entry.second->GetEventStateList().find(view.named.ruleEventState);
            if (found != entry.second->GetEventStateList().end()) scope = found->second;
        }
        if (CSpecialEventStateListConfig* special =
                protocol.model->GetSpecialEventStateListConfig()) {
            auto list = special->GetEventStateList();
            if (list.count(view.named.ruleEventState)) scope = list[view.named.ruleEventState];
        }
    }
    if (scope) {
        std::set<int> rules;
        for (const auto& entry : scope->GetRuleList()) rules.insert(entry.first);
        report(view.named.rules, rules, Ref::Rule, Severity::Error, "dangling-rule", [&](int id) {
            return "rule " + std::to_string(id) + " named by " + who +
                   " is not a rule of event state " + std::to_string(scope->GetID());
        });
    }
}

void Checker::CheckRule(LoadedProtocol& protocol, CRuleConfig& rule, int ruleNode,
                        CEventStateConfig& state) {
    auto candidates = [&](int owner) {
        std::vector<int> ids(m_msgs.begin(), m_msgs.end());
        auto it = m_sites.find(owner);
        if (it != m_sites.end())
            for (const Site& site : it->second)
                if (site.ref == Ref::Msg && !m_msgs.count(site.id)) ids.push_back(site.id);
        std::sort(ids.begin(), ids.end());
        ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
        return ids;
    };
    auto offered = [&](const void* object, int owner) {
        std::vector<int> ids = candidates(owner);
        if (m_candidates) (*m_candidates)[object] = ids;
        return ids;
    };
    std::vector<int> operations = ReadBelow(ruleNode, Role::Operation);
    if (!operations.empty()) {
        int node = operations.front();
        if (COperationTypeConfig* op = rule.GetOperationType()) {
            CheckNamed(protocol, ViewOperation(*op, offered(op, node)), node, state, op);
        } else {
            Add(Severity::Error, AttrOffset(node, L"Type"),
                "<Operation> \"Type\" " + Q(m_tree.At(node).AttrValue(L"Type")) +
                    " has no kind: the engine gets a null operation",
                "unknown-kind");
        }
    }
    for (bool truth : {true, false}) {
        std::vector<int> nodes;
        for (int result : ReadBelow(ruleNode, Role::Result))
            if (m_tree.At(result).AttrValue(L"Type") == (truth ? L"TRUE" : L"FALSE")) {
                std::vector<int> actions = ReadBelow(result, Role::Action);
                nodes.insert(nodes.end(), actions.begin(), actions.end());
            }
        const std::vector<CActionConfig*>& list =
            truth ? rule.GetTrueActionList() : rule.GetFalseActionList();
        for (std::size_t i = 0; i < list.size() && i < nodes.size(); ++i) {
            if (list[i]) {
                CheckNamed(protocol, ViewAction(*list[i], offered(list[i], nodes[i])), nodes[i],
                           state, list[i]);
                if (auto* sw = dynamic_cast<CActSwitchProtocol*>(list[i])) {
                    auto target = std::find_if(
                        m_loaded.Protocols().begin(), m_loaded.Protocols().end(),
                        [&](const LoadedProtocol& p) { return p.type == sw->GetProtocol(); });
                    if (target == m_loaded.Protocols().end()) {
                        Add(Severity::Error, m_tree.At(nodes[i]).offset,
                            "CActSwitchProtocol switches to protocol " +
                                std::to_string(sw->GetProtocol()) +
                                ", which the file does not define",
                            "dangling-protocol");
                        Refer(sw, sw->GetProtocol());
                    } else if (!target->model->GetSysStateConfigList().count(sw->GetSysID())) {
                        Add(Severity::Error, m_tree.At(nodes[i]).offset,
                            "CActSwitchProtocol enters system state " +
                                std::to_string(sw->GetSysID()) + ", which protocol " +
                                std::to_string(target->type) + " does not define",
                            "dangling-system-state");
                        Refer(sw, sw->GetSysID());
                    }
                }
            } else {
                Add(Severity::Error, AttrOffset(nodes[i], L"Type"),
                    "<Action> \"Type\" " + Q(m_tree.At(nodes[i]).AttrValue(L"Type")) +
                        " has no kind: the " + (truth ? "TRUE" : "FALSE") +
                        " list gets a null entry",
                    "unknown-kind");
            }
        }
    }
}

void Checker::CheckRelationship(LoadedProtocol& protocol, int listNode) {
    CSpecialEventStateListConfig* special = protocol.model->GetSpecialEventStateListConfig();
    if (!special) return;
    std::map<int, CEventStateConfig*> states = special->GetEventStateList();
    for (int entry : ReadBelow(listNode, Role::RelSystemState)) {
        int id = ecfg::Wtoi(m_tree.At(entry).AttrValue(L"ID"));
        if (!m_sysStates.count(id))
            Add(Severity::Warning, AttrOffset(entry, L"ID"),
                "relationship entry for system state " + std::to_string(id) + ", which protocol " +
                    std::to_string(protocol.type) + " does not define",
                "dangling-system-state");
        for (int ref : ReadBelow(entry, Role::RelEventStateId)) {
            int state = ecfg::Wtoi(m_tree.At(ref).data);
            if (!states.count(state))
                Add(Severity::Warning, m_tree.At(ref).textOffset,
                    "WaitingEventStateID " + std::to_string(state) +
                        " is not a waiting event state of the special list: the library drops it",
                    "dangling-relationship");
        }
    }
}

void Checker::CheckProtocol(LoadedProtocol& protocol) {
    CStateMachineConfig& model = *protocol.model;
    m_sysStates.clear();
    m_eventStates.clear();
    m_events.clear();
    m_msgs.clear();
    for (const auto& entry : model.GetSysStateConfigList()) {
        m_sysStates.insert(entry.first);
        for (const auto& state : entry.second->GetEventStateList())
            m_eventStates.insert(state.first);
        for (const auto& msg : entry.second->GetMsgList()) m_msgs.insert(msg.first);
    }
    CSpecialEventStateListConfig* special = model.GetSpecialEventStateListConfig();
    if (special) {
        for (const auto& state : special->GetEventStateList()) m_eventStates.insert(state.first);
        for (const auto& msg : special->GetMsgList()) m_msgs.insert(msg.first);
    }
    for (const auto& entry : model.GetEventInfoConfigList()) m_events.insert(entry.first);

    // Walk the model's event states next to the elements they came from.
    auto eventStates = [&](int holder, const std::map<int, CEventStateConfig*>& states) {
        std::map<int, int> stateNodes =
            Winners(ReadBelow(holder, Role::EventState), L"ID", false, true);
        for (const auto& state : states) {
            if (!stateNodes.count(state.first) || !state.second) continue;
            std::map<int, int> ruleNodes =
                Winners(ReadBelow(stateNodes[state.first], Role::Rule), L"ID", false, true);
            for (const auto& rule : state.second->GetRuleList())
                if (ruleNodes.count(rule.first) && rule.second)
                    CheckRule(protocol, *rule.second, ruleNodes[rule.first], *state.second);
        }
    };
    std::map<int, int> stateNodes =
        Winners(ReadBelow(protocol.node, Role::SystemState), L"ID", false, true);
    for (const auto& entry : model.GetSysStateConfigList())
        if (stateNodes.count(entry.first))
            eventStates(stateNodes[entry.first], entry.second->GetEventStateList());
    std::vector<int> lists = ReadBelow(protocol.node, Role::SpecialList);
    if (special && !lists.empty()) {
        eventStates(lists.front(), special->GetEventStateList());
        CheckRelationship(protocol, lists.front());
    }
}

}  // namespace ectool
