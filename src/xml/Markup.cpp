#include "eventconfig/xml/Markup.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <unordered_map>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "xml/LargeBuffer.h"
#include "xml/MarkupImpl.h"
#include "xml/TextDecoding.h"

using namespace ecfg::markup;

namespace {

// ---- Characters -------------------------------------------------------------

enum : uint8_t { kSpace = 1, kNameStart = 2, kNameChar = 4 };

struct CharClasses {
    uint8_t c[128] = {};
    CharClasses() {
        for (unsigned char ch : {' ', '\t', '\n', '\r'}) c[ch] = kSpace;
        for (int i = 'a'; i <= 'z'; ++i) c[i] = kNameStart | kNameChar;
        for (int i = 'A'; i <= 'Z'; ++i) c[i] = kNameStart | kNameChar;
        for (unsigned char ch : {'_', ':'}) c[ch] = kNameStart | kNameChar;
        for (int i = '0'; i <= '9'; ++i) c[i] = kNameChar;
        for (unsigned char ch : {'-', '.'}) c[ch] = kNameChar;
    }
};
const CharClasses kClasses;

// Everything beyond ASCII counts as a name character: the navigator is for
// hand-edited files, and a narrower rule would only lose elements.
inline uint8_t Class(wchar_t ch) {
    const uint32_t u = static_cast<uint32_t>(ch);
    return u < 128 ? kClasses.c[u] : static_cast<uint8_t>(kNameStart | kNameChar);
}
inline bool IsSpace(wchar_t ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r';
}
inline bool IsNameChar(wchar_t ch) {
    return (Class(ch) & kNameChar) != 0;
}
inline bool IsNameStart(wchar_t ch) {
    return (Class(ch) & kNameStart) != 0;
}

inline bool IsXmlChar(uint32_t v) {
    return v == 0x9 || v == 0xA || v == 0xD || (v >= 0x20 && v <= 0xD7FF) ||
           (v >= 0xE000 && v <= 0xFFFD) || (v >= 0x10000 && v <= 0x10FFFF);
}

// Whether an attribute value reads as written: no reference to decode and no
// tab or line end to turn into a space.
inline bool IsPlainValue(const wchar_t* p, const wchar_t* e) {
    for (; p < e; ++p)
        if (*p <= '&' && (*p == '&' || *p == '\t' || *p == '\n' || *p == '\r')) return false;
    return true;
}

// The first position in [p, e) holding a, b or c; e when there is none. The
// index spends most of its time looking for the end of a text run or of an
// attribute value, so this looks at a vector of characters at a time.
inline const wchar_t* FindAny(const wchar_t* p, const wchar_t* e, wchar_t a, wchar_t b, wchar_t c) {
#if defined(__SSE2__)
#if WCHAR_MAX > 0xFFFF
#define ECFG_SET1(x) _mm_set1_epi32(static_cast<int>(x))
#define ECFG_CMPEQ _mm_cmpeq_epi32
#else
#define ECFG_SET1(x) _mm_set1_epi16(static_cast<short>(x))
#define ECFG_CMPEQ _mm_cmpeq_epi16
#endif
    const std::ptrdiff_t kLanes = 16 / sizeof(wchar_t);
    const __m128i va = ECFG_SET1(a), vb = ECFG_SET1(b), vc = ECFG_SET1(c);
    for (; e - p >= kLanes; p += kLanes) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i hit =
            _mm_or_si128(_mm_or_si128(ECFG_CMPEQ(v, va), ECFG_CMPEQ(v, vb)), ECFG_CMPEQ(v, vc));
        const int mask = _mm_movemask_epi8(hit);
        if (mask != 0) return p + __builtin_ctz(static_cast<unsigned>(mask)) / sizeof(wchar_t);
    }
#undef ECFG_SET1
#undef ECFG_CMPEQ
#endif
    while (p < e && *p != a && *p != b && *p != c) ++p;
    return p;
}

// The end of the name starting at p: the first position in [p, e) that holds
// no name character.
inline const wchar_t* SkipName(const wchar_t* p, const wchar_t* e) {
    while (p < e && IsNameChar(*p)) ++p;
    return p;
}

bool StartsWith(const wchar_t* p, const wchar_t* e, const char* lit) {
    for (; *lit; ++lit, ++p)
        if (p >= e || *p != static_cast<wchar_t>(*lit)) return false;
    return true;
}

// '&' at p: a predefined entity or a numeric character reference. Returns
// the position after ';' and the code point, or null when it is neither.
const wchar_t* ParseEntity(const wchar_t* p, const wchar_t* e, uint32_t& cp) {
    const wchar_t* q = p + 1;
    if (q < e && *q == '#') {
        ++q;
        uint32_t base = 10;
        if (q < e && *q == 'x') {
            base = 16;
            ++q;
        }
        const wchar_t* digits = q;
        uint32_t v = 0;
        for (; q < e; ++q) {
            uint32_t d;
            const wchar_t ch = *q;
            if (ch >= '0' && ch <= '9') {
                d = static_cast<uint32_t>(ch - '0');
            } else if (base == 16 && ch >= 'a' && ch <= 'f') {
                d = static_cast<uint32_t>(ch - 'a' + 10);
            } else if (base == 16 && ch >= 'A' && ch <= 'F') {
                d = static_cast<uint32_t>(ch - 'A' + 10);
            } else {
                break;
            }
            v = v > 0x10FFFF ? 0x110000 : v * base + d;  // saturates: no overflow
        }
        if (q == digits || q >= e || *q != ';' || !IsXmlChar(v)) return nullptr;
        cp = v;
        return q + 1;
    }
    struct Named {
        const char* name;
        wchar_t ch;
    };
    static const Named kNamed[] = {
        {"lt;", '<'}, {"gt;", '>'}, {"amp;", '&'}, {"apos;", '\''}, {"quot;", '"'}};
    for (const Named& n : kNamed) {
        if (StartsWith(q, e, n.name)) {
            cp = static_cast<uint32_t>(n.ch);
            return q + std::strlen(n.name);
        }
    }
    return nullptr;
}

// Appends [p, e) of text: a CR LF pair or a lone CR reads as LF, as XML
// reads line ends.
void AppendLines(std::wstring& out, const wchar_t* p, const wchar_t* e) {
    while (p < e) {
        const wchar_t* q = static_cast<const wchar_t*>(std::wmemchr(p, L'\r', e - p));
        if (!q) q = e;
        out.append(p, q);
        if (q >= e) break;
        out.push_back(L'\n');
        p = q + 1;
        if (p < e && *p == L'\n') ++p;
    }
}

// Appends an attribute value [p, e) as XML reads it: references decoded
// (others stay as written), each literal tab, line end (CR LF as one) or
// LF a space; a reference keeps its character (&#9; is a tab).
void AppendAttrValue(std::wstring& out, const wchar_t* p, const wchar_t* e) {
    while (p < e) {
        const wchar_t c = *p;
        if (c == '&') {
            uint32_t cp = 0;
            const wchar_t* after = ParseEntity(p, e, cp);
            if (after) {
                ecfg::AppendCodePoint(out, cp);
                p = after;
                continue;
            }
            out.push_back(L'&');
        } else if (c == '\r') {
            out.push_back(L' ');
            if (p + 1 < e && p[1] == '\n') ++p;
        } else if (c == '\t' || c == '\n') {
            out.push_back(L' ');
        } else {
            out.push_back(c);
        }
        ++p;
    }
}

// ---- Markup tokens (shared by the index and the data read) ------------------

enum class Tok { StartTag, EndTag, Comment, CData, PI, Decl, StrayLt };

Tok Classify(const wchar_t* p, const wchar_t* e) {
    if (p + 1 >= e) return Tok::StrayLt;
    const wchar_t c = p[1];
    if (c == '/') return Tok::EndTag;
    if (c == '?') return Tok::PI;
    if (c == '!') {
        if (StartsWith(p, e, "<!--")) return Tok::Comment;
        if (StartsWith(p, e, "<![CDATA[")) return Tok::CData;
        return Tok::Decl;
    }
    return IsNameStart(c) ? Tok::StartTag : Tok::StrayLt;
}

// Position after the terminator, or e (and terminated = false).
const wchar_t* SkipPast(const wchar_t* p, const wchar_t* e, wchar_t a, wchar_t b, wchar_t c,
                        bool& terminated) {
    // Searching for a three-character terminator, or two when c is 0.
    for (; p < e; ++p) {
        if (*p != a) continue;
        if (c == 0) {
            if (p + 1 < e && p[1] == b) {
                terminated = true;
                return p + 2;
            }
        } else if (p + 2 < e && p[1] == b && p[2] == c) {
            terminated = true;
            return p + 3;
        }
    }
    terminated = false;
    return e;
}

// Past a DOCTYPE's internal subset that starts at p: the position of its
// closing ']', or e. Comments and processing instructions are skipped whole,
// so that a quote in them starts no literal; the literals of a declaration
// may hold '>' and ']'.
const wchar_t* SkipSubset(const wchar_t* p, const wchar_t* e) {
    bool terminated;
    while (p < e) {
        if (*p == ']') return p;
        if (*p != '<' || p + 1 >= e) {
            ++p;
        } else if (StartsWith(p, e, "<!--")) {
            p = SkipPast(p + 4, e, '-', '-', '>', terminated);
        } else if (p[1] == '?') {
            p = SkipPast(p + 2, e, '?', '>', 0, terminated);
        } else if (p[1] == '!') {
            wchar_t quote = 0;
            for (p += 2; p < e; ++p) {
                if (quote) {
                    if (*p == quote) quote = 0;
                } else if (*p == '"' || *p == '\'') {
                    quote = *p;
                } else if (*p == '>') {
                    ++p;
                    break;
                }
            }
        } else {
            ++p;
        }
    }
    return e;
}

// "<!...>": quoted literals may hold '>', and so may an internal subset.
const wchar_t* SkipDecl(const wchar_t* p, const wchar_t* e, bool& terminated) {
    wchar_t quote = 0;
    bool subsetSeen = false;
    for (p += 2; p < e; ++p) {
        const wchar_t c = *p;
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '[' && !subsetSeen) {
            subsetSeen = true;
            p = SkipSubset(p + 1, e);
            if (p >= e) break;
        } else if (c == '>') {
            terminated = true;
            return p + 1;
        }
    }
    terminated = false;
    return e;
}

struct EndTag {
    const wchar_t* name;
    std::size_t nameLen;
    const wchar_t* end;
    bool clean;
};

EndTag ScanEndTag(const wchar_t* p, const wchar_t* e) {
    EndTag t;
    t.name = p + 2;
    const wchar_t* q = t.name;
    q = SkipName(q, e);
    t.nameLen = static_cast<std::size_t>(q - t.name);
    while (q < e && IsSpace(*q)) ++q;
    t.clean = q < e && *q == '>' && t.nameLen > 0;
    if (!(q < e && *q == '>'))
        while (q < e && *q != '>' && *q != '<') ++q;
    if (q < e && *q == '>') ++q;
    t.end = q;
    return t;
}

// Skips a comment, PI, CDATA section or declaration at p (Tok already known).
const wchar_t* SkipOther(Tok tok, const wchar_t* p, const wchar_t* e, bool& terminated) {
    switch (tok) {
        case Tok::Comment:
            return SkipPast(p + 4, e, '-', '-', '>', terminated);
        case Tok::CData:
            return SkipPast(p + 9, e, ']', ']', '>', terminated);
        case Tok::PI:
            return SkipPast(p + 2, e, '?', '>', 0, terminated);
        default:
            return SkipDecl(p, e, terminated);
    }
}

const wchar_t* kProblemText[] = {
    L"",
    L"no root element",
    L"more than one root element",
    L"text outside the root element",
    L"'<' that starts no markup",
    L"'&' that starts no entity or character reference",
    L"malformed start tag",
    L"unquoted attribute value",
    L"attribute without a value",
    L"unterminated attribute value",
    L"malformed end tag",
    L"end tag that matches no open element",
    L"element not closed",
    L"unterminated comment, CDATA section, processing instruction or declaration",
    L"markup outside the root element",
    L"document too large",
};

// Offsets are 32-bit: larger texts are indexed up to this length.
const std::size_t kMaxIndexed = 0xFFFFFFF0u;

}  // namespace

// ---- Index --------------------------------------------------------------------

namespace {

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
        const wchar_t* name = m_doc + n.start + 1;
        for (uint32_t i = 0; i < n.nameLen; ++i)
            if (p[i + 2] != name[i]) return false;
        return true;
    }
    // Open-element name counts, kept only once a mismatched end tag found no
    // match near the top of a deep stack (keeps recovery linear).
    uint32_t FindOpen(uint32_t open, const wchar_t* name, std::size_t len);
    void Close(uint32_t& open, uint32_t contentEnd, uint32_t end);
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

void Indexer::Close(uint32_t& open, uint32_t contentEnd, uint32_t end) {
    Node& n = nodes[open];
    n.contentEnd = contentEnd;
    n.end = end;
    n.nextSibling = 0;
    if (m_countingNames) --m_openNames[std::wstring(m_doc + n.start + 1, n.nameLen)];
    const uint32_t closed = open;
    open = n.parent;
    // A hidden element is the last node: its own hidden children are gone.
    if (Hidden()) nodes.resize(closed);
    --m_depth;
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
    // element per 50 characters); they double from there. Counting first
    // would read the whole text once more.
    ecfg::ReserveLarge(nodes, m_maxDepth == kAllLevels ? n / 64 + 16 : 64);
    ecfg::ReserveLarge(attrs, m_maxDepth == kAllLevels ? n / 64 + 16 : 64);
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

// ---- Cursor -------------------------------------------------------------------

void Cursor::Open(const wchar_t* text, std::size_t len, uint32_t maxDepth) {
    m_text = text;
    m_len = len;
    m_index = BuildIndex(text, len, maxDepth);
    m_top = m_base = 0;
    level = elem = child = 0;
}

void Cursor::OpenView(const wchar_t* text, std::size_t len, std::shared_ptr<const Index> index,
                      uint32_t top) {
    m_text = text;
    m_len = len;
    m_index = std::move(index);
    m_top = top;
    m_base = m_index->nodes[top].start;
    level = elem = child = 0;
}

void Cursor::OpenSame(const wchar_t* text, const Cursor& other) {
    m_text = text;
    m_len = other.m_len;
    m_index = other.m_index;
    m_top = other.m_top;
    m_base = other.m_base;
    level = elem = child = 0;
}

uint32_t Cursor::FindSibling(uint32_t from, MCD_CSTR name) const {
    if (!name) return from;
    const std::size_t len = std::wcslen(name);
    for (; from != 0; from = Next(from)) {
        const Node& n = N(from);
        if (n.nameLen == len && std::wmemcmp(At(n.start + 1), name, len) == 0) return from;
    }
    return 0;
}

bool Cursor::FindElem(MCD_CSTR name) {
    const uint32_t from = elem ? Next(elem) : FirstChild(level);
    const uint32_t found = FindSibling(from, name);
    if (found == 0) return false;
    elem = found;
    child = 0;
    return true;
}

bool Cursor::FindChildElem(MCD_CSTR name) {
    if (elem == 0 && !FindElem(nullptr)) return false;
    const uint32_t from = child ? Next(child) : FirstChild(elem);
    const uint32_t found = FindSibling(from, name);
    if (found == 0) return false;
    child = found;
    return true;
}

bool Cursor::IntoElem() {
    if (elem == 0) return false;
    level = elem;
    elem = 0;
    child = 0;
    return true;
}

bool Cursor::OutOfElem() {
    if (level == 0) return false;
    elem = level;
    level = Parent(level);
    child = 0;
    return true;
}

bool Cursor::AttribSpan(uint32_t node, MCD_CSTR name, const wchar_t*& begin, const wchar_t*& end,
                        bool& plain) const {
    if (node == 0 || !name) return false;
    const std::size_t len = std::wcslen(name);
    const Node& n = N(node);
    for (uint32_t i = n.firstAttr; i < n.firstAttr + n.attrCount; ++i) {
        const Attr& a = m_index->attrs[i];
        const wchar_t* const attrName = At(a.nameStart);
        if (a.nameLen == len && attrName[0] == name[0] && std::wmemcmp(attrName, name, len) == 0) {
            begin = At(a.valueStart);
            end = begin + a.valueLen;
            plain = IsPlainValue(begin, end);
            return true;
        }
    }
    return false;
}

std::wstring Cursor::Attrib(uint32_t node, MCD_CSTR name) const {
    std::wstring out;
    const wchar_t* begin;
    const wchar_t* end;
    bool plain;
    if (!AttribSpan(node, name, begin, end, plain)) return out;
    if (plain) {
        out.assign(begin, end);
    } else {
        AppendAttrValue(out, begin, end);
    }
    return out;
}

std::wstring Cursor::Data(uint32_t node) const {
    std::wstring out;
    if (node == 0) return out;
    const Node& n = N(node);
    const wchar_t* const docEnd = m_text + m_len;
    const wchar_t* p = At(n.contentStart);
    const wchar_t* const e = At(n.contentEnd);
    uint32_t ch = n.firstChild;
    while (p < e) {
        const wchar_t* q = p;
        while (q < e && *q != '<' && *q != '&' && *q != '\r') ++q;
        out.append(p, q);
        p = q;
        if (p >= e) break;
        if (*p == '\r') {
            out.push_back(L'\n');
            ++p;
            if (p < e && *p == '\n') ++p;
            continue;
        }
        if (*p == '&') {
            uint32_t cp = 0;
            const wchar_t* after = ParseEntity(p, e, cp);
            if (after) {
                ecfg::AppendCodePoint(out, cp);
                p = after;
            } else {
                out.push_back(L'&');
                ++p;
            }
            continue;
        }
        if (ch != 0 && p == At(N(ch).start)) {
            p = At(N(ch).end);
            ch = N(ch).nextSibling;
            continue;
        }
        // Tokens are classified against the whole text, as the index did.
        const Tok tok = Classify(p, docEnd);
        bool terminated;
        switch (tok) {
            case Tok::CData: {
                const wchar_t* after = SkipOther(tok, p, docEnd, terminated);
                const wchar_t* stop = terminated ? after - 3 : after;
                if (stop > e) stop = e;
                AppendLines(out, p + 9, stop);
                p = after;
                break;
            }
            case Tok::EndTag:
                p = ScanEndTag(p, docEnd).end;
                break;  // one the index ignored
            case Tok::StrayLt:
            case Tok::StartTag:  // every start tag is a child: not reached
                out.push_back(L'<');
                ++p;
                break;
            default:
                p = SkipOther(tok, p, docEnd, terminated);
                break;
        }
    }
    return out;
}

bool Cursor::DataSpan(uint32_t node, const wchar_t*& begin, const wchar_t*& end) const {
    if (node == 0 || N(node).firstChild != 0) return false;
    begin = At(N(node).contentStart);
    end = At(N(node).contentEnd);
    for (const wchar_t* p = begin; p < end; ++p)
        if (*p == '<' || *p == '&' || *p == '\r') return false;
    return true;
}

std::wstring Cursor::SubDoc(uint32_t node) const {
    if (node == 0) return std::wstring();
    const Node& n = N(node);
    return ecfg::CopyText(At(n.start), n.end - n.start);
}

std::wstring Cursor::TagName(uint32_t node) const {
    if (node == 0) return std::wstring();
    return std::wstring(At(N(node).start + 1), N(node).nameLen);
}

std::wstring Cursor::Error() const {
    if (m_top != 0 || m_index->problem == Problem::None) return std::wstring();
    std::wstring text = kProblemText[static_cast<int>(m_index->problem)];
    if (m_index->problemNode != 0) text += L": <" + TagName(m_index->problemNode) + L">";
    return text;
}

}  // namespace markup
}  // namespace ecfg

// ---- CMarkupImpl ----------------------------------------------------------------

CMarkupImpl::CMarkupImpl(const CMarkupImpl& other)
    : doc(other.doc),
      loadEncoding(other.loadEncoding),
      encodingFellBack(other.encodingFellBack),
      cursor(other.cursor),
      m_pending(other.m_pending) {
    cursor.Rebind(doc.data());
}

CMarkupImpl& CMarkupImpl::operator=(const CMarkupImpl& other) {
    if (this != &other) {
        doc = other.doc;
        loadEncoding = other.loadEncoding;
        encodingFellBack = other.encodingFellBack;
        cursor = other.cursor;
        m_pending = other.m_pending;
        cursor.Rebind(doc.data());
    }
    return *this;
}

void CMarkupImpl::SetDoc(const wchar_t* text, std::size_t len) {
    doc.assign(text, len);
    m_pending = false;
    cursor.Open(doc.data(), doc.size());
}

void CMarkupImpl::SetLoaded(std::wstring text) {
    doc = std::move(text);
    m_pending = true;
}

std::wstring CMarkupImpl::TakeDoc(CMarkup& markup) {
    CMarkupImpl& m = *markup.m_pImpl;
    std::wstring text = std::move(m.doc);
    m.SetDoc(L"", 0);
    return text;
}

// ---- CMarkup ------------------------------------------------------------------

const std::size_t CMarkup::npos;

CMarkup::CMarkup() : m_pImpl(new CMarkupImpl) {}

CMarkup::CMarkup(const std::wstring& doc) : m_pImpl(new CMarkupImpl) {
    SetDoc(doc);
}

CMarkup::CMarkup(MCD_CSTR doc) : m_pImpl(new CMarkupImpl) {
    SetDoc(doc);
}

CMarkup::CMarkup(const CMarkup& other) : m_pImpl(new CMarkupImpl(*other.m_pImpl)) {}

CMarkup& CMarkup::operator=(const CMarkup& other) {
    if (this != &other) *m_pImpl = *other.m_pImpl;
    return *this;
}

CMarkup::~CMarkup() {
    delete m_pImpl;
}

bool CMarkup::SetDoc(const std::wstring& doc) {
    m_pImpl->SetDoc(doc.data(), doc.size());
    return m_pImpl->Use().WellFormed();
}

bool CMarkup::SetDoc(MCD_CSTR doc) {
    m_pImpl->SetDoc(doc ? doc : L"", doc ? std::wcslen(doc) : 0);
    return m_pImpl->Use().WellFormed();
}

bool CMarkup::Load(MCD_CSTR path) {
    std::vector<unsigned char> bytes;
    if (!path || !ecfg::ReadFileBytes(path, bytes)) return false;
    CMarkupImpl& m = *m_pImpl;
    m.SetLoaded(
        ecfg::DecodeXmlBytes(bytes.data(), bytes.size(), m.loadEncoding, m.encodingFellBack));
    return true;
}

bool CMarkup::IsWellFormed() const {
    return m_pImpl->Use().WellFormed();
}

bool CMarkup::FindElem(MCD_CSTR name) {
    return m_pImpl->Use().FindElem(name);
}
bool CMarkup::FindChildElem(MCD_CSTR name) {
    return m_pImpl->Use().FindChildElem(name);
}
bool CMarkup::IntoElem() {
    return m_pImpl->Use().IntoElem();
}
bool CMarkup::OutOfElem() {
    return m_pImpl->Use().OutOfElem();
}

std::wstring CMarkup::GetAttrib(MCD_CSTR name) const {
    ecfg::markup::Cursor& c = m_pImpl->Use();
    return c.Attrib(c.elem, name);
}
std::wstring CMarkup::GetChildAttrib(MCD_CSTR name) const {
    ecfg::markup::Cursor& c = m_pImpl->Use();
    return c.Attrib(c.child, name);
}
std::wstring CMarkup::GetData() const {
    ecfg::markup::Cursor& c = m_pImpl->Use();
    return c.Data(c.elem);
}
std::wstring CMarkup::GetChildData() const {
    ecfg::markup::Cursor& c = m_pImpl->Use();
    return c.Data(c.child);
}
std::wstring CMarkup::GetSubDoc() const {
    ecfg::markup::Cursor& c = m_pImpl->Use();
    return c.SubDoc(c.elem);
}
std::wstring CMarkup::GetChildSubDoc() const {
    ecfg::markup::Cursor& c = m_pImpl->Use();
    return c.SubDoc(c.child);
}
const std::wstring& CMarkup::GetDoc() const {
    return m_pImpl->doc;
}

std::size_t CMarkup::GetElemOffset() const {
    ecfg::markup::Cursor& c = m_pImpl->Use();
    return c.Offset(c.elem);
}
std::size_t CMarkup::GetChildElemOffset() const {
    ecfg::markup::Cursor& c = m_pImpl->Use();
    return c.Offset(c.child);
}
std::wstring CMarkup::GetTagName() const {
    ecfg::markup::Cursor& c = m_pImpl->Use();
    return c.TagName(c.elem);
}
std::wstring CMarkup::GetChildTagName() const {
    ecfg::markup::Cursor& c = m_pImpl->Use();
    return c.TagName(c.child);
}
std::size_t CMarkup::GetErrorOffset() const {
    return m_pImpl->Use().ErrorOffset();
}
std::wstring CMarkup::GetError() const {
    return m_pImpl->Use().Error();
}
std::wstring CMarkup::GetLoadEncoding() const {
    return m_pImpl->loadEncoding;
}
bool CMarkup::GetEncodingFellBack() const {
    return m_pImpl->encodingFellBack;
}
