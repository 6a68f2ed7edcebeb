#include <algorithm>

#include "CheckInternal.h"
#include "XmlCheck.h"
#include "actions/ActionRegistry.h"
#include "operations/OperationRegistry.h"

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
    if (m_loaded.EncodingFellBack()) {
        std::size_t at = m_loaded.Text().find(L"encoding");
        Add(Severity::Error, at == std::wstring::npos ? 0 : at,
            "the declared encoding cannot be decoded: the library reads the file as " +
                Utf8(m_loaded.Encoding()),
            "encoding");
    }
    // Well-formedness and the bytes: reported, and the model the library does
    // load is still checked.
    // A note of the XML layer becomes a place of the finding before it.
    for (Finding& f : CheckXml(m_loaded.Bytes(), m_loaded.Text(), m_loaded.Encoding())) {
        if (f.severity == Severity::Note && !m_findings.empty())
            m_findings.back().notes.push_back({f.offset, f.message});
        else if (f.severity != Severity::Note)
            m_findings.push_back(std::move(f));
    }
    int root = m_loaded.Root();
    if (root < 0) return InTextOrder(std::move(m_findings));
    Walk(root, *FileRule(), -1, std::string());
    CheckDuplicates();
    m_loaded.BuildModels();
    for (LoadedProtocol& protocol : m_loaded.Protocols()) CheckProtocol(protocol);
    CheckDroppedProtocols();
    CheckReach();
    TagDropped();
    return InTextOrder(std::move(m_findings));
}

std::string KindDescription(const std::string& className) {
    for (const auto* rows : {&ecfg::OperationKindRows(), &ecfg::ActionKindRows()})
        for (const ecfg::KindRow& row : *rows)
            if (className == row.szClassName) return row.szDescription;
    return className;
}

bool IsXmlFinding(const Finding& finding) {
    return finding.check == "encoding" || finding.check.compare(0, 3, "xml") == 0;
}

std::vector<Finding> CheckFile(Loaded& loaded, MsgCandidates* candidates) {
    return Checker(loaded, candidates).Run();
}

}  // namespace ectool
