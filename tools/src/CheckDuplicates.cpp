#include <algorithm>

#include "CheckInternal.h"

namespace ectool {

std::vector<int> Checker::ReadBelow(int node, Role role) const {
    std::vector<int> found;
    std::vector<int> pending(m_tree.At(node).children.rbegin(), m_tree.At(node).children.rend());
    while (!pending.empty()) {
        int child = pending.back();
        pending.pop_back();
        const ElemRule* rule = m_read[static_cast<std::size_t>(child)];
        if (!rule) continue;
        if (rule->role == role) {
            found.push_back(child);
        } else if (rule->role == Role::None) {
            const auto& kids = m_tree.At(child).children;
            pending.insert(pending.end(), kids.rbegin(), kids.rend());
        }
    }
    return found;
}

std::map<int, int> Checker::Winners(const std::vector<int>& nodes, const wchar_t* attr, bool hex,
                                    bool laterWins) const {
    std::map<int, int> winners;
    for (int node : nodes) {
        std::wstring value = m_tree.At(node).AttrValue(attr);
        int id = hex ? ecfg::HexToInt(value) : ecfg::DecToInt(value);
        if (laterWins || !winners.count(id)) winners[id] = node;
    }
    return winners;
}

void Checker::Duplicates(const std::vector<int>& nodes, const wchar_t* attr, bool hex,
                         bool laterWins, const char* what, Severity severity) {
    std::map<int, int> winners = Winners(nodes, attr, hex, laterWins);
    for (int node : nodes) {
        std::wstring value = m_tree.At(node).AttrValue(attr);
        int id = hex ? ecfg::HexToInt(value) : ecfg::DecToInt(value);
        int winner = winners[id];
        if (winner == node) continue;
        std::string shown = hex ? Hex(id) : std::to_string(id);
        const Node& n = m_tree.At(node);
        m_duplicateFindings.insert(m_findings.size());
        Add(severity, AttrOffset(node, attr),
            "duplicate " + Written(node, attr) + ": the library drops this " + what + " " + shown +
                (laterWins ? " and keeps the later one" : " and keeps the first one"),
            "duplicate-id");
        m_findings.back().notes.push_back(
            {AttrOffset(winner, attr), "the " + Written(winner, attr) + " that the library keeps"});
        m_dropped.push_back(
            {n.offset, End(node), Written(node, attr) + " at line " + std::to_string(Line(node))});
    }
}

std::size_t Checker::End(int node) {
    const std::vector<Node>& nodes = m_tree.Nodes();
    if (m_last.empty()) {
        // Nodes stand in document order, each after its parent.
        m_last.resize(nodes.size());
        for (std::size_t i = nodes.size(); i-- > 0;) {
            m_last[i] = std::max(m_last[i], i);
            if (nodes[i].parent >= 0) {
                std::size_t& up = m_last[static_cast<std::size_t>(nodes[i].parent)];
                up = std::max(up, m_last[i]);
            }
        }
    }
    std::size_t next = m_last[static_cast<std::size_t>(node)] + 1;
    return next < nodes.size() ? nodes[next].offset : m_loaded.Text().size();
}

void Checker::TagDropped() {
    if (m_dropped.empty()) return;
    // Dropped elements nest or stand apart: one sweep in text order, the
    // innermost open one on top.
    std::sort(m_dropped.begin(), m_dropped.end(), [](const Dropped& a, const Dropped& b) {
        return a.begin != b.begin ? a.begin < b.begin : a.end > b.end;
    });
    std::vector<std::size_t> order(m_findings.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return m_findings[a].offset < m_findings[b].offset;
    });
    std::vector<const Dropped*> open;
    std::size_t next = 0;
    for (std::size_t i : order) {
        Finding& f = m_findings[i];
        if (f.offset == std::string::npos) continue;
        while (next < m_dropped.size() && m_dropped[next].begin <= f.offset) {
            while (!open.empty() && open.back()->end <= m_dropped[next].begin) open.pop_back();
            open.push_back(&m_dropped[next++]);
        }
        while (!open.empty() && open.back()->end <= f.offset) open.pop_back();
        if (!open.empty() && !m_duplicateFindings.count(i))
            f.message += " (inside the dropped " + open.back()->label + ")";
    }
}

void Checker::CheckDuplicates() {
    int root = m_loaded.Root();
    std::vector<int> protocols = ReadBelow(root, Role::Protocol);
    // Losing a protocol, a state, a rule or a relationship loses behaviour: an
    // error. A second message or event name of the same id changes nothing
    // the engine does: a warning.
    Duplicates(protocols, L"ProtocolType", false, true, "protocol", Severity::Error);
    for (int protocol : protocols) {
        std::vector<int> states = ReadBelow(protocol, Role::SystemState);
        Duplicates(states, L"ID", false, true, "system state", Severity::Error);
        Duplicates(ReadBelow(protocol, Role::EventInfo), L"ID", false, true, "event info",
                   Severity::Warning);
        std::vector<int> special = ReadBelow(protocol, Role::SpecialList);
        states.insert(states.end(), special.begin(), special.end());
        for (int state : states) {
            Duplicates(ReadBelow(state, Role::Msg), L"MsgID", true, false, "message",
                       Severity::Warning);
            std::vector<int> eventStates = ReadBelow(state, Role::EventState);
            Duplicates(eventStates, L"ID", false, true, "event state", Severity::Error);
            for (int eventState : eventStates)
                Duplicates(ReadBelow(eventState, Role::Rule), L"ID", false, true, "rule",
                           Severity::Error);
        }
        for (int list : special)
            Duplicates(ReadBelow(list, Role::RelSystemState), L"ID", false, true,
                       "relationship entry", Severity::Error);
    }
}

}  // namespace ectool
