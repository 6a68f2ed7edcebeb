#include "Loaded.h"

#include <fstream>
#include <iterator>
#include <map>

#include "Text.h"
#include "eventconfig/config/Platform.h"

namespace ectool {

namespace {

// The tool reports an unreadable file itself; the library's own message
// would only repeat it.
void Quiet(const std::wstring&) {}

}  // namespace

Loaded::Loaded(const std::string& path) : m_path(path) {
    std::ifstream probe(path, std::ios::binary);
    m_readable = probe.good() && m_markup.Load(Widen(path).c_str());
    if (!m_readable) m_markup.SetDoc(L"");
    Index();
}

Loaded::Loaded(const std::string& name, const std::wstring& text)
    : m_path(name), m_readable(true), m_fromText(true) {
    m_markup.SetDoc(text);
    Index();
}

void Loaded::Index() {
    m_lines.reset(new LineIndex(m_markup.GetDoc()));
    CMarkup walker(m_markup);
    m_tree.reset(new DocTree(walker));
}

Loaded::~Loaded() {
    // Models first: their objects came from the registries the root releases.
    m_protocols.clear();
    m_root.reset();
}

std::vector<unsigned char> Loaded::Bytes() const {
    if (m_fromText) {
        std::string utf8 = Utf8(m_markup.GetDoc());
        return std::vector<unsigned char>(utf8.begin(), utf8.end());
    }
    std::ifstream file(m_path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(file),
                                      std::istreambuf_iterator<char>());
}

std::vector<int> Loaded::ChildrenNamed(int node, const wchar_t* tag) const {
    std::vector<int> found;
    if (node < 0) return found;
    for (int child : m_tree->At(node).children)
        if (m_tree->At(child).tag == tag) found.push_back(child);
    return found;
}

void Loaded::BuildModels() {
    if (m_built) return;
    m_built = true;
    EventConfigMessageHandler previous = SetEventConfigMessageHandler(&Quiet);
    if (m_fromText) {
        // No path reads nothing (quietly); the root then takes the text as
        // SetEventConfig hands it over.
        m_root.reset(new CEventConfig(std::wstring()));
        m_root->SetEventConfig(m_markup.GetDoc());
    } else {
        m_root.reset(new CEventConfig(Widen(m_path)));
    }
    SetEventConfigMessageHandler(previous);
    // The root keeps one document per "ProtocolType"; the later element wins.
    std::map<int, int> nodes;
    std::vector<int> lists = ChildrenNamed(Root(), L"Protocol");
    if (!lists.empty())
        for (int child : m_tree->At(lists.front()).children)
            nodes[DecimalValue(m_tree->At(child).AttrValue(L"ProtocolType"))] = child;
    for (const auto& entry : nodes) {
        LoadedProtocol protocol;
        protocol.type = entry.first;
        protocol.node = entry.second;
        protocol.model.reset(new CStateMachineConfig(
            m_root->GetEventConfigByProtocol(static_cast<Protocol_Type_Enum>(entry.first))));
        m_protocols.push_back(std::move(protocol));
    }
}

}  // namespace ectool
