#include "eventconfig/operations/ComparisonOperations.h"

#include <memory>

#include "operations/MsgFieldShapes.h"
#include "reading/Reading.h"

using ecfg::Header;
using ecfg::InsideElement;

namespace ecfg {

// ---- 18, 20 -------------------------------------------------------------------

LogInitMsgFieldShape::LogInitMsgFieldShape(Operation_Type_Enum id)
    : COperationTypeConfig(OwnHeader(id)) {}

LogInitMsgFieldShape::LogInitMsgFieldShape(const XmlSource& source, Operation_Type_Enum id)
    : LogInitMsgFieldShape(id) {
    InsideElement reader(source);
    m_nFieldID = ReadInitialFieldID(reader);
    reader.Find(L"ReceiveMsg");
    const FixedLocator locator = ReadFixedLocator(reader);
    m_strKeywordName = locator.name;
    m_nLength = locator.length;
    m_nOffset = locator.offset;
    ReadChildNumbers(reader, kHex, EmptyText::AsZero, m_vecReceiveMsgList);
}

int LogInitMsgFieldShape::InReceiveMsgList(int msgID) {
    return InList(m_vecReceiveMsgList, msgID);
}

// ---- 21, 22 -------------------------------------------------------------------

LogInitMultiMsgFieldShape::LogInitMultiMsgFieldShape(Operation_Type_Enum id)
    : COperationTypeConfig(OwnHeader(id)) {}

LogInitMultiMsgFieldShape::LogInitMultiMsgFieldShape(const XmlSource& source,
                                                     Operation_Type_Enum id)
    : LogInitMultiMsgFieldShape(id) {
    InsideElement reader(source);
    m_nFieldID = ReadInitialFieldID(reader);
    reader.Find(L"ReceiveMsg");
    reader.Into();
    reader.Find(L"MsgList");
    reader.EachChild(L"ID", [&] { m_vecReceiveMsgList.push_back(reader.DataHex()); });
    reader.Find(L"MsgFieldList");
    reader.EachChild(nullptr, [&] {
        const FixedLocator locator = ReadFixedLocator(reader);
        m_vecMsgFieldList.push_back(
            std::unique_ptr<MsgField>(new MsgField{locator.name, locator.length, locator.offset}));
    });
}

int LogInitMultiMsgFieldShape::InReceiveMsgList(int msgID) {
    return InList(m_vecReceiveMsgList, msgID);
}

// ---- 31, 32 -------------------------------------------------------------------

MsgFieldRuleInitShape::MsgFieldRuleInitShape(Operation_Type_Enum id)
    : COperationTypeConfig(OwnHeader(id)) {}

MsgFieldRuleInitShape::MsgFieldRuleInitShape(const XmlSource& source, Operation_Type_Enum id)
    : MsgFieldRuleInitShape(id) {
    InsideElement reader(source);
    m_nReverseFind = ReadMsgFieldIntoMap(reader, m_vecMsgIDList, m_mapMsgFieldConfig);
}

int MsgFieldRuleInitShape::InMsgList(int msgID) {
    return InList(m_vecMsgIDList, msgID);
}

CMessageFieldConfig* MsgFieldRuleInitShape::GetMsgFieldConfig(std::wstring fieldName) {
    return m_mapMsgFieldConfig.find(fieldName);
}

// ---- 39, 40 -------------------------------------------------------------------

LogFieldRecordedShape::LogFieldRecordedShape(Operation_Type_Enum id)
    : COperationTypeConfig(OwnHeader(id)) {}

LogFieldRecordedShape::LogFieldRecordedShape(const XmlSource& source, Operation_Type_Enum id)
    : COperationTypeConfig(ReadHeader(source, id, Header::FromElement)) {
    InsideElement reader(source);
    reader.Find(L"Field");
    m_nFieldID = reader.AttrHex(L"ID");
    m_nIsFreq = reader.AttrDec(L"IsFreq");
}

// ---- 34 and the field counts --------------------------------------------------

MsgTagFieldShape::MsgTagFieldShape(const COperationTypeConfig& header)
    : COperationTypeConfig(header) {}

void MsgTagFieldShape::ReadMsgAndField(XmlReader& reader) {
    const TagLocator locator = ReadMsgField(reader, m_vecMsgIDList);
    m_strKeywordName = locator.name;
    m_nOffset = locator.offset;
    m_strStartSearchTag = locator.startTag;
    m_strEndSearchTag = locator.endTag;
}

int MsgTagFieldShape::InMsgList(int msgID) {
    return InList(m_vecMsgIDList, msgID);
}

}  // namespace ecfg

COptLogInitFieldEqualWithMsgField::COptLogInitFieldEqualWithMsgField()
    : LogInitMsgFieldShape(OPT_TYPE_LOG_INIT_FIELD_EQUAL_WITH_MSG_FIELD) {}
COptLogInitFieldEqualWithMsgField::COptLogInitFieldEqualWithMsgField(const ecfg::XmlSource& source)
    : LogInitMsgFieldShape(source, OPT_TYPE_LOG_INIT_FIELD_EQUAL_WITH_MSG_FIELD) {}
COptLogInitFieldEqualWithMsgField::~COptLogInitFieldEqualWithMsgField() {}
ECFG_OPERATION_TEXT_AND_CLONE(COptLogInitFieldEqualWithMsgField, std::wstring);
COptLogInitFieldUnEqualMsgFieldConfig::COptLogInitFieldUnEqualMsgFieldConfig()
    : LogInitMsgFieldShape(OPT_TYPE_LOG_INIT_FIELD_UNEQUAL_MSG_FIELD) {}
COptLogInitFieldUnEqualMsgFieldConfig::COptLogInitFieldUnEqualMsgFieldConfig(
    const ecfg::XmlSource& source)
    : LogInitMsgFieldShape(source, OPT_TYPE_LOG_INIT_FIELD_UNEQUAL_MSG_FIELD) {}
COptLogInitFieldUnEqualMsgFieldConfig::~COptLogInitFieldUnEqualMsgFieldConfig() {}
ECFG_OPERATION_TEXT_AND_CLONE(COptLogInitFieldUnEqualMsgFieldConfig, std::wstring);
COptLogInitFieldEqualMultiMsgFieldConfig::COptLogInitFieldEqualMultiMsgFieldConfig()
    : LogInitMultiMsgFieldShape(OPT_TYPE_LOG_INIT_FIELD_EQUAL_MULTI_MSG_FIELD) {}
COptLogInitFieldEqualMultiMsgFieldConfig::COptLogInitFieldEqualMultiMsgFieldConfig(
    const ecfg::XmlSource& source)
    : LogInitMultiMsgFieldShape(source, OPT_TYPE_LOG_INIT_FIELD_EQUAL_MULTI_MSG_FIELD) {}
COptLogInitFieldEqualMultiMsgFieldConfig::~COptLogInitFieldEqualMultiMsgFieldConfig() {}
ECFG_OPERATION_TEXT_AND_CLONE(COptLogInitFieldEqualMultiMsgFieldConfig, std::wstring);
COptLogInitFieldUnEqualMultiMsgFieldConfig::COptLogInitFieldUnEqualMultiMsgFieldConfig()
    : LogInitMultiMsgFieldShape(OPT_TYPE_LOG_INIT_FIELD_UNEQUAL_MULTI_MSG_FIELD) {}
COptLogInitFieldUnEqualMultiMsgFieldConfig::COptLogInitFieldUnEqualMultiMsgFieldConfig(
    const ecfg::XmlSource& source)
    : LogInitMultiMsgFieldShape(source, OPT_TYPE_LOG_INIT_FIELD_UNEQUAL_MULTI_MSG_FIELD) {}
COptLogInitFieldUnEqualMultiMsgFieldConfig::~COptLogInitFieldUnEqualMultiMsgFieldConfig() {}
ECFG_OPERATION_TEXT_AND_CLONE(COptLogInitFieldUnEqualMultiMsgFieldConfig, std::wstring);
COptMsgFieldUnEqualRuleInitConfig::COptMsgFieldUnEqualRuleInitConfig()
    : MsgFieldRuleInitShape(OPT_TYPE_MSG_FIELD_UNEQUAL_RULE_INIT) {}
COptMsgFieldUnEqualRuleInitConfig::COptMsgFieldUnEqualRuleInitConfig(const ecfg::XmlSource& source)
    : MsgFieldRuleInitShape(source, OPT_TYPE_MSG_FIELD_UNEQUAL_RULE_INIT) {}
COptMsgFieldUnEqualRuleInitConfig::~COptMsgFieldUnEqualRuleInitConfig() {}
ECFG_OPERATION_TEXT_AND_CLONE(COptMsgFieldUnEqualRuleInitConfig, std::wstring);
COptMsgFieldEqualRuleInitConfig::COptMsgFieldEqualRuleInitConfig()
    : MsgFieldRuleInitShape(OPT_TYPE_MSG_FIELD_EQUAL_RULE_INIT) {}
COptMsgFieldEqualRuleInitConfig::COptMsgFieldEqualRuleInitConfig(const ecfg::XmlSource& source)
    : MsgFieldRuleInitShape(source, OPT_TYPE_MSG_FIELD_EQUAL_RULE_INIT) {}
COptMsgFieldEqualRuleInitConfig::~COptMsgFieldEqualRuleInitConfig() {}
ECFG_OPERATION_TEXT_AND_CLONE(COptMsgFieldEqualRuleInitConfig, std::wstring);
COptLogFieldEqualRecordedConfig::COptLogFieldEqualRecordedConfig()
    : LogFieldRecordedShape(OPT_TYPE_LOG_FIELD_EQUAL_RECORDED) {}
COptLogFieldEqualRecordedConfig::COptLogFieldEqualRecordedConfig(const ecfg::XmlSource& source)
    : LogFieldRecordedShape(source, OPT_TYPE_LOG_FIELD_EQUAL_RECORDED) {}
COptLogFieldEqualRecordedConfig::~COptLogFieldEqualRecordedConfig() {}
ECFG_OPERATION_TEXT_AND_CLONE(COptLogFieldEqualRecordedConfig, std::wstring);
COptLogFieldUnEqualRecordedConfig::COptLogFieldUnEqualRecordedConfig()
    : LogFieldRecordedShape(OPT_TYPE_LOG_FIELD_UNEQUAL_RECORDED) {}
COptLogFieldUnEqualRecordedConfig::COptLogFieldUnEqualRecordedConfig(const ecfg::XmlSource& source)
    : LogFieldRecordedShape(source, OPT_TYPE_LOG_FIELD_UNEQUAL_RECORDED) {}
COptLogFieldUnEqualRecordedConfig::~COptLogFieldUnEqualRecordedConfig() {}
ECFG_OPERATION_TEXT_AND_CLONE(COptLogFieldUnEqualRecordedConfig, std::wstring);

// ---- 33 -----------------------------------------------------------------------

COptMsgFieldUnEqualLogFieldInitConfig::COptMsgFieldUnEqualLogFieldInitConfig()
    : COperationTypeConfig(ecfg::OwnHeader(OPT_TYPE_MSG_FIELD_UNEQUAL_LOG_FIELD_INIT)) {}
COptMsgFieldUnEqualLogFieldInitConfig::~COptMsgFieldUnEqualLogFieldInitConfig() {}
ECFG_OPERATION_TEXT_AND_CLONE(COptMsgFieldUnEqualLogFieldInitConfig, std::wstring);

COptMsgFieldUnEqualLogFieldInitConfig::COptMsgFieldUnEqualLogFieldInitConfig(
    const ecfg::XmlSource& source)
    : COptMsgFieldUnEqualLogFieldInitConfig() {
    InsideElement reader(source);
    m_nInitialFieldID = ecfg::ReadInitialFieldID(reader);
    m_nReverseFind = ecfg::ReadMsgFieldIntoMap(reader, m_vecMsgIDList, m_mapMsgFieldConfig);
}

int COptMsgFieldUnEqualLogFieldInitConfig::InMsgList(int msgID) {
    return ecfg::InList(m_vecMsgIDList, msgID);
}

// ---- 34 -----------------------------------------------------------------------

COptMsgFieldEqualLogFieldInitConfig::COptMsgFieldEqualLogFieldInitConfig()
    : MsgTagFieldShape(ecfg::OwnHeader(OPT_TYPE_MSG_FIELD_EQUAL_LOG_FIELD_INIT)) {}
COptMsgFieldEqualLogFieldInitConfig::~COptMsgFieldEqualLogFieldInitConfig() {}
ECFG_OPERATION_TEXT_AND_CLONE(COptMsgFieldEqualLogFieldInitConfig, std::wstring);

COptMsgFieldEqualLogFieldInitConfig::COptMsgFieldEqualLogFieldInitConfig(
    const ecfg::XmlSource& source)
    : COptMsgFieldEqualLogFieldInitConfig() {
    InsideElement reader(source);
    m_nInitialFieldID = ecfg::ReadInitialFieldID(reader);
    ReadMsgAndField(reader);
}
