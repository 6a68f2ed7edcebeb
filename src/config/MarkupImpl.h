#pragma once

// The navigator's index: one forward pass over the text builds a flat array
// of element nodes (offsets into the text, tree links by index) and a flat
// array of attribute spans. Reads slice the text; nothing is copied or
// allocated per element, and nothing recurses.
//
// Recovery rules for text that is not well-formed (each sets the error, the
// earliest problem in the text wins):
// - '<' followed by a name character starts an element, whatever comes
//   after it. A start tag ends at its '>' or "/>"; at a '<' or the end of the
//   text it is cut short and the element counts as open.
// - Attribute values may be quoted with '"' or '\''. A quoted value ends at
//   its closing quote, or cut short at a '<'. An unquoted value runs to white
//   space, '>', "/>" or '<'. A name without '=' has an empty value. Other
//   stray characters in a tag are skipped. The first of duplicate names wins.
// - An end tag names the innermost open element: it closes it. Otherwise it
//   closes up to the nearest open ancestor of that name (the elements in
//   between end where the end tag starts); when no open element has the
//   name it is ignored. An end tag lacking '>' ends at the next '<'.
// - Elements still open at the end of the text end there.
// - '<' followed by anything else (white space, a digit, the end) is text,
//   and so is an '&' that does not start a predefined entity or a valid
//   numeric character reference; reads return them as written.
// - Unterminated comments, CDATA sections, processing instructions and
//   declarations run to the end of the text.
// - Several top-level elements are all reachable at the document level.
// The rules depend only on what lies inside an element and on its open
// ancestors, so re-reading an element's sub-document yields the same subtree.

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "eventconfig/config/Markup.h"

namespace ecfg {
namespace markup {

// Index 0 is the document itself; 0 in a link means "none".
struct Node {
    uint32_t start;  // '<' of the start tag; the name follows it
    uint32_t nameLen;
    uint32_t contentStart;  // after the start tag's '>' (== end when empty)
    uint32_t contentEnd;    // '<' of the end tag (== end when there is none)
    uint32_t end;           // after the end tag
    uint32_t parent;
    uint32_t firstChild;
    uint32_t nextSibling;  // while the node is open: its last child
    uint32_t firstAttr;
    uint32_t attrCount;
};

struct Attr {
    uint32_t nameStart;
    uint32_t nameLen;
    uint32_t valueStart;
    uint32_t valueLen;
};

enum class Problem {
    None,
    NoRoot,
    SeveralRoots,
    TextOutsideRoot,
    StrayLt,
    StrayAmp,
    BadStartTag,
    UnquotedValue,
    MissingValue,
    UnterminatedValue,
    BadEndTag,
    UnmatchedEndTag,
    Unclosed,
    Unterminated,
    MarkupOutsideRoot,
    TooLarge,
};

}  // namespace markup
}  // namespace ecfg

class CMarkupImpl {
public:
    void SetDoc(const wchar_t* text, std::size_t len);
    void Index();

    // Position: the level (0 = document), its current element and the
    // current element's current child (0 = none).
    uint32_t level = 0;
    uint32_t elem = 0;
    uint32_t child = 0;

    std::wstring doc;
    std::vector<ecfg::markup::Node> nodes;
    std::vector<ecfg::markup::Attr> attrs;
    ecfg::markup::Problem problem = ecfg::markup::Problem::None;
    std::size_t problemOffset = CMarkup::npos;
    uint32_t problemNode = 0;  // the element the problem concerns, if any
    bool wellFormed = false;

    std::wstring loadEncoding;
    bool encodingFellBack = false;

    uint32_t FindSibling(uint32_t from, MCD_CSTR name) const;
    std::wstring Attrib(uint32_t node, MCD_CSTR name) const;
    std::wstring Data(uint32_t node) const;
    std::wstring SubDoc(uint32_t node) const;
    std::wstring TagName(uint32_t node) const;
    std::wstring Error() const;

private:
    void Fail(std::size_t offset, ecfg::markup::Problem what, uint32_t node = 0);
    bool NameIs(uint32_t node, const wchar_t* name, std::size_t len) const;

    // Open-element name counts, kept only once a mismatched end tag found no
    // match near the top of a deep stack (keeps recovery linear).
    uint32_t FindOpen(uint32_t open, const wchar_t* name, std::size_t len);
    void Close(uint32_t& open, uint32_t contentEnd, uint32_t end);
    std::unordered_map<std::wstring, uint32_t> m_openNames;
    bool m_countingNames = false;
};
