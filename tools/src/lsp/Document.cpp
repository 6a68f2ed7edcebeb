#include "lsp/Document.h"

#include <algorithm>

namespace ectool {
namespace lsp {

namespace {

// Code units of one character in UTF-16 (wchar_t is UTF-32 or UTF-16).
std::size_t Units(wchar_t c) {
    return sizeof(wchar_t) > 2 && static_cast<unsigned long>(c) > 0xFFFF ? 2 : 1;
}

}  // namespace

void Document::Set(std::wstring text) {
    m_text = std::move(text);
    m_cache = Pos();
    m_cacheOffset = 0;
    m_lineStarts.assign(1, 0);
    for (std::size_t i = 0; i < m_text.size(); ++i) {
        if (m_text[i] == L'\r' && i + 1 < m_text.size() && m_text[i + 1] == L'\n') ++i;
        if (m_text[i] == L'\n' || m_text[i] == L'\r') m_lineStarts.push_back(i + 1);
    }
}

void Document::Replace(Pos from, Pos to, const std::wstring& with) {
    std::size_t begin = Offset(from), end = Offset(to);
    if (end < begin) std::swap(begin, end);
    std::wstring text;
    text.reserve(m_text.size() - (end - begin) + with.size());
    text.append(m_text, 0, begin).append(with).append(m_text, end, std::wstring::npos);
    Set(std::move(text));
}

std::size_t Document::Offset(Pos pos) const {
    if (pos.line >= m_lineStarts.size()) return m_text.size();
    std::size_t i = m_lineStarts[pos.line];
    std::size_t lineEnd =
        pos.line + 1 < m_lineStarts.size() ? m_lineStarts[pos.line + 1] : m_text.size();
    // Not past the line's end, nor inside its line break.
    while (lineEnd > i && (m_text[lineEnd - 1] == L'\n' || m_text[lineEnd - 1] == L'\r')) --lineEnd;
    for (std::size_t units = 0; i < lineEnd && units < pos.character; ++i)
        units += Units(m_text[i]);
    return i;
}

Pos Document::At(std::size_t offset) const {
    offset = std::min(offset, m_text.size());
    auto next = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset);
    Pos pos;
    pos.line = static_cast<std::size_t>(next - m_lineStarts.begin()) - 1;
    std::size_t i = m_lineStarts[pos.line];
    // Offsets asked in order along one long line are counted from the last.
    if (m_cache.line == pos.line && m_cacheOffset >= i && m_cacheOffset <= offset) {
        i = m_cacheOffset;
        pos.character = m_cache.character;
    }
    for (; i < offset; ++i) pos.character += Units(m_text[i]);
    m_cache = pos;
    m_cacheOffset = offset;
    return pos;
}

}  // namespace lsp
}  // namespace ectool
