#pragma once

#include <string>

#include "eventconfig/EventConfigExport.h"

// One message a system state listens to: "Msg" with "MsgID" (hex), "LogCode"
// (hex, -1 when empty) and "Name".
namespace ecfg {
class XmlReader;
}

class EVENTCONFIG_API CMsgConfig {
public:
    CMsgConfig();
    explicit CMsgConfig(const std::wstring& subDoc);
    // The library's own path: the message of a reader's current element,
    // read in place (the reader type is internal to the library).
    explicit CMsgConfig(const ecfg::XmlReader& element);
    CMsgConfig(const CMsgConfig& other) = default;
    CMsgConfig& operator=(const CMsgConfig& other) = default;
    virtual ~CMsgConfig();

    int GetMsgID() const { return m_nMsgID; }
    int GetLogCode() const { return m_nLogCode; }
    std::wstring GetMsgName() const { return m_strMsgName; }

private:
    void Read(const ecfg::XmlReader& reader);

    int m_nMsgID;
    int m_nLogCode;
    std::wstring m_strMsgName;
};

// One located field of the tag-search kind.
class EVENTCONFIG_API CMessageFieldConfig {
public:
    CMessageFieldConfig();
    CMessageFieldConfig(std::wstring keyWordName, int offset, std::wstring startSearchTag,
                        std::wstring endSearchTag);
    CMessageFieldConfig(std::wstring keyWordName, int offset, std::wstring startSearchTag,
                        std::wstring endSearchTag, std::wstring eventInfoName);
    CMessageFieldConfig(const CMessageFieldConfig& other) = default;
    CMessageFieldConfig& operator=(const CMessageFieldConfig& other) = default;
    virtual ~CMessageFieldConfig();

    std::wstring GetKeyWordName() const { return m_strKeyWordName; }
    int GetOffset() const { return m_nOffset; }
    std::wstring GetStartSearchTag() const { return m_strStartSearchTag; }
    std::wstring GetEndSearchTag() const { return m_strEndSearchTag; }
    std::wstring GetEventInfoName() const { return m_strEventInfoName; }

    void SetKeyWordName(std::wstring value) { m_strKeyWordName = std::move(value); }
    void SetOffset(int value) { m_nOffset = value; }
    void SetStartSearchTag(std::wstring value) { m_strStartSearchTag = std::move(value); }
    void SetEndSearchTag(std::wstring value) { m_strEndSearchTag = std::move(value); }
    void SetEventInfoName(std::wstring value) { m_strEventInfoName = std::move(value); }

private:
    std::wstring m_strKeyWordName;
    std::wstring m_strEventInfoName;
    int m_nOffset;
    std::wstring m_strStartSearchTag;
    std::wstring m_strEndSearchTag;
};

// Fixed-position field locator records ("Name", "Length", "StartOffset").
struct MsgField {
    std::wstring strName;
    int nLength = 0;
    int nStartOffset = 0;
};

struct MsgFieldConfig {
    std::wstring strName;
    int nLength = 0;
    int nStartOffset = 0;
};
