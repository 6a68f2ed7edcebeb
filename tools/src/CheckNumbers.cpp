#include <algorithm>
#include <cwctype>

#include "CheckInternal.h"
#include "reading/Reading.h"

namespace ectool {

namespace {

bool Space(wchar_t c) {
    return std::iswspace(static_cast<wint_t>(c)) != 0;
}
// How a number rule reads a text: whether it finds digits and what stops them.
struct Reading {
    bool blank = true;  // nothing but white space
    bool hexLooking = false;
    bool digits = false;
    bool saturated = false;                 // past the 32-bit range
    std::size_t stop = std::wstring::npos;  // first non-space character after the digits
};

Reading Read(const std::wstring& text, int base) {
    Reading r;
    std::size_t i = 0;
    while (i < text.size() && Space(text[i])) ++i;
    r.blank = i == text.size();
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) ++i;
    r.hexLooking =
        i + 1 < text.size() && text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'X');
    // The library's own rule says where the number ends (the start when
    // there are no digits).
    const ecfg::NumberRead read = ecfg::ReadNumber(text.c_str(), base);
    r.saturated = read.saturated;
    i = static_cast<std::size_t>(read.end - text.c_str());
    r.digits = i != 0;
    while (i < text.size() && Space(text[i])) ++i;
    if (i < text.size()) r.stop = i;
    return r;
}

}  // namespace

void Checker::CheckNumber(const std::wstring& value, int base, std::size_t offset,
                          const std::string& label) {
    Reading r = Read(value, base);
    if (r.blank) return;
    const char* check = "number-format";
    if (r.saturated) {
        int read = base == 16 ? ecfg::HexToInt(value) : ecfg::DecToInt(value);
        Add(Severity::Error, offset,
            label + " " + Q(value) + " is beyond the 32-bit range: it is read as " +
                (base == 16 ? Hex(read) + " (" + std::to_string(read) + ")" : std::to_string(read)),
            check);
    } else if (base == 10 && r.hexLooking) {
        // Both read as 0, a value the author did not write: errors.
        Add(Severity::Error, offset,
            label + " " + Q(value) +
                " looks hexadecimal, but the field is decimal: it is read as " +
                std::to_string(ecfg::DecToInt(value)),
            check);
    } else if (!r.digits) {
        Add(Severity::Error, offset,
            label + " " + Q(value) + " is not a " + (base == 16 ? "hexadecimal " : "decimal ") +
                "number: it is read as 0",
            check);
    } else if (r.stop != std::wstring::npos) {
        int read = base == 16 ? ecfg::HexToInt(value) : ecfg::DecToInt(value);
        std::string shown =
            base == 16 ? Hex(read) + " (" + std::to_string(read) + ")" : std::to_string(read);
        Add(Severity::Warning, offset,
            label + " " + Q(value) + " is read as " + shown + ": reading stops at " +
                Q(std::wstring(1, value[r.stop])),
            check);
    }
}

void Checker::CheckValue(Num num, Ref ref, const std::wstring& value, std::size_t offset,
                         const std::string& label, int owner) {
    // Inside an operation or action, plain decimal values are kept too: the
    // dump probes range tests with them.
    auto site = [&](int id) {
        if (owner >= 0 && (ref != Ref::None || num == Num::Dec || num == Num::DecOrInfin)) {
            m_sites[owner].push_back({ref, id, offset});
            m_firstSite.emplace(std::make_tuple(owner, ref, id), offset);
        }
    };
    // An id that is no number is reported as such, not again as the 0 it
    // reads as; naming nothing the author meant, it is an error.
    auto noNumber = [&](const std::wstring& text, int base) {
        Reading r = Read(text, base);
        if (owner < 0 || ref == Ref::None || r.blank || r.digits) return;
        m_misread.insert({owner, ref, 0});
        if (!m_findings.empty() && m_findings.back().offset == offset)
            m_findings.back().severity = Severity::Error;
    };
    switch (num) {
        case Num::None:
        case Num::Text:
            break;
        case Num::Dec:
            CheckNumber(value, 10, offset, label);
            noNumber(value, 10);
            site(ecfg::DecToInt(value));
            break;
        case Num::Hex:
            CheckNumber(value, 16, offset, label);
            noNumber(value, 16);
            site(ecfg::HexToInt(value));
            break;
        case Num::HexList:
        case Num::DecList: {
            if (value.empty()) break;
            int base = num == Num::HexList ? 16 : 10;
            ecfg::EachIdPiece(value, [&](const wchar_t* begin, const wchar_t* end) {
                const std::wstring piece(begin, end);
                if (Read(piece, base).blank)
                    Add(Severity::Warning, offset,
                        label + " " + Q(value) + " has an empty id, which is read as 0",
                        "number-format");
                else
                    CheckNumber(piece, base, offset, label);
                noNumber(piece, base);
                site(base == 16 ? ecfg::HexToInt(piece) : ecfg::DecToInt(piece));
            });
            break;
        }
        case Num::Flag:
            if (!value.empty())
                NotTrueOrFalse(value, offset, label, Severity::Warning, "it reads as off",
                               "flag-value");
            break;
        case Num::Type: {
            bool plain = !value.empty() && std::all_of(value.begin(), value.end(), [](wchar_t c) {
                return c >= L'0' && c <= L'9';
            });
            if (plain) break;
            Reading r = Read(value, 10);
            if (r.hexLooking)
                Add(Severity::Error, offset,
                    label + " " + Q(value) +
                        " is read as decimal: " + std::to_string(ecfg::DecToInt(value)) +
                        (ecfg::DecToInt(value) == 0 ? ", the base kind" : ""),
                    "type-number");
            else
                Add(ecfg::DecToInt(value) == 0 ? Severity::Error : Severity::Warning, offset,
                    label + " " + Q(value) + " is not a plain decimal number: it is read as " +
                        std::to_string(ecfg::DecToInt(value)),
                    "type-number");
            break;
        }
        case Num::ResultType:
            NotTrueOrFalse(value, offset, label, Severity::Error, "its actions are ignored",
                           "result-type");
            break;
        case Num::DecOrInfin:
            site(value == L"Infin" ? 0x7F7F7F7F : ecfg::DecToInt(value));
            if (value == L"Infin") break;
            if (!Read(value, 10).digits && EditDistance(value, L"Infin") == 0)
                Add(Severity::Error, offset,
                    label + " " + Q(value) +
                        " is not \"Infin\" (the match is case-sensitive): it is read as 0",
                    "number-format");
            else
                CheckNumber(value, 10, offset, label);
            break;
        case Num::DecOrAll:
            if (ecfg::Lowered(value) != L"all") CheckNumber(value, 10, offset, label);
            break;
    }
}

}  // namespace ectool
