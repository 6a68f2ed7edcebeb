// The index: one forward pass over a text (see MarkupImpl.h for the
// recovery rules on text that is not well-formed).

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
    Indexer(const wchar_t* text, std::size_t len, uint32_t maxDepth, Index& index)
        : m_doc(text),
          m_len(len),
          m_maxDepth(maxDepth),
          nodes(index.nodes),
          attrs(index.attrs),
          m_index(index) {}
    void Run();

private:
    void Fail(std::size_t offset, Problem what, uint32_t node = 0);
    bool NameIs(uint32_t node, const wchar_t* name, std::size_t len) const;
    // Whether the end tag at p is exactly "</" + the open element's name + ">".
    bool ClosesInnermost(const wchar_t* p, const wchar_t* e, uint32_t open) const {
        const Node& n = nodes[open];
        if (static_cast<std::size_t>(e - p) < n.nameLen + 3u || p[n.nameLen + 2] != '>')
            return false;
        return SameUnits(p + 2, m_doc + n.start + 1, n.nameLen);
    }
    // Open-element name counts, kept only once a mismatched end tag found no
    // match near the top of a deep stack (keeps recovery linear).
    uint32_t FindOpen(uint32_t open, const wchar_t* name, std::size_t len);
    // Ends the innermost open element. Inline: it runs once per element.
    void Close(uint32_t& open, uint32_t contentEnd, uint32_t end) {
        Node& n = nodes[open];
        n.contentEnd = contentEnd;
        n.end = end;
        n.nextSibling = 0;
        const uint32_t closed = open;
        open = n.parent;
        if (m_countingNames || Hidden()) CloseRare(closed);
        --m_depth;
    }
    // What closing an element costs only on deep or depth-limited texts.
    void CloseRare(uint32_t closed);
    // Elements below the depth limit are held only while they are open: the
    // end tags must still find them, but nothing reads them afterwards.
    bool Hidden() const { return m_depth > m_maxDepth; }
    template <class T>
    static T& Push(std::vector<T>& v) {
        if (v.size() == v.capacity()) ecfg::ReserveLarge(v, v.size() * 2 + 64);
        v.emplace_back();
        return v.back();
    }

    const wchar_t* const m_doc;
    const std::size_t m_len;
    const uint32_t m_maxDepth;
    uint32_t m_depth = 0;  // of the innermost open element (0: the document)
    Attr m_hiddenAttr{};   // where the attributes of hidden elements are read
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

void Indexer::CloseRare(uint32_t closed) {
    const Node& n = nodes[closed];
    if (m_countingNames) --m_openNames[std::wstring(m_doc + n.start + 1, n.nameLen)];
    // A hidden element is the last node: its own hidden children are gone.
    if (Hidden()) nodes.resize(closed);
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

void Indexer::Run() {
    std::size_t n = m_len;
    if (n > kMaxIndexed) {
        n = kMaxIndexed;
        Fail(n, Problem::TooLarge);
    }
    const uint32_t n32 = static_cast<uint32_t>(n);
    const wchar_t* const b = m_doc;
    const wchar_t* const e = b + n;
    // A first guess at the arrays' sizes (configurations run to about one
    // element and one attribute per 40 to 50 characters); they double from
    // there. Counting first would read the whole text once more. Guessing
    // high costs address space only: the pages past the last entry are
    // never touched, where doubling copies the arrays.
    ecfg::ReserveLarge(nodes, m_maxDepth == kAllLevels ? n / 32 + 16 : 64);
    ecfg::ReserveLarge(attrs, m_maxDepth == kAllLevels ? n / 32 + 16 : 64);
    nodes.push_back(Node{0, 0, 0, n32, n32, 0, 0, 0, 0, 0});

    uint32_t open = 0;
    uint32_t roots = 0;
    const wchar_t* p = b;
    if (p < e && *p == 0xFEFF) ++p;  // a byte-order mark left in the text
    auto off = [b](const wchar_t* q) { return static_cast<uint32_t>(q - b); };

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

        const Tok tok = Classify(p, e);
        if (tok == Tok::StartTag) {
            const uint32_t start = off(p);
            const bool hidden = m_depth + 1 > m_maxDepth;
            const wchar_t* q = p + 1;
            q = SkipName(q, e);
            // Written in place: a node assembled on the stack and copied in
            // stalls on its own just-written fields.
            const uint32_t idx = static_cast<uint32_t>(nodes.size());
            Node& nd = Push(nodes);
            nd.start = start;
            nd.nameLen = off(q) - start - 1;
            nd.parent = open;
            nd.firstAttr = static_cast<uint32_t>(attrs.size());
            bool empty = false;
            for (;;) {
                const wchar_t* ws = q;
                while (q < e && IsSpace(*q)) ++q;
                if (q >= e) {
                    Fail(start, Problem::BadStartTag);
                    break;
                }
                const wchar_t c = *q;
                if (c == '>') {
                    ++q;
                    break;
                }
                if (c == '/' && q + 1 < e && q[1] == '>') {
                    q += 2;
                    empty = true;
                    break;
                }
                if (c == '<') {
                    Fail(off(q), Problem::BadStartTag);
                    break;
                }
                if (!IsNameStart(c)) {
                    Fail(off(q), Problem::BadStartTag);
                    ++q;
                    continue;
                }
                if (ws == q) Fail(off(q), Problem::BadStartTag);  // no space before it
                const wchar_t* an = q;
                q = SkipName(q, e);
                Attr& a = hidden ? m_hiddenAttr : Push(attrs);
                a.nameStart = off(an);
                a.nameLen = static_cast<uint32_t>(q - an);
                a.valueStart = off(q);
                a.valueLen = 0;
                const wchar_t* r = q;
                while (r < e && IsSpace(*r)) ++r;
                if (r < e && *r == '=') {
                    // Only a value holding '&' needs its references checked.
                    bool hasAmp = false;
                    ++r;
                    while (r < e && IsSpace(*r)) ++r;
                    if (r < e && (*r == '"' || *r == '\'')) {
                        const wchar_t quote = *r++;
                        const wchar_t* vb = r;
                        for (;;) {
                            r = FindAny(r, e, quote, '<', '&');
                            if (r >= e || *r != '&') break;
                            hasAmp = true;
                            ++r;
                        }
                        a.valueStart = off(vb);
                        a.valueLen = static_cast<uint32_t>(r - vb);
                        if (r < e && *r == quote) {
                            ++r;
                        } else {
                            Fail(off(vb) - 1, Problem::UnterminatedValue);
                        }
                    } else {
                        const wchar_t* vb = r;
                        while (r < e && !IsSpace(*r) && *r != '>' && *r != '<' &&
                               !(*r == '/' && r + 1 < e && r[1] == '>')) {
                            hasAmp |= *r == '&';
                            ++r;
                        }
                        a.valueStart = off(vb);
                        a.valueLen = static_cast<uint32_t>(r - vb);
                        Fail(off(vb), r == vb ? Problem::MissingValue : Problem::UnquotedValue);
                    }
                    for (const wchar_t* v = b + a.valueStart;
                         hasAmp && v < b + a.valueStart + a.valueLen; ++v) {
                        uint32_t cp;
                        if (*v == '&' && !ParseEntity(v, b + a.valueStart + a.valueLen, cp))
                            Fail(off(v), Problem::StrayAmp);
                    }
                    q = r;
                } else {
                    Fail(off(an), Problem::MissingValue);
                }
            }
            nd.attrCount = static_cast<uint32_t>(attrs.size()) - nd.firstAttr;
            if (open == 0 && roots++ > 0) Fail(start, Problem::SeveralRoots);
            nd.contentStart = off(q);
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
                nd.contentEnd = nd.end = off(q);
                if (hidden) nodes.pop_back();
            } else {
                open = idx;
                ++m_depth;
                if (m_countingNames) ++m_openNames[std::wstring(p + 1, nd.nameLen)];
            }
            p = q;
        } else if (tok == Tok::EndTag) {
            // Nearly always "</name>" of the innermost open element.
            if (open != 0 && ClosesInnermost(p, e, open)) {
                const uint32_t end = off(p) + nodes[open].nameLen + 3;
                Close(open, off(p), end);
                p = b + end;
                continue;
            }
            const EndTag t = ScanEndTag(p, e);
            if (!t.clean) Fail(off(p), Problem::BadEndTag);
            if (open != 0 && NameIs(open, t.name, t.nameLen)) {
                Close(open, off(p), off(t.end));
            } else {
                const uint32_t match = FindOpen(open, t.name, t.nameLen);
                if (match == 0) {
                    Fail(off(p), Problem::UnmatchedEndTag);
                } else {
                    while (open != match) {
                        Fail(nodes[open].start, Problem::Unclosed, Hidden() ? 0 : open);
                        Close(open, off(p), off(p));
                    }
                    Close(open, off(p), off(t.end));
                }
            }
            p = t.end;
        } else if (tok == Tok::StrayLt) {
            Fail(off(p), Problem::StrayLt);
            if (open == 0) Fail(off(p), Problem::TextOutsideRoot);
            ++p;
        } else {
            if (open == 0 ? tok == Tok::CData || (tok == Tok::Decl && roots > 0) : tok == Tok::Decl)
                Fail(off(p), Problem::MarkupOutsideRoot);
            bool terminated;
            const wchar_t* q = SkipOther(tok, p, e, terminated);
            if (!terminated) Fail(off(p), Problem::Unterminated);
            p = q;
        }
    }
    while (open != 0) {
        Fail(nodes[open].start, Problem::Unclosed, Hidden() ? 0 : open);
        Close(open, n32, n32);
    }
    nodes[0].nextSibling = 0;
    if (roots == 0) Fail(n, Problem::NoRoot);
    m_index.wellFormed = m_index.problem == Problem::None;
}

}  // namespace

namespace ecfg {
namespace markup {

std::shared_ptr<const Index> BuildIndex(const wchar_t* text, std::size_t len, uint32_t maxDepth) {
    std::shared_ptr<Index> index = std::make_shared<Index>();
    index->maxDepth = maxDepth;
    Indexer(text, len, maxDepth, *index).Run();
    return index;
}

}  // namespace markup
}  // namespace ecfg
