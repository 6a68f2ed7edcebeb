#include "Graph.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cctype>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <tuple>

#include "Check.h"
#include "Dot.h"
#include "Loaded.h"
#include "Text.h"
#include "View.h"
#include "eventconfig/EventConfig.h"

extern char** environ;

namespace ectool {

namespace {

// Owners of nodes that stand in no system state's cluster.
const int kSpecial = INT_MIN;
const int kOutside = INT_MIN + 1;

const char* const kRed = "#d32f2f";
const char* const kMoveColor = "#37474f";
const char* const kActivateColor = "#2e7d32";
const char* const kSysColor = "#1565c0";
const char* const kSwitchColor = "#6a1b9a";
const char* const kEventColor = "#8d6e63";

std::string Str(int n) {
    return std::to_string(n);
}

// "COptFieldEqualConfig" -> "field equal": the kind in a few words.
std::string KindWords(std::string name) {
    for (const char* prefix : {"COpt_", "COpt", "CAct_", "CAction_", "CAct"})
        if (name.compare(0, std::strlen(prefix), prefix) == 0) {
            name.erase(0, std::strlen(prefix));
            break;
        }
    for (const char* suffix : {"_Config", "Config"}) {
        std::size_t n = std::strlen(suffix);
        if (name.size() > n && name.compare(name.size() - n, n, suffix) == 0) {
            name.erase(name.size() - n);
            break;
        }
    }
    if (name == "COperationType") return "base operation";
    std::string words;
    for (std::size_t i = 0; i < name.size(); ++i) {
        char c = name[i];
        if (c == '_') {
            if (!words.empty() && words.back() != ' ') words += ' ';
            continue;
        }
        bool upper = std::isupper(static_cast<unsigned char>(c)) != 0;
        // A new word at a capital that follows a small letter, or that starts
        // a word after an abbreviation ("RLAnd" -> "rl and").
        bool lowerBefore = i > 0 && std::islower(static_cast<unsigned char>(name[i - 1]));
        bool lowerAfter =
            i + 1 < name.size() && std::islower(static_cast<unsigned char>(name[i + 1]));
        bool upperBefore = i > 0 && std::isupper(static_cast<unsigned char>(name[i - 1]));
        if (upper && !words.empty() && words.back() != ' ' &&
            (lowerBefore || (upperBefore && lowerAfter)))
            words += ' ';
        words += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return words;
}

struct GNode {
    std::string id;
    int owner;
    dot::Attrs attrs;
    int state;  // the event state a state node or note stands for; INT_MIN: none
};

struct GEdge {
    std::string from, to;
    dot::Attrs attrs;
    bool weak;  // layout and membership lines: kept only between kept nodes
};

class Builder {
public:
    Builder(Loaded& loaded, LoadedProtocol& protocol, const std::vector<Finding>& findings);
    dot::Graph Build(const GraphRequest& request);

private:
    void AddStates();
    void AddRules(const std::string& from, int owner, CEventStateConfig& state);
    void AddAction(const std::string& from, int owner, CRuleConfig& rule, bool truth,
                   CActionConfig& action);
    void AddEventStateEdges(const std::string& from, int owner, CActionConfig& action,
                            const std::vector<int>& ids, dot::Attrs attrs);
    void AddEvent(const std::string& from, int owner, CActionConfig& action, int event,
                  const char* form, const std::string& why, bool truth);
    void AddNoteEdges();
    void AddSwitch(const std::string& from, CActSwitchProtocol& sw, dot::Attrs attrs);
    std::string EventStateNode(int owner, int id);
    void Node(const std::string& id, int owner, dot::Attrs attrs, int state = INT_MIN);
    void Edge(const std::string& from, const std::string& to, dot::Attrs attrs, bool weak = false);
    bool Dangling(const void* object, const char* check, int id) const {
        return m_dangling.count(std::make_tuple(object, std::string(check), id)) > 0;
    }
    static void Redden(dot::Attrs& attrs) {
        for (auto& attr : attrs)
            if (attr.first == "color" || attr.first == "fontcolor") attr.second = kRed;
        attrs.push_back({"penwidth", "2"});
    }

    Loaded& m_loaded;
    LoadedProtocol& m_protocol;
    CStateMachineConfig& m_model;
    std::map<int, CEventStateConfig*> m_special;
    std::map<int, std::map<int, CEventStateConfig*>> m_relationship;
    std::set<std::tuple<const void*, std::string, int>> m_dangling;
    std::vector<GNode> m_nodes;
    std::map<std::string, std::size_t> m_nodeIndex;
    std::vector<GEdge> m_edges;
    std::set<std::string> m_edgeKeys;
    struct Note {
        std::string from;
        bool anyTrue, dangling;
        std::set<std::string> why;
    };
    std::map<std::string, Note> m_notes;
    std::vector<std::string> m_noteOrder;
};

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

std::string StateId(int owner, int id) {
    return owner == kSpecial ? "sp_e" + Str(id) : "s" + Str(owner) + "_e" + Str(id);
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

void Builder::AddSwitch(const std::string& from, CActSwitchProtocol& sw, dot::Attrs attrs) {
    int protocol = sw.GetProtocol(), sys = sw.GetSysID();
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
        Dangling(&sw, "dangling-protocol", protocol) || Dangling(&sw, "dangling-system-state", sys);
    if (dangling) {
        Redden(exit);
        Redden(attrs);
    }
    std::string id = "exit_p" + Str(protocol) + "_s" + Str(sys);
    Node(id, kOutside, exit);
    Edge(from, id, attrs);
}

void Builder::AddAction(const std::string& from, int owner, CRuleConfig& rule, bool truth,
                        CActionConfig& action) {
    COperationTypeConfig* op = rule.GetOperationType();
    std::string label = "rule " + Str(rule.GetRuleID()) + (truth ? " TRUE" : " FALSE") + "\n" +
                        (op ? KindWords(ClassNameOf(*op)) : std::string("no operation"));
    const std::string why = "rule " + Str(rule.GetRuleID()) + (truth ? "" : " FALSE") + ": " +
                            (op ? KindWords(ClassNameOf(*op)) : std::string("no operation"));
    auto line = [&](const char* color, const char* note) {
        dot::Attrs attrs = {
            {"label", note ? label + "\n" + note : label}, {"color", color}, {"fontcolor", color}};
        if (!truth) attrs.push_back({"style", "dashed"});
        return attrs;
    };
    if (auto* a = dynamic_cast<CActTranEventStateConfig*>(&action)) {
        AddEventStateEdges(from, owner, action, a->GetToTranEventStateList(),
                           line(kMoveColor, nullptr));
    } else if (auto* a = dynamic_cast<CActInitActiveEventStateConfig*>(&action)) {
        AddEventStateEdges(from, owner, action, a->GetToActivateEventStateList(),
                           line(kActivateColor, "(activate)"));
    } else if (auto* a = dynamic_cast<CActActiveEventStateAndPrcPacket*>(&action)) {
        AddEventStateEdges(from, owner, action, a->GetToActiveEventStateList(),
                           line(kActivateColor, "(activate, packet)"));
    } else if (auto* a = dynamic_cast<CActTranSysStateConfig*>(&action)) {
        int sys = a->GetTranSysState();
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
    } else if (auto* a = dynamic_cast<CActSwitchProtocol*>(&action)) {
        AddSwitch(from, *a, line(kSwitchColor, nullptr));
    } else if (auto* a = dynamic_cast<CActGenEventConfig*>(&action)) {
        AddEvent(from, owner, action, a->GetEventID(), "event", why, truth);
    } else if (auto* a = dynamic_cast<CActGenEventByTimeConfig*>(&action)) {
        AddEvent(from, owner, action, a->GetEventID(), "timed event", why, truth);
    } else if (auto* a = dynamic_cast<CActGenSystemEventConfig*>(&action)) {
        AddEvent(from, owner, action, a->GetEventID(), "system event", why, truth);
    } else if (auto* a = dynamic_cast<CActGenEventWithLogFieldInfo*>(&action)) {
        AddEvent(from, owner, action, a->GetEventID(), "event", why, truth);
    } else if (auto* a = dynamic_cast<CAct_GenEvent_InfoFromMsgConfig*>(&action)) {
        AddEvent(from, owner, action, a->GetEventID(), "event", why, truth);
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

dot::Graph Builder::Build(const GraphRequest& request) {
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
    // What to keep: everything, or the system state asked for, the special
    // states tied to it, and whatever their edges reach or come from.
    std::vector<bool> keep(m_nodes.size(), !request.hasSystemState);
    std::vector<bool> focused(m_nodes.size(), false);
    if (request.hasSystemState) {
        int focus = request.systemState;
        std::set<int> related;
        auto rel = m_relationship.find(focus);
        if (rel != m_relationship.end())
            for (const auto& es : rel->second) related.insert(es.first);
        std::vector<bool>& inFocus = focused;
        for (std::size_t i = 0; i < m_nodes.size(); ++i) {
            const GNode& n = m_nodes[i];
            inFocus[i] = n.owner == focus || (n.owner == kSpecial && related.count(n.state));
            keep[i] = inFocus[i];
        }
        for (const GEdge& e : m_edges) {
            if (e.weak) continue;
            std::size_t a = m_nodeIndex[e.from], b = m_nodeIndex[e.to];
            if (inFocus[a] || inFocus[b]) keep[a] = keep[b] = true;
        }
        // A kept node's cluster keeps its entry dot.
        for (std::size_t i = 0; i < m_nodes.size(); ++i)
            if (keep[i] && m_nodes[i].owner != kSpecial && m_nodes[i].owner != kOutside)
                keep[m_nodeIndex["s" + Str(m_nodes[i].owner)]] = true;
    }
    auto kept = [&](const std::string& id) { return keep[m_nodeIndex[id]]; };

    dot::Graph g;
    std::string title = "protocol " + Str(m_protocol.type);
    if (m_protocol.node >= 0) title += " " + Utf8(m_loaded.Tree().At(m_protocol.node).tag);
    if (request.hasSystemState) title += ", system state " + Str(request.systemState);
    g.name = title;
    // The key, so that a picture needs no README beside it.
    const std::string key =
        "bold: starts active   dashed: FALSE result   black: to event states   green: "
        "activates   blue: to a system state   purple: protocol switch   red: dangling";
    g.graph = {{"label", title + "\n" + key},
               {"labelloc", "t"},
               {"labeljust", "l"},
               {"fontname", "Helvetica"},
               {"fontsize", "13"},
               {"rankdir", "LR"},
               {"compound", "true"},
               {"newrank", "true"},
               {"nodesep", "0.3"},
               {"ranksep", "0.6"},
               {"charset", "UTF-8"}};
    g.node = {{"shape", "box"},
              {"style", "rounded,filled"},
              {"fillcolor", "white"},
              {"fontname", "Helvetica"},
              {"fontsize", "10"}};
    g.edge = {{"fontname", "Helvetica"}, {"fontsize", "8"}, {"arrowsize", "0.7"}};

    auto nodesOf = [&](int owner) {
        std::vector<dot::Node> out;
        for (std::size_t i = 0; i < m_nodes.size(); ++i)
            if (m_nodes[i].owner == owner && keep[i])
                out.push_back({m_nodes[i].id, m_nodes[i].attrs});
        return out;
    };
    for (const auto& entry : systems) {
        std::vector<dot::Node> nodes = nodesOf(entry.first);
        if (nodes.empty()) continue;
        std::string label = "system state " + Str(entry.first);
        std::string name = Utf8(entry.second->GetSystemStateName());
        if (!name.empty()) label += "\n" + name;
        dot::Attrs attrs = {{"label", label},
                            {"style", "rounded,filled"},
                            {"fillcolor", "#eef3f8"},
                            {"color", "#90a4ae"},
                            {"fontsize", "12"}};
        if (request.hasSystemState && entry.first != request.systemState)
            attrs.push_back({"fillcolor", "#f5f5f5"});
        g.clusters.push_back({"s" + Str(entry.first), attrs, nodes});
    }
    std::vector<dot::Node> special = nodesOf(kSpecial);
    if (!special.empty())
        g.clusters.push_back({"special",
                              {{"label", "special event states"},
                               {"style", "rounded,filled,dashed"},
                               {"fillcolor", "#fdf6ec"},
                               {"color", "#bcaaa4"},
                               {"fontsize", "12"}},
                              special});
    g.nodes = nodesOf(kOutside);
    // Lines between two neighbours are not about the system state asked for.
    for (const GEdge& e : m_edges)
        if (kept(e.from) && kept(e.to) &&
            (e.weak || !request.hasSystemState || focused[m_nodeIndex[e.from]] ||
             focused[m_nodeIndex[e.to]]))
            g.edges.push_back({e.from, e.to, e.attrs});
    return g;
}

std::string IdList(const std::vector<int>& ids) {
    std::string out;
    for (std::size_t i = 0; i < ids.size(); ++i) out += (i ? ", " : "") + Str(ids[i]);
    return out.empty() ? "none" : out;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "eventconfig graph: %s\n", message.c_str());
    return kErrors;
}

int WriteText(const std::string& text, const std::string& output) {
    if (output.empty() || output == "-") {
        std::fwrite(text.data(), 1, text.size(), stdout);
        return std::fflush(stdout) == 0 ? kClean : Fail("cannot write to standard output");
    }
    std::ofstream out(output, std::ios::binary);
    out << text;
    out.close();
    return out ? kClean : Fail("cannot write " + output);
}

// Renders with Graphviz's dot, the DOT text on its standard input.
int Render(const std::string& text, const std::string& format, const std::string& output) {
    int fds[2];
    if (pipe(fds) != 0) return Fail(std::string("cannot start dot: ") + std::strerror(errno));
    std::vector<std::string> args = {"dot", "-T" + format};
    if (!output.empty() && output != "-") args.insert(args.end(), {"-o", output});
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(&arg[0]);
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[0], 0);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    std::fflush(stdout);
    pid_t pid = 0;
    int rc = posix_spawnp(&pid, "dot", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[0]);
    if (rc != 0) {
        close(fds[1]);
        if (rc == ENOENT)
            return Fail("--format " + format +
                        " needs Graphviz's \"dot\" program, which is not on PATH; install "
                        "Graphviz (Debian: apt-get install graphviz, or make deps) or use "
                        "--format dot");
        return Fail(std::string("cannot start dot: ") + std::strerror(rc));
    }
    // A dot that dies early must not kill the tool with SIGPIPE.
    void (*previous)(int) = std::signal(SIGPIPE, SIG_IGN);
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t n = write(fds[1], text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    close(fds[1]);
    std::signal(SIGPIPE, previous);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return Fail("dot failed" + (WIFEXITED(status) ? " (exit " + Str(WEXITSTATUS(status)) + ")"
                                                      : std::string(" (killed)")));
    return kClean;
}

}  // namespace

bool GraphDot(Loaded& loaded, const GraphRequest& request, std::string& text, std::string& error) {
    std::vector<Finding> findings = CheckFile(loaded);
    loaded.BuildModels();
    std::vector<LoadedProtocol>& protocols = loaded.Protocols();
    std::vector<int> types;
    for (const LoadedProtocol& p : protocols) types.push_back(p.type);
    LoadedProtocol* chosen = nullptr;
    for (LoadedProtocol& p : protocols)
        if (!request.hasProtocol || p.type == request.protocol) {
            chosen = &p;
            break;
        }
    if (!chosen) {
        error = protocols.empty() ? "the file defines no protocol"
                                  : "the file has no protocol " + Str(request.protocol) +
                                        " (its protocols: " + IdList(types) + ")";
        return false;
    }
    const auto& systems = chosen->model->GetSysStateConfigList();
    if (request.hasSystemState && !systems.count(request.systemState)) {
        std::vector<int> ids;
        for (const auto& entry : systems) ids.push_back(entry.first);
        error = "protocol " + Str(chosen->type) + " has no system state " +
                Str(request.systemState) + " (its system states: " + IdList(ids) + ")";
        return false;
    }
    text = dot::Write(Builder(loaded, *chosen, findings).Build(request));
    return true;
}

GraphCommand::GraphCommand(CLI::App& app, Options& options) {
    m_command = app.add_subcommand(
        "graph", "One protocol's state machine as a Graphviz drawing (dot, svg or png)");
    m_command->add_option("FILE", options.file,
                          "The configuration file (default: the one the library would load)");
    m_command->add_option("--protocol", m_request.protocol,
                          "The protocol's ProtocolType (default: the file's first protocol)");
    m_command->add_option("--system-state", m_request.systemState,
                          "Only this system state, the special states tied to it and its "
                          "neighbours");
    m_command
        ->add_option("--format", m_format,
                     "dot (written by the tool), svg or png (rendered by Graphviz's dot)")
        ->check(CLI::IsMember({"dot", "svg", "png"}))
        ->capture_default_str();
    m_command->add_option("-o,--output", m_output, "The file to write (default: standard output)");
    m_command->footer(
        "Red: references the check reports dangling. Bold: event states that start active. "
        "Dashed: actions of a FALSE result.\n"
        "Exit codes: 0 drawn, 2 the drawing cannot be made (Graphviz missing or failing, output "
        "not writable), 3 the file cannot be read, 4 no such protocol or system state.");
}

bool GraphCommand::Parsed() const {
    return m_command->parsed();
}

int GraphCommand::Run(const Options& options) const {
    Loaded loaded(options.file);
    if (!loaded.Readable()) return Unreadable(options.file, options);
    GraphRequest request = m_request;
    request.hasProtocol = m_command->count("--protocol") > 0;
    request.hasSystemState = m_command->count("--system-state") > 0;
    std::string text, error;
    if (!GraphDot(loaded, request, text, error)) {
        std::fprintf(stderr, "eventconfig graph: %s\n", error.c_str());
        return kUsage;
    }
    if (m_format == "dot") return WriteText(text, m_output);
    return Render(text, m_format, m_output);
}

}  // namespace ectool
