#pragma once

// The number rules of the Windows runtime, which every reader follows on
// every platform (results saturate at the 32-bit limits), and the cutting of
// '/'-separated id lists. The tool applies the same rules to say what a text
// is read as.

#include <cstddef>
#include <string>

namespace ecfg {

// The value of a hexadecimal digit (either case); 99 for any other character.
int DigitValue(wchar_t c);

// What the number rule made of a text.
struct NumberRead {
    int value = 0;
    const wchar_t* end = nullptr;  // first character not converted (the text when none was)
    bool saturated = false;        // the digits went past the 32-bit range
};

// wcstol in the given base (10 or 16) on a NUL-terminated text: leading white
// space, an optional sign, in base 16 an optional "0x"/"0X" before a digit,
// then digits up to the first other character; saturates at the 32-bit
// limits. _wtoi is the same rule in base 10.
NumberRead ReadNumber(const wchar_t* text, int base);
// The same rule on [begin, end), which need not be NUL-terminated.
NumberRead ReadSpanNumber(const wchar_t* begin, const wchar_t* end, int base);
// The usual id, read inline: up to seven digits filling the span, so no
// white space, sign, prefix or saturation to look for. False when the span
// is anything else (and the full rule must read it).
inline bool ReadPlainDigits(const wchar_t* begin, const wchar_t* end, int base, int& value) {
    if (end - begin < 1 || end - begin > 7) return false;
    int v = 0;
    for (const wchar_t* p = begin; p != end; ++p) {
        unsigned d = static_cast<unsigned>(*p) - L'0';
        if (d >= 10) {
            // Letters a-f in either case (the bit 0x20 lower-cases them; no
            // unit beyond ASCII lands there).
            d = (static_cast<unsigned>(*p) | 0x20u) - L'a';
            if (d >= 6 || base != 16) return false;
            d += 10;
        }
        v = v * base + static_cast<int>(d);
    }
    value = v;
    return true;
}
// The same rule on [begin, end), the usual id inline.
inline NumberRead ReadNumber(const wchar_t* begin, const wchar_t* end, int base) {
    NumberRead read;
    if (!ReadPlainDigits(begin, end, base, read.value)) return ReadSpanNumber(begin, end, base);
    read.end = end;
    return read;
}
// Its value; *end (when given) receives the end.
int WcsToL32(const wchar_t* text, const wchar_t** end, int base);

// The two bases ids are written in.
const int kHex = 16;
const int kDec = 10;

// wcstol in base 16.
int HexToInt(const std::wstring& text);
// wcstol in base 10, and _wtoi.
int DecToInt(const std::wstring& text);

// Calls f(begin, end) with each piece of a '/'-separated list in order, empty
// pieces included ("3//5" gives "3", "", "5"; "" gives one empty piece).
template <class F>
void EachIdPiece(const std::wstring& text, F f) {
    const wchar_t* p = text.data();
    const wchar_t* const e = p + text.size();
    for (;;) {
        const wchar_t* slash = p;
        while (slash != e && *slash != L'/') ++slash;
        f(p, slash);
        if (slash == e) break;
        p = slash + 1;
    }
}

}  // namespace ecfg
