#include "xml/TextDecoding.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cwchar>

#include "xml/LargeBuffer.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
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

// The encoding named by a leading "<?xml ... encoding='...' ?>" in an
// ASCII-compatible text; empty when there is none. White space before the
// declaration is misplaced, but the author still meant the encoding named.
std::string DeclaredEncoding(const unsigned char* p, std::size_t n) {
    while (n > 0 && (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n')) {
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
        while (j < end && (p[j] == ' ' || p[j] == '\t' || p[j] == '\r' || p[j] == '\n')) ++j;
        if (j >= end || p[j] != '=') continue;
        ++j;
        while (j < end && (p[j] == ' ' || p[j] == '\t' || p[j] == '\r' || p[j] == '\n')) ++j;
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

// Widens the ASCII bytes at p, 16 at a time, while a whole block of 16 is
// ASCII; returns how many bytes were widened (a multiple of 16, at most n).
std::size_t WidenAscii(const unsigned char* p, std::size_t n, wchar_t* w) {
    std::size_t i = 0;
#if defined(__SSE2__) || defined(_M_X64)
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        if (_mm_movemask_epi8(v) != 0) break;
        const __m128i lo = _mm_unpacklo_epi8(v, zero);
        const __m128i hi = _mm_unpackhi_epi8(v, zero);
        __m128i* out = reinterpret_cast<__m128i*>(w + i);
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
#else
    (void)p;
    (void)n;
    (void)w;
#endif
    return i;
}

}  // namespace

void DecodeUtf8(const unsigned char* p, std::size_t n, std::wstring& out) {
    // Decoded a slice at a time into a small buffer and appended to room
    // reserved for the longest result (one unit per byte): no pass to
    // zero-fill the result first, and no per-character push_back. A
    // character never yields more units than it has bytes, so a slice of
    // kSlice bytes (plus a sequence running over its end) fits the buffer.
    // The buffer stays under 4 KB: it lives in the first-level cache, and
    // the C library copies blocks that small with vector moves (larger ones
    // with a string instruction that profilers count per byte).
    const std::size_t kSlice = 1000;
    wchar_t buf[kSlice + 4];
    ReserveLarge(out, out.size() + n);
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

std::wstring DecodeXmlBytes(const unsigned char* p, std::size_t n, std::wstring& encoding,
                            bool& fellBack) {
    std::wstring out;
    fellBack = false;
    auto has = [p, n](const char* sig, std::size_t len) {
        return n >= len && std::memcmp(p, sig, len) == 0;
    };
    // Marks first (UTF-32 LE before UTF-16 LE: it starts with the same bytes),
    // then a 16- or 32-bit "<?" without a mark.
    if (has("\xFF\xFE\0\0", 4)) {
        encoding = L"UTF-32LE";
        DecodeUtf32(p + 4, n - 4, false, out);
    } else if (has("\0\0\xFE\xFF", 4)) {
        encoding = L"UTF-32BE";
        DecodeUtf32(p + 4, n - 4, true, out);
    } else if (has("\xEF\xBB\xBF", 3)) {
        encoding = L"UTF-8";
        DecodeUtf8(p + 3, n - 3, out);
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
        if (u.empty() || SameName(u, "UTF-8") || SameName(u, "UTF8") || SameName(u, "US-ASCII") ||
            SameName(u, "ASCII")) {
            encoding = L"UTF-8";
            DecodeUtf8(p, n, out);
        } else if (u == "ISO-8859-1" || u == "ISO8859-1" || u == "LATIN1" || u == "LATIN-1" ||
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

template <class Bytes>
bool ReadFileInto(const wchar_t* path, Bytes& out) {
#ifdef _WIN32
    FILE* f = _wfopen(path, L"rb");
#else
    FILE* f = std::fopen(WideToUtf8(path).c_str(), "rb");
#endif
    if (!f) return false;
    out.clear();
    // Read straight into room for the whole file where its size is known;
    // the loop takes whatever else there is (a file still growing, a pipe).
    long long size = -1;
#ifdef _WIN32
    if (_fseeki64(f, 0, SEEK_END) == 0) size = _ftelli64(f);
    if (_fseeki64(f, 0, SEEK_SET) != 0) size = -1;
#else
    if (fseeko(f, 0, SEEK_END) == 0) size = static_cast<long long>(ftello(f));
    if (fseeko(f, 0, SEEK_SET) != 0) size = -1;
#endif
    if (size > 0 && static_cast<unsigned long long>(size) < out.max_size()) {
        ReserveLarge(out, static_cast<std::size_t>(size));
        out.resize(static_cast<std::size_t>(size));
        out.resize(std::fread(out.data(), 1, out.size(), f));
    }
    unsigned char buf[65536];
    std::size_t got;
    while ((got = std::fread(buf, 1, sizeof buf, f)) > 0) out.insert(out.end(), buf, buf + got);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

}  // namespace

bool ReadFileBytes(const wchar_t* path, std::vector<unsigned char>& out) {
    return ReadFileInto(path, out);
}

bool ReadFileBytes(const wchar_t* path, FileBytes& out) {
    return ReadFileInto(path, out);
}

}  // namespace ecfg
