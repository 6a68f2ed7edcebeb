#include <algorithm>
#include <memory>

#include "CheckInternal.h"

namespace ectool {

namespace {

// The attribute each kind of element is filed under, and what the library
// files it as when the attribute is missing.
struct Identity {
    Role role;
    const wchar_t* attr;
    const wchar_t* tag;  // the name authors write; null: any name is usual
    const char* what;
};
const Identity kIdentities[] = {
    {Role::Protocol, L"ProtocolType", nullptr, "protocol"},
    {Role::SystemState, L"ID", L"SystemState", "system state"},
    {Role::EventState, L"ID", nullptr, "event state"},
    {Role::Rule, L"ID", nullptr, "rule"},
    {Role::EventInfo, L"ID", nullptr, "event"},
    {Role::Msg, L"MsgID", nullptr, "message"},
    {Role::RelSystemState, L"ID", nullptr, "relationship entry for system state"},
};

const Identity* IdentityOf(Role role) {
    for (const Identity& identity : kIdentities)
        if (identity.role == role) return &identity;
    return nullptr;
}

}  // namespace

void Checker::CheckAttrs(int node, const ElemRule& rule, int owner) {
    const Node& n = m_tree.At(node);
    std::vector<std::wstring> unused;
    for (const AttrRule& attr : rule.attrs)
        if (!n.Attr(attr.name.c_str())) unused.push_back(attr.name);
    const Identity* identity = IdentityOf(rule.role);
    const bool misnamed = identity && identity->tag && n.tag != identity->tag;
    std::wstring misspeltId;  // an attribute the author meant as the missing identity
    for (const AttrSite& site : n.attrs) {
        auto it = std::find_if(rule.attrs.begin(), rule.attrs.end(),
                               [&](const AttrRule& a) { return a.name == site.name; });
        if (it != rule.attrs.end()) {
            CheckValue(it->num, it->ref, site.value, site.valueOffset,
                       Tag(n.tag) + " " + Utf8(site.name), owner);
            continue;
        }
        std::wstring nearest = NearestName(site.name, unused);
        if (identity && nearest == identity->attr) {
            misspeltId = site.name;
            continue;
        }
        if (nearest.empty()) continue;
        const AttrRule& meant = *std::find_if(rule.attrs.begin(), rule.attrs.end(),
                                              [&](const AttrRule& a) { return a.name == nearest; });
        // Free text and names of the model's own records lose nothing the
        // engine acts on; "Type" has findings of its own.
        const bool harmless = nearest == L"Info" || nearest == L"Type" ||
                              (nearest == L"Name" && rule.role != Role::None);
        m_misspelt.insert({node, nearest});
        std::string consequence;
        if (!harmless) {
            consequence = meant.num == Num::Flag ? "off" : meant.num == Num::Text ? "empty" : "0";
            if (meant.ref != Ref::None && owner >= 0) m_misread.insert({owner, meant.ref, 0});
        }
        Add(harmless ? Severity::Warning : Severity::Error, site.offset,
            "attribute " + Q(site.name) + " of " + Tag(n.tag) + " is never read; did you mean " +
                Q(nearest) + "?" +
                (harmless ? std::string()
                          : " Without it, " + Q(nearest) + " reads as " + consequence),
            "unknown-attribute");
    }
    if (!identity) return;
    const std::wstring id = n.AttrValue(identity->attr);
    const std::string shown =
        identity->role == Role::Msg ? Hex(ecfg::HexToInt(id)) : std::to_string(ecfg::DecToInt(id));
    if (misnamed) {
        // Every child of "StateMachineConfig" is a system state, whatever its name.
        Add(Severity::Error, n.offset,
            Tag(n.tag) + " is read as a system state (every element inside " +
                "\"StateMachineConfig\" is one, whatever its name): it becomes system state " +
                shown,
            "misread-element");
        return;
    }
    if (n.Attr(identity->attr)) return;
    std::string message = Tag(n.tag) + " has no " + Q(identity->attr);
    if (!misspeltId.empty())
        message +=
            " (" + Q(misspeltId) + " is never read; did you mean " + Q(identity->attr) + "?)";
    message += std::string(": the library files it as ") + identity->what + " 0";
    if (identity->role == Role::Protocol)
        message += ", so a host asking for this protocol by its number gets nothing";
    Add(Severity::Error, misspeltId.empty() ? n.offset : n.Attr(misspeltId.c_str())->offset,
        message, "missing-id");
}

void Checker::Walk(int node, const ElemRule& rule, int owner, const std::string& context) {
    m_read[static_cast<std::size_t>(node)] = &rule;
    const Node& n = m_tree.At(node);
    CheckAttrs(node, rule, owner);
    if (rule.text != Num::None && n.leaf)
        CheckValue(rule.text, rule.textRef, n.data, n.textOffset, Tag(n.tag), owner);
    if (rule.opaque) return;
    if (rule.role == Role::Operation || rule.role == Role::Action) {
        const AttrSite* type = n.Attr(L"Type");
        if (!type)
            Add(Severity::Warning, n.offset,
                Tag(n.tag) + " has no \"Type\": it is read as 0, the base kind", "type-number");
        int id = ecfg::DecToInt(type ? type->value : std::wstring());
        std::shared_ptr<const ElemRule> kind =
            rule.role == Role::Operation ? OperationRule(id) : ActionRule(id);
        if (!kind) return;  // no kind: the model's null entry is reported later
        m_ownerLabel[node] = KindLabel(node, KindName(rule.role, id));
        CheckChildren(node, *kind, node, m_ownerLabel[node]);
        return;
    }
    if (rule.role == Role::Result && !n.Attr(L"Type"))
        Add(Severity::Error, n.offset, "<Result> has no \"Type\": its actions are ignored",
            "result-type");
    // Inside an operation or action, an element is named with its kind:
    // <SwitchToProtocol> in <Action Type="29"> (switch to another protocol).
    std::string label = context;
    if (label.empty())
        label = owner >= 0 && m_ownerLabel.count(owner) ? Tag(n.tag) + " in " + m_ownerLabel[owner]
                                                        : Tag(n.tag);
    CheckChildren(node, rule, owner, label);
}

void Checker::CheckChildren(int node, const ElemRule& rule, int owner, const std::string& context) {
    const Node& parent = m_tree.At(node);
    const std::vector<int>& kids = parent.children;
    const std::size_t count = kids.size();
    const std::size_t none = static_cast<std::size_t>(-1);
    std::vector<std::size_t> childRuleOf(count, none);
    std::vector<std::size_t> startPos(rule.children.size(), 0),
        firstMatch(rule.children.size(), none);
    std::size_t pos = 0;
    std::vector<std::wstring> named;
    std::size_t positional = 0;
    bool anyRepeat = false;
    // Inside an operation or action: children searched by name and not found.
    std::vector<std::wstring> missing;
    for (std::size_t k = 0; k < rule.children.size(); ++k) {
        const ChildRule& childRule = rule.children[k];
        startPos[k] = pos;
        if (childRule.name.empty()) {
            if (childRule.repeat)
                anyRepeat = true;
            else
                ++positional;
            for (; pos < count; ++pos) {
                childRuleOf[pos] = k;
                if (firstMatch[k] == none) firstMatch[k] = pos;
                if (!childRule.repeat) {
                    ++pos;
                    break;
                }
            }
            continue;
        }
        named.push_back(childRule.name);
        std::size_t last = none;
        for (std::size_t i = pos; i < count; ++i) {
            if (m_tree.At(kids[i]).tag != childRule.name) continue;
            childRuleOf[i] = k;
            last = i;
            if (firstMatch[k] == none) firstMatch[k] = i;
            if (!childRule.repeat) break;
        }
        if (last != none) {
            pos = last + 1;
        } else if (owner >= 0 && !childRule.required) {
            missing.push_back(childRule.name);
        } else if (childRule.required) {
            Add(Severity::Error, parent.offset,
                Tag(parent.tag) + " has no " + Q(childRule.name) + " that the library can find" +
                    (rule.role == Role::Rule ? ": the rule gets the base operation (type 0)" : ""),
                "missing-element");
        }
    }
    bool misread = false;
    for (std::size_t i = 0; i < count; ++i) {
        if (childRuleOf[i] != none) {
            const std::size_t k = childRuleOf[i];
            const ChildRule& childRule = rule.children[k];
            if (owner >= 0 && childRule.name.empty() &&
                Misread(kids[i], childRule, i, startPos[k], owner, context)) {
                m_read[static_cast<std::size_t>(kids[i])] = childRule.elem.get();
                misread = true;
                continue;
            }
            Walk(kids[i], *childRule.elem, owner, std::string());
            continue;
        }
        const Node& child = m_tree.At(kids[i]);
        const std::string name = Tag(child.tag);
        // Known here, but never reached: the search for it started after it.
        auto known = std::find_if(
            rule.children.begin(), rule.children.end(),
            [&](const ChildRule& c) { return !c.name.empty() && c.name == child.tag; });
        if (known != rule.children.end()) {
            std::size_t k = static_cast<std::size_t>(known - rule.children.begin());
            if (!known->repeat && firstMatch[k] != none && firstMatch[k] < i) {
                Add(Severity::Warning, child.offset,
                    name + " is never read: only the first " + Q(child.tag) + " of " +
                        Tag(parent.tag) + " is read",
                    "misplaced-element");
            } else {
                std::wstring blocker =
                    startPos[k] > 0 ? m_tree.At(kids[startPos[k] - 1]).tag : std::wstring();
                Add(Severity::Error, child.offset,
                    name + " is never read: it stands before " + Q(blocker) + ", and " +
                        Tag(parent.tag) + " reads " + Join(named) + " in this order",
                    "misplaced-element");
            }
            continue;
        }
        // Passed over by a forward search for a later element.
        std::wstring searched;
        for (std::size_t k = 0; k < rule.children.size(); ++k)
            if (!rule.children[k].name.empty() && firstMatch[k] != none && firstMatch[k] > i &&
                startPos[k] <= i) {
                searched = rule.children[k].name;
                break;
            }
        std::wstring nearest = NearestName(child.tag, named);
        std::string hint = nearest.empty() ? std::string() : "; did you mean " + Q(nearest) + "?";
        if (!searched.empty() && anyRepeat) {
            Add(Severity::Error, child.offset,
                name + " is never read: the search for " + Q(searched) + " passes over it (" +
                    Q(searched) + " must come first in " + Tag(parent.tag) + ")" + hint,
                "misplaced-element");
        } else if (named.empty() && (positional > 0 || rule.children.empty())) {
            Add(Severity::Warning, child.offset,
                name + " is never read: " + context +
                    (positional ? " reads only its first " + std::to_string(positional) +
                                      " child element" + (positional > 1 ? "s" : "")
                                : std::string(" reads no child elements")),
                "extra-element");
        } else if (std::find(missing.begin(), missing.end(), nearest) != missing.end() &&
                   !nearest.empty()) {
            // A misspelt child: the value it holds is what the author meant.
            missing.erase(std::find(missing.begin(), missing.end(), nearest));
            m_incomplete.insert(owner);
            m_missing[owner].insert(nearest);
            Add(Severity::Error, child.offset,
                name + " is never read" + hint + " Without it, " + context + " reads no " +
                    Q(nearest) + " and keeps its default value",
                "unknown-element");
        } else {
            // A record of the model out of its place is behaviour lost.
            static const std::set<std::wstring> records = {
                L"Action", L"Result",    L"Rule", L"Operation", L"ActionList", L"WaitingEventState",
                L"Msg",    L"Field_IEID"};
            Add(records.count(child.tag) ? Severity::Error : Severity::Warning, child.offset,
                name + " is never read" +
                    (nearest.empty() ? ": " + Tag(parent.tag) + " reads " + Join(named) : hint),
                "unknown-element");
        }
    }
    // A position left empty: the kind keeps its default there.
    for (std::size_t k = 0; k < rule.children.size() && owner >= 0; ++k) {
        const ChildRule& slot = rule.children[k];
        if (slot.name.empty() && slot.repeat && firstMatch[k] == none && node == owner)
            EmptyList(node, slot, context);
        if (!slot.name.empty() || slot.repeat || firstMatch[k] != none) continue;
        m_incomplete.insert(owner);
        if (misread) continue;  // the misread child is the cause, reported already
        NoChildAt(node, slot, startPos[k], context);
    }
    for (const std::wstring& name : missing) {
        bool written = std::any_of(kids.begin(), kids.end(),
                                   [&](int kid) { return m_tree.At(kid).tag == name; });
        if (written) continue;  // reported where it stands, out of order
        m_missing[owner].insert(name);
        // A list left out reads as an empty one: nothing is misread.
        auto slot = std::find_if(rule.children.begin(), rule.children.end(),
                                 [&](const ChildRule& c) { return c.name == name; });
        const ElemRule& list = *slot->elem;
        if (list.attrs.empty() && list.text == Num::None && !list.children.empty() &&
            std::all_of(list.children.begin(), list.children.end(),
                        [](const ChildRule& c) { return c.repeat; })) {
            Add(Severity::Warning, parent.offset,
                context + " has no " + Q(name) + ": the list it reads is empty", "missing-element");
            continue;
        }
        m_incomplete.insert(owner);
        Add(Severity::Error, parent.offset,
            context + " has no " + Q(name) + ": it keeps its default value", "missing-element");
    }
}

}  // namespace ectool
