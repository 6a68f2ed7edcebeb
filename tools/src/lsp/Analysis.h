#pragma once

// What the server knows of one version of a buffer: the check's findings,
// the rule each element is read with, where each element ends, and every id
// the text defines or names, with what each name resolves to.

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "Check.h"
#include "Grammar.h"
#include "Loaded.h"

namespace ectool {
namespace lsp {

// What an id names.
enum class Target { Msg, EventState, Rule, Event, SysState, Protocol };

// What a grammar reference names (Msg for none: callers ask only of references).
Target TargetOf(ecfg::Ref ref);

struct Site {
    Target target;
    int id;
    std::size_t begin, end;  // the id's text
    int node;                // the element it stands in
    int protocol;            // the protocol element it is resolved in; -1: any
    int scope;               // rules: the event state element around it; -1 otherwise
    bool definition;
    int switchTo = -1;  // a protocol switch's system state: the protocol's id
    bool hasSwitch = false;
};

class Analysis {
public:
    Analysis(const std::string& name, const std::wstring& text);

    const std::wstring& Text() const { return m_loaded->Text(); }
    const DocTree& Tree() const { return m_loaded->Tree(); }
    const std::vector<Finding>& Findings() const { return m_findings; }

    // The rule an element is read with (an "Operation"/"Action": its role's
    // rule); null when the library never reads it.
    const ElemRule* RuleOf(int node) const;
    // Past the element's end tag (or its start tag's "/>").
    std::size_t End(int node) const;
    // The deepest element whose text holds the offset; -1 when none.
    int NodeAt(std::size_t offset) const;
    int Ancestor(int node, Role role) const;

    const std::vector<Site>& Sites() const { return m_sites; }
    const Site* SiteAt(std::size_t offset) const;
    // A name's definition (itself for one); null when nothing defines it.
    const Site* Definition(const Site& site) const;
    // Every site resolving to this definition, the definition first.
    std::vector<const Site*> Uses(const Site& definition) const;

private:
    void Walk(int node, const ElemRule* rule, int protocol, int eventState);
    void AddSites(int node, const ElemRule& rule, int protocol, int eventState);
    void AddValue(Target target, Num num, const std::wstring& raw, std::size_t begin, int node,
                  int protocol, int scope, bool definition);
    void ScanEnds();

    std::unique_ptr<Loaded> m_loaded;
    std::vector<Finding> m_findings;
    std::vector<const ElemRule*> m_rules;
    std::vector<std::size_t> m_ends;
    std::vector<Site> m_sites;                                             // in text order
    std::map<std::tuple<int, int, int>, std::vector<std::size_t>> m_defs;  // target, id, protocol
};

// The span of an attribute's value or of a leaf's data, as written.
std::size_t ValueEnd(const std::wstring& text, std::size_t begin);
// Where a finding's underline ends.
std::size_t TokenEnd(const std::wstring& text, std::size_t begin);

// The elements open at an offset, found by a plain scan of the text before
// it (the text may be half-typed), and what the cursor stands in.
struct OpenElement {
    std::wstring name;
    std::size_t offset;
    std::wstring type;  // its "Type" attribute, as written
    std::size_t childCount = 0;
};

struct CursorContext {
    enum Kind { Content, TagName, AttrName, AttrValue, Other } kind = Content;
    std::vector<OpenElement> open;      // outermost first; for tag contexts the tag itself is last
    std::wstring attr;                  // AttrValue: the attribute
    std::vector<std::wstring> present;  // attributes already in the tag
};

CursorContext ContextAt(const std::wstring& text, std::size_t offset);
// The rule of the innermost open element, following the file's rules down.
const ElemRule* RuleOfPath(const std::vector<OpenElement>& open);
// An "Operation"/"Action" rule's content for a "Type" text.
std::shared_ptr<const ElemRule> KindRule(Role role, const std::wstring& type);

}  // namespace lsp
}  // namespace ectool
