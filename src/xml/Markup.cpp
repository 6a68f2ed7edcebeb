// CMarkup: the navigator's own copy of its text and the cursor over it.

#include "eventconfig/xml/Markup.h"

#include <cwchar>
#include <vector>

#include "xml/MarkupImpl.h"
#include "xml/TextDecoding.h"

// ---- CMarkupImpl ----------------------------------------------------------------

CMarkupImpl::CMarkupImpl(const CMarkupImpl& other)
    : doc(other.doc),
      loadEncoding(other.loadEncoding),
      encodingFellBack(other.encodingFellBack),
      cursor(other.cursor),
      m_pending(other.m_pending) {
    cursor.Rebind(doc.data());
}

CMarkupImpl& CMarkupImpl::operator=(const CMarkupImpl& other) {
    if (this != &other) {
        doc = other.doc;
        loadEncoding = other.loadEncoding;
        encodingFellBack = other.encodingFellBack;
        cursor = other.cursor;
        m_pending = other.m_pending;
        cursor.Rebind(doc.data());
    }
    return *this;
}

void CMarkupImpl::SetDoc(const wchar_t* text, std::size_t len) {
    doc.assign(text, len);
    m_pending = false;
    cursor.Open(doc.data(), doc.size());
}

void CMarkupImpl::SetLoaded(std::wstring text) {
    doc = std::move(text);
    m_pending = true;
}

std::wstring CMarkupImpl::TakeDoc(CMarkup& markup) {
    CMarkupImpl& m = *markup.m_pImpl;
    std::wstring text = std::move(m.doc);
    m.SetDoc(L"", 0);
    return text;
}

// ---- CMarkup ------------------------------------------------------------------

const std::size_t CMarkup::npos;

CMarkup::CMarkup() : m_pImpl(new CMarkupImpl) {}

CMarkup::CMarkup(const std::wstring& doc) : m_pImpl(new CMarkupImpl) {
    SetDoc(doc);
}

CMarkup::CMarkup(MCD_CSTR doc) : m_pImpl(new CMarkupImpl) {
    SetDoc(doc);
}

CMarkup::CMarkup(const CMarkup& other) : m_pImpl(new CMarkupImpl(*other.m_pImpl)) {}

CMarkup& CMarkup::operator=(const CMarkup& other) {
    if (this != &other) *m_pImpl = *other.m_pImpl;
    return *this;
}

CMarkup::~CMarkup() {
    delete m_pImpl;
}

bool CMarkup::SetDoc(const std::wstring& doc) {
    m_pImpl->SetDoc(doc.data(), doc.size());
    return m_pImpl->Use().WellFormed();
}

bool CMarkup::SetDoc(MCD_CSTR doc) {
    m_pImpl->SetDoc(doc ? doc : L"", doc ? std::wcslen(doc) : 0);
    return m_pImpl->Use().WellFormed();
}

bool CMarkup::Load(MCD_CSTR path) {
    CMarkupImpl& m = *m_pImpl;
    std::wstring text;
    if (!path || !ecfg::LoadXmlFile(path, text, m.loadEncoding, m.encodingFellBack)) return false;
    m.SetLoaded(std::move(text));
    return true;
}

bool CMarkup::IsWellFormed() const {
    return m_pImpl->Use().WellFormed();
}

bool CMarkup::FindElem(MCD_CSTR name) {
    return m_pImpl->Use().FindElem(name);
}
bool CMarkup::FindChildElem(MCD_CSTR name) {
    return m_pImpl->Use().FindChildElem(name);
}
bool CMarkup::IntoElem() {
    return m_pImpl->Use().IntoElem();
}
bool CMarkup::OutOfElem() {
    return m_pImpl->Use().OutOfElem();
}

std::wstring CMarkup::GetAttrib(MCD_CSTR name) const {
    ecfg::markup::Cursor& c = m_pImpl->Use();
    return c.Attrib(c.elem, name);
}
std::wstring CMarkup::GetChildAttrib(MCD_CSTR name) const {
    ecfg::markup::Cursor& c = m_pImpl->Use();
    return c.Attrib(c.child, name);
}
std::wstring CMarkup::GetData() const {
    ecfg::markup::Cursor& c = m_pImpl->Use();
    return c.Data(c.elem);
}
std::wstring CMarkup::GetChildData() const {
    ecfg::markup::Cursor& c = m_pImpl->Use();
    return c.Data(c.child);
}
std::wstring CMarkup::GetSubDoc() const {
    ecfg::markup::Cursor& c = m_pImpl->Use();
    return c.SubDoc(c.elem);
}
std::wstring CMarkup::GetChildSubDoc() const {
    ecfg::markup::Cursor& c = m_pImpl->Use();
    return c.SubDoc(c.child);
}
const std::wstring& CMarkup::GetDoc() const {
    return m_pImpl->doc;
}

std::size_t CMarkup::GetElemOffset() const {
    ecfg::markup::Cursor& c = m_pImpl->Use();
    return c.Offset(c.elem);
}
std::size_t CMarkup::GetChildElemOffset() const {
    ecfg::markup::Cursor& c = m_pImpl->Use();
    return c.Offset(c.child);
}
std::wstring CMarkup::GetTagName() const {
    ecfg::markup::Cursor& c = m_pImpl->Use();
    return c.TagName(c.elem);
}
std::wstring CMarkup::GetChildTagName() const {
    ecfg::markup::Cursor& c = m_pImpl->Use();
    return c.TagName(c.child);
}
std::size_t CMarkup::GetErrorOffset() const {
    return m_pImpl->Use().ErrorOffset();
}
std::wstring CMarkup::GetError() const {
    return m_pImpl->Use().Error();
}
std::wstring CMarkup::GetLoadEncoding() const {
    return m_pImpl->loadEncoding;
}
bool CMarkup::GetEncodingFellBack() const {
    return m_pImpl->encodingFellBack;
}
