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
#include <cwchar>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

// The index and cursor know nothing of the CMarkup facade; only CMarkupImpl
// below names it.
class CMarkup;

namespace ecfg {
namespace markup {

// An offset that is none (CMarkup::npos).
const std::size_t kNoOffset = static_cast<std::size_t>(-1);

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

namespace ecfg {
namespace markup {

// The index of one text. Immutable once built, so that navigators reading
// the text or a sub-document of it can share it.
struct Index {
    std::vector<Node> nodes;
    std::vector<Attr> attrs;
    Problem problem = Problem::None;
    std::size_t problemOffset = kNoOffset;
    uint32_t problemNode = 0;  // the element the problem concerns, if any
    bool wellFormed = false;
    uint32_t maxDepth = 0xFFFFFFFFu;  // the depth it was built down to
};

// No depth limit.
const uint32_t kAllLevels = 0xFFFFFFFFu;

// A name searched for, with its length: searches compare many names against
// one, and with the length known most candidates are told apart by theirs.
// A literal's length is known where it is written (an array holding a
// shorter string is measured); null names no name (any element).
struct NameRef {
    NameRef(std::nullptr_t) {}
    // A template, so that a literal takes the array form below and not the
    // pointer it decays to (a plain function would win that tie).
    template <class P, class = typename std::enable_if<std::is_same<P, const wchar_t*>::value ||
                                                       std::is_same<P, wchar_t*>::value>::type>
    NameRef(const P& name) : text(name), length(name ? std::wcslen(name) : 0) {}
    template <std::size_t N>
    NameRef(const wchar_t (&name)[N])
        : text(name),
          length(name[N - 1] == 0 && (N < 2 || name[N - 2] != 0) ? N - 1 : std::wcslen(name)) {}
    const wchar_t* text = nullptr;
    std::size_t length = 0;
};

// Builds the index of [text, text + len), which a NUL must follow (the data
// of a std::wstring): the scan stops on it. Elements nested deeper than
// maxDepth (the root element is at depth 1) are left out with their
// attributes: searches below that depth find nothing. Every element kept has
// the extent, and the index the problem, that a full index would give.
std::shared_ptr<const Index> BuildIndex(const wchar_t* text, std::size_t len,
                                        uint32_t maxDepth = kAllLevels);

// A text being read, its index and the position. The text is not owned: it
// must outlive the cursor. The index is either the text's own or, for the
// sub-document of one element of an indexed text, that text's index seen
// from the element (`top`; its offsets shifted by `base`), so that reading a
// sub-document again costs no second pass over it.
class Cursor {
public:
    // Reads the text, indexed afresh (down to maxDepth); a NUL must follow it
    // (the data of a std::wstring), as for BuildIndex.
    void Open(const wchar_t* text, std::size_t len, uint32_t maxDepth = kAllLevels);
    // Reads a text equal to the sub-document of element `top` of `index`
    // (the caller has verified it), without indexing it again.
    void OpenView(const wchar_t* text, std::size_t len, std::shared_ptr<const Index> index,
                  uint32_t top);
    // Reads a text equal to the other cursor's, through its index.
    void OpenSame(const wchar_t* text, const Cursor& other);
    // The same text at another place in memory (a copied navigator).
    void Rebind(const wchar_t* text) { m_text = text; }

    bool FindElem(NameRef name);
    bool FindChildElem(NameRef name);
    bool IntoElem();
    bool OutOfElem();

    bool WellFormed() const { return m_top != 0 || m_index->wellFormed; }
    const Index& GetIndex() const { return *m_index; }
    const std::shared_ptr<const Index>& SharedIndex() const { return m_index; }
    const wchar_t* Text() const { return m_text; }
    std::size_t Length() const { return m_len; }

    // Reads of a node (0 = none gives empty text).
    std::wstring Attrib(uint32_t node, NameRef name) const;
    // The raw value of an attribute, in place: false when it is absent. It
    // reads as written when IsPlainValue says so.
    bool AttribSpan(uint32_t node, NameRef name, const wchar_t*& begin, const wchar_t*& end) const;
    std::wstring Data(uint32_t node) const;
    // The character data in place when it is the plain text of an element
    // without children, markup or references (the usual leaf).
    bool DataSpan(uint32_t node, const wchar_t*& begin, const wchar_t*& end) const;
    std::wstring SubDoc(uint32_t node) const;
    std::size_t ChildCount(uint32_t node) const {
        std::size_t n = 0;
        if (node != 0)
            for (uint32_t c = N(node).firstChild; c != 0; c = N(c).nextSibling) ++n;
        return n;
    }
    std::wstring TagName(uint32_t node) const;
    std::wstring Error() const;
    // Offsets in this text.
    std::size_t Offset(uint32_t node) const {
        return node ? m_index->nodes[node].start - m_base : kNoOffset;
    }
    std::size_t ErrorOffset() const { return m_top ? kNoOffset : m_index->problemOffset; }
    // Start and length in this text of a node's markup.
    std::size_t SubDocStart(uint32_t node) const { return m_index->nodes[node].start - m_base; }
    std::size_t SubDocLength(uint32_t node) const {
        return m_index->nodes[node].end - m_index->nodes[node].start;
    }

    // Position: the level (0 = document), its current element and the
    // current element's current child (0 = none).
    uint32_t level = 0;
    uint32_t elem = 0;
    uint32_t child = 0;

private:
    const Node& N(uint32_t i) const { return m_index->nodes[i]; }
    // Tree links as seen from this text: `top` is its only element.
    uint32_t FirstChild(uint32_t node) const {
        return node == 0 && m_top != 0 ? m_top : N(node).firstChild;
    }
    uint32_t Next(uint32_t node) const { return node == m_top ? 0 : N(node).nextSibling; }
    uint32_t Parent(uint32_t node) const { return node == m_top ? 0 : N(node).parent; }
    const wchar_t* At(uint32_t offset) const { return m_text + (offset - m_base); }
    uint32_t FindSibling(uint32_t from, NameRef name) const;

    const wchar_t* m_text = L"";
    std::size_t m_len = 0;
    std::shared_ptr<const Index> m_index;
    uint32_t m_top = 0;
    uint32_t m_base = 0;
};

}  // namespace markup
}  // namespace ecfg

// The navigator's own copy of its text (SetDoc, Load) and a cursor over it. A
// loaded text is indexed on first use: the configuration root only takes the
// text of a loaded file.
class CMarkupImpl {
public:
    CMarkupImpl() { cursor.Open(doc.data(), 0); }
    CMarkupImpl(const CMarkupImpl& other);
    CMarkupImpl& operator=(const CMarkupImpl& other);

    void SetDoc(const wchar_t* text, std::size_t len);
    void SetLoaded(std::wstring text);
    // Moves the text out of a navigator that is read no further (the root
    // keeps a loaded file's text without copying it); the navigator is left
    // empty.
    static std::wstring TakeDoc(CMarkup& markup);
    ecfg::markup::Cursor& Use() {
        if (m_pending) {
            m_pending = false;
            cursor.Open(doc.data(), doc.size());
        }
        return cursor;
    }

    std::wstring doc;
    std::wstring loadEncoding;
    bool encodingFellBack = false;

private:
    ecfg::markup::Cursor cursor;
    bool m_pending = false;
};
