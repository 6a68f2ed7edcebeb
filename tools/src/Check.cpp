#include <algorithm>

#include "CheckInternal.h"

namespace ectool {

std::vector<Finding> Checker::Run() {
    const CMarkup& markup = m_loaded.Markup();
    if (markup.GetEncodingFellBack()) {
        std::size_t at = m_loaded.Text().find(L"encoding");
        Add(Severity::Error, at == std::wstring::npos ? 0 : at,
            "the declared encoding cannot be decoded: the library reads the file as " +
                Utf8(markup.GetLoadEncoding()),
            "encoding");
    }
    if (!markup.IsWellFormed()) {
        std::wstring error = markup.GetError();
        Add(Severity::Error, markup.GetErrorOffset() == CMarkup::npos ? 0 : markup.GetErrorOffset(),
            "not well-formed: " + (error.empty() ? std::string("no root element") : Utf8(error)),
            "xml-syntax");
        return m_findings;
    }
    int root = m_loaded.Root();
    if (root < 0) return m_findings;
    Walk(root, *FileRule(), -1, std::string());
    CheckDuplicates();
    m_loaded.BuildModels();
    for (LoadedProtocol& protocol : m_loaded.Protocols()) CheckProtocol(protocol);
    std::stable_sort(m_findings.begin(), m_findings.end(),
                     [](const Finding& a, const Finding& b) { return a.offset < b.offset; });
    return m_findings;
}

std::vector<Finding> CheckFile(Loaded& loaded, MsgCandidates* candidates) {
    return Checker(loaded, candidates).Run();
}

}  // namespace ectool
