#include <algorithm>

#include "CheckInternal.h"
#include "actions/ActionRegistry.h"

namespace ectool {

std::size_t Checker::SiteOf(int owner, Ref ref, int id) const {
    auto it = m_firstSite.find(std::make_tuple(owner, ref, id));
    return it != m_firstSite.end() ? it->second : m_tree.At(owner).offset;
}

namespace {

// The action that leaves for another protocol's system state: its "GetProtocol"
// and "GetSysID" name them, checked against the other protocol's model.
constexpr int kSwitchProtocol = 29;

// "; did you mean event state 101?": the defined ids one or two keystrokes
// away from the one written.
std::string NearestIds(int id, const std::set<int>& defined, const std::string& what, bool hex,
                       std::size_t& budget) {
    // Each suggestion scans every defined id: a bounded number keeps a file
    // full of dangling ids linear.
    if (budget == 0) return std::string();
    --budget;
    auto text = [&](int n) { return Widen(hex ? Hex(n) : std::to_string(n)); };
    const std::wstring written = text(id);
    const std::size_t allowed = written.size() > 3 ? 2 : 1;
    std::vector<std::pair<std::size_t, int>> near;
    for (int candidate : defined) {
        std::size_t distance = EditDistance(written, text(candidate));
        if (distance <= allowed) near.push_back({distance, candidate});
    }
    std::sort(near.begin(), near.end());
    if (near.empty()) return std::string();
    std::string out = "; did you mean " + what + " " + Utf8(text(near[0].second));
    if (near.size() > 1) out += " or " + Utf8(text(near[1].second));
    return out + "?";
}

}  // namespace

void Checker::CheckNamed(LoadedProtocol& protocol, const ObjectView& view, int node,
                         CEventStateConfig& state, const void* object) {
    // A missing or misspelt child is reported as such, not as the default it reads as.
    if (m_incomplete.count(node)) return;
    Reach& reach = m_reach[protocol.node];
    reach.eventStates.insert(view.named.eventStates.begin(), view.named.eventStates.end());
    reach.sysStates.insert(view.named.sysStates.begin(), view.named.sysStates.end());
    const std::string who = KindLabel(node, view.className);
    const std::string where = "protocol " + std::to_string(protocol.type);
    auto report = [&](const std::vector<int>& ids, const std::set<int>& defined, Ref ref,
                      Severity severity, const char* check, auto describe) {
        std::set<int> seen;
        for (int id : ids)
            if (!defined.count(id) && !m_misread.count({node, ref, id}) && seen.insert(id).second) {
                Add(severity, SiteOf(node, ref, id), describe(id), check);
                Refer(object, id);
            }
    };
    report(view.named.eventStates, m_eventStates, Ref::EventState, Severity::Error,
           "dangling-event-state", [&](int id) {
               return who + " names event state " + std::to_string(id) + ", which " + where +
                      " does not define" +
                      NearestIds(id, m_eventStates, "event state", false, m_suggestions);
           });
    report(view.named.sysStates, m_sysStates, Ref::SysState, Severity::Error,
           "dangling-system-state", [&](int id) {
               return who + " names system state " + std::to_string(id) + ", which " + where +
                      " does not define" +
                      NearestIds(id, m_sysStates, "system state", false, m_suggestions);
           });
    report(view.named.events, m_events, Ref::Event, Severity::Warning, "dangling-event-id",
           [&](int id) {
               return who + " uses event " + std::to_string(id) +
                      ", which the \"EventInfoList\" of " + where + " does not name" +
                      NearestIds(id, m_events, "event", false, m_suggestions);
           });
    report(view.named.msgs, m_msgs, Ref::Msg, Severity::Warning, "dangling-message", [&](int id) {
        return who + " tests message " + Hex(id) + ", which no \"MsgList\" of " + where + " holds" +
               NearestIds(id, m_msgs, "message", true, m_suggestions);
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
        for (int id : view.named.rules) reach.rules.insert({scope->GetID(), id});
        std::set<int> rules;
        for (const auto& entry : scope->GetRuleList()) rules.insert(entry.first);
        report(view.named.rules, rules, Ref::Rule, Severity::Error, "dangling-rule", [&](int id) {
            return who + " names rule " + std::to_string(id) +
                   ", which is not a rule of event state " + std::to_string(scope->GetID()) +
                   NearestIds(id, rules, "rule", false, m_suggestions);
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
                if ((site.ref == Ref::Msg || site.ref == Ref::None) && !m_msgs.count(site.id))
                    ids.push_back(site.id);
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
                CActionConfig* action = list[i];
                const ObjectView view = ViewAction(*action, offered(action, nodes[i]));
                CheckNamed(protocol, view, nodes[i], state, action);
                const ecfg::KindRow* row = ecfg::ActionRowOf(*action);
                // A missing or misspelt child is reported as such, not as the
                // protocol or state it reads as.
                const std::set<std::wstring>& lacks = m_missing[nodes[i]];
                if (row && row->nTypeID == kSwitchProtocol && !lacks.count(L"SwitchToProtocol") &&
                    !lacks.count(L"SystemState")) {
                    const int to = view.getters["GetProtocol"].get<int>();
                    const int sys = view.getters["GetSysID"].get<int>();
                    auto target =
                        std::find_if(m_loaded.Protocols().begin(), m_loaded.Protocols().end(),
                                     [&](const LoadedProtocol& p) { return p.type == to; });
                    if (target != m_loaded.Protocols().end())
                        m_reach[target->node].sysStates.insert(sys);
                    if (target == m_loaded.Protocols().end()) {
                        Add(Severity::Error, m_tree.At(nodes[i]).offset,
                            KindLabel(nodes[i], ClassNameOf(*action)) + " switches to protocol " +
                                std::to_string(to) + ", which the file does not define",
                            "dangling-protocol");
                        Refer(action, to);
                    } else if (!target->model->GetSysStateConfigList().count(sys)) {
                        Add(Severity::Error, m_tree.At(nodes[i]).offset,
                            KindLabel(nodes[i], ClassNameOf(*action)) + " enters system state " +
                                std::to_string(sys) + ", which protocol " +
                                std::to_string(target->type) + " does not define",
                            "dangling-system-state");
                        Refer(action, sys);
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
        int id = ecfg::DecToInt(m_tree.At(entry).AttrValue(L"ID"));
        if (!m_sysStates.count(id))
            Add(Severity::Warning, AttrOffset(entry, L"ID"),
                "relationship entry for system state " + std::to_string(id) + ", which protocol " +
                    std::to_string(protocol.type) + " does not define",
                "dangling-system-state");
        for (int ref : ReadBelow(entry, Role::RelEventStateId)) {
            int state = ecfg::DecToInt(m_tree.At(ref).data);
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

    // Walk the model's system states next to the elements they came from;
    // a dropped copy is built from its own text, so that its faults show now
    // and not when its author renumbers it.
    const auto& systems = model.GetSysStateConfigList();
    std::vector<int> stateNodes = ReadBelow(protocol.node, Role::SystemState);
    std::map<int, int> winners = Winners(stateNodes, L"ID", false, true);
    for (int node : stateNodes) {
        int id = ecfg::DecToInt(m_tree.At(node).AttrValue(L"ID"));
        auto it = systems.find(id);
        if (winners[id] == node && it != systems.end()) {
            CheckEventStates(protocol, node, it->second->GetEventStateList());
        } else {
            // Judged as if it were kept: its own states and messages count.
            CSystemStateConfig copy(SubDoc(node));
            std::set<int> eventStates = m_eventStates, msgs = m_msgs;
            for (const auto& state : copy.GetEventStateList()) m_eventStates.insert(state.first);
            for (const auto& msg : copy.GetMsgList()) m_msgs.insert(msg.first);
            CheckEventStates(protocol, node, copy.GetEventStateList());
            m_eventStates.swap(eventStates);
            m_msgs.swap(msgs);
        }
    }
    std::vector<int> lists = ReadBelow(protocol.node, Role::SpecialList);
    if (special && !lists.empty()) {
        CheckEventStates(protocol, lists.front(), special->GetEventStateList(), true);
        CheckRelationship(protocol, lists.front());
    }
}

void Checker::CheckEventStates(LoadedProtocol& protocol, int holder,
                               const std::map<int, CEventStateConfig*>& states, bool special) {
    std::vector<int> nodes = ReadBelow(holder, Role::EventState);
    std::map<int, int> winners = Winners(nodes, L"ID", false, true);
    for (int node : nodes) {
        int id = ecfg::DecToInt(m_tree.At(node).AttrValue(L"ID"));
        auto it = states.find(id);
        if (winners[id] == node && it != states.end() && it->second) {
            // Without an id it is reported as such, not also as unreachable.
            if (!it->second->GetInitialActivated() && m_tree.At(node).Attr(L"ID") &&
                !m_misspelt.count({node, L"InitialActivated"}))
                m_sleepers.push_back({protocol.node, -1, id, AttrOffset(node, L"InitialActivated"),
                                      special, Written(node, L"ID")});
            CheckRules(protocol, node, *it->second);
        } else {
            CEventStateConfig copy(SubDoc(node));
            CheckRules(protocol, node, copy);
        }
    }
}

void Checker::CheckRules(LoadedProtocol& protocol, int stateNode, CEventStateConfig& state) {
    const auto& rules = state.GetRuleList();
    std::vector<int> nodes = ReadBelow(stateNode, Role::Rule);
    std::map<int, int> winners = Winners(nodes, L"ID", false, true);
    for (int node : nodes) {
        int id = ecfg::DecToInt(m_tree.At(node).AttrValue(L"ID"));
        auto it = rules.find(id);
        if (winners[id] == node && it != rules.end() && it->second) {
            if (!it->second->GetInitialActivated() && m_tree.At(node).Attr(L"ID") &&
                !m_misspelt.count({node, L"InitialActivated"}))
                m_sleepers.push_back({protocol.node, state.GetID(), id,
                                      AttrOffset(node, L"InitialActivated"), false,
                                      Written(node, L"ID")});
            CheckRule(protocol, *it->second, node, state);
        } else {
            // Kept until the check ends: findings and candidates name its objects.
            m_droppedRules.emplace_back(new CRuleConfig(SubDoc(node)));
            CheckRule(protocol, *m_droppedRules.back(), node, state);
        }
    }
}

std::wstring Checker::SubDoc(int node) {
    std::size_t begin = m_tree.At(node).offset;
    CMarkup markup(m_loaded.Text().substr(begin, End(node) - begin));
    return markup.FindElem() ? markup.GetSubDoc() : std::wstring();
}

void Checker::CheckDroppedProtocols() {
    std::set<int> kept;
    for (const LoadedProtocol& protocol : m_loaded.Protocols()) kept.insert(protocol.node);
    for (int node : ReadBelow(m_loaded.Root(), Role::Protocol)) {
        if (kept.count(node)) continue;
        LoadedProtocol copy;
        copy.type = ecfg::DecToInt(m_tree.At(node).AttrValue(L"ProtocolType"));
        copy.node = node;
        copy.model.reset(new CStateMachineConfig(SubDoc(node)));
        m_droppedProtocols.push_back(std::move(copy));
        CheckProtocol(m_droppedProtocols.back());
    }
}

void Checker::CheckReach() {
    std::vector<const LoadedProtocol*> protocols;
    for (const LoadedProtocol& protocol : m_loaded.Protocols()) protocols.push_back(&protocol);
    for (const LoadedProtocol& protocol : m_droppedProtocols) protocols.push_back(&protocol);
    for (const LoadedProtocol* each : protocols) {
        const LoadedProtocol& protocol = *each;
        const Reach& reach = m_reach[protocol.node];
        // Where the engine starts is not written in the file: the first
        // system state is taken to be it. Any other is entered by an action
        // (types 2 and 29) or, the model says, by a log field whose
        // "CanActiveSysState" is not 0.
        std::vector<int> states = ReadBelow(protocol.node, Role::SystemState);
        std::map<int, int> winners = Winners(states, L"ID", false, true);
        const auto& kept = protocol.model->GetSysStateConfigList();
        for (std::size_t i = 1; i < states.size(); ++i) {
            int id = ecfg::DecToInt(m_tree.At(states[i]).AttrValue(L"ID"));
            if (winners[id] != states[i] || reach.sysStates.count(id)) continue;
            // An element misread as a system state, or one without an id, is
            // reported as such.
            const Node& n = m_tree.At(states[i]);
            if (n.tag != L"SystemState" || !n.Attr(L"ID")) continue;
            if (ecfg::DecToInt(m_tree.At(states.front()).AttrValue(L"ID")) == id) continue;
            auto state = kept.find(id);
            if (state != kept.end() && state->second) {
                std::vector<int> fields;
                state->second->GetLogFieldList(fields);
                if (std::any_of(fields.begin(), fields.end(), [&](int field) {
                        return state->second->GetLogFiedCanActiveSysState(field) != 0;
                    }))
                    continue;
            }
            Add(Severity::Warning, AttrOffset(states[i], L"ID"),
                "nothing in the file leads into " + Written(states[i], L"ID") +
                    ": no action enters it, none of its log fields has a non-zero "
                    "\"CanActiveSysState\", and it is not the first system state (taken as "
                    "where the engine starts)",
                "unreachable");
        }
    }
    for (const Sleeper& s : m_sleepers) {
        const Reach& reach = m_reach[s.protocol];
        if (s.state < 0) {  // an event state; special ones may be the engine's to wake
            if (reach.eventStates.count(s.id) || s.special) continue;
            Add(Severity::Warning, s.offset,
                s.label + " starts inactive and no action activates it", "unreachable");
        } else if (!reach.rules.count({s.state, s.id})) {
            Add(Severity::Warning, s.offset,
                s.label + " of event state " + std::to_string(s.state) +
                    " starts inactive and no action activates it",
                "unreachable");
        }
    }
}

}  // namespace ectool
