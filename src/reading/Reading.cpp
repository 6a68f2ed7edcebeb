#include "reading/Reading.h"

#include <algorithm>
#include <climits>
#include <cwchar>
#include <cwctype>

#include "reading/ServedTexts.h"
#include "xml/MarkupScan.h"

namespace ecfg {

void ToLower(std::wstring& text) {
    // Only upper-case letters change, and no ASCII character but A-Z is one
    // in any locale: the rest of ASCII (most of a name) needs no call.
    for (wchar_t& c : text)
        if (c >= L'A' && (c <= L'Z' || c > 0x7F))
            c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
}

std::wstring Lowered(std::wstring text) {
    ToLower(text);
    return text;
}

int InList(const std::vector<int>& list, int id) {
    for (int item : list)
        if (item == id) return 1;
    return 0;
}

namespace {

// Each piece read in place by the number rule of the base; the list sized
// once.
void SplitIds(const std::wstring& text, int base, std::vector<int>& ids) {
    if (text.empty()) return;
    ids.clear();
    ids.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), L'/')) + 1);
    EachIdPiece(text, [&](const wchar_t* begin, const wchar_t* end) {
        ids.push_back(ReadNumber(begin, end, base).value);
    });
}

}  // namespace

void GetMsgIDList(const std::wstring& text, std::vector<int>& ids) {
    SplitIds(text, kHex, ids);
}
void GenRuleIDList(const std::wstring& text, std::vector<int>& ids) {
    SplitIds(text, kDec, ids);
}

// ---- XmlReader ----------------------------------------------------------------

namespace {

// The readers open on this thread, innermost first (linked by m_pOuter).
// Every reader reads and writes it, so in the shared library it takes the
// initial-exec model: a plain load, not a call per access. One pointer fits
// the static room the loader keeps for libraries opened later.
#if defined(__ELF__) && (defined(__GNUC__) || defined(__clang__))
__attribute__((tls_model("initial-exec")))
#endif
thread_local XmlReader* t_pInnermost = nullptr;

// How many open readers a new one looks at for its text.
const int kSharedLookups = 4;

}  // namespace

XmlReader::XmlReader(const std::wstring& doc) : m_pOuter(t_pInnermost) {
    Open(doc);
}

XmlReader::XmlReader(const std::wstring& doc, uint32_t maxDepth) : m_pOuter(t_pInnermost) {
    Open(doc, maxDepth);
}

XmlReader::XmlReader(std::wstring&& doc) : m_strOwned(std::move(doc)), m_pOuter(t_pInnermost) {
    Open(m_strOwned);
}

XmlReader::XmlReader(const XmlSource& source) : m_pOuter(t_pInnermost) {
    if (source.m_pText) {
        Open(*source.m_pText);
        return;
    }
    const uint32_t node = source.m_pElement->Elem();
    const markup::Cursor& c = source.m_pElement->m_cursor;
    if (source.m_pElement->ViewsElement()) {
        m_cursor.OpenView(c.Text() + c.SubDocStart(node), c.SubDocLength(node), c.SharedIndex(),
                          node);
        Link();
        return;
    }
    m_strOwned = c.SubDoc(node);
    Open(m_strOwned);
}

void XmlReader::Open(const std::wstring& doc, uint32_t maxDepth) {
    if (maxDepth != markup::kAllLevels || (!OpenShared(doc) && !ServedTexts::Open(doc, m_cursor)))
        m_cursor.Open(doc.data(), doc.size(), maxDepth);
    Link();
}

void XmlReader::Link() {
    t_pInnermost = this;
}

XmlReader::~XmlReader() {
    if (t_pInnermost == this) {
        t_pInnermost = m_pOuter;
        return;
    }
    // Readers end in reverse order of their making; unlink anyway if not.
    for (XmlReader* r = t_pInnermost; r; r = r->m_pOuter)
        if (r->m_pOuter == this) {
            r->m_pOuter = m_pOuter;
            return;
        }
}

bool XmlReader::OpenShared(const std::wstring& doc) {
    int looked = 0;
    for (const XmlReader* r = t_pInnermost; r && looked < kSharedLookups;
         r = r->m_pOuter, ++looked) {
        const markup::Cursor& c = r->m_cursor;
        // A reader of the top levels only has nothing to share.
        if (c.GetIndex().maxDepth != markup::kAllLevels) continue;
        // The same text as that reader's (a kind's constructor reads what the
        // registry read): the very same characters, or an equal copy.
        if (doc.size() == c.Length() &&
            (doc.data() == c.Text() || std::wmemcmp(doc.data(), c.Text(), doc.size()) == 0)) {
            m_cursor.OpenSame(doc.data(), c);
            return true;
        }
        // The sub-document it handed out last. Only a well-formed text's
        // elements read the same from their own sub-document.
        const uint32_t node = r->m_nLastSubDoc;
        if (node != 0 && c.WellFormed() && doc.size() == c.SubDocLength(node) &&
            std::wmemcmp(doc.data(), c.Text() + c.SubDocStart(node), doc.size()) == 0) {
            m_cursor.OpenView(doc.data(), doc.size(), c.SharedIndex(), node);
            return true;
        }
    }
    return false;
}

bool XmlReader::Find(markup::NameRef name) {
    m_bChild = false;
    if (m_nDead > 0) return false;
    m_bElem = m_cursor.FindElem(name);
    return m_bElem;
}

bool XmlReader::FindChild(markup::NameRef name) {
    if (m_nDead > 0) return false;
    if (!m_bElem && !Find(nullptr)) return false;
    m_bChild = m_cursor.FindChildElem(name);
    return m_bChild;
}

void XmlReader::Into() {
    if (m_nDead > 0 || !m_bElem) {
        ++m_nDead;
    } else {
        m_cursor.IntoElem();
    }
    m_bElem = false;
    m_bChild = false;
}

void XmlReader::Out() {
    m_bChild = false;
    if (m_nDead > 0) {
        // Leaving an empty level: what was current before entering it was
        // nothing, or another empty level.
        --m_nDead;
        m_bElem = false;
        return;
    }
    if (m_cursor.OutOfElem()) m_bElem = true;
}

std::wstring XmlReader::Attr(markup::NameRef name) const {
    return m_cursor.Attrib(Elem(), name);
}
std::wstring XmlReader::Data() const {
    return m_cursor.Data(Elem());
}
std::wstring XmlReader::SubDoc() {
    m_nLastSubDoc = Elem();
    return m_cursor.SubDoc(m_nLastSubDoc);
}
void XmlReader::SubDocRange(std::size_t& start, std::size_t& length) {
    m_nLastSubDoc = Elem();
    start = m_nLastSubDoc ? m_cursor.SubDocStart(m_nLastSubDoc) : 0;
    length = m_nLastSubDoc ? m_cursor.SubDocLength(m_nLastSubDoc) : 0;
}
std::wstring XmlReader::ChildData() const {
    return m_cursor.Data(Child());
}

int XmlReader::AttrNumber(markup::NameRef name, int base) const {
    const wchar_t* begin;
    const wchar_t* end;
    if (!m_cursor.AttribSpan(Elem(), name, begin, end)) return 0;
    // Digits alone are plain: only other values are tested for references.
    int value = 0;
    if (ReadPlainDigits(begin, end, base, value)) return value;
    return markup::IsPlainValue(begin, end)
               ? ReadSpanNumber(begin, end, base).value
               : WcsToL32(m_cursor.Attrib(Elem(), name).c_str(), nullptr, base);
}

bool XmlReader::TextNumber(uint32_t node, int base, int& value) const {
    const wchar_t* begin;
    const wchar_t* end;
    if (m_cursor.DataSpan(node, begin, end)) {
        if (begin == end) return false;
        value = ReadNumber(begin, end, base).value;
        return true;
    }
    const std::wstring text = m_cursor.Data(node);
    if (text.empty()) return false;
    value = WcsToL32(text.c_str(), nullptr, base);
    return true;
}

bool XmlReader::AttrIs(markup::NameRef name, const wchar_t* text) const {
    const wchar_t* begin;
    const wchar_t* end;
    const std::size_t len = std::wcslen(text);
    if (!m_cursor.AttribSpan(Elem(), name, begin, end)) return len == 0;
    if (!markup::IsPlainValue(begin, end)) return m_cursor.Attrib(Elem(), name) == text;
    return static_cast<std::size_t>(end - begin) == len && std::wmemcmp(begin, text, len) == 0;
}

// ---- Child lists ------------------------------------------------------------------

void ReadChildNumbers(XmlReader& reader, int base, EmptyText empty, std::vector<int>& out) {
    out.reserve(out.size() + reader.ChildCount());
    reader.EachChild(nullptr, [&] {
        int value = 0;
        if (!reader.DataNumberIfAny(base, value) && empty == EmptyText::Skip) return;
        out.push_back(value);
    });
}

void ReadChildTexts(XmlReader& reader, bool lower, std::vector<std::wstring>& out) {
    out.reserve(out.size() + reader.ChildCount());
    reader.EachChild(nullptr, [&] {
        std::wstring text = reader.Data();
        if (text.empty()) return;
        if (lower) ToLower(text);
        out.push_back(std::move(text));
    });
}

// ---- Field locator ----------------------------------------------------------------

FixedLocator ReadFixedLocator(const XmlReader& reader) {
    FixedLocator locator;
    locator.name = reader.Attr(L"Name");
    locator.length = reader.AttrDec(L"Length");
    locator.offset = reader.AttrDec(L"StartOffset");
    return locator;
}

TagLocator ReadTagLocator(const XmlReader& reader, TagForm form, Lower lower) {
    const bool forward = (form == TagForm::Forward);
    TagLocator locator;
    locator.name = reader.Attr(L"Name");
    locator.offset = reader.AttrDec(L"StartOffset");
    locator.startTag = reader.Attr(forward ? L"StartSearchTag" : L"StartReverseSearchTag");
    locator.endTag = reader.Attr(forward ? L"EndSearchTag" : L"EndReverseSearchTag");
    if (form == TagForm::ReverseWithEventInfo)
        locator.eventInfoName = reader.Attr(L"EventInfoName");
    if (lower != Lower::None) ToLower(locator.name);
    if (lower == Lower::NameAndTags) {
        ToLower(locator.startTag);
        ToLower(locator.endTag);
    }
    return locator;
}

// ---- Located id lists --------------------------------------------------------

FixedLocator ReadLocatedIDs(XmlReader& reader, markup::NameRef name, std::vector<int>& ids) {
    reader.Find(name);
    FixedLocator locator = ReadFixedLocator(reader);
    ReadChildNumbers(reader, kHex, EmptyText::AsZero, ids);
    return locator;
}

}  // namespace ecfg
