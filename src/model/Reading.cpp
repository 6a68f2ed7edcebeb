#include "model/Reading.h"

#include <climits>
#include <cwctype>

#include "eventconfig/model/MsgConfig.h"

namespace ecfg {

namespace {

int DigitValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return 99;
}

}  // namespace

int WcsToL32(const wchar_t* text, const wchar_t** end, int base) {
    const wchar_t* p = text;
    while (*p && std::iswspace(static_cast<wint_t>(*p))) ++p;
    bool negative = false;
    if (*p == L'+' || *p == L'-') {
        negative = (*p == L'-');
        ++p;
    }
    if (base == 16 && p[0] == L'0' && (p[1] == L'x' || p[1] == L'X') && DigitValue(p[2]) < 16) p += 2;
    const wchar_t* digits = p;
    // Accumulate in 64 bits and stop growing once past the 32-bit range, so
    // any number of digits is read in one pass without overflow.
    long long value = 0;
    const long long limit = static_cast<long long>(INT_MAX) + 1;
    while (DigitValue(*p) < base) {
        if (value <= limit) value = value * base + DigitValue(*p);
        ++p;
    }
    if (p == digits) {
        if (end) *end = text;
        return 0;
    }
    if (end) *end = p;
    if (negative) {
        value = -value;
        return value < INT_MIN ? INT_MIN : static_cast<int>(value);
    }
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

int Wtoi(const std::wstring& text) { return WcsToL32(text.c_str(), nullptr, 10); }
int HexToInt(const std::wstring& text) { return WcsToL32(text.c_str(), nullptr, 16); }
int DecToInt(const std::wstring& text) { return WcsToL32(text.c_str(), nullptr, 10); }

void ToLower(std::wstring& text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
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

void SplitIds(const std::wstring& text, NumberRule rule, std::vector<int>& ids) {
    if (text.empty()) return;
    ids.clear();
    std::size_t start = 0;
    for (;;) {
        std::size_t slash = text.find(L'/', start);
        ids.push_back(rule(text.substr(start, slash == std::wstring::npos ? std::wstring::npos : slash - start)));
        if (slash == std::wstring::npos) break;
        start = slash + 1;
    }
}

}  // namespace

void GetMsgIDList(const std::wstring& text, std::vector<int>& ids) { SplitIds(text, HexToInt, ids); }
void GenRuleIDList(const std::wstring& text, std::vector<int>& ids) { SplitIds(text, Wtoi, ids); }

// ---- XmlReader ----------------------------------------------------------------

XmlReader::XmlReader(const std::wstring& doc) { m_markup.SetDoc(doc); }

bool XmlReader::Find(MCD_CSTR name) {
    m_bChild = false;
    if (m_nDead > 0) return false;
    m_bElem = m_markup.FindElem(name);
    return m_bElem;
}

bool XmlReader::FindChild(MCD_CSTR name) {
    if (m_nDead > 0) return false;
    if (!m_bElem && !Find(nullptr)) return false;
    m_bChild = m_markup.FindChildElem(name);
    return m_bChild;
}

void XmlReader::Into() {
    if (m_nDead > 0 || !m_bElem) {
        ++m_nDead;
    } else {
        m_markup.IntoElem();
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
    if (m_markup.OutOfElem()) m_bElem = true;
}

std::wstring XmlReader::Attr(MCD_CSTR name) const { return HasElem() ? m_markup.GetAttrib(name) : std::wstring(); }
std::wstring XmlReader::Data() const { return HasElem() ? m_markup.GetData() : std::wstring(); }
std::wstring XmlReader::SubDoc() const { return HasElem() ? m_markup.GetSubDoc() : std::wstring(); }
std::wstring XmlReader::ChildAttr(MCD_CSTR name) const {
    return HasChild() ? m_markup.GetChildAttrib(name) : std::wstring();
}
std::wstring XmlReader::ChildData() const { return HasChild() ? m_markup.GetChildData() : std::wstring(); }
std::wstring XmlReader::ChildSubDoc() const { return HasChild() ? m_markup.GetChildSubDoc() : std::wstring(); }

// ---- Child lists ------------------------------------------------------------------

void ReadChildNumbers(XmlReader& reader, NumberRule rule, EmptyText empty, std::vector<int>& out) {
    reader.EachChild(nullptr, [&] {
        std::wstring text = reader.Data();
        if (text.empty() && empty == EmptyText::Skip) return;
        out.push_back(rule(text));
    });
}

void ReadChildTexts(XmlReader& reader, bool lower, std::vector<std::wstring>& out) {
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
    if (form == TagForm::ReverseWithEventInfo) locator.eventInfoName = reader.Attr(L"EventInfoName");
    if (lower != Lower::None) ToLower(locator.name);
    if (lower == Lower::NameAndTags) {
        ToLower(locator.startTag);
        ToLower(locator.endTag);
    }
    return locator;
}

std::unique_ptr<CMessageFieldConfig> MakeFieldConfig(const TagLocator& locator) {
    return std::unique_ptr<CMessageFieldConfig>(new CMessageFieldConfig(
        locator.name, locator.offset, locator.startTag, locator.endTag, locator.eventInfoName));
}

// ---- Located id lists --------------------------------------------------------

FixedLocator ReadLocatedIDs(XmlReader& reader, MCD_CSTR name, std::vector<int>& ids) {
    reader.Find(name);
    FixedLocator locator = ReadFixedLocator(reader);
    ReadChildNumbers(reader, HexToInt, EmptyText::AsZero, ids);
    return locator;
}

}  // namespace ecfg
