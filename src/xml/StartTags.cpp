#include "xml/StartTags.h"

#include <algorithm>

#include "xml/MarkupImpl.h"

namespace ecfg {
namespace markup {

StartTags::StartTags(const std::wstring& text) : m_index(BuildIndex(text.data(), text.size())) {}

StartTags::~StartTags() {}

bool StartTags::At(std::size_t offset, StartTag& tag) const {
    // Elements are indexed in the order their start tags appear; node 0 is
    // the document.
    const std::vector<Node>& nodes = m_index->nodes;
    if (nodes.size() < 2) return false;
    auto it = std::lower_bound(nodes.begin() + 1, nodes.end(), offset,
                               [](const Node& node, std::size_t at) { return node.start < at; });
    if (it == nodes.end() || it->start != offset) return false;
    tag.contentStart = it->contentStart;
    tag.attrs.clear();
    for (uint32_t i = it->firstAttr; i < it->firstAttr + it->attrCount; ++i) {
        const Attr& a = m_index->attrs[i];
        AttrSpan span;
        span.nameStart = a.nameStart;
        span.nameLength = a.nameLen;
        span.valueStart = a.valueStart;
        span.valueLength = a.valueLen;
        // A value, even an empty one, starts after the '='.
        span.hasValue = a.valueStart > a.nameStart + a.nameLen;
        tag.attrs.push_back(span);
    }
    return true;
}

}  // namespace markup
}  // namespace ecfg
