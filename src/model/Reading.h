#pragma once

// The reading rules every model, operation and action constructor shares:
// the number conversions, the id lists, the field locator, and XmlReader, the
// navigator through which a constructor walks its sub-document.

#include <memory>
#include <string>
#include <vector>

#include "eventconfig/config/Markup.h"
#include "eventconfig/model/MsgConfig.h"

namespace ecfg {

// ---- Numbers (the Windows runtime's rules, saturating at 32 bits) ----------

// _wtoi: leading white space, optional sign, decimal digits up to the first
// other character; no digits gives 0.
int Wtoi(const std::wstring& text);
// wcstol in base 16: as above, hexadecimal digits, optional "0x"/"0X".
int HexToInt(const std::wstring& text);
// wcstol in base 10.
int DecToInt(const std::wstring& text);
// wcstol in the given base (10 or 16) on a NUL-terminated text; *end (when
// given) receives the first character not converted (the text itself when
// nothing was). The result saturates at the 32-bit signed limits.
int WcsToL32(const wchar_t* text, const wchar_t** end, int base);

// The runtime's wide lower-case mapping of the current locale.
void ToLower(std::wstring& text);
std::wstring Lowered(std::wstring text);

// 1 when the id is in the list, else 0 (the kinds' membership tests).
int InList(const std::vector<int>& list, int id);

// ---- Id lists ---------------------------------------------------------------

// "1A/2B": hexadecimal message ids cut at every '/'. Empty text leaves the
// list unchanged; otherwise it is replaced ("1A/" gives 0x1A, 0).
void GetMsgIDList(const std::wstring& text, std::vector<int>& ids);
// "3/5/7": decimal rule ids cut at every '/', same rules ("3//5" gives 3, 0, 5).
void GenRuleIDList(const std::wstring& text, std::vector<int>& ids);

// ---- XmlReader --------------------------------------------------------------

// A navigator over one sub-document with the library's rule for failed
// searches applied: after a search that found nothing, nothing is current,
// so reads give empty text and entering gives an empty level (where the raw
// navigator would still show the element found before).
class XmlReader {
public:
    explicit XmlReader(const std::wstring& doc);
    XmlReader(const XmlReader&) = delete;
    XmlReader& operator=(const XmlReader&) = delete;

    bool IsWellFormed() const { return m_markup.IsWellFormed(); }

    // Next element at the current level (any name when null).
    bool Find(MCD_CSTR name = nullptr);
    // Next child of the current element. With no element current, the next
    // element at the level is selected first.
    bool FindChild(MCD_CSTR name = nullptr);
    // Enter the current element (an empty level when none is current).
    void Into();
    // Leave the level; the element left is current again.
    void Out();

    bool HasElem() const { return m_nDead == 0 && m_bElem; }
    bool HasChild() const { return HasElem() && m_bChild; }

    // Reads of the current element / child; empty when there is none.
    std::wstring Attr(MCD_CSTR name) const;
    std::wstring Data() const;
    std::wstring SubDoc() const;
    std::wstring ChildAttr(MCD_CSTR name) const;
    std::wstring ChildData() const;
    std::wstring ChildSubDoc() const;

    int AttrDec(MCD_CSTR name) const { return Wtoi(Attr(name)); }
    int AttrHex(MCD_CSTR name) const { return HexToInt(Attr(name)); }
    int DataDec() const { return Wtoi(Data()); }
    int DataHex() const { return HexToInt(Data()); }
    int ChildDataDec() const { return Wtoi(ChildData()); }
    int ChildDataHex() const { return HexToInt(ChildData()); }

    // Calls f() with each child of the current element that has the given
    // name (any when null) current, in document order; comes back out.
    template <class F>
    void EachChild(MCD_CSTR name, F f) {
        Into();
        while (Find(name)) f();
        Out();
    }
    // Calls f() with each element of the current level that has the name.
    template <class F>
    void EachElem(MCD_CSTR name, F f) {
        while (Find(name)) f();
    }

private:
    CMarkup m_markup;
    bool m_bElem = false;
    bool m_bChild = false;
    int m_nDead = 0;
};

// ---- Child lists of the current element -------------------------------------

enum class EmptyText { Skip, AsZero };
typedef int (*NumberRule)(const std::wstring&);

// Each child's text converted by the rule and appended, in document order.
void ReadChildNumbers(XmlReader& reader, NumberRule rule, EmptyText empty, std::vector<int>& out);
// Each child's text appended (lower-cased when asked), empty texts skipped.
void ReadChildTexts(XmlReader& reader, bool lower, std::vector<std::wstring>& out);

// ---- Field locator (on the current element) ---------------------------------

// Fixed-position form: "Name", "Length", "StartOffset".
struct FixedLocator {
    std::wstring name;
    int length = 0;
    int offset = 0;
};
FixedLocator ReadFixedLocator(const XmlReader& reader);

// Tag forms: "Name", the two tags, "StartOffset" and, in the reverse form,
// optionally "EventInfoName".
struct TagLocator {
    std::wstring name;
    int offset = 0;
    std::wstring startTag;
    std::wstring endTag;
    std::wstring eventInfoName;
};
enum class TagForm { Forward, Reverse, ReverseWithEventInfo };
enum class Lower { Name, NameAndTags, None };
TagLocator ReadTagLocator(const XmlReader& reader, TagForm form, Lower lower);
// A CMessageFieldConfig holding the locator (event info name included).
std::unique_ptr<CMessageFieldConfig> MakeFieldConfig(const TagLocator& locator);

// ---- Located id lists --------------------------------------------------------

// The next element of that name at the current level: its fixed-position
// locator, and one hexadecimal id per child of it (empty text as 0). The
// element stays current, so later searches run on after it.
FixedLocator ReadLocatedIDs(XmlReader& reader, MCD_CSTR name, std::vector<int>& ids);

}  // namespace ecfg
