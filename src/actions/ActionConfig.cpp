#include "eventconfig/actions/ActionConfig.h"

#include "reading/Reading.h"

CActionConfig::CActionConfig() : m_eActionType(ACT_TYPE_BASE) {}

CActionConfig::CActionConfig(const std::wstring& subDoc) : CActionConfig(ecfg::XmlSource(subDoc)) {}

CActionConfig::CActionConfig(const ecfg::XmlSource& source) : CActionConfig() {
    // Only a well-formed sub-document is read; otherwise the base keeps its
    // default state and kinds with an id of their own still set it.
    ecfg::ReadFirstElement(source, [this](const ecfg::XmlReader& element) {
        if (!element.IsWellFormed()) return;
        m_eActionType = static_cast<Action_Type_Enum>(element.AttrDec(L"Type"));
        m_strActionInfo = element.Attr(L"Info");
    });
}

CActionConfig::~CActionConfig() {}

CActionConfig* CActionConfig::Clone(std::wstring subDoc) {
    return new CActionConfig(subDoc);
}

void CActionConfig::CovertToLower(std::wstring& text) {
    ecfg::ToLower(text);
}
