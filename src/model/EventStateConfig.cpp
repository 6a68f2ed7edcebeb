#include "eventconfig/model/EventStateConfig.h"

#include "eventconfig/model/RuleConfig.h"
#include "reading/Reading.h"

CEventStateConfig::CEventStateConfig()
    : m_nID(-1), m_nInitialActivated(1), m_nNeedProcessLogField(0) {}

CEventStateConfig::CEventStateConfig(std::wstring subDoc) : CEventStateConfig() {
    ecfg::XmlReader reader(subDoc);
    reader.Find();
    Read(reader);
}

CEventStateConfig::CEventStateConfig(ecfg::XmlReader& element) : CEventStateConfig() {
    ecfg::ReadCurrentElement(element, [this](ecfg::XmlReader& reader) { Read(reader); });
}

void CEventStateConfig::Read(ecfg::XmlReader& reader) {
    m_nID = reader.AttrDec(L"ID");
    m_nInitialActivated = reader.AttrDec(L"InitialActivated");
    m_nNeedProcessLogField = reader.AttrIs(L"NeedProcessLogField", L"TRUE") ? 1 : 0;
    reader.EachChild(L"Rule", [&] {
        std::unique_ptr<CRuleConfig> rule(new CRuleConfig(reader));
        const int id = rule->GetRuleID();
        m_mapRuleList.Replace(id, std::move(rule));
    });
}

CEventStateConfig::~CEventStateConfig() {
    m_mapRuleList.clear();
}
