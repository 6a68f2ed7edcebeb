#pragma once

// The graph's parts: building the nodes and edges of a protocol, focusing
// on one system state, and rendering them as DOT.

#include <climits>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "Check.h"
#include "Dot.h"
#include "Graph.h"
#include "Loaded.h"
#include "eventconfig/EventConfig.h"

namespace ectool {

// Owners of nodes that stand in no system state's cluster.
const int kSpecial = INT_MIN;
const int kOutside = INT_MIN + 1;

const char* const kRed = "#d32f2f";
const char* const kMoveColor = "#37474f";
const char* const kActivateColor = "#2e7d32";
const char* const kSysColor = "#1565c0";
const char* const kSwitchColor = "#6a1b9a";
const char* const kEventColor = "#8d6e63";

inline std::string Str(int n) {
    return std::to_string(n);
}

std::string StateId(int owner, int id);

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
    // Building: every node and edge of the protocol.
    void Collect();
    // Focus: which nodes stay, and which stand for the system state asked for.
    void Select(const GraphRequest& request, std::vector<bool>& keep, std::vector<bool>& focused);

    void AddStates();
    void AddRules(const std::string& from, int owner, CEventStateConfig& state);
    void AddAction(const std::string& from, int owner, CRuleConfig& rule, bool truth,
                   CActionConfig& action);
    void AddEventStateEdges(const std::string& from, int owner, CActionConfig& action,
                            const std::vector<int>& ids, dot::Attrs attrs);
    void AddEvent(const std::string& from, int owner, CActionConfig& action, int event,
                  const char* form, const std::string& why, bool truth);
    void AddNoteEdges();
    void AddSwitch(const std::string& from, const void* sw, int protocol, int sys,
                   dot::Attrs attrs);
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

}  // namespace ectool
