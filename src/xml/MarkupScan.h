#pragma once

// The characters and tokens of markup, shared by the index (one pass over a
// text) and the cursor (reads of the character data and attribute values
// the index located). Everything here is small and on the indexer's hot path,
// hence inline.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "xml/TextDecoding.h"

namespace ecfg {
namespace markup {

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
inline const CharClasses kClasses;

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

// The first position in [p, e) holding a, b or c (ASCII characters other than
// NUL); e when there is none. The index spends most of its time looking for
// the end of a text run or of an attribute value, so this narrows 16 wide
// units to 16 bytes at a time (saturating: a unit above 255 becomes 255 or 0,
// never an ASCII character) and compares the bytes.
inline const wchar_t* FindAny(const wchar_t* p, const wchar_t* e, wchar_t a, wchar_t b, wchar_t c) {
#if defined(__SSE2__)
    const __m128i va = _mm_set1_epi8(static_cast<char>(a));
    const __m128i vb = _mm_set1_epi8(static_cast<char>(b));
    const __m128i vc = _mm_set1_epi8(static_cast<char>(c));
    for (; e - p >= 16; p += 16) {
        const __m128i* s = reinterpret_cast<const __m128i*>(p);
#if WCHAR_MAX > 0xFFFF
        const __m128i v =
            _mm_packus_epi16(_mm_packs_epi32(_mm_loadu_si128(s), _mm_loadu_si128(s + 1)),
                             _mm_packs_epi32(_mm_loadu_si128(s + 2), _mm_loadu_si128(s + 3)));
#else
        const __m128i v = _mm_packus_epi16(_mm_loadu_si128(s), _mm_loadu_si128(s + 1));
#endif
        const __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, va), _mm_cmpeq_epi8(v, vb)),
                                         _mm_cmpeq_epi8(v, vc));
        const int mask = _mm_movemask_epi8(hit);
        if (mask != 0) return p + __builtin_ctz(static_cast<unsigned>(mask));
    }
#endif
    while (p < e && *p != a && *p != b && *p != c) ++p;
    return p;
}

#if defined(__SSE2__)
// Eight units narrowed to the low eight bytes: a unit in [0, 255) keeps its
// value and every other one (negative ones included) becomes 255, so no
// unit beyond ASCII passes for an ASCII character.
inline __m128i Narrow8(const wchar_t* p) {
    const __m128i* s = reinterpret_cast<const __m128i*>(p);
#if WCHAR_MAX > 0xFFFF
    __m128i v = _mm_packs_epi32(_mm_loadu_si128(s), _mm_loadu_si128(s + 1));
#else
    __m128i v = _mm_loadu_si128(s);
#endif
    // Unsigned minimum with 255 (SSE2 has no such instruction for 16 bits).
    v = _mm_sub_epi16(v, _mm_subs_epu16(v, _mm_set1_epi16(255)));
    return _mm_packus_epi16(v, v);
}

// Bytes in [lo, lo + n): shifted so that the range starts at -128, then
// compared signed.
inline __m128i InRange(__m128i v, int lo, int n) {
    return _mm_cmplt_epi8(_mm_add_epi8(v, _mm_set1_epi8(static_cast<char>(-128 - lo))),
                          _mm_set1_epi8(static_cast<char>(-128 + n)));
}

// Bit i set when p[i] is a name character, for the eight units from p.
inline unsigned NameBits8(const wchar_t* p) {
    const __m128i b = Narrow8(p);
    const __m128i name = _mm_or_si128(
        _mm_or_si128(_mm_cmplt_epi8(b, _mm_setzero_si128()),  // 128 and beyond
                     InRange(_mm_or_si128(b, _mm_set1_epi8(0x20)), 'a', 26)),
        _mm_or_si128(_mm_or_si128(InRange(b, '0', 11), InRange(b, '-', 2)),  // 0-9 : - .
                     _mm_cmpeq_epi8(b, _mm_set1_epi8('_'))));
    return static_cast<unsigned>(_mm_movemask_epi8(name)) & 0xFFu;
}
#endif

// The end of the name starting at p: the first position in [p, e) that holds
// no name character. Names are short, so they are read eight units at a
// time.
inline const wchar_t* SkipName(const wchar_t* p, const wchar_t* e) {
#if defined(__SSE2__)
    for (; e - p >= 8; p += 8) {
        const unsigned other = ~NameBits8(p) & 0xFFu;
        if (other != 0) return p + __builtin_ctz(other);
    }
#endif
    while (p < e && IsNameChar(*p)) ++p;
    return p;
}

// SkipName for a text followed by a NUL (no name character): names run to
// a few units, which one at a time reads in fewer instructions than blocks.
inline const wchar_t* SkipNameToNul(const wchar_t* p) {
    while (IsNameChar(*p)) ++p;
    return p;
}

// Whether the n units at a and b are equal; 16 bytes at a time.
inline bool SameUnits(const wchar_t* a, const wchar_t* b, std::size_t n) {
#if defined(__SSE2__)
    const std::size_t kUnits = 16 / sizeof(wchar_t);
    for (; n >= kUnits; n -= kUnits, a += kUnits, b += kUnits) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a));
        const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b));
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(x, y)) != 0xFFFF) return false;
    }
#endif
    for (; n != 0; --n)
        if (*a++ != *b++) return false;
    return true;
}

// SameUnits for names, which run to a few units: the last block overlaps
// the one before it where SameUnits compares a unit at a time.
inline bool SameNameUnits(const wchar_t* a, const wchar_t* b, std::size_t n) {
#if defined(__SSE2__)
    const std::size_t kUnits = 16 / sizeof(wchar_t);
    if (n >= kUnits) {
        auto same = [](const wchar_t* x, const wchar_t* y) {
            const __m128i u = _mm_loadu_si128(reinterpret_cast<const __m128i*>(x));
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(y));
            return _mm_movemask_epi8(_mm_cmpeq_epi8(u, v)) == 0xFFFF;
        };
        for (std::size_t i = 0; i + kUnits < n; i += kUnits)
            if (!same(a + i, b + i)) return false;
        return same(a + n - kUnits, b + n - kUnits);
    }
#endif
    for (std::size_t i = 0; i < n; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

inline bool StartsWith(const wchar_t* p, const wchar_t* e, const char* lit) {
    for (; *lit; ++lit, ++p)
        if (p >= e || *p != static_cast<wchar_t>(*lit)) return false;
    return true;
}

// '&' at p: a predefined entity or a numeric character reference. Returns
// the position after ';' and the code point, or null when it is neither.
inline const wchar_t* ParseEntity(const wchar_t* p, const wchar_t* e, uint32_t& cp) {
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
inline void AppendLines(std::wstring& out, const wchar_t* p, const wchar_t* e) {
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
inline void AppendAttrValue(std::wstring& out, const wchar_t* p, const wchar_t* e) {
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

inline Tok Classify(const wchar_t* p, const wchar_t* e) {
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
inline const wchar_t* SkipPast(const wchar_t* p, const wchar_t* e, wchar_t a, wchar_t b, wchar_t c,
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
inline const wchar_t* SkipSubset(const wchar_t* p, const wchar_t* e) {
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
inline const wchar_t* SkipDecl(const wchar_t* p, const wchar_t* e, bool& terminated) {
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

inline EndTag ScanEndTag(const wchar_t* p, const wchar_t* e) {
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
inline const wchar_t* SkipOther(Tok tok, const wchar_t* p, const wchar_t* e, bool& terminated) {
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

}  // namespace markup
}  // namespace ecfg
