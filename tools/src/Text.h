#pragma once

// Text helpers shared by the commands: UTF-8 output of the library's wide
// strings and the number rules the library applies, restated so that the
// tool can say what a text will be read as.

#include <cstddef>
#include <string>
#include <vector>

namespace ectool {

std::string Utf8(const std::wstring& text);
std::wstring Widen(const std::string& utf8);

// The value of a hexadecimal digit (either case); 99 for any other character.
int DigitValue(wchar_t c);

// _wtoi / wcstol results, saturating at the 32-bit limits like the library.
int DecimalValue(const std::wstring& text);
int HexValue(const std::wstring& text);

// The pieces of a '/'-separated id list, empty pieces included.
std::vector<std::wstring> SplitIdList(const std::wstring& text);

// Edit distance, for "did you mean" suggestions.
std::size_t EditDistance(const std::wstring& a, const std::wstring& b);
// The candidate nearest to name when it is close enough to be a likely
// misspelling; empty otherwise.
std::wstring NearestName(const std::wstring& name, const std::vector<std::wstring>& candidates);

}  // namespace ectool
