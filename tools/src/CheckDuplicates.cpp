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
        int id = hex ? ecfg::HexToInt(value) : ecfg::Wtoi(value);
        if (laterWins || !winners.count(id)) winners[id] = node;
    }
    return winners;
}

void Checker::Duplicates(const std::vector<int>& nodes, const wchar_t* attr, bool hex,
                         bool laterWins, const char* what) {
    std::map<int, int> winners = Winners(nodes, attr, hex, laterWins);
    for (int node : nodes) {
        std::wstring value = m_tree.At(node).AttrValue(attr);
        int id = hex ? ecfg::HexToInt(value) : ecfg::Wtoi(value);
        int winner = winners[id];
        if (winner == node) continue;
        std::string shown = hex ? Hex(id) : std::to_string(id);
        Add(Severity::Warning, AttrOffset(node, attr),
            std::string("duplicate ") + what + " " + Utf8(attr) + " " + shown + ": " +
                (laterWins ? "the later one, at line " + std::to_string(Line(winner)) +
                                 ", replaces this one"
                           : "the first one, at line " + std::to_string(Line(winner)) +
                                 ", is kept and this one is dropped"),
            "duplicate-id");
    }
}

void Checker::CheckDuplicates() {
    int root = m_loaded.Root();
    std::vector<int> protocols = ReadBelow(root, Role::Protocol);
    Duplicates(protocols, L"ProtocolType", false, true, "protocol");
    for (int protocol : protocols) {
        std::vector<int> states = ReadBelow(protocol, Role::SystemState);
        Duplicates(states, L"ID", false, true, "system state");
        Duplicates(ReadBelow(protocol, Role::EventInfo), L"ID", false, true, "event info");
        std::vector<int> special = ReadBelow(protocol, Role::SpecialList);
        states.insert(states.end(), special.begin(), special.end());
        for (int state : states) {
            Duplicates(ReadBelow(state, Role::Msg), L"MsgID", true, false, "message");
            std::vector<int> eventStates = ReadBelow(state, Role::EventState);
            Duplicates(eventStates, L"ID", false, true, "event state");
            for (int eventState : eventStates)
                Duplicates(ReadBelow(eventState, Role::Rule), L"ID", false, true, "rule");
        }
        for (int list : special)
            Duplicates(ReadBelow(list, Role::RelSystemState), L"ID", false, true,
                       "relationship entry");
    }
}

}  // namespace ectool
