#pragma once

#include <cstddef>
#include <string>

#include "eventconfig/EventConfigExport.h"

// Name and path arguments: NUL-terminated wide text; null means "any name".
typedef const wchar_t* MCD_CSTR;

class CMarkupImpl;

// Cursor-style XML navigator. A document is indexed once by SetDoc/Load; the
// position is a level (an element whose children are being walked, or the
// document itself), the current element at that level and, optionally, the
// current child of that element. Every search runs forward from the current
// position; a failed search leaves the position unchanged.
//
// The navigator is lenient: text that is not well-formed still yields every
// element that can be recognised (see CMarkupImpl for the rules) and
// IsWellFormed() says false. No input makes it crash, hang or recurse.
class EVENTCONFIG_API CMarkup {
public:
    CMarkup();
    explicit CMarkup(const std::wstring& doc);
    explicit CMarkup(MCD_CSTR doc);
    CMarkup(const CMarkup& other);
    CMarkup& operator=(const CMarkup& other);
    virtual ~CMarkup();

    // Replaces the document; the position goes back to the document level.
    // Returns IsWellFormed() of the new document.
    bool SetDoc(const std::wstring& doc);
    bool SetDoc(MCD_CSTR doc);
    // Reads and decodes a file (byte-order mark, then the XML declaration's
    // encoding, else UTF-8). False only when the file cannot be read.
    bool Load(MCD_CSTR path);
    // True when the document has one root element and is well-formed.
    bool IsWellFormed() const;

    bool FindElem(MCD_CSTR name = nullptr);
    bool FindChildElem(MCD_CSTR name = nullptr);
    bool IntoElem();
    bool OutOfElem();

    std::wstring GetAttrib(MCD_CSTR name) const;
    std::wstring GetChildAttrib(MCD_CSTR name) const;
    std::wstring GetData() const;
    std::wstring GetChildData() const;
    std::wstring GetSubDoc() const;
    std::wstring GetChildSubDoc() const;
    // The whole document text, as set or as decoded by Load.
    const std::wstring& GetDoc() const;

    // Extensions for tools that report positions.
    // Offset (in wide characters, from the start of GetDoc()) of the current
    // element's '<', or npos when no element is current.
    std::size_t GetElemOffset() const;
    std::size_t GetChildElemOffset() const;
    // Tag name of the current element / child; empty when none.
    std::wstring GetTagName() const;
    std::wstring GetChildTagName() const;
    // Offset of the first well-formedness problem, npos when there is none.
    std::size_t GetErrorOffset() const;
    // Human-readable description of that problem; empty when there is none.
    std::wstring GetError() const;
    // Encoding that Load decoded the file with (e.g. "UTF-8", "GB18030"),
    // and whether a declared encoding had to fall back to UTF-8.
    std::wstring GetLoadEncoding() const;
    bool GetEncodingFellBack() const;

    static const std::size_t npos = static_cast<std::size_t>(-1);

private:
    friend class CMarkupImpl;
    CMarkupImpl* m_pImpl;
};
