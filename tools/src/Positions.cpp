#include "Positions.h"

#include <algorithm>

#include "eventconfig/xml/Markup.h"
#include "xml/StartTags.h"

namespace ectool {

LineIndex::LineIndex(const std::wstring& text) {
    m_lineStarts.push_back(0);
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == L'\n') m_lineStarts.push_back(i + 1);
}

Position LineIndex::At(std::size_t offset) const {
    Position position;
    if (offset == CMarkup::npos) return position;
    auto next = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset);
    std::size_t line = static_cast<std::size_t>(next - m_lineStarts.begin());
    position.line = line;
    position.column = offset - m_lineStarts[line - 1] + 1;
    return position;
}

const AttrSite* Node::Attr(const wchar_t* name) const {
    for (const AttrSite& attr : attrs)
        if (attr.name == name) return &attr;
    return nullptr;
}

std::wstring Node::AttrValue(const wchar_t* name) const {
    const AttrSite* attr = Attr(name);
    return attr ? attr->value : std::wstring();
}

namespace {

bool IsSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

}  // namespace

// The attributes' names and offsets as the navigator's index found them; the
// values from the navigator, so that they are exactly what the library reads.
void DocTree::ReadStartTag(const std::wstring& text, const ecfg::markup::StartTags& tags,
                           Node& node, const CMarkup& markup) {
    ecfg::markup::StartTag tag;
    if (!tags.At(node.offset, tag)) return;
    for (const ecfg::markup::AttrSpan& span : tag.attrs) {
        AttrSite attr;
        attr.name = text.substr(span.nameStart, span.nameLength);
        bool seen = std::any_of(node.attrs.begin(), node.attrs.end(),
                                [&](const AttrSite& other) { return other.name == attr.name; });
        if (seen) continue;  // the first of duplicate names is the one read
        attr.offset = span.nameStart;
        attr.valueOffset = span.hasValue ? span.valueStart : span.nameStart;
        attr.value = markup.GetAttrib(attr.name.c_str());
        node.attrs.push_back(std::move(attr));
    }
    std::size_t i = tag.contentStart;
    while (i < text.size() && IsSpace(text[i])) ++i;
    node.textOffset = i;
}

DocTree::DocTree(CMarkup& markup) {
    const std::wstring& text = markup.GetDoc();
    const ecfg::markup::StartTags tags(text);
    // An explicit stack: deeply nested input must not exhaust the call stack.
    std::vector<int> open;
    for (;;) {
        if (markup.FindElem()) {
            Node node;
            node.tag = markup.GetTagName();
            node.offset = markup.GetElemOffset();
            node.parent = open.empty() ? -1 : open.back();
            if (node.offset < text.size()) ReadStartTag(text, tags, node, markup);
            node.leaf = !markup.FindChildElem();
            if (node.leaf) node.data = markup.GetData();
            int index = static_cast<int>(m_nodes.size());
            if (node.parent < 0)
                m_tops.push_back(index);
            else
                m_nodes[static_cast<std::size_t>(node.parent)].children.push_back(index);
            m_nodes.push_back(std::move(node));
            markup.IntoElem();
            open.push_back(index);
        } else {
            if (open.empty()) break;
            markup.OutOfElem();
            open.pop_back();
        }
    }
}

}  // namespace ectool
