#include "Loaded.h"

#include <fstream>
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
    m_lines.reset(new LineIndex(m_markup.GetDoc()));
    CMarkup walker(m_markup);
    m_tree.reset(new DocTree(walker));
}

Loaded::~Loaded() {
    // Models first: their objects came from the registries the root releases.
    m_protocols.clear();
    m_root.reset();
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
    m_root.reset(new CEventConfig(Widen(m_path)));
    SetEventConfigMessageHandler(previous);
    // The root keeps one document per "ProtocolType"; the later element wins.
    std::map<int, int> nodes;
    std::vector<int> lists = ChildrenNamed(Root(), L"Protocol");
    if (!lists.empty())
        for (int child : m_tree->At(lists.front()).children)
            nodes[ecfg::Wtoi(m_tree->At(child).AttrValue(L"ProtocolType"))] = child;
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
