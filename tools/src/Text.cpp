#include "Text.h"

#include <algorithm>
#include <climits>
#include <cwctype>

namespace ectool {

std::string Utf8(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t wc : text) {
        unsigned long c = static_cast<unsigned long>(wc);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::wstring Widen(const std::string& utf8) {
    std::wstring out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        unsigned char b = static_cast<unsigned char>(utf8[i]);
        int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + extra >= utf8.size()) {
            out += L'\xFFFD';
            ++i;
            continue;
        }
        unsigned long c = extra == 0 ? b : b & (0x3F >> extra);
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            unsigned char n = static_cast<unsigned char>(utf8[i + k]);
            if ((n & 0xC0) != 0x80) ok = false;
            c = (c << 6) | (n & 0x3F);
        }
        out += ok ? static_cast<wchar_t>(c) : L'\xFFFD';
        i += ok ? extra + 1 : 1;
    }
    return out;
}

int DigitValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return 99;
}

namespace {

int Convert(const std::wstring& text, int base) {
    std::size_t i = 0;
    while (i < text.size() && std::iswspace(static_cast<wint_t>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    if (base == 16 && i + 2 < text.size() && text[i] == L'0' &&
        (text[i + 1] == L'x' || text[i + 1] == L'X') && DigitValue(text[i + 2]) < 16)
        i += 2;
    long long value = 0;
    const long long limit = static_cast<long long>(INT_MAX) + 1;
    for (; i < text.size() && DigitValue(text[i]) < base; ++i)
        if (value <= limit) value = value * base + DigitValue(text[i]);
    if (negative) value = -value;
    return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

}  // namespace

int DecimalValue(const std::wstring& text) {
    return Convert(text, 10);
}
int HexValue(const std::wstring& text) {
    return Convert(text, 16);
}

std::vector<std::wstring> SplitIdList(const std::wstring& text) {
    std::vector<std::wstring> pieces;
    std::size_t start = 0;
    for (;;) {
        std::size_t slash = text.find(L'/', start);
        pieces.push_back(
            text.substr(start, slash == std::wstring::npos ? std::wstring::npos : slash - start));
        if (slash == std::wstring::npos) break;
        start = slash + 1;
    }
    return pieces;
}

// Optimal string alignment: a swap of two neighbours counts as one edit.
std::size_t EditDistance(const std::wstring& a, const std::wstring& b) {
    auto same = [](wchar_t x, wchar_t y) {
        return std::towlower(static_cast<wint_t>(x)) == std::towlower(static_cast<wint_t>(y));
    };
    const std::size_t width = b.size() + 1;
    std::vector<std::size_t> before(width), previous(width), row(width);
    for (std::size_t j = 0; j < width; ++j) previous[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            row[j] = std::min({previous[j] + 1, row[j - 1] + 1,
                               previous[j - 1] + (same(a[i - 1], b[j - 1]) ? 0 : 1)});
            if (i > 1 && j > 1 && same(a[i - 1], b[j - 2]) && same(a[i - 2], b[j - 1]))
                row[j] = std::min(row[j], before[j - 2] + 1);
        }
        before.swap(previous);
        previous.swap(row);
    }
    return previous[b.size()];
}

std::wstring NearestName(const std::wstring& name, const std::vector<std::wstring>& candidates) {
    std::wstring best;
    std::size_t bestDistance = 0;
    for (const std::wstring& candidate : candidates) {
        if (candidate == name) continue;
        std::size_t distance = EditDistance(name, candidate);
        if (best.empty() || distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
        }
    }
    // A third of the name's length, at least one edit and at most four.
    std::size_t allowed = std::max<std::size_t>(1, std::min<std::size_t>(4, (name.size() + 2) / 3));
    return !best.empty() && bestDistance <= allowed ? best : std::wstring();
}

}  // namespace ectool
