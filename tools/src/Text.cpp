#include "Text.h"

#include <algorithm>
#include <cwctype>

namespace ectool {

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
