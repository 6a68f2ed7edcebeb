#include "Positions.h"

#include <algorithm>
#include <cwctype>

#include "eventconfig/xml/Markup.h"

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
bool EndsName(wchar_t c) {
    return IsSpace(c) || c == L'=' || c == L'>' || c == L'/' || c == L'<';
}

}  // namespace

// Finds the attributes' names and offsets in the start tag; the values come
// from the navigator so that they are exactly what the library reads.
void DocTree::ScanStartTag(const std::wstring& text, Node& node, const CMarkup& markup) {
    std::size_t i = node.offset + 1;
    while (i < text.size() && !EndsName(text[i])) ++i;
    for (;;) {
        while (i < text.size() && IsSpace(text[i])) ++i;
        if (i >= text.size() || text[i] == L'>' || text[i] == L'<') break;
        if (text[i] == L'/') {
            if (i + 1 < text.size() && text[i + 1] == L'>') break;
            ++i;
            continue;
        }
        std::size_t nameStart = i;
        while (i < text.size() && !EndsName(text[i])) ++i;
        if (i == nameStart) {
            ++i;
            continue;
        }
        AttrSite attr;
        attr.name = text.substr(nameStart, i - nameStart);
        attr.offset = nameStart;
        attr.valueOffset = nameStart;
        while (i < text.size() && IsSpace(text[i])) ++i;
        if (i < text.size() && text[i] == L'=') {
            ++i;
            while (i < text.size() && IsSpace(text[i])) ++i;
            if (i < text.size() && (text[i] == L'"' || text[i] == L'\'')) {
                wchar_t quote = text[i++];
                attr.valueOffset = i;
                while (i < text.size() && text[i] != quote && text[i] != L'<') ++i;
                if (i < text.size() && text[i] == quote) ++i;
            } else {
                attr.valueOffset = i;
                while (i < text.size() && !IsSpace(text[i]) && text[i] != L'>' && text[i] != L'<')
                    ++i;
            }
        }
        bool seen = std::any_of(node.attrs.begin(), node.attrs.end(),
                                [&](const AttrSite& other) { return other.name == attr.name; });
        if (seen) continue;  // the first of duplicate names is the one read
        attr.value = markup.GetAttrib(attr.name.c_str());
        node.attrs.push_back(std::move(attr));
    }
    if (i < text.size() && text[i] == L'/') ++i;
    if (i < text.size() && text[i] == L'>') ++i;
    while (i < text.size() && IsSpace(text[i])) ++i;
    node.textOffset = i;
}

DocTree::DocTree(CMarkup& markup) {
    const std::wstring& text = markup.GetDoc();
    // An explicit stack: deeply nested input must not exhaust the call stack.
    std::vector<int> open;
    for (;;) {
        if (markup.FindElem()) {
            Node node;
            node.tag = markup.GetTagName();
            node.offset = markup.GetElemOffset();
            node.parent = open.empty() ? -1 : open.back();
            if (node.offset < text.size()) ScanStartTag(text, node, markup);
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
