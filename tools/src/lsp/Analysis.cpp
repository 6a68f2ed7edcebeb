#include "lsp/Analysis.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "Text.h"

namespace ectool {
namespace lsp {

namespace {

bool IsSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}
bool EndsName(wchar_t c) {
    return IsSpace(c) || c == L'>' || c == L'/' || c == L'<' || c == L'=' || c == L'"' ||
           c == L'\'';
}
std::size_t NameEnd(const std::wstring& t, std::size_t i) {
    while (i < t.size() && !EndsName(t[i])) ++i;
    return i;
}

// Past the construct that starts with "<" at i (a tag, comment, CDATA
// section, processing instruction or declaration); npos when the text ends
// first. A "<" inside a start tag ends it there: the author is mid-edit.
std::size_t ConstructEnd(const std::wstring& t, std::size_t i) {
    auto after = [&](const wchar_t* close, std::size_t from) {
        std::size_t at = t.find(close, from);
        return at == std::wstring::npos ? at : at + std::char_traits<wchar_t>::length(close);
    };
    if (t.compare(i, 4, L"<!--") == 0) return after(L"-->", i + 4);
    if (t.compare(i, 9, L"<![CDATA[") == 0) return after(L"]]>", i + 9);
    if (t.compare(i, 2, L"<?") == 0) return after(L"?>", i + 2);
    wchar_t quote = 0;
    for (std::size_t j = i + 1; j < t.size(); ++j) {
        wchar_t c = t[j];
        if (quote) {
            if (c == quote) quote = 0;
            if (c == L'<') return j;
        } else if (c == L'"' || c == L'\'') {
            quote = c;
        } else if (c == L'>') {
            return j + 1;
        } else if (c == L'<') {
            return j;
        }
    }
    return std::wstring::npos;
}

// The value of an attribute in a start tag's text, as written.
std::wstring AttrIn(const std::wstring& t, std::size_t begin, std::size_t end,
                    const wchar_t* name) {
    std::size_t i = NameEnd(t, begin + 1);
    while (i < end) {
        while (i < end && (IsSpace(t[i]) || t[i] == L'/')) ++i;
        std::size_t nameStart = i;
        i = NameEnd(t, i);
        if (i == nameStart) {
            ++i;
            continue;
        }
        std::wstring attr = t.substr(nameStart, i - nameStart);
        while (i < end && IsSpace(t[i])) ++i;
        if (i >= end || t[i] != L'=') continue;
        ++i;
        while (i < end && IsSpace(t[i])) ++i;
        std::wstring value;
        if (i < end && (t[i] == L'"' || t[i] == L'\'')) {
            wchar_t quote = t[i++];
            std::size_t close = t.find(quote, i);
            if (close == std::wstring::npos || close > end) close = end;
            value = t.substr(i, close - i);
            i = close + 1;
        }
        if (attr == name) return value;
    }
    return std::wstring();
}

// Tags before limit, in order: open(name, begin, end, selfClosing) and
// close(name, begin, end). Returns where a construct runs past limit, or
// npos.
template <class Open, class Close>
std::size_t ScanTags(const std::wstring& t, std::size_t limit, Open open, Close close) {
    std::size_t i = 0;
    for (;;) {
        i = t.find(L'<', i);
        if (i == std::wstring::npos || i >= limit) return std::wstring::npos;
        std::size_t end = ConstructEnd(t, i);
        if (end == std::wstring::npos || end > limit) return i;
        if (i + 1 < end && t[i + 1] == L'/') {
            std::size_t nameEnd = NameEnd(t, i + 2);
            close(t.substr(i + 2, nameEnd - i - 2), i, end);
        } else if (i + 1 < end && t[i + 1] != L'!' && t[i + 1] != L'?') {
            std::size_t nameEnd = NameEnd(t, i + 1);
            bool selfClosing = end >= 2 && t[end - 1] == L'>' && t[end - 2] == L'/';
            open(t.substr(i + 1, nameEnd - i - 1), i, end, selfClosing);
        }
        i = end > i ? end : i + 1;
    }
}

bool IsList(Num num) {
    return num == Num::HexList || num == Num::DecList;
}
bool IsHex(Num num) {
    return num == Num::Hex || num == Num::HexList;
}

// The child rule of each child element, matched as the library searches:
// each rule in order, from where the last match left off.
std::vector<const ChildRule*> MatchChildren(const DocTree& tree, int node, const ElemRule& rule) {
    const std::vector<int>& kids = tree.At(node).children;
    std::vector<const ChildRule*> matched(kids.size(), nullptr);
    std::size_t pos = 0;
    for (const ChildRule& child : rule.children) {
        if (child.name.empty()) {
            for (; pos < kids.size(); ++pos) {
                matched[pos] = &child;
                if (!child.repeat) {
                    ++pos;
                    break;
                }
            }
            continue;
        }
        std::size_t last = kids.size();
        for (std::size_t i = pos; i < kids.size(); ++i) {
            if (tree.At(kids[i]).tag != child.name) continue;
            matched[i] = &child;
            last = i;
            if (!child.repeat) break;
        }
        if (last != kids.size()) pos = last + 1;
    }
    return matched;
}

}  // namespace

Target TargetOf(Ref ref) {
    switch (ref) {
        case Ref::Msg:
            return Target::Msg;
        case Ref::EventState:
            return Target::EventState;
        case Ref::Rule:
            return Target::Rule;
        case Ref::Event:
            return Target::Event;
        case Ref::SysState:
            return Target::SysState;
        case Ref::None:
            break;
    }
    return Target::Msg;
}

std::size_t ValueEnd(const std::wstring& text, std::size_t begin) {
    if (begin > text.size()) return text.size();
    wchar_t quote = begin > 0 ? text[begin - 1] : 0;
    std::size_t i = begin;
    if (quote == L'"' || quote == L'\'') {
        while (i < text.size() && text[i] != quote && text[i] != L'<' && text[i] != L'\n') ++i;
        return i;
    }
    while (i < text.size() && text[i] != L'<') ++i;
    while (i > begin && IsSpace(text[i - 1])) --i;
    return i;
}

std::size_t TokenEnd(const std::wstring& text, std::size_t begin) {
    if (begin >= text.size()) return text.size();
    std::size_t end;
    if (text[begin] == L'<') {
        end = NameEnd(text, begin + 1);
    } else if (begin > 0 && (text[begin - 1] == L'"' || text[begin - 1] == L'\'')) {
        end = ValueEnd(text, begin);
    } else {
        end = begin;
        while (end < text.size() && text[end] != L'<' && text[end] != L'\n' && text[end] != L'\r' &&
               text[end] != L'=' && text[end] != L'>')
            ++end;
        while (end > begin && IsSpace(text[end - 1])) --end;
    }
    return end > begin ? end : begin + 1;
}

std::shared_ptr<const ElemRule> KindRule(Role role, const std::wstring& type) {
    int id = ecfg::DecToInt(type);
    return role == Role::Operation ? OperationRule(id) : ActionRule(id);
}

Analysis::Analysis(const std::string& name, const std::wstring& text)
    : m_loaded(new Loaded(name, text)) {
    m_findings = CheckFile(*m_loaded);
    const DocTree& tree = m_loaded->Tree();
    m_rules.assign(tree.Nodes().size(), nullptr);
    ScanEnds();
    if (!tree.Tops().empty() && m_loaded->Markup().IsWellFormed())
        Walk(tree.Tops().front(), FileRule().get(), -1, -1);
    std::stable_sort(m_sites.begin(), m_sites.end(),
                     [](const Site& a, const Site& b) { return a.begin < b.begin; });
    for (std::size_t i = 0; i < m_sites.size(); ++i)
        if (m_sites[i].definition)
            m_defs[std::make_tuple(static_cast<int>(m_sites[i].target), m_sites[i].id,
                                   m_sites[i].protocol)]
                .push_back(i);
}

void Analysis::ScanEnds() {
    const std::wstring& text = Text();
    std::vector<std::pair<std::size_t, std::size_t>> spans;  // (begin, end), by begin
    std::vector<std::pair<std::wstring, std::size_t>> open;  // name, index into spans
    ScanTags(
        text, text.size(),
        [&](const std::wstring& name, std::size_t begin, std::size_t end, bool selfClosing) {
            spans.push_back({begin, end});
            if (!selfClosing) open.push_back({name, spans.size() - 1});
        },
        [&](const std::wstring& name, std::size_t begin, std::size_t end) {
            auto match = std::find_if(open.rbegin(), open.rend(),
                                      [&](const auto& entry) { return entry.first == name; });
            if (match == open.rend()) return;
            std::size_t keep = static_cast<std::size_t>(open.rend() - match);
            while (open.size() > keep) {
                spans[open.back().second].second = begin;  // never closed
                open.pop_back();
            }
            spans[open.back().second].second = end;
            open.pop_back();
        });
    for (const auto& entry : open) spans[entry.second].second = text.size();
    const std::vector<Node>& nodes = Tree().Nodes();
    m_ends.assign(nodes.size(), 0);
    for (std::size_t n = 0; n < nodes.size(); ++n) {
        auto it = std::lower_bound(spans.begin(), spans.end(), nodes[n].offset,
                                   [](const std::pair<std::size_t, std::size_t>& s,
                                      std::size_t at) { return s.first < at; });
        m_ends[n] = it != spans.end() && it->first == nodes[n].offset
                        ? it->second
                        : std::min(text.size(), nodes[n].offset + nodes[n].tag.size() + 1);
    }
}

const ElemRule* Analysis::RuleOf(int node) const {
    return node >= 0 && static_cast<std::size_t>(node) < m_rules.size()
               ? m_rules[static_cast<std::size_t>(node)]
               : nullptr;
}

std::size_t Analysis::End(int node) const {
    return m_ends[static_cast<std::size_t>(node)];
}

int Analysis::NodeAt(std::size_t offset) const {
    const std::vector<Node>& nodes = Tree().Nodes();
    auto it = std::upper_bound(nodes.begin(), nodes.end(), offset,
                               [](std::size_t at, const Node& n) { return at < n.offset; });
    int node = static_cast<int>(it - nodes.begin()) - 1;
    while (node >= 0 && End(node) <= offset) node = Tree().At(node).parent;
    return node;
}

int Analysis::Ancestor(int node, Role role) const {
    for (; node >= 0; node = Tree().At(node).parent) {
        const ElemRule* rule = RuleOf(node);
        if (rule && rule->role == role) return node;
    }
    return -1;
}

void Analysis::Walk(int node, const ElemRule* rule, int protocol, int eventState) {
    m_rules[static_cast<std::size_t>(node)] = rule;
    if (rule->role == Role::Protocol) protocol = node;
    if (rule->role == Role::EventState) eventState = node;
    AddSites(node, *rule, protocol, eventState);
    if (rule->opaque) return;
    const Node& n = Tree().At(node);
    std::shared_ptr<const ElemRule> kind;
    const ElemRule* content = rule;
    if (rule->role == Role::Operation || rule->role == Role::Action) {
        kind = KindRule(rule->role, n.AttrValue(L"Type"));
        content = kind.get();
        if (!content) return;
    }
    std::vector<const ChildRule*> matched = MatchChildren(Tree(), node, *content);
    for (std::size_t i = 0; i < matched.size(); ++i)
        if (matched[i]) Walk(n.children[i], matched[i]->elem.get(), protocol, eventState);
    // A protocol switch names a protocol, and a system state of that one.
    if (rule->role == Role::Action && kind == ActionRule(29)) {
        for (int child : n.children) {
            const Node& target = Tree().At(child);
            if (target.tag != L"SwitchToProtocol" || !RuleOf(child)) continue;
            const AttrSite* id = target.Attr(L"ID");
            if (id)
                AddValue(Target::Protocol, Num::Hex, id->value, id->valueOffset, child, -1, -1,
                         false);
            for (int state : target.children) {
                const AttrSite* stateId = Tree().At(state).Attr(L"ID");
                if (Tree().At(state).tag != L"SystemState" || !stateId || !id) continue;
                AddValue(Target::SysState, Num::Hex, stateId->value, stateId->valueOffset, state,
                         -1, -1, false);
                m_sites.back().hasSwitch = true;
                m_sites.back().switchTo = ecfg::HexToInt(id->value);
            }
            break;
        }
    }
}

void Analysis::AddValue(Target target, Num num, const std::wstring& value, std::size_t begin,
                        int node, int protocol, int scope, bool definition) {
    const std::wstring& text = Text();
    if (begin > text.size()) return;
    std::size_t end = ValueEnd(text, begin);
    std::wstring raw = text.substr(begin, end - begin);
    // Entities make the written text differ from the value: the whole span then.
    if (!IsList(num) || raw != value) {
        int id = IsHex(num) ? ecfg::HexToInt(value) : ecfg::DecToInt(value);
        m_sites.push_back({target, id, begin, end, node, protocol, scope, definition});
        return;
    }
    std::size_t piece = 0;
    while (piece <= raw.size()) {
        std::size_t slash = raw.find(L'/', piece);
        if (slash == std::wstring::npos) slash = raw.size();
        std::size_t a = piece, b = slash;
        while (a < b && IsSpace(raw[a])) ++a;
        while (b > a && IsSpace(raw[b - 1])) --b;
        if (a < b) {
            std::wstring text = raw.substr(a, b - a);
            int id = IsHex(num) ? ecfg::HexToInt(text) : ecfg::DecToInt(text);
            m_sites.push_back(
                {target, id, begin + a, begin + b, node, protocol, scope, definition});
        }
        piece = slash + 1;
    }
}

void Analysis::AddSites(int node, const ElemRule& rule, int protocol, int eventState) {
    const Node& n = Tree().At(node);
    auto define = [&](Target target, const wchar_t* attr, Num num, int scope, int where) {
        if (const AttrSite* site = n.Attr(attr))
            AddValue(target, num, site->value, site->valueOffset, node, where, scope, true);
    };
    switch (rule.role) {
        case Role::Protocol:
            define(Target::Protocol, L"ProtocolType", Num::Dec, -1, -1);
            break;
        case Role::SystemState:
            define(Target::SysState, L"ID", Num::Dec, -1, protocol);
            break;
        case Role::EventState:
            define(Target::EventState, L"ID", Num::Dec, -1, protocol);
            break;
        case Role::Rule:
            define(Target::Rule, L"ID", Num::Dec, eventState, protocol);
            break;
        case Role::Msg:
            define(Target::Msg, L"MsgID", Num::Hex, -1, protocol);
            break;
        case Role::EventInfo:
            define(Target::Event, L"ID", Num::Dec, -1, protocol);
            break;
        default:
            break;
    }
    for (const AttrRule& attr : rule.attrs) {
        const AttrSite* site = attr.ref == Ref::None ? nullptr : n.Attr(attr.name.c_str());
        if (site)
            AddValue(TargetOf(attr.ref), attr.num, site->value, site->valueOffset, node, protocol,
                     eventState, false);
    }
    if (!n.leaf) return;
    if (rule.textRef != Ref::None)
        AddValue(TargetOf(rule.textRef), rule.text, n.data, n.textOffset, node, protocol,
                 eventState, false);
    else if (rule.role == Role::RelEventStateId)
        AddValue(Target::EventState, Num::Dec, n.data, n.textOffset, node, protocol, -1, false);
}

const Site* Analysis::SiteAt(std::size_t offset) const {
    auto it = std::upper_bound(m_sites.begin(), m_sites.end(), offset,
                               [](std::size_t at, const Site& s) { return at < s.begin; });
    if (it == m_sites.begin()) return nullptr;
    --it;
    return offset <= it->end ? &*it : nullptr;
}

const Site* Analysis::Definition(const Site& site) const {
    if (site.definition) return &site;
    int protocol = site.protocol;
    if (site.target == Target::Protocol) protocol = -1;
    if (site.hasSwitch) {
        Site target{Target::Protocol, site.switchTo, 0, 0, -1, -1, -1, false};
        const Site* switched = Definition(target);
        if (!switched) return nullptr;
        protocol = switched->node;
    }
    auto it = m_defs.find(std::make_tuple(static_cast<int>(site.target), site.id, protocol));
    if (it == m_defs.end()) return nullptr;
    const std::vector<std::size_t>& defs = it->second;
    if (site.target == Target::Rule)
        for (std::size_t i : defs)
            if (m_sites[i].scope == site.scope) return &m_sites[i];
    // Messages keep the first of duplicate ids; every other map the later.
    return &m_sites[site.target == Target::Msg ? defs.front() : defs.back()];
}

std::vector<const Site*> Analysis::Uses(const Site& definition) const {
    std::vector<const Site*> uses = {&definition};
    for (const Site& site : m_sites)
        if (!site.definition && site.target == definition.target && site.id == definition.id &&
            Definition(site) == &definition)
            uses.push_back(&site);
    return uses;
}

CursorContext ContextAt(const std::wstring& text, std::size_t offset) {
    CursorContext context;
    offset = std::min(offset, text.size());
    std::vector<std::size_t> counts = {0};  // children seen, per open element and the top
    std::size_t partial = ScanTags(
        text, offset,
        [&](const std::wstring& name, std::size_t begin, std::size_t end, bool selfClosing) {
            ++counts.back();
            if (selfClosing) return;
            context.open.push_back(
                {name, begin, AttrIn(text, begin, end, L"Type"), counts.back() - 1});
            counts.push_back(0);
        },
        [&](const std::wstring& name, std::size_t, std::size_t) {
            auto match = std::find_if(context.open.rbegin(), context.open.rend(),
                                      [&](const OpenElement& e) { return e.name == name; });
            if (match == context.open.rend()) return;
            std::size_t keep = static_cast<std::size_t>(context.open.rend() - match) - 1;
            context.open.resize(keep);
            counts.resize(keep + 1);
        });
    if (partial == std::wstring::npos) return context;
    if (partial + 1 < text.size() &&
        (text[partial + 1] == L'!' || text[partial + 1] == L'?' || text[partial + 1] == L'/')) {
        context.kind = CursorContext::Other;
        return context;
    }
    std::size_t nameEnd = NameEnd(text, partial + 1);
    std::wstring name = text.substr(partial + 1, std::min(nameEnd, offset) - partial - 1);
    if (nameEnd >= offset) {
        context.kind = CursorContext::TagName;
        return context;
    }
    context.open.push_back({name, partial, AttrIn(text, partial, offset, L"Type"), counts.back()});
    // Attribute names and an open quote, up to the cursor.
    context.kind = CursorContext::AttrName;
    std::size_t i = nameEnd;
    while (i < offset) {
        if (IsSpace(text[i]) || text[i] == L'/') {
            ++i;
            continue;
        }
        std::size_t start = i;
        i = std::min(NameEnd(text, i), offset);
        if (i == start) {
            ++i;
            continue;
        }
        std::wstring attr = text.substr(start, i - start);
        while (i < offset && IsSpace(text[i])) ++i;
        if (i >= offset) break;  // still typing the name
        context.present.push_back(attr);
        if (text[i] != L'=') continue;
        ++i;
        while (i < offset && IsSpace(text[i])) ++i;
        if (i < offset && (text[i] == L'"' || text[i] == L'\'')) {
            std::size_t close = text.find(text[i], i + 1);
            if (close == std::wstring::npos || close >= offset) {
                context.kind = CursorContext::AttrValue;
                context.attr = attr;
                return context;
            }
            i = close + 1;
        }
    }
    return context;
}

const ElemRule* RuleOfPath(const std::vector<OpenElement>& open) {
    if (open.empty()) return nullptr;
    const ElemRule* rule = FileRule().get();
    for (std::size_t d = 1; d < open.size() && rule; ++d) {
        std::shared_ptr<const ElemRule> kind;
        const ElemRule* parent = rule;
        if (rule->role == Role::Operation || rule->role == Role::Action) {
            kind = KindRule(rule->role, open[d - 1].type);
            parent = kind.get();
            if (!parent) return nullptr;
        }
        rule = nullptr;
        for (const ChildRule& child : parent->children)
            if (!child.name.empty() && child.name == open[d].name) rule = child.elem.get();
        if (rule) continue;
        // Read by position: the n-th element, or every one from there on.
        std::size_t k = open[d].childCount;
        for (const ChildRule& child : parent->children) {
            if (!child.name.empty()) continue;
            if (child.repeat || k == 0) {
                rule = child.elem.get();
                break;
            }
            --k;
        }
    }
    return rule;
}

}  // namespace lsp
}  // namespace ectool
