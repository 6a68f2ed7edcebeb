#include "reading/Numbers.h"

#include <climits>
#include <cwctype>

namespace ecfg {

int DigitValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return 99;
}

namespace {

// The rule on the text from `text` up to where atEnd says it stops.
template <class AtEnd>
NumberRead Read(const wchar_t* text, int base, AtEnd atEnd) {
    NumberRead read;
    const wchar_t* p = text;
    // ASCII white space tested inline; the C library decides the rest.
    // A digit, the usual first character, fails the first test.
    while (!atEnd(p) && (*p <= L' ' || *p > 0x7F) &&
           (*p == L' ' || (*p >= L'\t' && *p <= L'\r') ||
            (*p > 0x7F && std::iswspace(static_cast<wint_t>(*p)))))
        ++p;
    bool negative = false;
    if (!atEnd(p) && *p < L'0' && (*p == L'+' || *p == L'-')) {
        negative = (*p == L'-');
        ++p;
    }
    if (base == 16 && !atEnd(p) && p[0] == L'0' && !atEnd(p + 1) &&
        (p[1] == L'x' || p[1] == L'X') && !atEnd(p + 2) && DigitValue(p[2]) < 16)
        p += 2;
    const wchar_t* digits = p;
    // Accumulate in 64 bits and stop growing once past the 32-bit range, so
    // any number of digits is read in one pass without overflow.
    long long value = 0;
    const long long limit = static_cast<long long>(INT_MAX) + 1;
    if (base == 10) {  // the common case, without the letter tests
        for (unsigned d; !atEnd(p) && (d = static_cast<unsigned>(*p) - L'0') < 10; ++p)
            if (value <= limit) value = value * 10 + d;
    } else {
        for (int d; !atEnd(p) && (d = DigitValue(*p)) < base; ++p)
            if (value <= limit) value = value * base + d;
    }
    if (p == digits) {
        read.end = text;
        return read;
    }
    read.end = p;
    if (negative) value = -value;
    read.saturated = value < INT_MIN || value > INT_MAX;
    read.value = value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : static_cast<int>(value);
    return read;
}

}  // namespace

NumberRead ReadNumber(const wchar_t* text, int base) {
    return Read(text, base, [](const wchar_t* p) { return *p == 0; });
}

NumberRead ReadSpanNumber(const wchar_t* begin, const wchar_t* end, int base) {
    return Read(begin, base, [end](const wchar_t* p) { return p >= end; });
}

int WcsToL32(const wchar_t* text, const wchar_t** end, int base) {
    const NumberRead read = ReadNumber(text, base);
    if (end) *end = read.end;
    return read.value;
}

int HexToInt(const std::wstring& text) {
    return WcsToL32(text.c_str(), nullptr, 16);
}
int DecToInt(const std::wstring& text) {
    return WcsToL32(text.c_str(), nullptr, 10);
}

}  // namespace ecfg
