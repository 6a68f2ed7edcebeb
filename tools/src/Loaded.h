#pragma once

// A configuration file as the library loads it, next to the position-keeping
// walk over the same text: the navigator's decoded document, the tree of its
// elements, and one state machine model per protocol, each built by the
// library from the document the root serves for it.

#include <memory>
#include <string>
#include <vector>

#include "Positions.h"
#include "eventconfig/config/ConfigRoot.h"
#include "eventconfig/model/StateMachineConfig.h"
#include "eventconfig/xml/Markup.h"

namespace ectool {

struct LoadedProtocol {
    int type = 0;
    int node = -1;  // the protocol element whose document the root keeps
    std::unique_ptr<CStateMachineConfig> model;
};

class Loaded {
public:
    // Reads the file once ("-": standard input); Readable() says whether
    // that worked and Reason() why not.
    explicit Loaded(const std::string& path);
    // An editor's buffer: the text as it stands, named for messages; no
    // file is read. Always readable.
    Loaded(const std::string& name, const std::wstring& text);
    Loaded(const Loaded&) = delete;
    Loaded& operator=(const Loaded&) = delete;
    ~Loaded();

    bool Readable() const { return m_readable; }
    const std::string& Path() const { return m_path; }
    // The path as messages show it.
    const std::string& ShownPath() const { return m_shownPath; }
    const std::string& Reason() const { return m_reason; }
    const CMarkup& Markup() const { return m_markup; }
    const std::wstring& Text() const { return m_markup.GetDoc(); }
    // The file as stored, and how the library decoded it.
    const std::vector<unsigned char>& Bytes() const { return m_bytes; }
    const std::wstring& Encoding() const { return m_encoding; }
    bool EncodingFellBack() const { return m_fellBack; }
    const DocTree& Tree() const { return *m_tree; }
    Position At(std::size_t offset) const { return m_lines->At(offset); }

    // Builds the root and the models (the timed part of loading); once.
    void BuildModels();
    std::vector<LoadedProtocol>& Protocols() { return m_protocols; }
    // The root element, -1 when there is none.
    int Root() const { return m_tree->Tops().empty() ? -1 : m_tree->Tops().front(); }
    // Children of a node with that tag.
    std::vector<int> ChildrenNamed(int node, const wchar_t* tag) const;

private:
    void Index();

    std::string m_path;
    std::string m_shownPath;
    std::string m_reason;
    bool m_readable = false;
    std::vector<unsigned char> m_bytes;
    std::wstring m_encoding;
    bool m_fellBack = false;
    CMarkup m_markup;
    std::unique_ptr<DocTree> m_tree;
    std::unique_ptr<LineIndex> m_lines;
    std::unique_ptr<CEventConfig> m_root;
    std::vector<LoadedProtocol> m_protocols;
    bool m_built = false;
};

}  // namespace ectool
