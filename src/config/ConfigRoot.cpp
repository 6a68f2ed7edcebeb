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

CEventConfig::CEventConfig() : m_pEventConfig(std::make_shared<const std::wstring>()) {
    LoadConfigInfo(EventConfigDefaultPath());
    AcquireRegistries();
}

CEventConfig::CEventConfig(const std::wstring& path)
    : m_pEventConfig(std::make_shared<const std::wstring>()) {
    LoadConfigInfo(path);
    AcquireRegistries();
}

CEventConfig::CEventConfig(const CEventConfig& other)
    : IEventConfig(other),
      m_strMsgParserConfig(other.m_strMsgParserConfig),
      m_strGenMsgInfoConfig(other.m_strGenMsgInfoConfig),
      m_pEventConfig(CopyOf(other.m_pEventConfig->data(), other.m_pEventConfig->size())) {
    for (const auto& entry : other.m_mapProtocolConfig)
        m_mapProtocolConfig.emplace_hint(
            m_mapProtocolConfig.end(), entry.first,
            Rehome(entry.second, other.m_pEventConfig, m_pEventConfig));
}

CEventConfig& CEventConfig::operator=(const CEventConfig& other) {
    if (this != &other) {
        CEventConfig copy(other);
        ecfg::ServedTexts::Withdraw(this);
        m_mapProtocolConfig.swap(copy.m_mapProtocolConfig);
        m_strMsgParserConfig.swap(copy.m_strMsgParserConfig);
        m_strGenMsgInfoConfig.swap(copy.m_strGenMsgInfoConfig);
        m_pEventConfig.swap(copy.m_pEventConfig);
    }
    return *this;
}

CEventConfig::Text CEventConfig::CopyOf(const wchar_t* text, std::size_t length) {
    return std::make_shared<const std::wstring>(ecfg::CopyText(text, length));
}

CEventConfig::Document CEventConfig::Rehome(const Document& doc, const Text& from, const Text& to) {
    return doc.text == from ? Document{to, doc.start, doc.length} : Detached(doc);
}

CEventConfig::Document CEventConfig::Detached(const Document& doc) {
    return Document{CopyOf(doc.text->data() + doc.start, doc.length), 0, doc.length};
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
    const Document& doc = it->second;
    return ecfg::CopyText(doc.text->data() + doc.start, doc.length);
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
    return ecfg::CopyText(m_pEventConfig->data(), m_pEventConfig->size());
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
    const Text whole = std::make_shared<const std::wstring>(std::move(text));
    m_pEventConfig = whole;

    // The reader gives empty text after a failed search, so a file without a
    // side element stores "" for it, not some other element's markup. The
    // map is kept: protocols the text does not name keep their documents.
    // The whole text is indexed once, here: the host's copy of a protocol's
    // document is then read through this index, not indexed again.
    ecfg::XmlReader reader(*whole);
    ecfg::ServedTexts::Batch served(this);
    reader.Find();
    reader.Into();
    reader.Find(L"Protocol");
    reader.EachChild(nullptr, [&] {
        const Protocol_Type_Enum key =
            static_cast<Protocol_Type_Enum>(reader.AttrDec(L"ProtocolType"));
        Document& doc = m_mapProtocolConfig[key];
        doc.text = whole;
        reader.SubDocRange(doc.start, doc.length);
        served.Add(&doc, whole->data() + doc.start, doc.length, reader);
    });
    ecfg::ServedTexts::Serve(std::move(served));
    reader.Find(L"MsgParserConfig");
    m_strMsgParserConfig = reader.SubDoc();
    reader.Find(L"GenMessageInfoString");
    m_strGenMsgInfoConfig = reader.SubDoc();

    // Documents the text did not replace stop holding the earlier text.
    for (auto& entry : m_mapProtocolConfig)
        if (entry.second.text != whole && entry.second.length != entry.second.text->size())
            entry.second = Detached(entry.second);
    return 1;
}

void CEventConfig::AcquireRegistries() {
    COperationTypeConfigFactory::GetInstance();
    CActionTypeFactory::GetInstance();
}
