#include "lsp/Features.h"

#include <algorithm>
#include <cstdio>
#include <cwctype>
#include <map>
#include <set>

#include "Text.h"
#include "eventconfig/actions/ActionConfig.h"
#include "eventconfig/operations/OperationTypeConfig.h"

namespace ectool {
namespace lsp {

using nlohmann::json;

namespace {

// Completion item and symbol kinds of the protocol.
enum { kItemProperty = 10, kItemValue = 12, kItemKeyword = 14, kItemEnumMember = 20 };
enum { kSymModule = 2, kSymNamespace = 3, kSymClass = 5, kSymFunction = 12, kSymEvent = 24 };

struct Kind {
    std::string className;
    std::string description;
};

// Each kind's class and description, from the registry's table.
const std::map<int, Kind>& Kinds(Role role) {
    auto table = [](const std::vector<EventConfigKindInfo>& kinds) {
        std::map<int, Kind> byId;
        for (const EventConfigKindInfo& kind : kinds)
            byId[kind.nTypeID] = {kind.szClassName, kind.szDescription};
        return byId;
    };
    static const std::map<int, Kind> operations = table(EventConfigOperationKinds());
    static const std::map<int, Kind> actions = table(EventConfigActionKinds());
    static const std::map<int, Kind> none;
    return role == Role::Operation ? operations : role == Role::Action ? actions : none;
}

const Kind* FindKind(Role role, int id) {
    auto it = Kinds(role).find(id);
    return it == Kinds(role).end() ? nullptr : &it->second;
}

const char* NumShort(Num num) {
    switch (num) {
        case Num::Dec:
            return "dec";
        case Num::Hex:
            return "hex";
        case Num::HexList:
            return "hex/hex…";
        case Num::DecList:
            return "dec/dec…";
        case Num::Flag:
            return "TRUE";
        case Num::Type:
            return "type";
        case Num::ResultType:
            return "TRUE|FALSE";
        case Num::DecOrInfin:
            return "dec|Infin";
        case Num::DecOrAll:
            return "dec|all";
        case Num::None:
        case Num::Text:
            break;
    }
    return "text";
}

// What a rule reads, as one line of markup: attributes by name, text by its
// number rule, "*" for an element of any name, "…" after one read repeatedly.
std::string GrammarLine(const ElemRule& rule) {
    std::string out;
    for (const ChildRule& child : rule.children) {
        const ElemRule& elem = *child.elem;
        std::string name = child.name.empty() ? "*" : Utf8(child.name);
        std::string attrs;
        for (const AttrRule& attr : elem.attrs) attrs += " " + Utf8(attr.name);
        std::string content = elem.text != Num::None && elem.children.empty() ? NumShort(elem.text)
                                                                              : GrammarLine(elem);
        out += content.empty() ? "<" + name + attrs + "/>"
                               : "<" + name + attrs + ">" + content + "</" + name + ">";
        if (child.repeat) out += "…";
    }
    return out;
}

std::string KindMarkdown(Role role, int id) {
    const Kind* kind = FindKind(role, id);
    std::string what = role == Role::Operation ? "operation" : "action";
    if (!kind)
        return "**" + what + " type " + std::to_string(id) + "**: no such kind; the " +
               (role == Role::Operation ? "rule gets a null operation" : "list gets a null entry");
    std::shared_ptr<const ElemRule> rule =
        role == Role::Operation ? OperationRule(id) : ActionRule(id);
    std::string line = rule ? GrammarLine(*rule) : std::string();
    return "**" + kind->className + "** (" + what + " type " + std::to_string(id) +
           "): " + kind->description +
           "\n\nReads: " + (line.empty() ? std::string("no child elements") : "`" + line + "`");
}

const char* NumText(Num num) {
    switch (num) {
        case Num::None:
            return "nothing";
        case Num::Text:
            return "text as written";
        case Num::Dec:
            return "decimal";
        case Num::Hex:
            return "hexadecimal";
        case Num::HexList:
            return "hexadecimal ids separated by \"/\"";
        case Num::DecList:
            return "decimal ids separated by \"/\"";
        case Num::Flag:
            return "\"TRUE\" for on, anything else off";
        case Num::Type:
            return "decimal kind id";
        case Num::ResultType:
            return "\"TRUE\" or \"FALSE\"";
        case Num::DecOrInfin:
            return "decimal, or \"Infin\"";
        case Num::DecOrAll:
            return "decimal, or \"all\"";
    }
    return "";
}

const char* TargetText(Target target) {
    switch (target) {
        case Target::Msg:
            return "message";
        case Target::EventState:
            return "event state";
        case Target::Rule:
            return "rule";
        case Target::Event:
            return "event";
        case Target::SysState:
            return "system state";
        case Target::Protocol:
            return "protocol";
    }
    return "";
}

std::string IdText(Target target, int id) {
    if (target != Target::Msg) return std::to_string(id);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%X", static_cast<unsigned>(id));
    return buffer;
}

std::string ElementMarkdown(const ElemRule& rule, const std::wstring& tag) {
    std::string out =
        "**<" + Utf8(tag) + ">**" + (rule.what.empty() ? "" : " (" + Utf8(rule.what) + ")");
    if (rule.opaque) return out + "\n\nKept whole as text; its content is not read here.";
    if (!rule.attrs.empty()) {
        out += "\n\nAttributes read:";
        for (const AttrRule& attr : rule.attrs)
            out += "\n- `" + Utf8(attr.name) + "`: " + NumText(attr.num);
    }
    if (rule.text != Num::None && rule.children.empty())
        out += std::string("\n\nIts text: ") + NumText(rule.text);
    if (!rule.children.empty()) {
        out += "\n\nChild elements, searched in this order:";
        for (const ChildRule& child : rule.children) {
            std::string name = child.name.empty() ? "any name" : "`" + Utf8(child.name) + "`";
            out += "\n- " + std::string(child.repeat ? "every following " : "the next ") + name +
                   (child.required ? " (required)" : "");
        }
    }
    return out;
}

json Range(const Document& doc, std::size_t begin, std::size_t end) {
    Pos a = doc.At(begin), b = doc.At(end);
    return {{"start", {{"line", a.line}, {"character", a.character}}},
            {"end", {{"line", b.line}, {"character", b.character}}}};
}

json Location(const Document& doc, const std::string& uri, std::size_t begin, std::size_t end) {
    return {{"uri", uri}, {"range", Range(doc, begin, end)}};
}

std::size_t NameEndAt(const std::wstring& text, std::size_t i) {
    while (i < text.size() && (std::iswalnum(static_cast<wint_t>(text[i])) || text[i] == L'_' ||
                               text[i] == L'-' || text[i] == L'.' || text[i] == L':'))
        ++i;
    return i;
}

json Diagnostic(const Analysis& analysis, const Document& doc, const Finding& finding) {
    const std::wstring& text = analysis.Text();
    std::size_t begin = finding.offset == std::wstring::npos ? 0 : finding.offset;
    begin = std::min(begin, text.size());
    return {{"range", Range(doc, begin, TokenEnd(text, begin))},
            {"severity", finding.severity == Severity::Error ? 1 : 2},
            {"code", finding.check},
            {"source", "eventconfig"},
            {"message", finding.message}};
}

// The words of a site's definition, for hovers and completion details.
std::string Describe(const Analysis& analysis, const Site& def) {
    const Node& node = analysis.Tree().At(def.node);
    std::string out = std::string(TargetText(def.target)) + " " + IdText(def.target, def.id);
    std::wstring name = node.AttrValue(L"Name");
    if (!name.empty()) out += " \"" + Utf8(name) + "\"";
    return out;
}

std::string ProtocolText(const Analysis& analysis, int protocol) {
    if (protocol < 0) return "the file";
    return "protocol " + Utf8(analysis.Tree().At(protocol).AttrValue(L"ProtocolType"));
}

json Markdown(const std::string& text, const Document& doc, std::size_t begin, std::size_t end) {
    return {{"contents", {{"kind", "markdown"}, {"value", text}}},
            {"range", Range(doc, begin, end)}};
}

}  // namespace

json Diagnostics(const Analysis& analysis, const Document& doc, const std::string& uri) {
    json list = json::array();
    for (const Finding& finding : analysis.Findings()) {
        if (finding.severity == Severity::Note) continue;
        json diagnostic = Diagnostic(analysis, doc, finding);
        // The finding's other places (the kept copy of a duplicate, ...).
        for (const Note& note : finding.notes) {
            std::size_t at = std::min(note.offset, analysis.Text().size());
            diagnostic["relatedInformation"].push_back(
                {{"location", Location(doc, uri, at, TokenEnd(analysis.Text(), at))},
                 {"message", note.message}});
        }
        list.push_back(std::move(diagnostic));
    }
    return list;
}

json Hover(const Analysis& analysis, const Document& doc, Pos pos) {
    std::size_t offset = doc.Offset(pos);
    const std::wstring& text = analysis.Text();
    if (const Site* site = analysis.SiteAt(offset)) {
        const Site* def = analysis.Definition(*site);
        std::string body;
        if (!def) {
            body = "**" + std::string(TargetText(site->target)) + " " +
                   IdText(site->target, site->id) + "** is not defined in " +
                   ProtocolText(analysis, site->protocol);
        } else if (site->definition) {
            std::size_t uses = analysis.Uses(*def).size() - 1;
            body = "**" + Describe(analysis, *def) + "**, named " + std::to_string(uses) +
                   (uses == 1 ? " time" : " times") + " in " +
                   ProtocolText(analysis, def->protocol);
        } else {
            body = "**" + Describe(analysis, *def) + "**, defined at line " +
                   std::to_string(doc.At(def->begin).line + 1) + " in " +
                   ProtocolText(analysis, def->protocol);
        }
        return Markdown(body, doc, site->begin, site->end);
    }
    int node = analysis.NodeAt(offset);
    const ElemRule* rule = analysis.RuleOf(node);
    if (!rule) return nullptr;
    const Node& n = analysis.Tree().At(node);
    bool typed = rule->role == Role::Operation || rule->role == Role::Action;
    const AttrSite* type = n.Attr(L"Type");
    if (typed && type && offset >= type->valueOffset && offset <= ValueEnd(text, type->valueOffset))
        return Markdown(KindMarkdown(rule->role, ecfg::DecToInt(type->value)), doc,
                        type->valueOffset, ValueEnd(text, type->valueOffset));
    std::size_t nameBegin = n.offset + 1, nameEnd = n.offset + 1 + n.tag.size();
    if (offset < nameBegin || offset > nameEnd) return nullptr;
    std::string body = ElementMarkdown(*rule, n.tag);
    if (typed) body += "\n\n" + KindMarkdown(rule->role, ecfg::DecToInt(n.AttrValue(L"Type")));
    return Markdown(body, doc, nameBegin, nameEnd);
}

json Definition(const Analysis& analysis, const Document& doc, const std::string& uri, Pos pos) {
    const Site* site = analysis.SiteAt(doc.Offset(pos));
    const Site* def = site ? analysis.Definition(*site) : nullptr;
    if (!def) return nullptr;
    return Location(doc, uri, def->begin, def->end);
}

json References(const Analysis& analysis, const Document& doc, const std::string& uri, Pos pos,
                bool withDeclaration) {
    const Site* site = analysis.SiteAt(doc.Offset(pos));
    const Site* def = site ? analysis.Definition(*site) : nullptr;
    json list = json::array();
    if (!def) return list;
    for (const Site* use : analysis.Uses(*def))
        if (withDeclaration || !use->definition)
            list.push_back(Location(doc, uri, use->begin, use->end));
    return list;
}

json Completion(const Analysis& analysis, const Document& doc, Pos pos) {
    const std::wstring& text = doc.Text();
    CursorContext context = ContextAt(text, doc.Offset(pos));
    json items = json::array();
    auto add = [&](const std::string& label, int kind, const std::string& detail,
                   const std::string& documentation) {
        char order[16];
        std::snprintf(order, sizeof order, "%04zu", items.size());
        json item = {{"label", label}, {"kind", kind}, {"sortText", order}};
        if (!detail.empty()) item["detail"] = detail;
        if (!documentation.empty())
            item["documentation"] = {{"kind", "markdown"}, {"value", documentation}};
        items.push_back(item);
    };
    // Ids that the protocol around the cursor defines.
    auto ids = [&](Target target) {
        int protocol = -1;
        if (context.open.size() > 2) {
            int node = analysis.NodeAt(context.open[2].offset);
            if (node >= 0 && analysis.Tree().At(node).offset == context.open[2].offset)
                protocol = node;
        }
        std::set<int> seen;
        for (const Site& site : analysis.Sites())
            if (site.definition && site.target == target &&
                (protocol < 0 || site.protocol == protocol || target == Target::Protocol) &&
                seen.insert(site.id).second)
                add(target == Target::Msg
                        ? IdText(target, site.id).substr(2)  // as written: no "0x"
                        : IdText(target, site.id),
                    kItemValue, Describe(analysis, site), std::string());
    };
    const ElemRule* rule = RuleOfPath(context.open);
    switch (context.kind) {
        case CursorContext::TagName: {
            std::shared_ptr<const ElemRule> kind;
            if (rule && (rule->role == Role::Operation || rule->role == Role::Action)) {
                kind = KindRule(rule->role, context.open.back().type);
                rule = kind.get();
            }
            if (context.open.empty()) add("EventConfig", kItemKeyword, "the root element", "");
            if (!rule) break;
            for (const ChildRule& child : rule->children) {
                std::wstring name = child.name;
                if (name.empty() && child.elem->role == Role::SystemState) name = L"SystemState";
                if (!name.empty())
                    add(Utf8(name), kItemKeyword, Utf8(child.elem->what),
                        ElementMarkdown(*child.elem, name));
            }
            break;
        }
        case CursorContext::AttrName:
            if (!rule) break;
            for (const AttrRule& attr : rule->attrs)
                if (std::find(context.present.begin(), context.present.end(), attr.name) ==
                    context.present.end())
                    add(Utf8(attr.name), kItemProperty, NumText(attr.num), std::string());
            break;
        case CursorContext::AttrValue: {
            if (!rule) break;
            auto attr = std::find_if(rule->attrs.begin(), rule->attrs.end(),
                                     [&](const AttrRule& a) { return a.name == context.attr; });
            if (attr == rule->attrs.end()) break;
            if (attr->num == Num::Type) {
                for (const auto& kind : Kinds(rule->role))
                    add(std::to_string(kind.first), kItemEnumMember,
                        kind.second.className + ": " + kind.second.description,
                        KindMarkdown(rule->role, kind.first));
            } else if (attr->num == Num::Flag || attr->num == Num::ResultType) {
                add("TRUE", kItemValue, "", "");
                add("FALSE", kItemValue, "", "");
            } else if (attr->ref != Ref::None) {
                ids(TargetOf(attr->ref));
            }
            break;
        }
        case CursorContext::Content:
            if (!rule) break;
            if (rule->role == Role::RelEventStateId) ids(Target::EventState);
            if (rule->textRef != Ref::None) ids(TargetOf(rule->textRef));
            break;
        case CursorContext::Other:
            break;
    }
    return {{"isIncomplete", false}, {"items", items}};
}

namespace {

json SymbolsBelow(const Analysis& analysis, const Document& doc, int node);

json Symbol(const Analysis& analysis, const Document& doc, int node, const std::string& name,
            const std::string& detail, int kind) {
    const Node& n = analysis.Tree().At(node);
    json symbol = {{"name", name},
                   {"kind", kind},
                   {"range", Range(doc, n.offset, analysis.End(node))},
                   {"selectionRange", Range(doc, n.offset + 1, n.offset + 1 + n.tag.size())},
                   {"children", SymbolsBelow(analysis, doc, node)}};
    if (!detail.empty()) symbol["detail"] = detail;
    return symbol;
}

std::string OperationDetail(const Analysis& analysis, int rule) {
    for (int child : analysis.Tree().At(rule).children) {
        const ElemRule* read = analysis.RuleOf(child);
        if (!read || read->role != Role::Operation) continue;
        const Node& op = analysis.Tree().At(child);
        int type = ecfg::DecToInt(op.AttrValue(L"Type"));
        const Kind* kind = FindKind(Role::Operation, type);
        return "operation " + std::to_string(type) + ": " +
               (kind ? kind->description : std::string("no such kind"));
    }
    return std::string();
}

json SymbolsBelow(const Analysis& analysis, const Document& doc, int node) {
    json list = json::array();
    for (int child : analysis.Tree().At(node).children) {
        const ElemRule* rule = analysis.RuleOf(child);
        if (!rule || rule->opaque) continue;
        const Node& n = analysis.Tree().At(child);
        std::string id = Utf8(n.AttrValue(L"ID"));
        switch (rule->role) {
            case Role::Protocol:
                list.push_back(Symbol(analysis, doc, child,
                                      Utf8(n.tag) + " " + Utf8(n.AttrValue(L"ProtocolType")),
                                      "protocol", kSymNamespace));
                break;
            case Role::SpecialList:
                list.push_back(Symbol(analysis, doc, child, Utf8(n.tag), "", kSymModule));
                break;
            case Role::SystemState:
                list.push_back(Symbol(analysis, doc, child, "SystemState " + id,
                                      Utf8(n.AttrValue(L"Name")), kSymClass));
                break;
            case Role::EventState:
                list.push_back(
                    Symbol(analysis, doc, child, "WaitingEventState " + id, "", kSymEvent));
                break;
            case Role::Rule:
                list.push_back(Symbol(analysis, doc, child, "Rule " + id,
                                      OperationDetail(analysis, child), kSymFunction));
                break;
            case Role::Operation:
            case Role::Action:
            case Role::Msg:
            case Role::LogField:
            case Role::Result:
            case Role::EventInfo:
            case Role::RelSystemState:
            case Role::RelEventStateId:
                break;
            default: {
                json below = SymbolsBelow(analysis, doc, child);
                for (json& symbol : below) list.push_back(std::move(symbol));
            }
        }
    }
    return list;
}

}  // namespace

json Symbols(const Analysis& analysis, const Document& doc) {
    const DocTree& tree = analysis.Tree();
    if (tree.Tops().empty() || !analysis.RuleOf(tree.Tops().front())) return json::array();
    return SymbolsBelow(analysis, doc, tree.Tops().front());
}

namespace {

struct Edit {
    std::size_t begin, end;
    std::wstring text;
};

// The fixes the check's own words imply; empty when there is none.
std::vector<Edit> Fix(const Analysis& analysis, const Finding& finding, std::string& title) {
    const std::wstring& text = analysis.Text();
    std::size_t at = finding.offset;
    if (at >= text.size()) return {};
    const std::string& message = finding.message;
    std::size_t mean = message.find("did you mean \"");
    if (mean != std::string::npos) {
        std::size_t start = mean + 14, close = message.find('"', start);
        if (close == std::string::npos) return {};
        std::wstring name = Widen(message.substr(start, close - start));
        title = "Change to \"" + message.substr(start, close - start) + "\"";
        if (text[at] != L'<') return {{at, NameEndAt(text, at), name}};
        std::vector<Edit> edits = {{at + 1, NameEndAt(text, at + 1), name}};
        int node = analysis.NodeAt(at);
        if (node >= 0 && analysis.Tree().At(node).offset == at) {
            const std::wstring& tag = analysis.Tree().At(node).tag;
            std::size_t end = analysis.End(node);
            std::size_t close = text.rfind(L"</", end);
            if (end >= 2 && text[end - 2] != L'/' && close != std::wstring::npos && close > at &&
                text.compare(close + 2, tag.size(), tag) == 0)
                edits.push_back({close + 2, close + 2 + tag.size(), name});
        }
        return edits;
    }
    std::size_t end = ValueEnd(text, at);
    std::wstring value = text.substr(at, end - at);
    if (finding.check == "flag-value" || finding.check == "result-type") {
        std::wstring upper = value;
        for (wchar_t& c : upper)
            if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
        if ((upper != L"TRUE" && upper != L"FALSE") || upper == value) return {};
        title = "Change to \"" + Utf8(upper) + "\"";
        return {{at, end, upper}};
    }
    if (finding.check == "type-number") {
        std::size_t digits = value.find_first_not_of(L" \t");
        if (digits == std::wstring::npos || value.compare(digits, 2, L"0x") != 0) {
            if (digits == std::wstring::npos || value.compare(digits, 2, L"0X") != 0) return {};
        }
        std::wstring decimal = Widen(std::to_string(ecfg::HexToInt(value)));
        title = "Write the type in decimal: " + Utf8(decimal);
        return {{at, end, decimal}};
    }
    if (finding.check == "duplicate-id") {
        const Site* site = analysis.SiteAt(at);
        if (!site || !site->definition || site->begin != at) return {};
        std::set<int> used;
        for (const Site& other : analysis.Sites())
            if (other.definition && other.target == site->target &&
                other.protocol == site->protocol &&
                (site->target != Target::Rule || other.scope == site->scope))
                used.insert(other.id);
        int next = site->id;
        while (next < 0x7FFFFFFF && used.count(next)) ++next;
        if (used.count(next)) return {};
        std::string shown = site->target == Target::Msg ? IdText(Target::Msg, next).substr(2)
                                                        : std::to_string(next);
        title = "Renumber to " + shown + ", the next free id";
        return {{site->begin, site->end, Widen(shown)}};
    }
    return {};
}

}  // namespace

json CodeActions(const Analysis& analysis, const Document& doc, const std::string& uri, Pos from,
                 Pos to) {
    std::size_t begin = doc.Offset(from), end = doc.Offset(to);
    json actions = json::array();
    for (const Finding& finding : analysis.Findings()) {
        if (finding.offset == std::wstring::npos || finding.severity == Severity::Note) continue;
        std::size_t findingEnd = TokenEnd(analysis.Text(), finding.offset);
        if (findingEnd < begin || finding.offset > end) continue;
        std::string title;
        std::vector<Edit> edits = Fix(analysis, finding, title);
        if (edits.empty()) continue;
        json changes = json::array();
        for (const Edit& edit : edits)
            changes.push_back(
                {{"range", Range(doc, edit.begin, edit.end)}, {"newText", Utf8(edit.text)}});
        actions.push_back({{"title", title},
                           {"kind", "quickfix"},
                           {"diagnostics", json::array({Diagnostic(analysis, doc, finding)})},
                           {"isPreferred", true},
                           {"edit", {{"changes", {{uri, changes}}}}}});
    }
    return actions;
}

}  // namespace lsp
}  // namespace ectool
