#include "eventconfig/config/ConfigRoot.h"

#include "actions/ActionRegistry.h"
#include "config/PlatformInternal.h"
#include "eventconfig/config/Platform.h"
#include "eventconfig/xml/Markup.h"
#include "operations/OperationRegistry.h"
#include "reading/Reading.h"
#include "reading/ServedTexts.h"
#include "xml/LargeBuffer.h"
#include "xml/MarkupImpl.h"

CEventConfig::CEventConfig() {
    LoadConfigInfo(EventConfigDefaultPath());
    AcquireRegistries();
}

CEventConfig::CEventConfig(const std::wstring& path) {
    LoadConfigInfo(path);
    AcquireRegistries();
}

CEventConfig::CEventConfig(const CEventConfig& other)
    : IEventConfig(other),
      m_mapProtocolConfig(other.m_mapProtocolConfig),
      m_strMsgParserConfig(other.m_strMsgParserConfig),
      m_strGenMsgInfoConfig(other.m_strGenMsgInfoConfig),
      m_strEventConfig(other.m_strEventConfig) {}

CEventConfig& CEventConfig::operator=(const CEventConfig& other) {
    if (this != &other) {
        ecfg::ServedTexts::Withdraw(this);
        m_mapProtocolConfig = other.m_mapProtocolConfig;
        m_strMsgParserConfig = other.m_strMsgParserConfig;
        m_strGenMsgInfoConfig = other.m_strGenMsgInfoConfig;
        m_strEventConfig = other.m_strEventConfig;
    }
    return *this;
}

CEventConfig::~CEventConfig() {
    // Every root, copies included, releases the shared registries; the next
    // use builds fresh ones.
    COperationTypeConfigFactory::Release();
    CActionTypeFactory::Release();
    ecfg::ServedTexts::Withdraw(this);
}

std::wstring CEventConfig::GetEventConfigByProtocol(Protocol_Type_Enum protocol) {
    // find, not operator[]: a look-up must not add an entry.
    const auto it = m_mapProtocolConfig.find(protocol);
    if (it == m_mapProtocolConfig.end()) return std::wstring();
    return ecfg::CopyText(it->second.data(), it->second.size());
}

std::wstring CEventConfig::GetMsgConfig() {
    return m_strMsgParserConfig;
}

std::wstring CEventConfig::GetGenMsgInfoConfig() {
    return m_strGenMsgInfoConfig;
}

int CEventConfig::SetEventConfig(std::wstring text) {
    return ParseEventConfig(std::move(text));
}

std::wstring CEventConfig::GetEventConfig() {
    return ecfg::CopyText(m_strEventConfig.data(), m_strEventConfig.size());
}

int CEventConfig::LoadConfigInfo(std::wstring path) {
    CMarkup markup;
    if (!markup.Load(path.c_str())) {
        ecfg::ShowEventConfigMessage(ecfg::MissingFileMessage(path));
        return 0;
    }
    ParseEventConfig(CMarkupImpl::TakeDoc(markup));
    return 1;
}

int CEventConfig::ParseEventConfig(std::wstring text) {
    // Readers on other threads may be comparing their texts with ours.
    ecfg::ServedTexts::Withdraw(this);
    m_strEventConfig = std::move(text);

    // The reader gives empty text after a failed search, so a file without a
    // side element stores "" for it, not some other element's markup. The
    // map is kept: protocols the text does not name keep their documents.
    // The whole text is indexed once, here: the host's copy of a protocol's
    // document is then read through this index, not indexed again.
    ecfg::XmlReader reader(m_strEventConfig);
    ecfg::ServedTexts::Batch served(this);
    reader.Find();
    reader.Into();
    reader.Find(L"Protocol");
    reader.EachChild(nullptr, [&] {
        const Protocol_Type_Enum key =
            static_cast<Protocol_Type_Enum>(reader.AttrDec(L"ProtocolType"));
        std::wstring& doc = m_mapProtocolConfig[key];
        doc = reader.SubDoc();
        served.Add(doc, reader);
    });
    ecfg::ServedTexts::Serve(std::move(served));
    reader.Find(L"MsgParserConfig");
    m_strMsgParserConfig = reader.SubDoc();
    reader.Find(L"GenMessageInfoString");
    m_strGenMsgInfoConfig = reader.SubDoc();
    return 1;
}

void CEventConfig::AcquireRegistries() {
    COperationTypeConfigFactory::GetInstance();
    CActionTypeFactory::GetInstance();
}
