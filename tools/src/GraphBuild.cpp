#include "GraphInternal.h"
#include "Text.h"
#include "View.h"
#include "actions/ActionRegistry.h"

namespace ectool {

std::string StateId(int owner, int id) {
    return owner == kSpecial ? "sp_e" + Str(id) : "s" + Str(owner) + "_e" + Str(id);
}

void Builder::AddNoteEdges() {
    for (const std::string& id : m_noteOrder) {
        const Note& note = m_notes[id];
        dot::Attrs attrs = {{"color", kEventColor}, {"arrowhead", "none"}};
        if (!note.anyTrue) attrs.push_back({"style", "dashed"});
        if (note.dangling) Redden(attrs);
        Edge(note.from, id, attrs);
    }
}

Builder::Builder(Loaded& loaded, LoadedProtocol& protocol, const std::vector<Finding>& findings)
    : m_loaded(loaded), m_protocol(protocol), m_model(*protocol.model) {
    if (CSpecialEventStateListConfig* special = m_model.GetSpecialEventStateListConfig()) {
        m_special = special->GetEventStateList();
        m_relationship = special->GetRelationship();
    }
    for (const Finding& f : findings)
        if (f.object) m_dangling.insert(std::make_tuple(f.object, f.check, f.id));
}

void Builder::Node(const std::string& id, int owner, dot::Attrs attrs, int state) {
    if (m_nodeIndex.count(id)) return;
    m_nodeIndex[id] = m_nodes.size();
    m_nodes.push_back({id, owner, std::move(attrs), state});
}

void Builder::Edge(const std::string& from, const std::string& to, dot::Attrs attrs, bool weak) {
    // One line per distinct drawing: two actions of a rule naming the same
    // target draw once.
    std::string key = from + '\0' + to;
    for (const auto& attr : attrs) key += '\0' + attr.first + '=' + attr.second;
    if (!m_edgeKeys.insert(key).second) return;
    m_edges.push_back({from, to, std::move(attrs), weak});
}

void Builder::AddStates() {
    auto state = [&](int owner, CEventStateConfig& es) {
        std::size_t rules = es.GetRuleList().size();
        dot::Attrs attrs = {{"label", "event state " + Str(es.GetID()) + "\n" + Str(rules) +
                                          (rules == 1 ? " rule" : " rules")}};
        if (es.GetInitialActivated()) {
            attrs.push_back({"style", "rounded,filled,bold"});
            attrs.push_back({"penwidth", "2.5"});
        }
        Node(StateId(owner, es.GetID()), owner, attrs, es.GetID());
    };
    for (const auto& entry : m_model.GetSysStateConfigList()) {
        int sys = entry.first;
        // The cluster's anchor, where lines to the system state end; unseen
        // unless a line into its own cluster or an empty cluster needs it.
        if (entry.second->GetEventStateList().empty())
            Node("s" + Str(sys), sys,
                 {{"label", "no waiting event states"}, {"shape", "plaintext"}, {"style", ""}});
        else
            Node("s" + Str(sys), sys,
                 {{"label", ""}, {"shape", "point"}, {"width", "0.01"}, {"style", "invis"}});
        for (const auto& es : entry.second->GetEventStateList()) state(sys, *es.second);
    }
    for (const auto& es : m_special) state(kSpecial, *es.second);
}

// The event state an action names: in the action's own system state, then
// among the special ones, then in any system state; a red stand-in when the
// protocol has none of that id.
std::string Builder::EventStateNode(int owner, int id) {
    const auto& systems = m_model.GetSysStateConfigList();
    auto own = systems.find(owner);
    if (own != systems.end() && own->second->GetEventStateList().count(id))
        return StateId(owner, id);
    if (m_special.count(id)) return StateId(kSpecial, id);
    for (const auto& entry : systems)
        if (entry.second->GetEventStateList().count(id)) return StateId(entry.first, id);
    std::string missing = "missing_e" + Str(id);
    Node(missing, kOutside,
         {{"label", "event state " + Str(id) + "\nnot defined"},
          {"color", kRed},
          {"fontcolor", kRed},
          {"style", "rounded,dashed,bold"}});
    return missing;
}

void Builder::AddEventStateEdges(const std::string& from, int owner, CActionConfig& action,
                                 const std::vector<int>& ids, dot::Attrs attrs) {
    for (int id : ids) {
        dot::Attrs line = attrs;
        if (Dangling(&action, "dangling-event-state", id)) Redden(line);
        Edge(from, EventStateNode(owner, id), line);
    }
}

// One note per event an event state raises, listing the rules that raise it.
void Builder::AddEvent(const std::string& from, int owner, CActionConfig& action, int event,
                       const char* form, const std::string& why, bool truth) {
    std::string id = from + "_ev" + Str(event);
    bool dangling = Dangling(&action, "dangling-event-id", event);
    auto known = m_notes.find(id);
    if (known == m_notes.end()) {
        const auto& infos = m_model.GetEventInfoConfigList();
        auto info = infos.find(event);
        std::string label =
            std::string(form) + " " + Str(event) + "\n" +
            (info != infos.end() && info->second ? Utf8(info->second->GetEventName())
                                                 : std::string("not in EventInfoList"));
        Node(id, owner,
             {{"label", label},
              {"shape", "note"},
              {"fillcolor", "#fff8e1"},
              {"color", kEventColor},
              {"fontsize", "9"}},
             m_nodes[m_nodeIndex[from]].state);
        m_noteOrder.push_back(id);
        known = m_notes.insert({id, Note{from, false, false, {}}}).first;
    }
    dot::Attrs& attrs = m_nodes[m_nodeIndex[id]].attrs;
    if (known->second.why.insert(why).second) attrs.front().second += "\n" + why;
    if (dangling && !known->second.dangling) Redden(attrs);
    known->second.anyTrue |= truth;
    known->second.dangling |= dangling;
}

void Builder::AddSwitch(const std::string& from, const void* sw, int protocol, int sys,
                        dot::Attrs attrs) {
    std::string protocolLine = "protocol " + Str(protocol);
    std::string sysLine = "system state " + Str(sys);
    for (LoadedProtocol& other : m_loaded.Protocols()) {
        if (other.type != protocol) continue;
        if (other.node >= 0) protocolLine += " " + Utf8(m_loaded.Tree().At(other.node).tag);
        const auto& systems = other.model->GetSysStateConfigList();
        auto target = systems.find(sys);
        if (target != systems.end() && !target->second->GetSystemStateName().empty())
            sysLine += " " + Utf8(target->second->GetSystemStateName());
    }
    dot::Attrs exit = {{"label", "switch to " + protocolLine + "\n" + sysLine},
                       {"shape", "cds"},
                       {"style", "filled"},
                       {"fillcolor", "#f3e5f5"},
                       {"color", kSwitchColor},
                       {"fontcolor", "black"}};
    bool dangling =
        Dangling(sw, "dangling-protocol", protocol) || Dangling(sw, "dangling-system-state", sys);
    if (dangling) {
        Redden(exit);
        Redden(attrs);
    }
    std::string id = "exit_p" + Str(protocol) + "_s" + Str(sys);
    Node(id, kOutside, exit);
    Edge(from, id, attrs);
}

namespace {

// What an action draws, by its kind's id: lines to the event states it moves
// to or activates, to a system state, out to another protocol, or a note of
// the event it raises. The ids and values come from the kind's view.
enum class Drawn {
    MoveTo,
    Activate,
    ActivateWithPacket,
    SysState,
    Switch,
    Event,
    TimedEvent,
    SystemEvent
};
const std::map<int, Drawn> kDrawn = {
    {5, Drawn::MoveTo},      {3, Drawn::Activate},     {35, Drawn::ActivateWithPacket},
    {2, Drawn::SysState},    {29, Drawn::Switch},      {1, Drawn::Event},
    {12, Drawn::TimedEvent}, {40, Drawn::SystemEvent}, {34, Drawn::Event},
    {36, Drawn::Event},
};

}  // namespace

void Builder::AddAction(const std::string& from, int owner, CRuleConfig& rule, bool truth,
                        CActionConfig& action) {
    const ecfg::KindRow* row = ecfg::ActionRowOf(action);
    COperationTypeConfig* op = rule.GetOperationType();
    std::string label = "rule " + Str(rule.GetRuleID()) + (truth ? " TRUE" : " FALSE") + "\n" +
                        (op ? KindDescription(ClassNameOf(*op)) : std::string("no operation"));
    const std::string why = "rule " + Str(rule.GetRuleID()) + (truth ? "" : " FALSE") + ": " +
                            (op ? KindDescription(ClassNameOf(*op)) : std::string("no operation"));
    auto line = [&](const char* color, const char* note) {
        dot::Attrs attrs = {
            {"label", note ? label + "\n" + note : label}, {"color", color}, {"fontcolor", color}};
        if (!truth) attrs.push_back({"style", "dashed"});
        return attrs;
    };
    const auto drawn = kDrawn.find(row ? row->nTypeID : -1);
    if (drawn == kDrawn.end()) return;
    const ObjectView view = ViewAction(action, {});
    const NamedIds& named = view.named;
    switch (drawn->second) {
        case Drawn::MoveTo:
            AddEventStateEdges(from, owner, action, named.eventStates, line(kMoveColor, nullptr));
            break;
        case Drawn::Activate:
            AddEventStateEdges(from, owner, action, named.eventStates,
                               line(kActivateColor, "(activate)"));
            break;
        case Drawn::ActivateWithPacket:
            AddEventStateEdges(from, owner, action, named.eventStates,
                               line(kActivateColor, "(activate, packet)"));
            break;
        case Drawn::SysState: {
            int sys = named.sysStates.front();
            dot::Attrs attrs = line(kSysColor, nullptr);
            attrs.push_back({"penwidth", "1.5"});
            std::string to = "s" + Str(sys);
            if (!m_model.GetSysStateConfigList().count(sys)) {
                to = "missing_s" + Str(sys);
                Node(to, kOutside,
                     {{"label", "system state " + Str(sys) + "\nnot defined"},
                      {"color", kRed},
                      {"fontcolor", kRed},
                      {"style", "dashed,bold"}});
            } else if (sys != owner) {
                attrs.push_back({"lhead", "cluster_s" + Str(sys)});
            } else {
                // Graphviz cannot clip a line at the cluster it starts in: it
                // ends at a visible entry dot instead.
                m_nodes[m_nodeIndex[to]].attrs = {{"label", ""},
                                                  {"shape", "point"},
                                                  {"width", "0.12"},
                                                  {"tooltip", "system state " + Str(sys)}};
            }
            if (Dangling(&action, "dangling-system-state", sys)) Redden(attrs);
            Edge(from, to, attrs);
            break;
        }
        case Drawn::Switch:
            AddSwitch(from, &action, view.getters["GetProtocol"].get<int>(),
                      view.getters["GetSysID"].get<int>(), line(kSwitchColor, nullptr));
            break;
        case Drawn::Event:
        case Drawn::TimedEvent:
        case Drawn::SystemEvent: {
            const char* form = drawn->second == Drawn::TimedEvent    ? "timed event"
                               : drawn->second == Drawn::SystemEvent ? "system event"
                                                                     : "event";
            AddEvent(from, owner, action, named.events.front(), form, why, truth);
            break;
        }
    }
}

void Builder::AddRules(const std::string& from, int owner, CEventStateConfig& state) {
    for (const auto& entry : state.GetRuleList()) {
        CRuleConfig& rule = *entry.second;
        for (bool truth : {true, false})
            for (CActionConfig* action :
                 truth ? rule.GetTrueActionList() : rule.GetFalseActionList())
                if (action) AddAction(from, owner, rule, truth, *action);
    }
}

void Builder::Collect() {
    const auto& systems = m_model.GetSysStateConfigList();
    AddStates();
    for (const auto& entry : systems)
        for (const auto& es : entry.second->GetEventStateList())
            AddRules(StateId(entry.first, es.first), entry.first, *es.second);
    for (const auto& es : m_special) AddRules(StateId(kSpecial, es.first), kSpecial, *es.second);
    AddNoteEdges();
    for (const auto& entry : m_relationship) {
        if (!systems.count(entry.first)) continue;
        for (const auto& es : entry.second) {
            dot::Attrs attrs = {{"style", "dotted"},
                                {"arrowhead", "none"},
                                {"color", "#9e9e9e"},
                                {"lhead", "cluster_s" + Str(entry.first)}};
            Edge(StateId(kSpecial, es.first), "s" + Str(entry.first), attrs, true);
        }
    }
}

}  // namespace ectool
