#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>

#include "eventconfig/EventConfigExport.h"

// Protocol keys are whatever the file's "ProtocolType" attributes hold; the
// named members are the common ones.
enum Protocol_Type_Enum {
    PROTOCOL_TYPE_0 = 0,
    PROTOCOL_TYPE_1 = 1,
    PROTOCOL_TYPE_2 = 2,
    PROTOCOL_TYPE_3 = 3,
    PROTOCOL_TYPE_4 = 4,
    PROTOCOL_TYPE_5 = 5,
    PROTOCOL_TYPE_MIN = -2147483647 - 1,
    PROTOCOL_TYPE_MAX = 2147483647
};

// What a host sees of the configuration root.
class EVENTCONFIG_API IEventConfig {
public:
    IEventConfig() {}
    IEventConfig(const IEventConfig&) {}
    IEventConfig& operator=(const IEventConfig&) { return *this; }
    virtual ~IEventConfig() {}

    virtual std::wstring GetEventConfigByProtocol(Protocol_Type_Enum protocol) = 0;
    virtual std::wstring GetMsgConfig() = 0;
    virtual std::wstring GetGenMsgInfoConfig() = 0;
    virtual int SetEventConfig(std::wstring text) = 0;
    virtual std::wstring GetEventConfig() = 0;
};

// Loads EventConfig.xml and serves each protocol's document and the two side
// documents. Creates the two kind registries on construction and releases
// them on destruction.
class EVENTCONFIG_API CEventConfig : public IEventConfig {
public:
    // Finds the file beside the host executable ("../EventConfig/EventConfig.xml").
    CEventConfig();
    // Loads the given file instead.
    explicit CEventConfig(const std::wstring& path);
    CEventConfig(const CEventConfig& other);
    CEventConfig& operator=(const CEventConfig& other);
    ~CEventConfig() override;

    std::wstring GetEventConfigByProtocol(Protocol_Type_Enum protocol) override;
    std::wstring GetMsgConfig() override;
    std::wstring GetGenMsgInfoConfig() override;
    int SetEventConfig(std::wstring text) override;
    std::wstring GetEventConfig() override;

private:
    int LoadConfigInfo(std::wstring path);
    int ParseEventConfig(std::wstring text);
    void AcquireRegistries();

    // A protocol's document is the range of the whole document it was cut
    // from, so that a configuration's text is held once. A document a later
    // text does not replace keeps a copy of its own range, and the earlier
    // text is freed. The texts are never changed once made.
    typedef std::shared_ptr<const std::wstring> Text;
    struct Document {
        Text text;
        std::size_t start = 0;
        std::size_t length = 0;
    };
    // Copies share nothing: a copy of a root holds texts of its own.
    static Text CopyOf(const wchar_t* text, std::size_t length);
    static Document Rehome(const Document& doc, const Text& from, const Text& to);
    static Document Detached(const Document& doc);

    std::map<Protocol_Type_Enum, Document> m_mapProtocolConfig;
    std::wstring m_strMsgParserConfig;
    std::wstring m_strGenMsgInfoConfig;
    Text m_pEventConfig;  // the whole document; never null
};
