#include "eventconfig/operations/OperationTypeConfig.h"

#include <cwctype>

#include "reading/Reading.h"

COperationTypeConfig::COperationTypeConfig() : m_eOperationType(OPT_TYPE_BASE) {}

COperationTypeConfig::COperationTypeConfig(const std::wstring& subDoc)
    : COperationTypeConfig(ecfg::XmlSource(subDoc)) {}

COperationTypeConfig::COperationTypeConfig(const ecfg::XmlSource& source) : COperationTypeConfig() {
    ecfg::ReadFirstElement(source, [this](const ecfg::XmlReader& element) {
        m_eOperationType = static_cast<Operation_Type_Enum>(element.AttrDec(L"Type"));
        m_strOperationInfo = element.Attr(L"Info");
    });
}

COperationTypeConfig::~COperationTypeConfig() {}

COperationTypeConfig* COperationTypeConfig::Clone(std::wstring subDoc) {
    return new COperationTypeConfig(subDoc);
}

int COperationTypeConfig::ConvertToIntNum(std::wstring text, int& value) {
    int base = 16;
    if (text.find(L"0x") == std::wstring::npos) {
        if (text.empty() || !std::iswdigit(static_cast<wint_t>(text[0]))) return 0;
        base = 10;
    }
    value = ecfg::WcsToL32(text.c_str(), nullptr, base);
    return 1;
}

void COperationTypeConfig::CovertToLower(std::wstring& text) {
    ecfg::ToLower(text);
}
