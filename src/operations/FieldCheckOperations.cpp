#include "eventconfig/operations/FieldCheckOperations.h"

#include "operations/OperationShapes.h"
#include "reading/Reading.h"

using ecfg::InsideElement;

// ---- The value-list check --------------------------------------------------------

COptCheckFieldConfig::COptCheckFieldConfig() {}

COptCheckFieldConfig::COptCheckFieldConfig(Operation_Type_Enum id) {
    SetOperationType(id);
}

// 1st child: message id (of a '/' list only the first counts); 2nd child: the
// locator, and one value per child.
COptCheckFieldConfig::COptCheckFieldConfig(std::wstring subDoc)
    : COptCheckFieldConfig(ecfg::XmlSource(subDoc)) {}

COptCheckFieldConfig::COptCheckFieldConfig(const ecfg::XmlSource& source)
    : COperationTypeConfig(source) {
    InsideElement reader(source);
    reader.Find();
    m_nMsgID = reader.DataHex();
    reader.Find();
    ecfg::Unpack(ecfg::ReadFixedLocator(reader), m_strFieldName, m_nFieldLength, m_nOffset);
    ecfg::ReadChildTexts(reader, true, m_vecValueList);
}

namespace ecfg {

// ---- 10, 11 ---------------------------------------------------------------------

CheckFieldInMsgListShape::CheckFieldInMsgListShape(Operation_Type_Enum id)
    : COptCheckFieldConfig(id) {}

// The check's own reading, then the 1st child once more as the whole id list.
CheckFieldInMsgListShape::CheckFieldInMsgListShape(const XmlSource& source)
    : COptCheckFieldConfig(source) {
    InsideElement reader(source);
    reader.Find();
    GetMsgIDList(reader.Data(), m_vecMsgList);
}

int CheckFieldInMsgListShape::InMsgList(int msgID) {
    return InList(m_vecMsgList, msgID);
}

void CheckFieldInMsgListShape::GetMsgIDList(std::wstring text, std::vector<int>& ids) {
    ecfg::GetMsgIDList(text, ids);
}

// ---- 8, 9 -----------------------------------------------------------------------

FieldValueShape::FieldValueShape(Operation_Type_Enum id) {
    SetOperationType(id);
}

// 1st child: one message id per child (empty skipped); 2nd child: "Name",
// "Value".
FieldValueShape::FieldValueShape(const XmlSource& source) : COperationTypeConfig(source) {
    InsideElement reader(source);
    reader.Find();
    ReadChildNumbers(reader, kHex, EmptyText::Skip, m_vecMsgList);
    reader.Find();
    m_strFieldName = reader.Attr(L"Name");
    m_nValue = reader.AttrDec(L"Value");
}

int FieldValueShape::InMsgList(int msgID) {
    return InList(m_vecMsgList, msgID);
}

}  // namespace ecfg

COptFieldEqualConfig::COptFieldEqualConfig() : COptCheckFieldConfig(OPT_TYPE_FIELD_EQUAL) {}
COptFieldEqualConfig::COptFieldEqualConfig(const ecfg::XmlSource& source)
    : COptCheckFieldConfig(source) {}
ECFG_OPERATION_TEXT_AND_CLONE(COptFieldEqualConfig, std::wstring);
COptFieldNotEqualConfig::COptFieldNotEqualConfig()
    : COptCheckFieldConfig(OPT_TYPE_FIELD_NOT_EQUAL) {}
COptFieldNotEqualConfig::COptFieldNotEqualConfig(const ecfg::XmlSource& source)
    : COptCheckFieldConfig(source) {}
ECFG_OPERATION_TEXT_AND_CLONE(COptFieldNotEqualConfig, std::wstring);
COptFieldExistConfig::COptFieldExistConfig() : CheckFieldInMsgListShape(OPT_TYPE_FIELD_EXIST) {}
COptFieldExistConfig::COptFieldExistConfig(const ecfg::XmlSource& source)
    : CheckFieldInMsgListShape(source) {}
ECFG_OPERATION_TEXT_AND_CLONE(COptFieldExistConfig, std::wstring);
COptFieldNotExistConfig::COptFieldNotExistConfig()
    : CheckFieldInMsgListShape(OPT_TYPE_FIELD_NOT_EXIST) {}
COptFieldNotExistConfig::COptFieldNotExistConfig(const ecfg::XmlSource& source)
    : CheckFieldInMsgListShape(source) {}
ECFG_OPERATION_TEXT_AND_CLONE(COptFieldNotExistConfig, std::wstring);
COptFieldGreatConfig::COptFieldGreatConfig() : FieldValueShape(OPT_TYPE_FIELD_GREAT) {}
COptFieldGreatConfig::COptFieldGreatConfig(const ecfg::XmlSource& source)
    : FieldValueShape(source) {}
ECFG_OPERATION_TEXT_AND_CLONE(COptFieldGreatConfig, std::wstring);
COptFieldBellowConfig::COptFieldBellowConfig() : FieldValueShape(OPT_TYPE_FIELD_BELLOW) {}
COptFieldBellowConfig::COptFieldBellowConfig(const ecfg::XmlSource& source)
    : FieldValueShape(source) {}
ECFG_OPERATION_TEXT_AND_CLONE(COptFieldBellowConfig, std::wstring);

// ---- 12 -------------------------------------------------------------------------

COptFieldCmpConfig::COptFieldCmpConfig() {
    SetOperationType(OPT_TYPE_FIELD_CMP);
}

ECFG_OPERATION_TEXT_AND_CLONE(COptFieldCmpConfig, std::wstring);

// "Source", then "Destination": each with a "MsgID" child (hex) and a "Field"
// child ("Name").
COptFieldCmpConfig::COptFieldCmpConfig(const ecfg::XmlSource& source)
    : COperationTypeConfig(source) {
    InsideElement reader(source);
    // Entering a missing end gives an empty level: its reads are absent.
    const auto readEnd = [&reader](ecfg::markup::NameRef name, int& msgID,
                                   std::wstring& fieldName) {
        reader.Find(name);
        reader.Into();
        reader.Find(L"MsgID");
        msgID = reader.DataHex();
        reader.Find(L"Field");
        fieldName = reader.Attr(L"Name");
        reader.Out();
    };
    readEnd(L"Source", m_nSrcMsgID, m_strSrcFieldName);
    readEnd(L"Destination", m_nDesMsgID, m_strDesFieldName);
}

// ---- 43 -------------------------------------------------------------------------

COptTwoFieldValuesEqual_Config::COptTwoFieldValuesEqual_Config() {
    SetOperationType(OPT_TYPE_TWO_FIELD_VALUES_EQUAL);
}

ECFG_OPERATION_TEXT_AND_CLONE(COptTwoFieldValuesEqual_Config, std::wstring);

COptTwoFieldValuesEqual_Config::COptTwoFieldValuesEqual_Config(const ecfg::XmlSource& source)
    : COperationTypeConfig(source) {
    ecfg::OnOperation reader(source);
    reader.FindChild(L"SrcField");
    m_nSrcFieldID = reader.ChildDataHex();
    reader.FindChild(L"DesField");
    m_nDesFieldID = reader.ChildDataHex();
}
