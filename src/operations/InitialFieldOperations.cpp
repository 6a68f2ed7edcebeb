#include "eventconfig/operations/InitialFieldOperations.h"

#include "model/Reading.h"
#include "operations/OperationShapes.h"

using ecfg::InsideOperation;

namespace ecfg {

// ---- 13, 14, 17 -----------------------------------------------------------------

// The kinds of this shape ignore the element's "Type" and "Info".
InitialFieldShape::InitialFieldShape(Operation_Type_Enum id) {
    SetOperationType(id);
}

InitialFieldShape::InitialFieldShape(const std::wstring& subDoc, Operation_Type_Enum id)
    : InitialFieldShape(id) {
    InsideOperation reader(subDoc);
    Unpack(ReadLocatedIDs(reader, L"InitialMsg", m_vecInitialMsgID), m_strInitialKeywordName,
           m_nInitialLength, m_nInitialOffset);
    Unpack(ReadLocatedIDs(reader, L"ReceiveMsg", m_vecReceiveMsgList), m_strKeywordName, m_nLength,
           m_nOffset);
}

int InitialFieldShape::InReceiveMsgList(int msgID) {
    return InList(m_vecReceiveMsgList, msgID);
}

}  // namespace ecfg

ECFG_OPERATION_SHAPE_KIND(COptInitialFieldUnEqualConfig, InitialFieldShape,
                          OPT_TYPE_INITIAL_FIELD_UNEQUAL,
                          InitialFieldShape(subDoc, OPT_TYPE_INITIAL_FIELD_UNEQUAL))
ECFG_OPERATION_SHAPE_KIND(COptInitialFieldEqualConfig, InitialFieldShape,
                          OPT_TYPE_INITIAL_FIELD_EQUAL,
                          InitialFieldShape(subDoc, OPT_TYPE_INITIAL_FIELD_EQUAL))
ECFG_OPERATION_SHAPE_KIND(COptInitFieldEqualWithOneRecvValue, InitialFieldShape,
                          OPT_TYPE_INIT_FIELD_EQUAL_WITH_ONE_RECV_VALUE,
                          InitialFieldShape(subDoc, OPT_TYPE_INIT_FIELD_EQUAL_WITH_ONE_RECV_VALUE))

// ---- 15 -------------------------------------------------------------------------

ECFG_OPERATION_PROTOTYPE(COptInitFieldGreatOrEqual, OPT_TYPE_INIT_FIELD_GREAT_OR_EQUAL)

// As 13, 14 and 17, keeping only the initial field's name.
COptInitFieldGreatOrEqual::COptInitFieldGreatOrEqual(const std::wstring& subDoc)
    : COptInitFieldGreatOrEqual() {
    InsideOperation reader(subDoc);
    m_strInitialKeywordName = ecfg::ReadLocatedIDs(reader, L"InitialMsg", m_vecInitialMsgID).name;
    ecfg::Unpack(ecfg::ReadLocatedIDs(reader, L"ReceiveMsg", m_vecReceiveMsgList), m_strKeywordName,
                 m_nLength, m_nOffset);
}

int COptInitFieldGreatOrEqual::InReceiveMsgList(int msgID) {
    return ecfg::InList(m_vecReceiveMsgList, msgID);
}

int COptInitFieldGreatOrEqual::InInitialMsgList(int msgID) {
    return ecfg::InList(m_vecInitialMsgID, msgID);
}

// ---- 16 -------------------------------------------------------------------------

ECFG_OPERATION_PROTOTYPE(COptInitFieldBellowSumOfFields, OPT_TYPE_INIT_FIELD_BELLOW_SUM_OF_FIELDS)

// "InitialMsg" "ID" with one summed field name per child (empty names kept),
// then "ReceiveMsg" as in the other initial-field kinds.
COptInitFieldBellowSumOfFields::COptInitFieldBellowSumOfFields(const std::wstring& subDoc)
    : COperationTypeConfig(subDoc) {
    SetOperationType(OPT_TYPE_INIT_FIELD_BELLOW_SUM_OF_FIELDS);
    InsideOperation reader(subDoc);
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

ECFG_OPERATION_PROTOTYPE(COptInitLogFieldBelongFieldConfig, OPT_TYPE_INIT_LOG_FIELD_BELONG_FIELD)

COptInitLogFieldBelongFieldConfig::COptInitLogFieldBelongFieldConfig(std::wstring subDoc)
    : COperationTypeConfig(subDoc) {
    InsideOperation reader(subDoc);
    reader.Find(L"InitialField");
    m_nInitFieldID = reader.AttrHex(L"ID");
    reader.Find(L"Field");
    m_nFieldID = reader.AttrHex(L"ID");
}
