#include "eventconfig/messages/MsgConfig.h"

#include <utility>

#include "messages/FieldLocator.h"
#include "reading/Reading.h"

CMsgConfig::CMsgConfig() : m_nMsgID(-1), m_nLogCode(-1) {}

CMsgConfig::CMsgConfig(const std::wstring& subDoc) : CMsgConfig() {
    ecfg::ReadFirstElement(subDoc, [this](const ecfg::XmlReader& reader) { Read(reader); });
}

CMsgConfig::CMsgConfig(const ecfg::XmlReader& element) : CMsgConfig() {
    ecfg::ReadFirstElement(ecfg::XmlSource(element),
                           [this](const ecfg::XmlReader& reader) { Read(reader); });
}

void CMsgConfig::Read(const ecfg::XmlReader& reader) {
    m_nMsgID = reader.AttrHex(L"MsgID");
    const std::wstring logCode = reader.Attr(L"LogCode");
    m_nLogCode = logCode.empty() ? -1 : ecfg::HexToInt(logCode);
    m_strMsgName = reader.Attr(L"Name");
}

CMsgConfig::~CMsgConfig() {}

CMessageFieldConfig::CMessageFieldConfig() : m_nOffset(0) {}

CMessageFieldConfig::CMessageFieldConfig(std::wstring keyWordName, int offset,
                                         std::wstring startSearchTag, std::wstring endSearchTag)
    : CMessageFieldConfig(std::move(keyWordName), offset, std::move(startSearchTag),
                          std::move(endSearchTag), std::wstring()) {}

CMessageFieldConfig::CMessageFieldConfig(std::wstring keyWordName, int offset,
                                         std::wstring startSearchTag, std::wstring endSearchTag,
                                         std::wstring eventInfoName)
    : m_strKeyWordName(std::move(keyWordName)),
      m_strEventInfoName(std::move(eventInfoName)),
      m_nOffset(offset),
      m_strStartSearchTag(std::move(startSearchTag)),
      m_strEndSearchTag(std::move(endSearchTag)) {}

CMessageFieldConfig::~CMessageFieldConfig() {}

namespace ecfg {

std::unique_ptr<CMessageFieldConfig> MakeFieldConfig(TagLocator locator) {
    return std::unique_ptr<CMessageFieldConfig>(new CMessageFieldConfig(
        std::move(locator.name), locator.offset, std::move(locator.startTag),
        std::move(locator.endTag), std::move(locator.eventInfoName)));
}

}  // namespace ecfg
