#pragma once

// What the library reads, element by element: for each element the
// attributes and text it converts (and by which number rule), and the
// children it looks for, in the order it looks for them. Each registry row
// carries its kind's rule; the tool's check walks documents against them.

#include <memory>
#include <string>
#include <vector>

namespace ecfg {

// How a value is read.
enum class Num {
    None,
    Text,        // as written
    Dec,         // _wtoi
    Hex,         // wcstol base 16
    HexList,     // '/'-separated hexadecimal ids
    DecList,     // '/'-separated decimal ids
    Flag,        // "TRUE" exactly, else off
    Type,        // "Type" of an Operation or Action: decimal, chooses the kind
    ResultType,  // "Type" of a Result: "TRUE" or "FALSE" exactly
    DecOrInfin,  // decimal, or "Infin" exactly
    DecOrAll,    // decimal, or "all" in any case
};

// What an id names, for reference checks and positions.
enum class Ref { None, Msg, EventState, Rule, Event, SysState };

// What an element is, for the checks that need to know.
enum class Role {
    None,
    Root,
    ProtocolList,
    Protocol,
    SystemState,
    SpecialList,
    Msg,
    LogField,
    EventState,
    Rule,
    Operation,
    Result,
    Action,
    EventInfo,
    RelSystemState,
    RelEventStateId,
};

struct AttrRule {
    std::wstring name;
    Num num;
    Ref ref;
};

struct ElemRule;

struct ChildRule {
    std::wstring name;  // empty: any name (the next element, whatever it is)
    bool repeat = false;
    bool required = false;
    std::shared_ptr<const ElemRule> elem;
};

struct ElemRule {
    Role role = Role::None;
    std::wstring what;  // how messages name it ("system state", ...)
    std::vector<AttrRule> attrs;
    Num text = Num::None;
    Ref textRef = Ref::None;
    std::vector<ChildRule> children;
    bool opaque = false;  // kept whole as text; its content is not looked at
};

// The configuration file's top level, down to "Operation" and "Action",
// whose content depends on their "Type" (the registries' rows).
std::shared_ptr<const ElemRule> FileRule();

namespace grammar {

// Builds element rules in the order the library reads them; a registry row's
// rule reads like the kind's constructor.
class G {
public:
    explicit G(Role role = Role::None, const wchar_t* what = L"")
        : m_rule(std::make_shared<ElemRule>()) {
        m_rule->role = role;
        m_rule->what = what;
    }
    G& A(const wchar_t* name, Num num, Ref ref = Ref::None) {
        m_rule->attrs.push_back({name, num, ref});
        return *this;
    }
    G& T(Num num, Ref ref = Ref::None) {
        m_rule->text = num;
        m_rule->textRef = ref;
        return *this;
    }
    // The next element of that name (a forward search).
    G& C(const wchar_t* name, const G& child, bool required = false) {
        return Add(name, false, required, child);
    }
    // Every following element of that name.
    G& Each(const wchar_t* name, const G& child) { return Add(name, true, false, child); }
    // The next element, whatever its name.
    G& Next(const G& child) { return Add(L"", false, false, child); }
    // Every following element, whatever its name.
    G& All(const G& child) { return Add(L"", true, false, child); }
    G& Opaque() {
        m_rule->opaque = true;
        return *this;
    }
    // The fixed-position, forward tag and reverse tag field locators.
    G& Fixed() { return A(L"Name", Num::Text).A(L"Length", Num::Dec).A(L"StartOffset", Num::Dec); }
    G& Forward() {
        return A(L"Name", Num::Text)
            .A(L"StartSearchTag", Num::Text)
            .A(L"EndSearchTag", Num::Text)
            .A(L"StartOffset", Num::Dec);
    }
    G& Reverse() {
        return A(L"Name", Num::Text)
            .A(L"StartReverseSearchTag", Num::Text)
            .A(L"EndReverseSearchTag", Num::Text)
            .A(L"StartOffset", Num::Dec);
    }
    std::shared_ptr<const ElemRule> Rule() const { return m_rule; }
    operator std::shared_ptr<const ElemRule>() const { return m_rule; }

private:
    G& Add(const wchar_t* name, bool repeat, bool required, const G& child) {
        m_rule->children.push_back({name, repeat, required, child.m_rule});
        return *this;
    }
    std::shared_ptr<ElemRule> m_rule;
};

// An element whose text is read.
inline G Text(Num num, Ref ref = Ref::None) {
    return G().T(num, ref);
}
// Every child, any name: an id by its text.
inline G Ids(Num num, Ref ref = Ref::None) {
    return G().All(Text(num, ref));
}
// The radio link and scrambling-code field names.
inline G MetaField() {
    return G().A(L"FieldName", Num::Text).A(L"MetaInfoName", Num::Text);
}

}  // namespace grammar
}  // namespace ecfg
