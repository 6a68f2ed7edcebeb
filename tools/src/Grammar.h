#pragma once

// What the library reads, element by element: for each element the
// attributes and text it converts (and by which number rule), and the
// children it looks for, in the order it looks for them. The check walks the
// document against these rules to find what is never read, what is read by
// a surprising rule, and where each id stands.

#include <memory>
#include <string>
#include <vector>

namespace ectool {

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
// whose content depends on their "Type".
std::shared_ptr<const ElemRule> FileRule();
// The content of an "Operation" / "Action" of a type; null without a kind.
std::shared_ptr<const ElemRule> OperationRule(int type);
std::shared_ptr<const ElemRule> ActionRule(int type);

}  // namespace ectool
