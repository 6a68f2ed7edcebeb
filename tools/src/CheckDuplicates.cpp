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
        int id = hex ? HexValue(value) : DecimalValue(value);
        if (laterWins || !winners.count(id)) winners[id] = node;
    }
    return winners;
}

void Checker::Duplicates(const std::vector<int>& nodes, const wchar_t* attr, bool hex,
                         bool laterWins, const char* what, Severity severity) {
    std::map<int, int> winners = Winners(nodes, attr, hex, laterWins);
    for (int node : nodes) {
        std::wstring value = m_tree.At(node).AttrValue(attr);
        int id = hex ? HexValue(value) : DecimalValue(value);
        int winner = winners[id];
        if (winner == node) continue;
        std::string shown = hex ? Hex(id) : std::to_string(id);
        const Node& n = m_tree.At(node);
        m_duplicateFindings.insert(m_findings.size());
        Add(severity, AttrOffset(node, attr),
            std::string("duplicate ") + what + " " + Utf8(attr) + " " + shown +
                ": the library drops this " + what +
                (laterWins ? " and keeps the later one" : " and keeps the first one"),
            "duplicate-id");
        m_findings.back().notes.push_back(
            {AttrOffset(winner, attr), std::string("the ") + what + " with " + Utf8(attr) + " " +
                                           shown + " that the library keeps"});
        // The element spans up to the next one after its last descendant.
        std::size_t last = static_cast<std::size_t>(node);
        while (last + 1 < m_tree.Nodes().size()) {
            int up = m_tree.Nodes()[last + 1].parent;
            while (up > node) up = m_tree.At(up).parent;
            if (up != node) break;
            ++last;
        }
        std::size_t end = last + 1 < m_tree.Nodes().size() ? m_tree.Nodes()[last + 1].offset
                                                           : m_loaded.Text().size();
        m_dropped.push_back({n.offset, end,
                             Tag(n.tag + L" " + attr + L"=\"" + value + L"\"") + " at line " +
                                 std::to_string(Line(node))});
    }
}

void Checker::TagDropped() {
    for (std::size_t i = 0; i < m_findings.size(); ++i) {
        if (m_duplicateFindings.count(i)) continue;
        for (const Dropped& dropped : m_dropped)
            if (m_findings[i].offset >= dropped.begin && m_findings[i].offset < dropped.end) {
                m_findings[i].message += " (inside the dropped " + dropped.label + ")";
                break;
            }
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
