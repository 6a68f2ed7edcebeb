#pragma once

// The reading rules every model, operation and action constructor shares:
// the number conversions, the id lists, the field locator, and XmlReader, the
// navigator through which a constructor walks its sub-document.

#include <memory>
#include <string>
#include <vector>

#include "eventconfig/xml/Markup.h"
#include "reading/Numbers.h"
#include "xml/MarkupImpl.h"

namespace ecfg {

// ---- Numbers and lists ---------------------------------------------------

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

class XmlReader;
class ServedTexts;

// What a constructor reads: the text of a sub-document, or the current element
// of an open reader, read in place (see XmlReader). Either must outlive the
// readers made from it; the source keeps only a pointer.
class XmlSource {
public:
    // Implicit, so that helpers taking a source still take a text; not from
    // a temporary, which a reader made later would outlive.
    XmlSource(const std::wstring& subDoc) : m_pText(&subDoc) {}
    XmlSource(std::wstring&&) = delete;
    explicit XmlSource(const XmlReader& element) : m_pElement(&element) {}

    // The open reader whose current element this source is, when a reader
    // made from the source would read that element through the open reader's
    // index: its reads of the current element are then exactly what a new
    // reader would read after Find(), without making one. Null otherwise.
    const XmlReader* Direct() const;

private:
    friend class XmlReader;
    const std::wstring* m_pText = nullptr;
    const XmlReader* m_pElement = nullptr;
};

// A navigator over one sub-document with the library's rule for failed
// searches applied: after a search that found nothing, nothing is current,
// so reads give empty text and entering gives an empty level (where the raw
// navigator would still show the element found before).
//
// The reader reads the caller's text in place: the text must outlive it (a
// constructor's sub-document outlives the constructor's reader). A sub-document
// is almost always read again at once by the next level's constructor, so a
// new reader first looks at the few readers still open on this thread: when
// its text equals the sub-document one of them just handed out (or that
// reader's whole text), it reads through that reader's index instead of
// indexing the text again; failing that, so it does when the text equals one
// the configuration root serves (ServedTexts).
class XmlReader {
public:
    explicit XmlReader(const std::wstring& doc);
    // Reads only the elements down to maxDepth (the root element is at
    // depth 1): for a caller that reads no deeper, the rest of the text is
    // passed over without being indexed.
    XmlReader(const std::wstring& doc, uint32_t maxDepth);
    // A temporary would not outlive the reader: the reader keeps it.
    explicit XmlReader(std::wstring&& doc);
    // A text as XmlReader(const std::wstring&) reads it. An element exactly
    // as a reader of its sub-document would, without copying it: through the
    // outer reader's index where that reads the same (a well-formed text),
    // else from a copy of the sub-document; the outer reader's text must
    // outlive this one. This is how each level of the model hands an element
    // to the next. A string argument still picks the string constructors:
    // reaching this one needs a conversion.
    explicit XmlReader(const XmlSource& source);
    XmlReader(const XmlReader&) = delete;
    XmlReader& operator=(const XmlReader&) = delete;
    ~XmlReader();

    bool IsWellFormed() const { return m_cursor.WellFormed(); }

    // Next element at the current level (any name when null).
    bool Find(markup::NameRef name = nullptr);
    // Next child of the current element. With no element current, the next
    // element at the level is selected first.
    bool FindChild(markup::NameRef name = nullptr);
    // Enter the current element (an empty level when none is current).
    void Into();
    // Leave the level; the element left is current again.
    void Out();

    bool HasElem() const { return m_nDead == 0 && m_bElem; }
    // How many children the current element has (0 when there is none).
    std::size_t ChildCount() const { return m_cursor.ChildCount(Elem()); }
    bool HasChild() const { return HasElem() && m_bChild; }

    // Reads of the current element / child; empty when there is none.
    std::wstring Attr(markup::NameRef name) const;
    std::wstring Data() const;
    std::wstring SubDoc();
    // Where SubDoc() stands in the reader's text, without copying it.
    void SubDocRange(std::size_t& start, std::size_t& length);
    std::wstring ChildData() const;

    // Number reads, without building the text when it can be read in place.
    int AttrDec(markup::NameRef name) const { return AttrNumber(name, 10); }
    int AttrHex(markup::NameRef name) const { return AttrNumber(name, 16); }
    int DataDec() const { return DataNumber(Elem(), 10); }
    int DataHex() const { return DataNumber(Elem(), 16); }
    // The current element's text read by the number rule of the base; false,
    // with nothing read, when the text is empty.
    bool DataNumberIfAny(int base, int& value) const { return TextNumber(Elem(), base, value); }
    int ChildDataDec() const { return DataNumber(Child(), 10); }
    int ChildDataHex() const { return DataNumber(Child(), 16); }
    // Whether the attribute reads exactly as the text (absent reads as "").
    bool AttrIs(markup::NameRef name, const wchar_t* text) const;

    // Calls f() with each child of the current element that has the given
    // name (any when null) current, in document order; comes back out.
    template <class F>
    void EachChild(markup::NameRef name, F f) {
        Into();
        while (Find(name)) f();
        Out();
    }

private:
    friend class ServedTexts;
    friend class XmlSource;
    // Whether a reader made from this one's current element reads it through
    // this reader's index (only a well-formed text's elements read the same
    // from their own sub-document).
    bool ViewsElement() const {
        // The condition OpenShared applies to a copy.
        return Elem() != 0 && m_cursor.WellFormed() &&
               m_cursor.GetIndex().maxDepth == markup::kAllLevels;
    }
    void Link();
    uint32_t Elem() const { return HasElem() ? m_cursor.elem : 0; }
    uint32_t Child() const { return HasChild() ? m_cursor.child : 0; }
    int AttrNumber(markup::NameRef name, int base) const;
    int DataNumber(uint32_t node, int base) const {
        int value = 0;
        TextNumber(node, base, value);
        return value;
    }
    bool TextNumber(uint32_t node, int base, int& value) const;
    void Open(const std::wstring& doc, uint32_t maxDepth = markup::kAllLevels);
    // Reads the text through an open reader's index when it can.
    bool OpenShared(const std::wstring& doc);

    std::wstring m_strOwned;  // the text, when it was given as a temporary
    markup::Cursor m_cursor;
    XmlReader* m_pOuter;         // the innermost reader open when this one was made
    uint32_t m_nLastSubDoc = 0;  // the element whose sub-document was last handed out
    bool m_bElem = false;
    bool m_bChild = false;
    int m_nDead = 0;
};

// A reader inside a kind's element (the sub-document's first element,
// whatever its name), before its first child.
class InsideElement : public XmlReader {
public:
    explicit InsideElement(const XmlSource& source) : XmlReader(source) {
        Find();
        Into();
    }
};

inline const XmlReader* XmlSource::Direct() const {
    return m_pElement && m_pElement->ViewsElement() ? m_pElement : nullptr;
}

// Calls f with a reader whose current element is the source's first element:
// the open reader itself where the source allows (XmlSource::Direct), else a
// new reader after Find(). For constructors that read only that element's
// own attributes.
template <class F>
void ReadFirstElement(const XmlSource& source, F f) {
    if (const XmlReader* direct = source.Direct()) {
        f(*direct);
        return;
    }
    XmlReader reader(source);
    reader.Find();
    f(static_cast<const XmlReader&>(reader));
}

// Calls f with a reader whose current element is the open reader's current
// element, read as a reader of its sub-document reads it after Find(): the
// open reader itself where that reads the same (XmlSource::Direct), else a
// new reader. f reads that element and its children (EachChild), and leaves
// the position where it found it.
template <class F>
void ReadCurrentElement(XmlReader& outer, F f) {
    const XmlSource source(outer);
    if (source.Direct()) {
        f(outer);
        return;
    }
    XmlReader reader(source);
    reader.Find();
    f(reader);
}

// ---- Child lists of the current element -------------------------------------

enum class EmptyText { Skip, AsZero };

// Each child's text read by the number rule of the base (kHex or kDec) and
// appended, in document order.
void ReadChildNumbers(XmlReader& reader, int base, EmptyText empty, std::vector<int>& out);
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

// ---- Located id lists --------------------------------------------------------

// The next element of that name at the current level: its fixed-position
// locator, and one hexadecimal id per child of it (empty text as 0). The
// element stays current, so later searches run on after it.
FixedLocator ReadLocatedIDs(XmlReader& reader, markup::NameRef name, std::vector<int>& ids);

}  // namespace ecfg
