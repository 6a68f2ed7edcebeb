#include "xml/TextDecoding.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cwchar>

#include "xml/LargeBuffer.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif
#if defined(_MSC_VER) && !defined(__clang__)
#include <intrin.h>
#endif

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace ecfg {

namespace {

const uint32_t kReplacement = 0xFFFD;

bool SameName(const std::string& a, const char* b) {
    return a == b;
}

// Upper-cased ASCII; the declaration's name as given otherwise.
std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::wstring Widen(const std::string& s) {
    return std::wstring(s.begin(), s.end());
}

// White space as the XML declaration knows it.
bool IsSpaceByte(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The encoding named by a leading "<?xml ... encoding='...' ?>" in an
// ASCII-compatible text; empty when there is none. White space before the
// declaration is misplaced, but the author still meant the encoding named.
std::string DeclaredEncoding(const unsigned char* p, std::size_t n) {
    while (n > 0 && IsSpaceByte(*p)) {
        ++p;
        --n;
    }
    if (n < 5 || std::memcmp(p, "<?xml", 5) != 0) return std::string();
    std::size_t end = 5;
    while (end + 1 < n && end < 1024 && !(p[end] == '?' && p[end + 1] == '>')) ++end;
    const char* key = "encoding";
    const std::size_t keyLen = std::strlen(key);
    for (std::size_t i = 5; i + keyLen <= end; ++i) {
        if (std::memcmp(p + i, key, keyLen) != 0) continue;
        std::size_t j = i + keyLen;
        while (j < end && IsSpaceByte(p[j])) ++j;
        if (j >= end || p[j] != '=') continue;
        ++j;
        while (j < end && IsSpaceByte(p[j])) ++j;
        if (j >= end || (p[j] != '"' && p[j] != '\'')) continue;
        const unsigned char quote = p[j++];
        std::size_t k = j;
        while (k < end && p[k] != quote) ++k;
        if (k >= end) return std::string();
        return std::string(reinterpret_cast<const char*>(p + j), k - j);
    }
    return std::string();
}

void DecodeLatin1(const unsigned char* p, std::size_t n, std::wstring& out) {
    out.reserve(out.size() + n);
    for (std::size_t i = 0; i < n; ++i) out.push_back(static_cast<wchar_t>(p[i]));
}

void DecodeWindows1252(const unsigned char* p, std::size_t n, std::wstring& out) {
    // 0x80..0x9F; 0 marks the five bytes the code page leaves undefined.
    static const uint16_t kHigh[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    out.reserve(out.size() + n);
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char c = p[i];
        if (c >= 0x80 && c < 0xA0) {
            AppendCodePoint(out, kHigh[c - 0x80] ? kHigh[c - 0x80] : kReplacement);
        } else {
            out.push_back(static_cast<wchar_t>(c));
        }
    }
}

// The platform's converter; false when it does not know the encoding.
bool DecodeWithPlatform(const std::string& name, const unsigned char* p, std::size_t n,
                        std::wstring& out) {
#ifdef _WIN32
    const std::string u = Upper(name);
    UINT cp = 0;
    if (u == "GB2312" || u == "GBK" || u == "CP936" || u == "X-GBK")
        cp = 936;
    else if (u == "GB18030")
        cp = 54936;
    else if (u == "BIG5")
        cp = 950;
    else if (u == "SHIFT_JIS" || u == "SHIFT-JIS" || u == "CP932")
        cp = 932;
    else if (u == "EUC-KR" || u == "CP949")
        cp = 949;
    else if (u == "WINDOWS-1251" || u == "CP1251")
        cp = 1251;
    else if (u == "KOI8-R")
        cp = 20866;
    if (cp == 0) return false;
    if (n == 0) return true;
    std::size_t done = 0;
    while (done < n) {
        // Whole input when it fits an int; else in large slices.
        int chunk = static_cast<int>(n - done > 0x40000000 ? 0x40000000 : n - done);
        const char* src = reinterpret_cast<const char*>(p + done);
        int len = MultiByteToWideChar(cp, 0, src, chunk, nullptr, 0);
        if (len <= 0) return false;
        const std::size_t at = out.size();
        out.resize(at + static_cast<std::size_t>(len));
        MultiByteToWideChar(cp, 0, src, chunk, &out[at], len);
        done += static_cast<std::size_t>(chunk);
    }
    return true;
#else
    std::string iconvName = Upper(name);
    // GB2312 files written by hand routinely hold GBK characters.
    if (iconvName == "GB2312" || iconvName == "CP936" || iconvName == "X-GBK") iconvName = "GBK";
    iconv_t cd = iconv_open("UTF-32LE", iconvName.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    char* in = const_cast<char*>(reinterpret_cast<const char*>(p));
    std::size_t inLeft = n;
    unsigned char buf[16384];
    auto flush = [&out](const unsigned char* b, std::size_t bytes) {
        for (std::size_t i = 0; i + 4 <= bytes; i += 4)
            AppendCodePoint(out, static_cast<uint32_t>(b[i]) |
                                     static_cast<uint32_t>(b[i + 1]) << 8 |
                                     static_cast<uint32_t>(b[i + 2]) << 16 |
                                     static_cast<uint32_t>(b[i + 3]) << 24);
    };
    while (inLeft > 0) {
        char* o = reinterpret_cast<char*>(buf);
        std::size_t outLeft = sizeof buf;
        const std::size_t r = iconv(cd, &in, &inLeft, &o, &outLeft);
        flush(buf, sizeof buf - outLeft);
        if (r != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) continue;
        AppendCodePoint(out, kReplacement);
        if (errno == EILSEQ) {
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        } else {
            break;  // EINVAL: a sequence cut short by the end of the file
        }
    }
    iconv_close(cd);
    return true;
#endif
}

}  // namespace

namespace {

// Writes one code point at w (two units where wchar_t is 16-bit) and
// returns the position after it.
wchar_t* WriteCodePoint(wchar_t* w, uint32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
#if WCHAR_MAX <= 0xFFFF
    if (cp >= 0x10000) {
        cp -= 0x10000;
        *w++ = static_cast<wchar_t>(0xD800 + (cp >> 10));
        *w++ = static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
        return w;
    }
#endif
    *w++ = static_cast<wchar_t>(cp);
    return w;
}

}  // namespace

void AppendCodePoint(std::wstring& out, uint32_t cp) {
    wchar_t units[2];
    out.append(units, static_cast<std::size_t>(WriteCodePoint(units, cp) - units));
}

namespace {

#if defined(__SSE2__) || defined(_M_X64)
// The position of the lowest set bit of a mask that is not 0.
inline int CountTrailingZeros(int mask) {
#if defined(_MSC_VER) && !defined(__clang__)
    unsigned long at;
    _BitScanForward(&at, static_cast<unsigned long>(mask));
    return static_cast<int>(at);
#else
    return __builtin_ctz(static_cast<unsigned>(mask));
#endif
}

// The 16 bytes of v (ASCII) as 16 units at w.
inline void StoreWidened(__m128i v, wchar_t* w) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i lo = _mm_unpacklo_epi8(v, zero);
    const __m128i hi = _mm_unpackhi_epi8(v, zero);
    __m128i* out = reinterpret_cast<__m128i*>(w);
#if WCHAR_MAX <= 0xFFFF
    _mm_storeu_si128(out, lo);
    _mm_storeu_si128(out + 1, hi);
#else
    _mm_storeu_si128(out, _mm_unpacklo_epi16(lo, zero));
    _mm_storeu_si128(out + 1, _mm_unpackhi_epi16(lo, zero));
    _mm_storeu_si128(out + 2, _mm_unpacklo_epi16(hi, zero));
    _mm_storeu_si128(out + 3, _mm_unpackhi_epi16(hi, zero));
#endif
}
#endif

// Widens the ASCII bytes at p in blocks of 16 (64 while the text is all
// ASCII); returns how many bytes were widened: up to the first byte that is
// not ASCII, or to the end of the last whole block (at most n). Whole blocks
// are written, so w needs room for n units; units written for the bytes
// past the returned count are left for the caller to overwrite.
std::size_t WidenAscii(const unsigned char* p, std::size_t n, wchar_t* w) {
    std::size_t i = 0;
#if defined(__SSE2__) || defined(_M_X64)
    for (; i + 64 <= n; i += 64) {
        const __m128i* s = reinterpret_cast<const __m128i*>(p + i);
        const __m128i a = _mm_loadu_si128(s);
        const __m128i b = _mm_loadu_si128(s + 1);
        const __m128i c = _mm_loadu_si128(s + 2);
        const __m128i d = _mm_loadu_si128(s + 3);
        if (_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(a, b), _mm_or_si128(c, d))) != 0) break;
        StoreWidened(a, w + i);
        StoreWidened(b, w + i + 16);
        StoreWidened(c, w + i + 32);
        StoreWidened(d, w + i + 48);
    }
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        StoreWidened(v, w + i);
        const int high = _mm_movemask_epi8(v);
        if (high != 0) return i + static_cast<std::size_t>(CountTrailingZeros(high));
    }
#else
    (void)p;
    (void)n;
    (void)w;
#endif
    return i;
}

}  // namespace

namespace {

// DecodeUtf8 into room the caller has reserved (the string still grows if
// there is too little).
void AppendUtf8(const unsigned char* p, std::size_t n, std::wstring& out) {
    // Decoded a slice at a time into a small buffer and appended to room
    // reserved for the longest result (one unit per byte): no pass to
    // zero-fill the result first, and no per-character push_back. A
    // character never yields more units than it has bytes, so a slice of
    // kSlice bytes (plus a sequence running over its end) fits the buffer.
    // The buffer stays under 4 KB: it lives in the first-level cache, and
    // the C library copies blocks that small with vector moves (larger ones
    // with a string instruction that profilers count per byte).
    const std::size_t kSlice = 992;  // whole blocks of 16 and 32 bytes
    wchar_t buf[kSlice + 4];
    std::size_t i = 0;
    while (i < n) {
        const std::size_t sliceEnd = n - i > kSlice ? i + kSlice : n;
        wchar_t* w = buf;
        while (i < sliceEnd) {
            const unsigned char c = p[i];
            if (c < 0x80) {
                const std::size_t wide = WidenAscii(p + i, sliceEnd - i, w);
                i += wide;
                w += wide;
                while (i < sliceEnd && p[i] < 0x80) *w++ = static_cast<wchar_t>(p[i++]);
                continue;
            }
            // The usual three-byte character (CJK text): a lead byte whose
            // second byte may be any continuation byte (not E0's overlong
            // forms, not ED's surrogates), so every result is one unit.
            if (c >= 0xE1 && c <= 0xEF && c != 0xED && i + 2 < n && (p[i + 1] & 0xC0) == 0x80 &&
                (p[i + 2] & 0xC0) == 0x80) {
                *w++ = static_cast<wchar_t>((c & 0x0Fu) << 12 | (p[i + 1] & 0x3Fu) << 6 |
                                            (p[i + 2] & 0x3Fu));
                i += 3;
                continue;
            }
            // Lead byte: length and the allowed range of the second byte, so
            // that overlong forms and surrogates are rejected (each maximal
            // invalid prefix becomes one U+FFFD).
            std::size_t len;
            uint32_t cp;
            unsigned char lo = 0x80, hi = 0xBF;
            if (c >= 0xC2 && c <= 0xDF) {
                len = 2;
                cp = c & 0x1F;
            } else if (c >= 0xE0 && c <= 0xEF) {
                len = 3;
                cp = c & 0x0F;
                if (c == 0xE0) lo = 0xA0;
                if (c == 0xED) hi = 0x9F;
            } else if (c >= 0xF0 && c <= 0xF4) {
                len = 4;
                cp = c & 0x07;
                if (c == 0xF0) lo = 0x90;
                if (c == 0xF4) hi = 0x8F;
            } else {
                w = WriteCodePoint(w, kReplacement);
                ++i;
                continue;
            }
            std::size_t k = 1;
            for (; k < len; ++k) {
                if (i + k >= n) break;
                const unsigned char t = p[i + k];
                if (t < (k == 1 ? lo : 0x80) || t > (k == 1 ? hi : 0xBF)) break;
                cp = cp << 6 | (t & 0x3F);
            }
            if (k == len) {
                w = WriteCodePoint(w, cp);
            } else {
                w = WriteCodePoint(w, kReplacement);
            }
            i += k;
        }
        out.append(buf, static_cast<std::size_t>(w - buf));
    }
}

}  // namespace

void DecodeUtf8(const unsigned char* p, std::size_t n, std::wstring& out) {
    ReserveLarge(out, out.size() + n);
    AppendUtf8(p, n, out);
}

void DecodeUtf16(const unsigned char* p, std::size_t n, bool bigEndian, std::wstring& out) {
    out.reserve(out.size() + n / 2);
    auto unit = [p, bigEndian](std::size_t i) -> uint32_t {
        return bigEndian ? (static_cast<uint32_t>(p[i]) << 8 | p[i + 1])
                         : (static_cast<uint32_t>(p[i + 1]) << 8 | p[i]);
    };
    std::size_t i = 0;
    for (; i + 2 <= n; i += 2) {
        const uint32_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 4 <= n) {
            const uint32_t v = unit(i + 2);
            if (v >= 0xDC00 && v <= 0xDFFF) {
                AppendCodePoint(out, 0x10000 + ((u - 0xD800) << 10) + (v - 0xDC00));
                i += 2;
                continue;
            }
        }
        AppendCodePoint(out, u);  // a lone surrogate becomes U+FFFD there
    }
    if (i < n) AppendCodePoint(out, kReplacement);
}

void DecodeUtf32(const unsigned char* p, std::size_t n, bool bigEndian, std::wstring& out) {
    out.reserve(out.size() + n / 4);
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        const uint32_t u =
            bigEndian
                ? (static_cast<uint32_t>(p[i]) << 24 | static_cast<uint32_t>(p[i + 1]) << 16 |
                   static_cast<uint32_t>(p[i + 2]) << 8 | p[i + 3])
                : (static_cast<uint32_t>(p[i + 3]) << 24 | static_cast<uint32_t>(p[i + 2]) << 16 |
                   static_cast<uint32_t>(p[i + 1]) << 8 | p[i]);
        AppendCodePoint(out, u);
    }
    if (i < n) AppendCodePoint(out, kReplacement);
}

namespace {

const std::size_t kNotUtf8 = static_cast<std::size_t>(-1);

bool StartsWith(const unsigned char* p, std::size_t n, const char* sig, std::size_t len) {
    return n >= len && std::memcmp(p, sig, len) == 0;
}

// Where the UTF-8 text starts (after a byte-order mark) when DecodeXmlBytes
// reads the bytes as UTF-8 without falling back; kNotUtf8 otherwise.
std::size_t Utf8Start(const unsigned char* p, std::size_t n) {
    if (StartsWith(p, n, "\xEF\xBB\xBF", 3)) return 3;
    // The marks and the 16- and 32-bit "<" of the other encodings.
    static const struct {
        const char* sig;
        std::size_t len;
    } kOthers[] = {{"\xFF\xFE", 2}, {"\xFE\xFF", 2}, {"<\0", 2},
                   {"\0<", 2},      {"\0\0\0<", 4},  {"\0\0\xFE\xFF", 4}};
    for (const auto& other : kOthers)
        if (StartsWith(p, n, other.sig, other.len)) return kNotUtf8;
    const std::string u = Upper(DeclaredEncoding(p, n));
    return u.empty() || SameName(u, "UTF-8") || SameName(u, "UTF8") || SameName(u, "US-ASCII") ||
                   SameName(u, "ASCII")
               ? 0
               : kNotUtf8;
}

}  // namespace

std::wstring DecodeXmlBytes(const unsigned char* p, std::size_t n, std::wstring& encoding,
                            bool& fellBack) {
    std::wstring out;
    fellBack = false;
    auto has = [p, n](const char* sig, std::size_t len) { return StartsWith(p, n, sig, len); };
    const std::size_t utf8 = Utf8Start(p, n);
    if (utf8 != kNotUtf8) {
        encoding = L"UTF-8";
        DecodeUtf8(p + utf8, n - utf8, out);
        return out;
    }
    // Marks first (UTF-32 LE before UTF-16 LE: it starts with the same bytes),
    // then a 16- or 32-bit "<?" without a mark.
    if (has("\xFF\xFE\0\0", 4)) {
        encoding = L"UTF-32LE";
        DecodeUtf32(p + 4, n - 4, false, out);
    } else if (has("\0\0\xFE\xFF", 4)) {
        encoding = L"UTF-32BE";
        DecodeUtf32(p + 4, n - 4, true, out);
    } else if (has("\xFF\xFE", 2)) {
        encoding = L"UTF-16LE";
        DecodeUtf16(p + 2, n - 2, false, out);
    } else if (has("\xFE\xFF", 2)) {
        encoding = L"UTF-16BE";
        DecodeUtf16(p + 2, n - 2, true, out);
    } else if (has("<\0\0\0", 4)) {
        encoding = L"UTF-32LE";
        DecodeUtf32(p, n, false, out);
    } else if (has("\0\0\0<", 4)) {
        encoding = L"UTF-32BE";
        DecodeUtf32(p, n, true, out);
    } else if (has("<\0", 2)) {
        encoding = L"UTF-16LE";
        DecodeUtf16(p, n, false, out);
    } else if (has("\0<", 2)) {
        encoding = L"UTF-16BE";
        DecodeUtf16(p, n, true, out);
    } else {
        const std::string declared = DeclaredEncoding(p, n);
        const std::string u = Upper(declared);
        if (u == "ISO-8859-1" || u == "ISO8859-1" || u == "LATIN1" || u == "LATIN-1" ||
            u == "ISO_8859-1" || u == "L1") {
            encoding = L"ISO-8859-1";
            DecodeLatin1(p, n, out);
        } else if (u == "WINDOWS-1252" || u == "CP1252" || u == "X-CP1252") {
            encoding = L"Windows-1252";
            DecodeWindows1252(p, n, out);
        } else if (u.compare(0, 6, "UTF-16") != 0 && u.compare(0, 6, "UTF-32") != 0 &&
                   DecodeWithPlatform(declared, p, n, out)) {
            // A 16- or 32-bit encoding declared in 8-bit text is not what the
            // file holds: those fall through to UTF-8.
            encoding = Widen(u);
        } else {
            out.clear();
            encoding = L"UTF-8";
            fellBack = true;
            DecodeUtf8(p, n, out);
        }
    }
    return out;
}

std::wstring Utf8ToWide(const std::string& bytes) {
    std::wstring out;
    DecodeUtf8(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), out);
    return out;
}

std::string WideToUtf8(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        uint32_t cp = static_cast<uint32_t>(text[i]);
        if (sizeof(wchar_t) == 2 && cp >= 0xD800 && cp <= 0xDBFF && i + 1 < n) {
            const uint32_t low = static_cast<uint32_t>(text[i + 1]);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | cp >> 6);
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | cp >> 12);
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | cp >> 18);
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

namespace {

FILE* OpenForReading(const wchar_t* path) {
#ifdef _WIN32
    return _wfopen(path, L"rb");
#else
    return std::fopen(WideToUtf8(path).c_str(), "rb");
#endif
}

// The file's size where it can be known (-1 for a pipe, say).
long long FileSize(FILE* f) {
    long long size = -1;
#ifdef _WIN32
    if (_fseeki64(f, 0, SEEK_END) == 0) size = _ftelli64(f);
    if (_fseeki64(f, 0, SEEK_SET) != 0) size = -1;
#else
    if (fseeko(f, 0, SEEK_END) == 0) size = static_cast<long long>(ftello(f));
    if (fseeko(f, 0, SEEK_SET) != 0) size = -1;
#endif
    return size;
}

// Appends the rest of the file.
void ReadRest(FILE* f, std::vector<unsigned char>& out) {
    unsigned char buf[65536];
    std::size_t got;
    while ((got = std::fread(buf, 1, sizeof buf, f)) > 0) out.insert(out.end(), buf, buf + got);
}

// Bytes a block may end on without cutting a UTF-8 sequence: the block is
// cut before a lead byte whose sequence runs past its end. The decoder
// starts afresh at every lead byte, so the text decodes as it would whole.
std::size_t WholeSequences(const unsigned char* p, std::size_t n) {
    for (std::size_t back = 1; back <= 3 && back <= n; ++back) {
        const unsigned char c = p[n - back];
        if (c < 0xC0) continue;
        const std::size_t len = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
        return len > back ? n - back : n;
    }
    return n;
}

}  // namespace

bool ReadFileBytes(const wchar_t* path, std::vector<unsigned char>& out) {
    FILE* f = OpenForReading(path);
    if (!f) return false;
    out.clear();
    // Read straight into room for the whole file where its size is known;
    // the loop takes whatever else there is (a file still growing, a pipe).
    const long long size = FileSize(f);
    if (size > 0 && static_cast<unsigned long long>(size) < out.max_size()) {
        ReserveLarge(out, static_cast<std::size_t>(size));
        out.resize(static_cast<std::size_t>(size));
        out.resize(std::fread(out.data(), 1, out.size(), f));
    }
    ReadRest(f, out);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

bool LoadXmlFile(const wchar_t* path, std::wstring& text, std::wstring& encoding, bool& fellBack,
                 std::size_t block) {
    FILE* f = OpenForReading(path);
    if (!f) return false;
    text.clear();
    const long long size = FileSize(f);
    // The encoding is told by the first bytes. A declaration that might run
    // past them (it is read up to 1024 bytes after any leading white space)
    // is left to the whole-file path.
    if (block == 0) block = 1;
    const std::size_t first = std::max<std::size_t>(block, 2048);
    std::vector<unsigned char> buf(first + 3);
    std::size_t have = std::fread(buf.data(), 1, first, f);
    bool atEnd = have < first;
    std::size_t lead = 0;
    while (lead < have && IsSpaceByte(buf[lead])) ++lead;
    const std::size_t start = atEnd || lead + 1100 <= have ? Utf8Start(buf.data(), have) : kNotUtf8;
    if (start == kNotUtf8) {
        buf.resize(have);
        if (size > 0 && static_cast<unsigned long long>(size) < buf.max_size())
            ReserveLarge(buf, static_cast<std::size_t>(size));
        ReadRest(f, buf);
        const bool ok = !std::ferror(f);
        std::fclose(f);
        if (ok) text = DecodeXmlBytes(buf.data(), buf.size(), encoding, fellBack);
        return ok;
    }
    encoding = L"UTF-8";
    fellBack = false;
    // At most one unit per byte: room for the whole text at once.
    if (size > 0 && static_cast<unsigned long long>(size) < text.max_size())
        ReserveLarge(text, static_cast<std::size_t>(size));
    std::size_t from = start;
    for (;;) {
        const std::size_t cut = atEnd ? have : WholeSequences(buf.data(), have);
        AppendUtf8(buf.data() + from, cut - from, text);
        if (atEnd) break;
        // The cut sequence (at most three bytes) starts the next block.
        std::memmove(buf.data(), buf.data() + cut, have - cut);
        have -= cut;
        from = 0;
        const std::size_t got = std::fread(buf.data() + have, 1, block, f);
        have += got;
        atEnd = got < block;
    }
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

}  // namespace ecfg
