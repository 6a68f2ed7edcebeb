#include "Loaded.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>

#include "Text.h"
#include "eventconfig/config/Platform.h"
#include "xml/TextDecoding.h"

namespace ectool {

namespace {

// The tool reports an unreadable file itself; the library's own message
// would only repeat it.
void Quiet(const std::wstring&) {}

// Why a path cannot be read, asked without opening it: a pipe opened only to
// be probed would lose what it holds. Empty when it looks readable.
std::string WhyUnreadable(const std::string& path) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT) return "no such file";
        if (errno == EACCES) return "permission denied";
        if (errno == ENOTDIR) return "a part of the path is not a directory";
        return std::strerror(errno);
    }
    if (S_ISDIR(info.st_mode)) return "it is a directory";
    if (access(path.c_str(), R_OK) != 0)
        return errno == EACCES ? "permission denied" : std::strerror(errno);
    return std::string();
}

}  // namespace

Loaded::Loaded(const std::string& path)
    : m_path(path), m_shownPath(path == "-" ? "<stdin>" : path) {
    // Read once, whatever the path is: a pipe has nothing left for a second read.
    const std::string source = path == "-" ? "/dev/stdin" : path;
    m_reason = WhyUnreadable(source);
    if (m_reason.empty()) {
        errno = 0;
        m_readable = ecfg::ReadFileBytes(Widen(source).c_str(), m_bytes);
        if (!m_readable) m_reason = errno ? std::strerror(errno) : "the file cannot be read";
    }
    // Decoded as the library's own load decodes it.
    if (m_readable)
        m_markup.SetDoc(
            ecfg::DecodeXmlBytes(m_bytes.data(), m_bytes.size(), m_encoding, m_fellBack));
    if (!m_readable) m_markup.SetDoc(L"");
    Index();
}

Loaded::Loaded(const std::string& name, const std::wstring& text)
    : m_path(name), m_shownPath(name), m_readable(true), m_encoding(L"UTF-8") {
    // The buffer's bytes are its text in UTF-8, as an editor would save it.
    const std::string utf8 = Utf8(text);
    m_bytes.assign(utf8.begin(), utf8.end());
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
    // The root parses the text already read, exactly as it would the file.
    m_root.reset(new CEventConfig(std::wstring()));
    SetEventConfigMessageHandler(previous);
    m_root->SetEventConfig(m_markup.GetDoc());
    // The root keeps one document per "ProtocolType"; the later element wins.
    std::map<int, int> nodes;
    std::vector<int> lists = ChildrenNamed(Root(), L"Protocol");
    if (!lists.empty())
        for (int child : m_tree->At(lists.front()).children)
            nodes[ecfg::DecToInt(m_tree->At(child).AttrValue(L"ProtocolType"))] = child;
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
