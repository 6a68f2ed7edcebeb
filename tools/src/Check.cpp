#include "Check.h"

#include <algorithm>
#include <cwctype>
#include <map>
#include <memory>
#include <set>

#include "Grammar.h"
#include "Loaded.h"
#include "Text.h"
#include "View.h"
#include "eventconfig/EventConfig.h"

namespace ectool {

namespace {

std::string Q(const std::wstring& text) {
    return "\"" + Utf8(text) + "\"";
}
std::string Tag(const std::wstring& tag) {
    return "<" + Utf8(tag) + ">";
}
std::string Hex(int id) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%X", static_cast<unsigned>(id));
    return buffer;
}

bool Space(wchar_t c) {
    return std::iswspace(static_cast<wint_t>(c)) != 0;
}
// How a number rule reads a text: its digits and what stops them.
struct Reading {
    bool blank = true;  // nothing but white space
    bool hexLooking = false;
    std::size_t digits = 0;
    std::size_t stop = std::wstring::npos;  // first non-space character after the digits
};

Reading Read(const std::wstring& text, int base) {
    Reading r;
    std::size_t i = 0;
    while (i < text.size() && Space(text[i])) ++i;
    r.blank = i == text.size();
    std::size_t start = i;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) ++i;
    r.hexLooking =
        i + 1 < text.size() && text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'X');
    if (base == 16 && r.hexLooking && i + 2 < text.size() && DigitValue(text[i + 2]) < 16) i += 2;
    std::size_t digitsStart = i;
    while (i < text.size() && DigitValue(text[i]) < base) ++i;
    r.digits = i - digitsStart;
    if (r.digits == 0) i = start;
    while (i < text.size() && Space(text[i])) ++i;
    if (i < text.size()) r.stop = i;
    return r;
}

std::map<int, std::string> KindNames(const std::vector<EventConfigKindInfo>& kinds) {
    std::map<int, std::string> names;
    for (const EventConfigKindInfo& kind : kinds) names[kind.nTypeID] = kind.szClassName;
    return names;
}

std::string KindName(Role role, int type) {
    static const std::map<int, std::string> operations = KindNames(EventConfigOperationKinds());
    static const std::map<int, std::string> actions = KindNames(EventConfigActionKinds());
    const auto& names = role == Role::Operation ? operations : actions;
    auto it = names.find(type);
    return it == names.end() ? std::string("kind ") + std::to_string(type) : it->second;
}

std::string Join(const std::vector<std::wstring>& names) {
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
        m_findings.push_back({severity, offset, std::move(message), check});
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

    std::vector<int> ReadBelow(int node, Role role) const;
    std::map<int, int> Winners(const std::vector<int>& nodes, const wchar_t* attr, bool hex,
                               bool laterWins) const;
    void Duplicates(const std::vector<int>& nodes, const wchar_t* attr, bool hex, bool laterWins,
                    const char* what);
    void CheckDuplicates();
    void CheckProtocol(LoadedProtocol& protocol);
    void CheckRule(LoadedProtocol& protocol, CRuleConfig& rule, int ruleNode,
                   CEventStateConfig& state);
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
    std::vector<Finding> m_findings;
    MsgCandidates* m_candidates;
    // Per protocol, what it defines.
    std::set<int> m_sysStates, m_eventStates, m_events, m_msgs;
};

void Checker::CheckNumber(const std::wstring& value, int base, std::size_t offset,
                          const std::string& label) {
    Reading r = Read(value, base);
    if (r.blank) return;
    const char* check = "number-format";
    if (base == 10 && r.hexLooking) {
        Add(Severity::Warning, offset,
            label + " " + Q(value) +
                " looks hexadecimal, but the field is decimal: it is read as " +
                std::to_string(DecimalValue(value)),
            check);
    } else if (r.digits == 0) {
        Add(Severity::Warning, offset,
            label + " " + Q(value) + " is not a " + (base == 16 ? "hexadecimal " : "decimal ") +
                "number: it is read as 0",
            check);
    } else if (r.stop != std::wstring::npos) {
        int read = base == 16 ? HexValue(value) : DecimalValue(value);
        std::string shown =
            base == 16 ? Hex(read) + " (" + std::to_string(read) + ")" : std::to_string(read);
        Add(Severity::Warning, offset,
            label + " " + Q(value) + " is read as " + shown + ": reading stops at " +
                Q(std::wstring(1, value[r.stop])),
            check);
    }
}

void Checker::CheckValue(Num num, Ref ref, const std::wstring& value, std::size_t offset,
                         const std::string& label, int owner) {
    auto site = [&](int id) {
        if (ref != Ref::None && owner >= 0) m_sites[owner].push_back({ref, id, offset});
    };
    switch (num) {
        case Num::None:
        case Num::Text:
            break;
        case Num::Dec:
            CheckNumber(value, 10, offset, label);
            site(DecimalValue(value));
            break;
        case Num::Hex:
            CheckNumber(value, 16, offset, label);
            site(HexValue(value));
            break;
        case Num::HexList:
        case Num::DecList: {
            if (value.empty()) break;
            int base = num == Num::HexList ? 16 : 10;
            for (const std::wstring& piece : SplitIdList(value)) {
                if (Read(piece, base).blank)
                    Add(Severity::Warning, offset,
                        label + " " + Q(value) + " has an empty id, which is read as 0",
                        "number-format");
                else
                    CheckNumber(piece, base, offset, label);
                site(base == 16 ? HexValue(piece) : DecimalValue(piece));
            }
            break;
        }
        case Num::Flag:
            if (!value.empty())
                NotTrueOrFalse(value, offset, label, Severity::Warning, "it reads as off",
                               "flag-value");
            break;
        case Num::Type: {
            bool plain = !value.empty() && std::all_of(value.begin(), value.end(), [](wchar_t c) {
                return c >= L'0' && c <= L'9';
            });
            if (plain) break;
            Reading r = Read(value, 10);
            if (r.hexLooking)
                Add(Severity::Error, offset,
                    label + " " + Q(value) +
                        " is read as decimal: " + std::to_string(DecimalValue(value)) +
                        (DecimalValue(value) == 0 ? ", the base kind" : ""),
                    "type-number");
            else
                Add(Severity::Warning, offset,
                    label + " " + Q(value) + " is not a plain decimal number: it is read as " +
                        std::to_string(DecimalValue(value)),
                    "type-number");
            break;
        }
        case Num::ResultType:
            NotTrueOrFalse(value, offset, label, Severity::Error, "its actions are ignored",
                           "result-type");
            break;
        case Num::DecOrInfin:
            if (value == L"Infin") break;
            if (Read(value, 10).digits == 0 && EditDistance(value, L"Infin") == 0)
                Add(Severity::Warning, offset,
                    label + " " + Q(value) +
                        " is not \"Infin\" (the match is case-sensitive): it is read as 0",
                    "number-format");
            else
                CheckNumber(value, 10, offset, label);
            break;
        case Num::DecOrAll: {
            std::wstring lower = value;
            for (wchar_t& c : lower)
                c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
            if (lower != L"all") CheckNumber(value, 10, offset, label);
            break;
        }
    }
}

void Checker::CheckAttrs(int node, const ElemRule& rule, int owner) {
    const Node& n = m_tree.At(node);
    std::vector<std::wstring> unused;
    for (const AttrRule& attr : rule.attrs)
        if (!n.Attr(attr.name.c_str())) unused.push_back(attr.name);
    for (const AttrSite& site : n.attrs) {
        auto it = std::find_if(rule.attrs.begin(), rule.attrs.end(),
                               [&](const AttrRule& a) { return a.name == site.name; });
        if (it != rule.attrs.end()) {
            CheckValue(it->num, it->ref, site.value, site.valueOffset,
                       Tag(n.tag) + " " + Utf8(site.name), owner);
            continue;
        }
        std::wstring nearest = NearestName(site.name, unused);
        if (!nearest.empty())
            Add(Severity::Warning, site.offset,
                "attribute " + Q(site.name) + " of " + Tag(n.tag) +
                    " is never read; did you mean " + Q(nearest) + "?",
                "unknown-attribute");
    }
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
        int id = DecimalValue(type ? type->value : std::wstring());
        std::shared_ptr<const ElemRule> kind =
            rule.role == Role::Operation ? OperationRule(id) : ActionRule(id);
        if (!kind) return;  // no kind: the model's null entry is reported later
        CheckChildren(node, *kind, node, KindName(rule.role, id));
        return;
    }
    if (rule.role == Role::Result && !n.Attr(L"Type"))
        Add(Severity::Error, n.offset, "<Result> has no \"Type\": its actions are ignored",
            "result-type");
    CheckChildren(node, rule, owner, context.empty() ? Tag(n.tag) : context);
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
        } else if (childRule.required) {
            Add(Severity::Warning, parent.offset,
                Tag(parent.tag) + " has no " + Q(childRule.name) + " that the library can find" +
                    (rule.role == Role::Rule ? ": the rule gets the base operation (type 0)" : ""),
                "missing-element");
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (childRuleOf[i] != none) {
            const ChildRule& childRule = rule.children[childRuleOf[i]];
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
        } else {
            Add(Severity::Warning, child.offset,
                name + " is never read" +
                    (nearest.empty() ? ": " + Tag(parent.tag) + " reads " + Join(named) : hint),
                "unknown-element");
        }
    }
}

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
                         bool laterWins, const char* what) {
    std::map<int, int> winners = Winners(nodes, attr, hex, laterWins);
    for (int node : nodes) {
        std::wstring value = m_tree.At(node).AttrValue(attr);
        int id = hex ? HexValue(value) : DecimalValue(value);
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
        int id = DecimalValue(m_tree.At(entry).AttrValue(L"ID"));
        if (!m_sysStates.count(id))
            Add(Severity::Warning, AttrOffset(entry, L"ID"),
                "relationship entry for system state " + std::to_string(id) + ", which protocol " +
                    std::to_string(protocol.type) + " does not define",
                "dangling-system-state");
        for (int ref : ReadBelow(entry, Role::RelEventStateId)) {
            int state = DecimalValue(m_tree.At(ref).data);
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

std::vector<Finding> Checker::Run() {
    const CMarkup& markup = m_loaded.Markup();
    if (markup.GetEncodingFellBack()) {
        std::size_t at = m_loaded.Text().find(L"encoding");
        Add(Severity::Error, at == std::wstring::npos ? 0 : at,
            "the declared encoding cannot be decoded: the library reads the file as " +
                Utf8(markup.GetLoadEncoding()),
            "encoding");
    }
    if (!markup.IsWellFormed()) {
        std::wstring error = markup.GetError();
        Add(Severity::Error, markup.GetErrorOffset() == CMarkup::npos ? 0 : markup.GetErrorOffset(),
            "not well-formed: " + (error.empty() ? std::string("no root element") : Utf8(error)),
            "xml-syntax");
        return m_findings;
    }
    int root = m_loaded.Root();
    if (root < 0) return m_findings;
    Walk(root, *FileRule(), -1, std::string());
    CheckDuplicates();
    m_loaded.BuildModels();
    for (LoadedProtocol& protocol : m_loaded.Protocols()) CheckProtocol(protocol);
    std::stable_sort(m_findings.begin(), m_findings.end(),
                     [](const Finding& a, const Finding& b) { return a.offset < b.offset; });
    return m_findings;
}

}  // namespace

std::vector<Finding> CheckFile(Loaded& loaded, MsgCandidates* candidates) {
    return Checker(loaded, candidates).Run();
}

}  // namespace ectool
