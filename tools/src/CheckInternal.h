#pragma once

// The checker's parts, split by family of checks: numbers and flags,
// elements and attributes, duplicates, references.

#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "Check.h"
#include "Grammar.h"
#include "Loaded.h"
#include "Text.h"
#include "View.h"
#include "eventconfig/EventConfig.h"

namespace ectool {

inline std::string Q(const std::wstring& text) {
    return "\"" + Utf8(text) + "\"";
}
inline std::string Tag(const std::wstring& tag) {
    return "<" + Utf8(tag) + ">";
}
inline std::string Hex(int id) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%X", static_cast<unsigned>(id));
    return buffer;
}

inline std::map<int, std::string> KindNames(const std::vector<EventConfigKindInfo>& kinds) {
    std::map<int, std::string> names;
    for (const EventConfigKindInfo& kind : kinds) names[kind.nTypeID] = kind.szClassName;
    return names;
}

inline std::string KindName(Role role, int type) {
    static const std::map<int, std::string> operations = KindNames(EventConfigOperationKinds());
    static const std::map<int, std::string> actions = KindNames(EventConfigActionKinds());
    const auto& names = role == Role::Operation ? operations : actions;
    auto it = names.find(type);
    return it == names.end() ? std::string("kind ") + std::to_string(type) : it->second;
}

inline std::string Join(const std::vector<std::wstring>& names) {
    std::string out;
    for (std::size_t i = 0; i < names.size(); ++i) out += (i ? ", " : "") + Q(names[i]);
    return out;
}

class Checker {
public:
    Checker(Loaded& loaded, MsgCandidates* candidates)
        : m_loaded(loaded),
          m_tree(loaded.Tree()),
          m_read(m_tree.Nodes().size(), nullptr),
          m_candidates(candidates) {}

    std::vector<Finding> Run();

private:
    struct Site {
        Ref ref;
        int id;
        std::size_t offset;
    };

    void Add(Severity severity, std::size_t offset, std::string message, const char* check) {
        Finding finding;
        finding.severity = severity;
        finding.offset = offset;
        finding.message = std::move(message);
        finding.check = check;
        m_findings.push_back(std::move(finding));
    }
    std::size_t AttrOffset(int node, const wchar_t* name) const {
        const AttrSite* attr = m_tree.At(node).Attr(name);
        return attr ? attr->valueOffset : m_tree.At(node).offset;
    }
    int Line(int node) const { return static_cast<int>(m_loaded.At(m_tree.At(node).offset).line); }

    void Walk(int node, const ElemRule& rule, int owner, const std::string& context);
    void CheckAttrs(int node, const ElemRule& rule, int owner);
    void CheckValue(Num num, Ref ref, const std::wstring& value, std::size_t offset,
                    const std::string& label, int owner);
    void CheckNumber(const std::wstring& value, int base, std::size_t offset,
                     const std::string& label);
    // The flags compare with "TRUE" and "FALSE" exactly.
    void NotTrueOrFalse(const std::wstring& value, std::size_t offset, const std::string& label,
                        Severity severity, const char* consequence, const char* check) {
        if (value == L"TRUE" || value == L"FALSE") return;
        Add(severity, offset,
            label + " " + Q(value) +
                " is neither \"TRUE\" nor \"FALSE\" (the match is case-sensitive): " + consequence,
            check);
    }
    void CheckChildren(int node, const ElemRule& rule, int owner, const std::string& context);
    // "<Operation Type="2"> (...) reads its 1st child, whatever its name, as a
    // decimal number": index is the child's, first the slot's first child.
    std::string Position(const ChildRule& slot, std::size_t index, std::size_t first,
                         const std::string& context) const;
    // A child read by position that its name or shape says is something
    // else: reported, and true.
    bool Misread(int node, const ChildRule& slot, std::size_t index, std::size_t first, int owner,
                 const std::string& context);
    // A kind that reads every child as an id, and has none.
    void EmptyList(int node, const ChildRule& slot, const std::string& context);
    // A position with no child left to read.
    void NoChildAt(int parent, const ChildRule& slot, std::size_t index,
                   const std::string& context);

    std::vector<int> ReadBelow(int node, Role role) const;
    std::map<int, int> Winners(const std::vector<int>& nodes, const wchar_t* attr, bool hex,
                               bool laterWins) const;
    void Duplicates(const std::vector<int>& nodes, const wchar_t* attr, bool hex, bool laterWins,
                    const char* what, Severity severity);
    void CheckDuplicates();
    void CheckProtocol(LoadedProtocol& protocol);
    void CheckEventStates(LoadedProtocol& protocol, int holder,
                          const std::map<int, CEventStateConfig*>& states, bool special = false);
    // What nothing can reach: reported once every protocol is checked.
    void CheckReach();
    void CheckRules(LoadedProtocol& protocol, int stateNode, CEventStateConfig& state);
    // The element's text, as its holder hands it to the library.
    std::wstring SubDoc(int node);
    // Where an element's text ends: at the next element after its last
    // descendant (or at the end of the text).
    std::size_t End(int node);
    // Marks what lies inside the duplicates the library drops.
    void TagDropped();
    void CheckRule(LoadedProtocol& protocol, CRuleConfig& rule, int ruleNode,
                   CEventStateConfig& state);
    // How the author wrote an operation or action, and what its kind does in
    // the kind table's words: <Action Type="14"> (activate rules).
    std::string KindLabel(int node, const std::string& className) const {
        const Node& n = m_tree.At(node);
        return Tag(n.tag + L" Type=\"" + n.AttrValue(L"Type") + L"\"") + " (" +
               KindDescription(className) + ")";
    }
    // The element as its author wrote it, with its identifying attribute:
    // <WaitingEventState ID="101">.
    std::string Written(int node, const wchar_t* attr) const {
        const Node& n = m_tree.At(node);
        const AttrSite* site = n.Attr(attr);
        return Tag(site ? n.tag + L" " + attr + L"=\"" + site->value + L"\"" : n.tag);
    }
    void CheckNamed(LoadedProtocol& protocol, const ObjectView& view, int node,
                    CEventStateConfig& state, const void* object);
    void Refer(const void* object, int id) {
        m_findings.back().object = object;
        m_findings.back().id = id;
    }
    std::size_t SiteOf(int owner, Ref ref, int id) const;
    void CheckRelationship(LoadedProtocol& protocol, int listNode);

    Loaded& m_loaded;
    const DocTree& m_tree;
    std::vector<const ElemRule*> m_read;  // the rule each node was read with; null: never read
    std::map<int, std::vector<Site>> m_sites;
    // Where each (owner, what it names, id) first stands: looked up once per
    // reference finding, so kept apart from the lists.
    std::map<std::tuple<int, Ref, int>, std::size_t> m_firstSite;
    std::vector<Finding> m_findings;
    // Operation and action elements missing a child they read: their ids are
    // not reported again as the default values they read as.
    std::set<int> m_incomplete;
    // Attributes written misspelt (element, the attribute meant): reported
    // as such, not again as the value their absence reads as.
    std::set<std::pair<int, std::wstring>> m_misspelt;
    // Per operation or action, how findings name it.
    std::map<int, std::string> m_ownerLabel;
    // Per operation or action, the children searched by name and not found.
    std::map<int, std::set<std::wstring>> m_missing;
    // Ids read from a misread child (operation or action, what the id
    // names, the id): reported as misread, not again as the id they read as.
    std::set<std::tuple<int, Ref, int>> m_misread;
    // Elements the library drops for a duplicate id: the text they span and
    // how findings inside them name them.
    struct Dropped {
        std::size_t begin, end;
        std::string label;
    };
    std::vector<Dropped> m_dropped;
    std::vector<std::size_t> m_last;  // per node, its last descendant
    std::size_t m_suggestions = 200;  // "did you mean" lookups left
    std::size_t m_nearNames = 1000;   // look-ups of what a misspelt name says, left
    std::set<std::size_t> m_duplicateFindings;
    std::vector<std::unique_ptr<CRuleConfig>> m_droppedRules;
    // Protocols the root drops for a duplicate "ProtocolType", each built
    // from its own text so that its content is checked too.
    std::vector<LoadedProtocol> m_droppedProtocols;
    void CheckDroppedProtocols();
    // Per protocol element, what its actions (and other protocols' switches)
    // name: a dropped copy of a protocol reaches nothing in the kept one.
    struct Reach {
        std::set<int> eventStates, sysStates;
        std::set<std::pair<int, int>> rules;  // (event state, rule)
    };
    std::map<int, Reach> m_reach;
    // Event states (state -1) and rules that start inactive.
    struct Sleeper {
        int protocol, state, id;  // protocol: its element
        std::size_t offset;
        bool special;
        std::string label;
    };
    std::vector<Sleeper> m_sleepers;
    MsgCandidates* m_candidates;
    // Per protocol, what it defines.
    std::set<int> m_sysStates, m_eventStates, m_events, m_msgs;
};

}  // namespace ectool
