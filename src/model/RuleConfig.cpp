#include "eventconfig/model/RuleConfig.h"

#include "actions/ActionRegistry.h"
#include "operations/OperationRegistry.h"
#include "reading/Reading.h"

CRuleConfig::CRuleConfig()
    : m_nRuleID(-1), m_nInitialActivated(1), m_pOperation(nullptr), m_nPlatType(0) {}

CRuleConfig::CRuleConfig(std::wstring subDoc) : CRuleConfig() {
    ecfg::XmlReader reader(subDoc);
    reader.Find();
    Read(reader);
}

CRuleConfig::CRuleConfig(ecfg::XmlReader& element) : CRuleConfig() {
    ecfg::ReadCurrentElement(element, [this](ecfg::XmlReader& reader) { Read(reader); });
}

void CRuleConfig::Read(ecfg::XmlReader& reader) {
    m_nRuleID = reader.AttrDec(L"ID");
    m_nInitialActivated = reader.AttrDec(L"InitialActivated");
    m_nPlatType = reader.AttrDec(L"PlatType");
    reader.Into();
    reader.Find(L"Operation");
    // A missing "Operation" is read as empty text: a plain base operation of
    // type 0.
    if (COperationTypeConfigFactory* operations = COperationTypeConfigFactory::GetInstance())
        m_pOperation = operations->CreateOperation(ecfg::XmlSource(reader));
    reader.Find(L"ActionList");
    reader.EachChild(L"Result", [&] {
        ecfg::ReadCurrentElement(reader,
                                 [&](ecfg::XmlReader& result) { InitialActionList(result); });
    });
    reader.Out();
}

// The reader's current element is the "Result".
void CRuleConfig::InitialActionList(ecfg::XmlReader& reader) {
    // A "Result" that is neither "TRUE" nor "FALSE" selects no list.
    OwnedPtrVector<CActionConfig>* list = reader.AttrIs(L"Type", L"TRUE")    ? &m_vecTrueActionList
                                          : reader.AttrIs(L"Type", L"FALSE") ? &m_vecFalseActionList
                                                                             : nullptr;
    if (!list) return;
    // One allocation for the list, not one per doubling.
    list->reserve(list->size() + reader.ChildCount());
    reader.EachChild(L"Action", [&] {
        CActionTypeFactory* actions = CActionTypeFactory::GetInstance();
        list->push_back(std::unique_ptr<CActionConfig>(
            actions ? actions->CreateAction(ecfg::XmlSource(reader)) : nullptr));
    });
}

CRuleConfig::~CRuleConfig() {
    m_vecFalseActionList.clear();
    m_vecTrueActionList.clear();
    delete m_pOperation;
}
