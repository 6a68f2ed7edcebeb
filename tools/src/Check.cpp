#include <algorithm>

#include "CheckInternal.h"
#include "XmlCheck.h"

namespace ectool {

namespace {

// Findings in the order of the text; a note stays after the finding it
// belongs to.
std::vector<Finding> InTextOrder(std::vector<Finding> findings) {
    std::vector<std::pair<std::size_t, std::size_t>> keys;  // (offset of the group, index)
    for (std::size_t i = 0; i < findings.size(); ++i)
        keys.emplace_back(findings[i].severity == Severity::Note && i > 0 ? keys[i - 1].first
                                                                          : findings[i].offset,
                          i);
    std::stable_sort(
        keys.begin(), keys.end(),
        [](const std::pair<std::size_t, std::size_t>& a,
           const std::pair<std::size_t, std::size_t>& b) { return a.first < b.first; });
    std::vector<Finding> sorted;
    for (const auto& key : keys) sorted.push_back(std::move(findings[key.second]));
    return sorted;
}

}  // namespace

std::vector<Finding> Checker::Run() {
    const CMarkup& markup = m_loaded.Markup();
    if (markup.GetEncodingFellBack()) {
        std::size_t at = m_loaded.Text().find(L"encoding");
        Add(Severity::Error, at == std::wstring::npos ? 0 : at,
            "the declared encoding cannot be decoded: the library reads the file as " +
                Utf8(markup.GetLoadEncoding()),
            "encoding");
    }
    // Well-formedness and the bytes: reported, and the model the library does
    // load is still checked.
    for (Finding& f : CheckXml(m_loaded.Bytes(), m_loaded.Text(), markup.GetLoadEncoding()))
        m_findings.push_back(std::move(f));
    int root = m_loaded.Root();
    if (root < 0) return InTextOrder(std::move(m_findings));
    Walk(root, *FileRule(), -1, std::string());
    CheckDuplicates();
    m_loaded.BuildModels();
    for (LoadedProtocol& protocol : m_loaded.Protocols()) CheckProtocol(protocol);
    return InTextOrder(std::move(m_findings));
}

std::vector<Finding> CheckFile(Loaded& loaded, MsgCandidates* candidates) {
    return Checker(loaded, candidates).Run();
}

}  // namespace ectool
