#pragma once

// Writes an element as a rule reads it: every attribute and text the rule
// converts gets a value from a policy, children come in the order the rule
// looks for them, and children it reads repeatedly come as often as the
// policy says. The round-trip test, the benchmark's generator and the fuzz
// seeds write each kind's element this way, from its registry row.

#include <string>

#include "reading/Grammar.h"

namespace ecfg {

class GrammarValues {
public:
    virtual ~GrammarValues() = default;
    // The value of an attribute (its name) or of an element's text (the
    // element's name), read by that number rule.
    virtual std::string Value(const std::wstring& name, Num num, Ref ref) = 0;
    // How many of a repeated child to write.
    virtual int Repeats() = 0;
};

// A name for a child the rule takes whatever its name: what such children are
// called in configurations.
inline std::wstring AnyChildName(const ElemRule& rule) {
    if (rule.text != Num::None) {
        if (rule.textRef == Ref::Msg) return L"MsgID";
        if (rule.textRef == Ref::Event) return L"EventID";
        if (rule.text == Num::Text) return L"Value";
        return L"ID";
    }
    return rule.attrs.empty() ? L"Item" : L"Field";
}

inline std::string Narrow(const std::wstring& ascii) {
    return std::string(ascii.begin(), ascii.end());
}

// The element; `extra` goes into its start tag as written. With depth >= 0
// each element stands on a line of its own, indented by tabs.
inline std::string WriteElement(const std::wstring& name, const ElemRule& rule,
                                GrammarValues& values, const std::string& extra = "",
                                int depth = -1) {
    const std::string indent = depth >= 0 ? std::string(static_cast<std::size_t>(depth), '\t') : "";
    const char* newline = depth >= 0 ? "\n" : "";
    std::string xml = indent + "<" + Narrow(name) + extra;
    for (const AttrRule& attr : rule.attrs)
        xml += " " + Narrow(attr.name) + "=\"" + values.Value(attr.name, attr.num, attr.ref) + "\"";
    if (rule.text == Num::None && rule.children.empty()) return xml + "/>" + newline;
    xml += ">";
    if (rule.text != Num::None) xml += values.Value(name, rule.text, rule.textRef);
    if (!rule.children.empty()) {
        xml += newline;
        for (const ChildRule& child : rule.children) {
            const std::wstring childName =
                child.name.empty() ? AnyChildName(*child.elem) : child.name;
            const int copies = child.repeat ? values.Repeats() : 1;
            for (int copy = 0; copy < copies; ++copy)
                xml +=
                    WriteElement(childName, *child.elem, values, "", depth >= 0 ? depth + 1 : -1);
        }
        xml += indent;
    }
    return xml + "</" + Narrow(name) + ">" + newline;
}

}  // namespace ecfg
