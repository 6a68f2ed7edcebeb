// The index: one forward pass over a text (see MarkupImpl.h for the
// recovery rules on text that is not well-formed).

#include <cassert>
#include <unordered_map>
#include <vector>

#include "xml/LargeBuffer.h"
#include "xml/MarkupImpl.h"
#include "xml/MarkupScan.h"

using namespace ecfg::markup;

namespace {

// Offsets are 32-bit: larger texts are indexed up to this length.
const std::size_t kMaxIndexed = 0xFFFFFFF0u;

// One forward pass over the text; the open elements are the chain of
// parents from `open`.
class Indexer {
public:
    Indexer(const wchar_t* text, uint32_t maxDepth, Index& index)
        : m_doc(text),
          m_maxDepth(maxDepth),
          nodes(index.nodes),
          attrs(index.attrs),
          m_index(index) {}
    // Indexes [m_doc, m_doc + n). kEndsInNul: m_doc[n] is a readable NUL, so
    // a loop that stops on some character stops at the end without testing
    // for it (only a NUL that stops it must be told from the end).
    template <bool kEndsInNul>
    void Run(std::size_t n);

private:
    void Fail(std::size_t offset, Problem what, uint32_t node = 0);
    bool NameIs(uint32_t node, const wchar_t* name, std::size_t len) const;
    // Open-element name counts, kept only once a mismatched end tag found no
    // match near the top of a deep stack (keeps recovery linear).
    uint32_t FindOpen(uint32_t open, const wchar_t* name, std::size_t len);
    // Ends the innermost open element (at `depth`). Inline: it runs once per
    // element.
    void Close(uint32_t& open, uint32_t& depth, uint32_t contentEnd, uint32_t end) {
        Node& n = nodes[open];
        n.contentEnd = contentEnd;
        n.end = end;
        n.nextSibling = 0;
        const uint32_t closed = open;
        open = n.parent;
        if (m_countingNames || depth > m_maxDepth) CloseRare(closed, depth > m_maxDepth);
        --depth;
    }
    // What closing an element costs only on deep or depth-limited texts.
    void CloseRare(uint32_t closed, bool hidden);
    template <class T>
    static void Append(std::vector<T>& v, const T& item) {
        if (v.size() == v.capacity()) ecfg::ReserveLarge(v, v.size() * 2 + 64);
        v.push_back(item);
    }
    template <class T>
    static T& Push(std::vector<T>& v) {
        if (v.size() == v.capacity()) ecfg::ReserveLarge(v, v.size() * 2 + 64);
        v.emplace_back();
        return v.back();
    }

    const wchar_t* const m_doc;
    // Elements below this depth are held only while they are open: the end
    // tags must still find them, but nothing reads them afterwards.
    const uint32_t m_maxDepth;
    std::vector<Node>& nodes;
    std::vector<Attr>& attrs;
    Index& m_index;
    std::unordered_map<std::wstring, uint32_t> m_openNames;
    bool m_countingNames = false;
};

void Indexer::Fail(std::size_t offset, Problem what, uint32_t node) {
    if (m_index.problem == Problem::None || offset < m_index.problemOffset) {
        m_index.problem = what;
        m_index.problemOffset = offset;
        m_index.problemNode = node;
    }
}

bool Indexer::NameIs(uint32_t node, const wchar_t* name, std::size_t len) const {
    const Node& n = nodes[node];
    return n.nameLen == len && std::wmemcmp(m_doc + n.start + 1, name, len) == 0;
}

void Indexer::CloseRare(uint32_t closed, bool hidden) {
    const Node& n = nodes[closed];
    if (m_countingNames) --m_openNames[std::wstring(m_doc + n.start + 1, n.nameLen)];
    // A hidden element is the last node: its own hidden children are gone.
    if (hidden) nodes.resize(closed);
}

// The nearest open element (from `open` outwards) with the name, 0 if none.
uint32_t Indexer::FindOpen(uint32_t open, const wchar_t* name, std::size_t len) {
    if (!m_countingNames) {
        uint32_t k = open;
        for (int i = 0; i < 64 && k != 0; ++i, k = nodes[k].parent)
            if (NameIs(k, name, len)) return k;
        if (k == 0) return 0;
        // A deep stack: from now on keep counts so that misses cost O(1).
        m_countingNames = true;
        m_openNames.clear();
        for (k = open; k != 0; k = nodes[k].parent)
            ++m_openNames[std::wstring(m_doc + nodes[k].start + 1, nodes[k].nameLen)];
    }
    auto it = m_openNames.find(std::wstring(name, len));
    if (it == m_openNames.end() || it->second == 0) return 0;
    for (uint32_t k = open; k != 0; k = nodes[k].parent)
        if (NameIs(k, name, len)) return k;
    return 0;
}

template <bool kEndsInNul>
void Indexer::Run(std::size_t n) {
    const uint32_t n32 = static_cast<uint32_t>(n);
    const wchar_t* const b = m_doc;
    const wchar_t* const e = b + n;
    // Whether q may be read. With the NUL after the text, any q up to e may:
    // a loop that continues only on characters other than NUL needs no test.
    auto in = [e](const wchar_t* q) { return kEndsInNul || q < e; };
    auto off = [b](const wchar_t* q) { return static_cast<uint32_t>(q - b); };
    // A first guess at the arrays' sizes (configurations run to about one
    // element and one attribute per 40 to 50 characters); they double from
    // there. Counting first would read the whole text once more. Guessing
    // high costs address space only: the pages past the last entry are
    // never touched, where doubling copies the arrays.
    ecfg::ReserveLarge(nodes, m_maxDepth == kAllLevels ? n / 32 + 16 : 64);
    ecfg::ReserveLarge(attrs, m_maxDepth == kAllLevels ? n / 32 + 16 : 64);
    nodes.push_back(Node{0, 0, 0, n32, n32, 0, 0, 0, 0, 0});

    uint32_t open = 0;
    uint32_t depth = 0;  // of the innermost open element (0: the document)
    uint32_t roots = 0;
    uint32_t attrCount = 0;  // attrs.size(), kept at hand
    const wchar_t* p = b;
    if (p < e && *p == 0xFEFF) ++p;  // a byte-order mark left in the text

    while (p < e) {
        if (*p != '<') {
            if (*p == '&') {
                uint32_t cp;
                const wchar_t* after = ParseEntity(p, e, cp);
                if (!after) Fail(off(p), Problem::StrayAmp);
                if (open == 0) Fail(off(p), Problem::TextOutsideRoot);
                p = after ? after : p + 1;
            } else if (open == 0) {
                if (!IsSpace(*p)) Fail(off(p), Problem::TextOutsideRoot);
                ++p;
            } else {
                p = FindAny(p + 1, e, '<', '&', '<');
            }
            continue;
        }

        // The two usual tokens first; Classify tells the others apart.
        const wchar_t c1 = in(p + 1) ? p[1] : 0;
        if (IsNameStart(c1)) {
            const uint32_t start = off(p);
            const bool hidden = depth >= m_maxDepth;
            const wchar_t* q = kEndsInNul ? SkipNameToNul(p + 2) : SkipName(p + 2, e);
            // Written in place: a node assembled on the stack and copied in
            // stalls on its own just-written fields.
            const uint32_t idx = static_cast<uint32_t>(nodes.size());
            Node& nd = Push(nodes);
            nd.start = start;
            nd.nameLen = off(q) - start - 1;
            nd.parent = open;
            nd.firstAttr = attrCount;
            const uint32_t firstAttr = attrCount;
            bool empty = false;
            for (;;) {
                const wchar_t* ws = q;
                while (in(q) && IsSpace(*q)) ++q;
                // Past the end reads as NUL, which no branch but the last takes.
                const wchar_t c = in(q) ? *q : 0;
                if (c == '>') {
                    ++q;
                    break;
                }
                if (IsNameStart(c)) {
                    if (ws == q) Fail(off(q), Problem::BadStartTag);  // no space before it
                    const wchar_t* an = q;
                    q = kEndsInNul ? SkipNameToNul(q + 1) : SkipName(q + 1, e);
                    const wchar_t* const nameEnd = q;
                    const wchar_t* r = q;
                    while (in(r) && IsSpace(*r)) ++r;
                    const wchar_t* vb = q;
                    const wchar_t* ve = q;
                    if (in(r) && *r == '=') {
                        // Only a value holding '&' needs its references checked.
                        bool hasAmp = false;
                        ++r;
                        while (in(r) && IsSpace(*r)) ++r;
                        const wchar_t quote = in(r) ? *r : 0;
                        if (quote == '"' || quote == '\'') {
                            vb = ++r;
                            for (;;) {
                                r = FindAny(r, e, quote, '<', '&');
                                if (r >= e || *r != '&') break;
                                hasAmp = true;
                                ++r;
                            }
                            ve = r;
                            if (r < e && *r == quote) {
                                ++r;
                            } else {
                                Fail(off(vb) - 1, Problem::UnterminatedValue);
                            }
                        } else {
                            vb = r;
                            while (r < e && !IsSpace(*r) && *r != '>' && *r != '<' &&
                                   !(*r == '/' && r + 1 < e && r[1] == '>')) {
                                hasAmp |= *r == '&';
                                ++r;
                            }
                            ve = r;
                            Fail(off(vb), r == vb ? Problem::MissingValue : Problem::UnquotedValue);
                        }
                        for (const wchar_t* v = vb; hasAmp && v < ve; ++v) {
                            uint32_t cp;
                            if (*v == '&' && !ParseEntity(v, ve, cp))
                                Fail(off(v), Problem::StrayAmp);
                        }
                        q = r;
                    } else {
                        Fail(off(an), Problem::MissingValue);
                    }
                    if (!hidden) {
                        Append(attrs, Attr{off(an), static_cast<uint32_t>(nameEnd - an), off(vb),
                                           static_cast<uint32_t>(ve - vb)});
                        ++attrCount;
                    }
                    continue;
                }
                if (c == '/' && in(q + 1) && q[1] == '>') {
                    q += 2;
                    empty = true;
                    break;
                }
                if (q >= e) {
                    Fail(start, Problem::BadStartTag);
                    break;
                }
                Fail(off(q), Problem::BadStartTag);
                if (c == '<') break;
                ++q;  // a stray character in the tag
            }
            nd.attrCount = attrCount - firstAttr;
            if (open == 0 && roots++ > 0) Fail(start, Problem::SeveralRoots);
            const uint32_t contentStart = off(q);
            nd.contentStart = contentStart;
            if (!hidden) {
                Node& parent = nodes[open];
                if (parent.nextSibling) {
                    nodes[parent.nextSibling].nextSibling = idx;
                } else {
                    parent.firstChild = idx;
                }
                parent.nextSibling = idx;  // the open parent's last child
            }
            if (empty) {
                nd.contentEnd = nd.end = contentStart;
                if (hidden) nodes.pop_back();
            } else {
                open = idx;
                ++depth;
                if (m_countingNames) ++m_openNames[std::wstring(p + 1, nd.nameLen)];
            }
            p = q;
        } else if (c1 == '/') {
            // Nearly always "</name>" of the innermost open element.
            if (open != 0) {
                const Node& nd = nodes[open];
                const uint32_t len = nd.nameLen;
                if (static_cast<std::size_t>(e - p) >= len + 3u && p[len + 2] == '>' &&
                    SameNameUnits(p + 2, b + nd.start + 1, len)) {
                    const uint32_t at = off(p);
                    Close(open, depth, at, at + len + 3);
                    p += len + 3;
                    continue;
                }
            }
            const EndTag t = ScanEndTag(p, e);
            if (!t.clean) Fail(off(p), Problem::BadEndTag);
            if (open != 0 && NameIs(open, t.name, t.nameLen)) {
                Close(open, depth, off(p), off(t.end));
            } else {
                const uint32_t match = FindOpen(open, t.name, t.nameLen);
                if (match == 0) {
                    Fail(off(p), Problem::UnmatchedEndTag);
                } else {
                    while (open != match) {
                        Fail(nodes[open].start, Problem::Unclosed, depth > m_maxDepth ? 0 : open);
                        Close(open, depth, off(p), off(p));
                    }
                    Close(open, depth, off(p), off(t.end));
                }
            }
            p = t.end;
        } else {
            const Tok tok = Classify(p, e);
            if (tok == Tok::StrayLt) {
                Fail(off(p), Problem::StrayLt);
                if (open == 0) Fail(off(p), Problem::TextOutsideRoot);
                ++p;
                continue;
            }
            if (open == 0 ? tok == Tok::CData || (tok == Tok::Decl && roots > 0) : tok == Tok::Decl)
                Fail(off(p), Problem::MarkupOutsideRoot);
            bool terminated;
            const wchar_t* q = SkipOther(tok, p, e, terminated);
            if (!terminated) Fail(off(p), Problem::Unterminated);
            p = q;
        }
    }
    while (open != 0) {
        Fail(nodes[open].start, Problem::Unclosed, depth > m_maxDepth ? 0 : open);
        Close(open, depth, n32, n32);
    }
    nodes[0].nextSibling = 0;
    if (roots == 0) Fail(n, Problem::NoRoot);
    m_index.wellFormed = m_index.problem == Problem::None;
}

}  // namespace

namespace ecfg {
namespace markup {

// The text must be followed by a NUL (text[len] == 0, as in the data of a
// std::wstring): the scan stops on it instead of testing every position
// against the end. A NUL inside the text reads as it always did.
std::shared_ptr<const Index> BuildIndex(const wchar_t* text, std::size_t len, uint32_t maxDepth) {
    assert(len > kMaxIndexed || text[len] == 0);
    std::shared_ptr<Index> index = std::make_shared<Index>();
    index->maxDepth = maxDepth;
    Indexer indexer(text, maxDepth, *index);
    if (len > kMaxIndexed) {
        // Indexed up to the limit, where no NUL follows; the first problem
        // unless one comes earlier.
        index->problem = Problem::TooLarge;
        index->problemOffset = kMaxIndexed;
        indexer.Run<false>(kMaxIndexed);
    } else {
        indexer.Run<true>(len);
    }
    return index;
}

}  // namespace markup
}  // namespace ecfg
