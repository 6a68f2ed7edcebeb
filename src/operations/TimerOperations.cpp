#include "eventconfig/operations/TimerOperations.h"

#include "operations/OperationShapes.h"
#include "reading/Reading.h"

using ecfg::EmptyText;
using ecfg::InsideElement;
using ecfg::OnOperation;

// ---- 1 --------------------------------------------------------------------------

COptStartTimerConfig::COptStartTimerConfig() {
    SetOperationType(OPT_TYPE_START_TIMER);
}

ECFG_OPERATION_TEXT_AND_CLONE(COptStartTimerConfig, std::wstring);

COptStartTimerConfig::COptStartTimerConfig(const ecfg::XmlSource& source)
    : COperationTypeConfig(source) {
    OnOperation reader(source);
    reader.FindChild();
    m_nTimeLimited = reader.ChildDataDec();
}

// ---- 2 --------------------------------------------------------------------------

COptStartTimerAndWaitMsgConfig::COptStartTimerAndWaitMsgConfig() {
    SetOperationType(OPT_TYPE_START_TIMER_AND_WAIT_MSG);
}

ECFG_OPERATION_TEXT_AND_CLONE(COptStartTimerAndWaitMsgConfig, std::wstring);

COptStartTimerAndWaitMsgConfig::COptStartTimerAndWaitMsgConfig(const ecfg::XmlSource& source)
    : COperationTypeConfig(source) {
    OnOperation reader(source);
    reader.FindChild();
    m_nTime = reader.ChildDataDec();
    reader.FindChild();
    m_nMsgID = reader.ChildDataHex();
}

// ---- 3 --------------------------------------------------------------------------

COptStartCounterAndWaitMsgConfig::COptStartCounterAndWaitMsgConfig() {
    SetOperationType(OPT_TYPE_START_COUNTER_AND_WAIT_MSG);
}

ECFG_OPERATION_TEXT_AND_CLONE(COptStartCounterAndWaitMsgConfig, std::wstring);

COptStartCounterAndWaitMsgConfig::COptStartCounterAndWaitMsgConfig(const ecfg::XmlSource& source)
    : COperationTypeConfig(source) {
    InsideElement reader(source);
    reader.Find(L"Count");
    m_nCount = reader.DataDec();
    reader.Find(L"MsgList");
    ecfg::ReadChildNumbers(reader, ecfg::kHex, EmptyText::AsZero, m_vecMsgList);
}

int COptStartCounterAndWaitMsgConfig::InMsgList(int msgID) {
    return ecfg::InList(m_vecMsgList, msgID);
}

// ---- 4 --------------------------------------------------------------------------

COptWaitMsgConfig::COptWaitMsgConfig() {
    SetOperationType(OPT_TYPE_WAIT_MSG);
}

ECFG_OPERATION_TEXT_AND_CLONE(COptWaitMsgConfig, std::wstring);

COptWaitMsgConfig::COptWaitMsgConfig(const ecfg::XmlSource& source) : COperationTypeConfig(source) {
    OnOperation reader(source);
    ecfg::ReadChildNumbers(reader, ecfg::kHex, EmptyText::AsZero, m_vecMsgList);
}

int COptWaitMsgConfig::InMsgList(int msgID) {
    return ecfg::InList(m_vecMsgList, msgID);
}

// ---- 5 --------------------------------------------------------------------------

COptWaitLogConfig::COptWaitLogConfig() {
    SetOperationType(OPT_TYPE_WAIT_LOG);
}

ECFG_OPERATION_TEXT_AND_CLONE(COptWaitLogConfig, std::wstring);

COptWaitLogConfig::COptWaitLogConfig(const ecfg::XmlSource& source) : COperationTypeConfig(source) {
    OnOperation reader(source);
    reader.FindChild(L"FieldID");
    m_nLogCodeFieldID = reader.ChildDataHex();
}

// ---- 19 -------------------------------------------------------------------------

COptWaitLog_FieldEqualConfig::COptWaitLog_FieldEqualConfig() {
    SetOperationType(OPT_TYPE_WAIT_LOG_FIELD_EQUAL);
}

ECFG_OPERATION_TEXT_AND_CLONE(COptWaitLog_FieldEqualConfig, std::wstring);

COptWaitLog_FieldEqualConfig::COptWaitLog_FieldEqualConfig(const ecfg::XmlSource& source)
    : COperationTypeConfig(source) {
    InsideElement reader(source);
    reader.Find(L"Field");
    m_nFieldID = reader.AttrHex(L"ID");
    ecfg::ReadChildTexts(reader, false, m_vecValueList);
}

// ---- 23 -------------------------------------------------------------------------

COptWaitEventConfig::COptWaitEventConfig() {
    SetOperationType(OPT_TYPE_WAIT_EVENT);
}

ECFG_OPERATION_TEXT_AND_CLONE(COptWaitEventConfig, std::wstring);

COptWaitEventConfig::COptWaitEventConfig(const ecfg::XmlSource& source)
    : COperationTypeConfig(source) {
    OnOperation reader(source);
    ecfg::ReadChildNumbers(reader, ecfg::kDec, EmptyText::AsZero, m_vecEventIDList);
}

// ---- 42 -------------------------------------------------------------------------

COptStartTimer_By_MsgField_Config::COptStartTimer_By_MsgField_Config() {
    SetOperationType(OPT_TYPE_START_TIMER_BY_MSG_FIELD);
}

ECFG_OPERATION_TEXT_AND_CLONE(COptStartTimer_By_MsgField_Config, std::wstring);

// 1st child: '/'-separated message ids; 2nd child: the locator; 3rd child:
// the added time.
COptStartTimer_By_MsgField_Config::COptStartTimer_By_MsgField_Config(const ecfg::XmlSource& source)
    : COperationTypeConfig(source) {
    InsideElement reader(source);
    reader.Find();
    GetMsgIDList(reader.Data(), m_vecMsgIDs);
    reader.Find();
    ecfg::Unpack(ecfg::ReadFixedLocator(reader), m_strFieldName, m_nFieldLength, m_nOffset);
    reader.Find();
    m_nAddedTime = reader.DataDec();
}

int COptStartTimer_By_MsgField_Config::InMsgList(int msgID) {
    return ecfg::InList(m_vecMsgIDs, msgID);
}

void COptStartTimer_By_MsgField_Config::GetMsgIDList(std::wstring text, std::vector<int>& ids) {
    ecfg::GetMsgIDList(text, ids);
}
