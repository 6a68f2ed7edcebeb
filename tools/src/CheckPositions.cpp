// Children that a kind reads by position, whatever their names: the ones
// whose name or shape says the author meant something else than what is read
// there, and the positions left empty.

#include <algorithm>
#include <map>

#include "CheckInternal.h"
#include "actions/ActionRegistry.h"
#include "operations/OperationRegistry.h"
#include "reading/Reading.h"

namespace ectool {

namespace {

// What an element holds: a number of some base naming some thing, or
// content read from attributes and children.
struct Meaning {
    bool text = false;
    Ref ref = Ref::None;
    int base = 0;  // 10 or 16; 0: text as written

    bool operator==(const Meaning& o) const {
        return text == o.text && ref == o.ref && base == o.base;
    }
};

int BaseOf(Num num) {
    switch (num) {
        case Num::Dec:
        case Num::DecList:
            return 10;
        case Num::Hex:
        case Num::HexList:
            return 16;
        default:
            return 0;
    }
}

bool IsText(const ElemRule& rule) {
    return rule.text != Num::None && rule.attrs.empty() && rule.children.empty();
}

Meaning MeaningOf(const ElemRule& rule) {
    Meaning m;
    m.text = IsText(rule);
    if (m.text) {
        m.ref = rule.textRef;
        m.base = BaseOf(rule.text);
    }
    return m;
}

void Collect(const ElemRule& rule, std::map<std::wstring, Meaning>& names,
             std::map<std::wstring, bool>& clash) {
    for (const ChildRule& child : rule.children) {
        if (!child.name.empty()) {
            const std::wstring key = ecfg::Lowered(child.name);
            Meaning m = MeaningOf(*child.elem);
            auto it = names.find(key);
            if (it == names.end())
                names[key] = m;
            else if (!(it->second == m))
                clash[key] = true;
        }
        Collect(*child.elem, names, clash);
    }
}

// What the names of the format say, from every named child the library
// reads; a name read as different things in different places says nothing.
// Authors also name positional children: "EventStateID" where event state
// ids are read, "Time" for a time; "ID" says nothing on its own.
const std::map<std::wstring, Meaning>& Vocabulary() {
    static const std::map<std::wstring, Meaning> vocabulary = [] {
        std::map<std::wstring, Meaning> names;
        std::map<std::wstring, bool> clash;
        Collect(*FileRule(), names, clash);
        for (const auto* rows : {&ecfg::OperationKindRows(), &ecfg::ActionKindRows()})
            for (const ecfg::KindRow& row : *rows)
                if (row.grammar) Collect(*row.grammar, names, clash);
        for (const auto& entry : clash) names.erase(entry.first);
        names.erase(L"id");
        names[L"eventstateid"] = {true, Ref::EventState, 10};
        names[L"waitingeventstateid"] = {true, Ref::EventState, 10};
        names[L"time"] = {true, Ref::None, 10};
        names[L"resettime"] = {true, Ref::None, 10};
        return names;
    }();
    return vocabulary;
}

// The meaning of a name, or of the one name it is one edit away from. The
// near look-ups are counted: a file full of odd names stays linear.
const Meaning* NameSays(const std::wstring& tag, std::size_t& budget) {
    const auto& vocabulary = Vocabulary();
    const std::wstring key = ecfg::Lowered(tag);
    auto it = vocabulary.find(key);
    if (it != vocabulary.end()) return &it->second;
    if (key.size() < 5 || key.size() > 40 || budget == 0) return nullptr;
    --budget;
    const Meaning* found = nullptr;
    for (const auto& entry : vocabulary)
        if (entry.first.size() + 1 >= key.size() && entry.first.size() <= key.size() + 1 &&
            EditDistance(key, entry.first) == 1) {
            if (found) return nullptr;  // near two names: says nothing
            found = &entry.second;
        }
    return found;
}

std::string Says(const Meaning& m) {
    if (!m.text) return "content read from its attributes and children";
    switch (m.ref) {
        case Ref::Msg:
            return "a message id";
        case Ref::EventState:
            return "an event state id";
        case Ref::Rule:
            return "a rule id";
        case Ref::Event:
            return "an event id";
        case Ref::SysState:
            return "a system state id";
        case Ref::None:
            break;
    }
    return m.base == 16 ? "a hexadecimal number" : m.base == 10 ? "a decimal number" : "a text";
}

// What a position reads, in an author's words.
std::string ReadAs(const ElemRule& rule) {
    if (IsText(rule)) return Says(MeaningOf(rule));
    auto has = [&](const wchar_t* name) {
        return std::any_of(rule.attrs.begin(), rule.attrs.end(),
                           [&](const AttrRule& a) { return a.name == name; });
    };
    if (has(L"Name") && (has(L"Length") || has(L"StartSearchTag")))
        return "a field locator, from its attributes";
    if (!rule.attrs.empty()) {
        std::vector<std::wstring> names;
        for (const AttrRule& a : rule.attrs) names.push_back(a.name);
        return "its attributes " + Join(names);
    }
    if (rule.children.size() == 1 && rule.children[0].name.empty() && rule.children[0].repeat &&
        IsText(*rule.children[0].elem))
        return "a list, each child element of it " + Says(MeaningOf(*rule.children[0].elem));
    return "a list of child elements";
}

std::string Ordinal(std::size_t n) {
    const char* suffix = n % 100 / 10 == 1 ? "th"
                         : n % 10 == 1     ? "st"
                         : n % 10 == 2     ? "nd"
                         : n % 10 == 3     ? "rd"
                                           : "th";
    return std::to_string(n) + suffix;
}

bool Blank(const std::wstring& text) {
    return std::all_of(text.begin(), text.end(), [](wchar_t c) {
        return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r';
    });
}

}  // namespace

std::string Checker::Position(const ChildRule& slot, std::size_t index, std::size_t first,
                              const std::string& context) const {
    return context + " reads " +
           (slot.repeat ? (first == 0 ? std::string("every child")
                                      : "every child from its " + Ordinal(first + 1))
                        : "its " + Ordinal(index + 1) + " child") +
           ", whatever its name, as " + ReadAs(*slot.elem);
}

bool Checker::Misread(int node, const ChildRule& slot, std::size_t index, std::size_t first,
                      int owner, const std::string& context) {
    const Node& n = m_tree.At(node);
    const ElemRule& rule = *slot.elem;
    const Meaning* says = NameSays(n.tag, m_nearNames);
    const std::string where = Position(slot, index, first, context);
    std::string message;
    if (IsText(rule)) {
        const Meaning read = MeaningOf(rule);
        // An empty element where a number is read gives 0, whatever its name.
        const bool shape =
            !n.leaf ||
            (Blank(n.data) && (!n.attrs.empty() || read.base != 0 || (says && !says->text)));
        const bool name =
            says && says->text && read.base != 0 &&
            ((says->ref != Ref::None && read.ref != Ref::None && says->ref != read.ref) ||
             (says->base != 0 && says->base != read.base));
        if (!shape && !name) return false;
        const std::wstring data = n.leaf ? n.data : std::wstring();
        const int value = read.base == 16 ? ecfg::HexToInt(data) : ecfg::DecToInt(data);
        if (read.ref != Ref::None) m_misread.insert({owner, read.ref, value});
        const std::string shown = read.base == 16 ? Hex(value) : std::to_string(value);
        if (shape)
            message = Tag(n.tag) +
                      (!n.leaf           ? " holds elements"
                       : n.attrs.empty() ? " has no text"
                                         : " has attributes and no text") +
                      ", but " + where + ", from its text: it reads " + shown +
                      (!n.leaf           ? ", and its content is not read"
                       : n.attrs.empty() ? ""
                                         : ", and its attributes are not read");
        else
            message = Tag(n.tag) + " names " + Says(*says) + ", but " + where + ": it reads " +
                      Q(n.data) + " as " + shown;
    } else {
        // Read from attributes or children, and given text instead.
        const bool anyAttr =
            std::any_of(rule.attrs.begin(), rule.attrs.end(),
                        [&](const AttrRule& a) { return n.Attr(a.name.c_str()) != nullptr; });
        const bool textOnly = n.leaf && !Blank(n.data) && !anyAttr;
        if (!textOnly && !(says && says->text && !anyAttr && n.leaf)) return false;
        message = Tag(n.tag) + (says && says->text ? " names " + Says(*says) : " holds text") +
                  ", but " + where +
                  (n.data.empty() ? std::string() : ": its text " + Q(n.data) + " is not read");
    }
    Add(Severity::Error, n.offset, message, "misread-element");
    return true;
}

void Checker::EmptyList(int node, const ChildRule& slot, const std::string& context) {
    if (!IsText(*slot.elem) || slot.elem->textRef == Ref::None) return;
    std::string noun = Says(MeaningOf(*slot.elem));
    noun = noun.substr(noun.find(' ') + 1);  // without its article
    Add(Severity::Warning, m_tree.At(node).offset,
        context + " names no " + noun + ": it reads every child element as one, and has none",
        "empty-list");
}

void Checker::NoChildAt(int parent, const ChildRule& slot, std::size_t index,
                        const std::string& context) {
    Add(Severity::Error, m_tree.At(parent).offset,
        context + " has no " + Ordinal(index + 1) + " child element, which it reads as " +
            ReadAs(*slot.elem) + ": it keeps its default value",
        "missing-element");
}

}  // namespace ectool
