#pragma once

// An open buffer as the editor holds it: its text, and the conversion
// between offsets into the text and the protocol's positions (line, and
// column in UTF-16 code units; a line ends at "\n", "\r\n" or "\r").

#include <cstddef>
#include <string>
#include <vector>

namespace ectool {
namespace lsp {

struct Pos {
    std::size_t line = 0;
    std::size_t character = 0;
};

class Document {
public:
    explicit Document(std::wstring text = std::wstring()) { Set(std::move(text)); }

    const std::wstring& Text() const { return m_text; }
    void Set(std::wstring text);
    // Replaces [from, to) (positions past the end are clamped).
    void Replace(Pos from, Pos to, const std::wstring& with);

    std::size_t Offset(Pos pos) const;
    Pos At(std::size_t offset) const;

private:
    std::wstring m_text;
    std::vector<std::size_t> m_lineStarts;
    mutable Pos m_cache;
    mutable std::size_t m_cacheOffset = 0;
};

}  // namespace lsp
}  // namespace ectool
