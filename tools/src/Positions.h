#pragma once

// The position-keeping walk: every element of the loaded text with the offset
// of its start tag, its attributes (name, value and where each stands) and,
// for elements without children, its character data. Built with the
// library's navigator over the very text the library reads; line and column
// are computed from the offsets.

#include <cstddef>
#include <string>
#include <vector>

class CMarkup;

namespace ecfg {
namespace markup {
class StartTags;
}
}  // namespace ecfg

namespace ectool {

struct Position {
    std::size_t line = 0;    // 1-based; 0 when unknown
    std::size_t column = 0;  // 1-based, in characters
};

class LineIndex {
public:
    explicit LineIndex(const std::wstring& text);
    Position At(std::size_t offset) const;

private:
    std::vector<std::size_t> m_lineStarts;
};

struct AttrSite {
    std::wstring name;
    std::wstring value;  // as the navigator returns it (entities decoded)
    std::size_t offset;  // of the name
    std::size_t valueOffset;
};

struct Node {
    std::wstring tag;
    std::size_t offset = 0;      // of '<'
    std::size_t textOffset = 0;  // first character of the content
    int parent = -1;
    std::vector<int> children;
    std::vector<AttrSite> attrs;
    bool leaf = true;
    std::wstring data;  // character data of a leaf

    const AttrSite* Attr(const wchar_t* name) const;
    std::wstring AttrValue(const wchar_t* name) const;
};

class DocTree {
public:
    // Walks the navigator's document from the top; the navigator's position
    // is used up.
    explicit DocTree(CMarkup& markup);

    const std::vector<Node>& Nodes() const { return m_nodes; }
    const Node& At(int index) const { return m_nodes[static_cast<std::size_t>(index)]; }
    // The top-level elements (normally one root).
    const std::vector<int>& Tops() const { return m_tops; }

private:
    void ReadStartTag(const std::wstring& text, const ecfg::markup::StartTags& tags, Node& node,
                      const CMarkup& markup);

    std::vector<Node> m_nodes;
    std::vector<int> m_tops;
};

}  // namespace ectool
