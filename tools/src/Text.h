#pragma once

// Text helpers shared by the commands. UTF-8 goes through the library's own
// codec and numbers through its own rules (reading/Numbers.h), so that the
// tool shows what the library reads.

#include <cstddef>
#include <string>
#include <vector>

#include "reading/Numbers.h"
#include "xml/TextDecoding.h"

namespace ectool {

// The tool's short names for the library's codec.
inline std::string Utf8(const std::wstring& text) {
    return ecfg::WideToUtf8(text);
}
inline std::wstring Widen(const std::string& utf8) {
    return ecfg::Utf8ToWide(utf8);
}

// Edit distance, for "did you mean" suggestions.
std::size_t EditDistance(const std::wstring& a, const std::wstring& b);
// The candidate nearest to name when it is close enough to be a likely
// misspelling; empty otherwise.
std::wstring NearestName(const std::wstring& name, const std::vector<std::wstring>& candidates);

}  // namespace ectool
