// The cursor: a position in an indexed text and the reads of its elements.

#include <cwchar>

#include "xml/LargeBuffer.h"
#include "xml/MarkupImpl.h"
#include "xml/MarkupScan.h"

namespace {

const wchar_t* kProblemText[] = {
    L"",
    L"no root element",
    L"more than one root element",
    L"text outside the root element",
    L"'<' that starts no markup",
    L"'&' that starts no entity or character reference",
    L"malformed start tag",
    L"unquoted attribute value",
    L"attribute without a value",
    L"unterminated attribute value",
    L"malformed end tag",
    L"end tag that matches no open element",
    L"element not closed",
    L"unterminated comment, CDATA section, processing instruction or declaration",
    L"markup outside the root element",
    L"document too large",
};

}  // namespace

namespace ecfg {
namespace markup {

void Cursor::Open(const wchar_t* text, std::size_t len, uint32_t maxDepth) {
    m_text = text;
    m_len = len;
    m_index = BuildIndex(text, len, maxDepth);
    m_top = m_base = 0;
    level = elem = child = 0;
}

void Cursor::OpenView(const wchar_t* text, std::size_t len, std::shared_ptr<const Index> index,
                      uint32_t top) {
    m_text = text;
    m_len = len;
    m_index = std::move(index);
    m_top = top;
    m_base = m_index->nodes[top].start;
    level = elem = child = 0;
}

void Cursor::OpenSame(const wchar_t* text, const Cursor& other) {
    m_text = text;
    m_len = other.m_len;
    m_index = other.m_index;
    m_top = other.m_top;
    m_base = other.m_base;
    level = elem = child = 0;
}

uint32_t Cursor::FindSibling(uint32_t from, NameRef name) const {
    if (!name.text) return from;
    for (; from != 0; from = Next(from)) {
        const Node& n = N(from);
        if (n.nameLen == name.length && SameNameUnits(At(n.start + 1), name.text, name.length))
            return from;
    }
    return 0;
}

bool Cursor::FindElem(NameRef name) {
    const uint32_t from = elem ? Next(elem) : FirstChild(level);
    const uint32_t found = FindSibling(from, name);
    if (found == 0) return false;
    elem = found;
    child = 0;
    return true;
}

bool Cursor::FindChildElem(NameRef name) {
    if (elem == 0 && !FindElem(nullptr)) return false;
    const uint32_t from = child ? Next(child) : FirstChild(elem);
    const uint32_t found = FindSibling(from, name);
    if (found == 0) return false;
    child = found;
    return true;
}

bool Cursor::IntoElem() {
    if (elem == 0) return false;
    level = elem;
    elem = 0;
    child = 0;
    return true;
}

bool Cursor::OutOfElem() {
    if (level == 0) return false;
    elem = level;
    level = Parent(level);
    child = 0;
    return true;
}

bool Cursor::AttribSpan(uint32_t node, NameRef name, const wchar_t*& begin,
                        const wchar_t*& end) const {
    if (node == 0 || !name.text) return false;
    const Node& n = N(node);
    const Attr* a = m_index->attrs.data() + n.firstAttr;
    for (const Attr* last = a + n.attrCount; a != last; ++a) {
        // Names of one length mostly differ in their first unit ("Name",
        // "Type", "Info"); names are never empty.
        const wchar_t* an = At(a->nameStart);
        if (a->nameLen == name.length && an[0] == name.text[0] &&
            SameNameUnits(an + 1, name.text + 1, name.length - 1)) {
            begin = At(a->valueStart);
            end = begin + a->valueLen;
            return true;
        }
    }
    return false;
}

std::wstring Cursor::Attrib(uint32_t node, NameRef name) const {
    const wchar_t* begin;
    const wchar_t* end;
    if (!AttribSpan(node, name, begin, end)) return std::wstring();
    // Built at its size, not assigned into an empty string.
    if (IsPlainValue(begin, end)) return std::wstring(begin, end);
    std::wstring out;
    AppendAttrValue(out, begin, end);
    return out;
}

std::wstring Cursor::Data(uint32_t node) const {
    const wchar_t* plainBegin;
    const wchar_t* plainEnd;
    if (DataSpan(node, plainBegin, plainEnd)) return std::wstring(plainBegin, plainEnd);
    std::wstring out;
    if (node == 0) return out;
    const Node& n = N(node);
    const wchar_t* const docEnd = m_text + m_len;
    const wchar_t* p = At(n.contentStart);
    const wchar_t* const e = At(n.contentEnd);
    uint32_t ch = n.firstChild;
    while (p < e) {
        const wchar_t* q = p;
        while (q < e && *q != '<' && *q != '&' && *q != '\r') ++q;
        out.append(p, q);
        p = q;
        if (p >= e) break;
        if (*p == '\r') {
            out.push_back(L'\n');
            ++p;
            if (p < e && *p == '\n') ++p;
            continue;
        }
        if (*p == '&') {
            uint32_t cp = 0;
            const wchar_t* after = ParseEntity(p, e, cp);
            if (after) {
                ecfg::AppendCodePoint(out, cp);
                p = after;
            } else {
                out.push_back(L'&');
                ++p;
            }
            continue;
        }
        if (ch != 0 && p == At(N(ch).start)) {
            p = At(N(ch).end);
            ch = N(ch).nextSibling;
            continue;
        }
        // Tokens are classified against the whole text, as the index did.
        const Tok tok = Classify(p, docEnd);
        bool terminated;
        switch (tok) {
            case Tok::CData: {
                const wchar_t* after = SkipOther(tok, p, docEnd, terminated);
                const wchar_t* stop = terminated ? after - 3 : after;
                if (stop > e) stop = e;
                AppendLines(out, p + 9, stop);
                p = after;
                break;
            }
            case Tok::EndTag:
                p = ScanEndTag(p, docEnd).end;
                break;  // one the index ignored
            case Tok::StrayLt:
            case Tok::StartTag:  // every start tag is a child: not reached
                out.push_back(L'<');
                ++p;
                break;
            default:
                p = SkipOther(tok, p, docEnd, terminated);
                break;
        }
    }
    return out;
}

bool Cursor::DataSpan(uint32_t node, const wchar_t*& begin, const wchar_t*& end) const {
    if (node == 0 || N(node).firstChild != 0) return false;
    begin = At(N(node).contentStart);
    end = At(N(node).contentEnd);
    for (const wchar_t* p = begin; p < end; ++p)
        if (*p == '<' || *p == '&' || *p == '\r') return false;
    return true;
}

std::wstring Cursor::SubDoc(uint32_t node) const {
    if (node == 0) return std::wstring();
    const Node& n = N(node);
    return ecfg::CopyText(At(n.start), n.end - n.start);
}

std::wstring Cursor::TagName(uint32_t node) const {
    if (node == 0) return std::wstring();
    return std::wstring(At(N(node).start + 1), N(node).nameLen);
}

std::wstring Cursor::Error() const {
    if (m_top != 0 || m_index->problem == Problem::None) return std::wstring();
    std::wstring text = kProblemText[static_cast<int>(m_index->problem)];
    if (m_index->problemNode != 0) text += L": <" + TagName(m_index->problemNode) + L">";
    return text;
}

}  // namespace markup
}  // namespace ecfg
