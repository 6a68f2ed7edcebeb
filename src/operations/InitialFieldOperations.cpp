#include "eventconfig/operations/InitialFieldOperations.h"

#include "operations/OperationShapes.h"
#include "reading/Reading.h"

using ecfg::InsideElement;

namespace ecfg {

// ---- 13 to 15, 17 ---------------------------------------------------------------

// The kinds of these shapes ignore the element's "Type" and "Info".
InitialMsgFieldShape::InitialMsgFieldShape(Operation_Type_Enum id) {
    SetOperationType(id);
}

InitialMsgFieldShape::InitialMsgFieldShape(const XmlSource& source, Operation_Type_Enum id)
    : InitialMsgFieldShape(id) {
    InsideElement reader(source);
    m_strInitialKeywordName = ReadLocatedIDs(reader, L"InitialMsg", m_vecInitialMsgID).name;
    Unpack(ReadLocatedIDs(reader, L"ReceiveMsg", m_vecReceiveMsgList), m_strKeywordName, m_nLength,
           m_nOffset);
}

int InitialMsgFieldShape::InReceiveMsgList(int msgID) {
    return InList(m_vecReceiveMsgList, msgID);
}

int InitialMsgFieldShape::InInitialMsgList(int msgID) {
    return InList(m_vecInitialMsgID, msgID);
}

InitialFieldShape::InitialFieldShape(Operation_Type_Enum id) : InitialMsgFieldShape(id) {}

// The shared reading, then "InitialMsg" once more for the rest of its locator.
InitialFieldShape::InitialFieldShape(const XmlSource& source, Operation_Type_Enum id)
    : InitialMsgFieldShape(source, id) {
    InsideElement reader(source);
    reader.Find(L"InitialMsg");
    m_nInitialLength = reader.AttrDec(L"Length");
    m_nInitialOffset = reader.AttrDec(L"StartOffset");
}

}  // namespace ecfg

COptInitialFieldUnEqualConfig::COptInitialFieldUnEqualConfig()
    : InitialFieldShape(OPT_TYPE_INITIAL_FIELD_UNEQUAL) {}
COptInitialFieldUnEqualConfig::COptInitialFieldUnEqualConfig(const ecfg::XmlSource& source)
    : InitialFieldShape(source, OPT_TYPE_INITIAL_FIELD_UNEQUAL) {}
ECFG_OPERATION_TEXT_AND_CLONE(COptInitialFieldUnEqualConfig, std::wstring);
COptInitialFieldEqualConfig::COptInitialFieldEqualConfig()
    : InitialFieldShape(OPT_TYPE_INITIAL_FIELD_EQUAL) {}
COptInitialFieldEqualConfig::COptInitialFieldEqualConfig(const ecfg::XmlSource& source)
    : InitialFieldShape(source, OPT_TYPE_INITIAL_FIELD_EQUAL) {}
ECFG_OPERATION_TEXT_AND_CLONE(COptInitialFieldEqualConfig, std::wstring);
COptInitFieldEqualWithOneRecvValue::COptInitFieldEqualWithOneRecvValue()
    : InitialFieldShape(OPT_TYPE_INIT_FIELD_EQUAL_WITH_ONE_RECV_VALUE) {}
COptInitFieldEqualWithOneRecvValue::COptInitFieldEqualWithOneRecvValue(
    const ecfg::XmlSource& source)
    : InitialFieldShape(source, OPT_TYPE_INIT_FIELD_EQUAL_WITH_ONE_RECV_VALUE) {}
ECFG_OPERATION_TEXT_AND_CLONE(COptInitFieldEqualWithOneRecvValue, std::wstring);

// ---- 15 -------------------------------------------------------------------------

COptInitFieldGreatOrEqual::COptInitFieldGreatOrEqual()
    : InitialMsgFieldShape(OPT_TYPE_INIT_FIELD_GREAT_OR_EQUAL) {}

COptInitFieldGreatOrEqual::COptInitFieldGreatOrEqual(const ecfg::XmlSource& source)
    : InitialMsgFieldShape(source, OPT_TYPE_INIT_FIELD_GREAT_OR_EQUAL) {}

ECFG_OPERATION_TEXT_AND_CLONE(COptInitFieldGreatOrEqual, const std::wstring&);

// ---- 16 -------------------------------------------------------------------------

COptInitFieldBellowSumOfFields::COptInitFieldBellowSumOfFields() {
    SetOperationType(OPT_TYPE_INIT_FIELD_BELLOW_SUM_OF_FIELDS);
}

ECFG_OPERATION_TEXT_AND_CLONE(COptInitFieldBellowSumOfFields, const std::wstring&);

// "InitialMsg" "ID" with one summed field name per child (empty names kept),
// then "ReceiveMsg" as in the other initial-field kinds.
COptInitFieldBellowSumOfFields::COptInitFieldBellowSumOfFields(const ecfg::XmlSource& source)
    : COperationTypeConfig(source) {
    SetOperationType(OPT_TYPE_INIT_FIELD_BELLOW_SUM_OF_FIELDS);
    InsideElement reader(source);
    reader.Find(L"InitialMsg");
    m_nInitialMsgID = reader.AttrHex(L"ID");
    reader.EachChild(nullptr, [&] { m_vecSumOfFieldsList.push_back(reader.Attr(L"Name")); });
    ecfg::Unpack(ecfg::ReadLocatedIDs(reader, L"ReceiveMsg", m_vecReceiveMsgList), m_strKeywordName,
                 m_nLength, m_nOffset);
}

int COptInitFieldBellowSumOfFields::IsInReceiveMsgList(int msgID) {
    return ecfg::InList(m_vecReceiveMsgList, msgID);
}

// ---- 44 -------------------------------------------------------------------------

COptInitLogFieldBelongFieldConfig::COptInitLogFieldBelongFieldConfig() {
    SetOperationType(OPT_TYPE_INIT_LOG_FIELD_BELONG_FIELD);
}

ECFG_OPERATION_TEXT_AND_CLONE(COptInitLogFieldBelongFieldConfig, std::wstring);

COptInitLogFieldBelongFieldConfig::COptInitLogFieldBelongFieldConfig(const ecfg::XmlSource& source)
    : COperationTypeConfig(source) {
    InsideElement reader(source);
    reader.Find(L"InitialField");
    m_nInitFieldID = reader.AttrHex(L"ID");
    reader.Find(L"Field");
    m_nFieldID = reader.AttrHex(L"ID");
}
