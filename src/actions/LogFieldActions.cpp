#include "eventconfig/actions/LogFieldActions.h"

#include <memory>
#include <utility>

#include "actions/LocatorMapShapes.h"

// ---- Log field updated from located message fields --------------------------------

CActLogFieldLocatorMapConfig::CActLogFieldLocatorMapConfig(Action_Type_Enum type) {
    SetActionType(type);
}

CActLogFieldLocatorMapConfig::CActLogFieldLocatorMapConfig(const ecfg::XmlSource& source,
                                                           Action_Type_Enum type, FieldRead read)
    : CActionConfig(source) {
    SetActionType(type);
    ecfg::InsideElement reader(source);
    reader.Find(L"LogField");
    m_nToUpdateFieldID = reader.AttrHex(L"ID");
    reader.Find(L"Msg");
    m_nReverseFind = reader.AttrDec(L"ReverseFind");
    if (read == FieldRead::EveryWithEventInfo) {
        ecfg::FileEveryField(reader, ecfg::TagForm::ReverseWithEventInfo, ecfg::Lower::Name,
                             m_mapMsgFieldConfig);
        return;
    }
    reader.Into();
    reader.Find(L"Field");
    ecfg::FileField(reader, ecfg::TagForm::Reverse, ecfg::Lower::NameAndTags, m_mapMsgFieldConfig);
    reader.Out();
}

CAct_UpdateLogFieldConfig::CAct_UpdateLogFieldConfig()
    : CActLogFieldLocatorMapConfig(ACT_TYPE_UPDATE_LOG_FIELD) {}
CAct_UpdateLogFieldConfig::CAct_UpdateLogFieldConfig(const ecfg::XmlSource& source)
    : CActLogFieldLocatorMapConfig(source, ACT_TYPE_UPDATE_LOG_FIELD,
                                   FieldRead::EveryWithEventInfo) {}
ECFG_ACTION_TEXT_AND_CLONE(CAct_UpdateLogFieldConfig, std::wstring);

CAct_UpdateLogField_ForEventInfo_Config::CAct_UpdateLogField_ForEventInfo_Config()
    : CActLogFieldLocatorMapConfig(ACT_TYPE_UPDATE_LOG_FIELD_FOR_EVENT_INFO) {}
CAct_UpdateLogField_ForEventInfo_Config::CAct_UpdateLogField_ForEventInfo_Config(
    const ecfg::XmlSource& source)
    : CActLogFieldLocatorMapConfig(source, ACT_TYPE_UPDATE_LOG_FIELD_FOR_EVENT_INFO,
                                   FieldRead::EveryWithEventInfo) {}
ECFG_ACTION_TEXT_AND_CLONE(CAct_UpdateLogField_ForEventInfo_Config, std::wstring);

CAct_DelValueOfLogFieldConfig::CAct_DelValueOfLogFieldConfig()
    : CActLogFieldLocatorMapConfig(ACT_TYPE_DEL_VALUE_OF_LOG_FIELD) {}
CAct_DelValueOfLogFieldConfig::CAct_DelValueOfLogFieldConfig(const ecfg::XmlSource& source)
    : CActLogFieldLocatorMapConfig(source, ACT_TYPE_DEL_VALUE_OF_LOG_FIELD, FieldRead::OneLowered) {
}
ECFG_ACTION_TEXT_AND_CLONE(CAct_DelValueOfLogFieldConfig, std::wstring);

// ---- Log field from a rule's initial field ------------------------------------------

CActUpdateLogFieldByRuleInit::CActUpdateLogFieldByRuleInit() {
    SetActionType(ACT_TYPE_UPDATE_LOG_FIELD_BY_RULE_INIT);
}

CActUpdateLogFieldByRuleInit::CActUpdateLogFieldByRuleInit(const ecfg::XmlSource& source)
    : CActionConfig(source) {
    ecfg::InsideElement reader(source);
    reader.Find(L"LogField");
    m_nFieldID = reader.AttrHex(L"ID");
    reader.Find(L"RuleInitial");
    m_strFieldName = ecfg::Lowered(reader.Attr(L"FieldName"));
}

ECFG_ACTION_TEXT_AND_CLONE(CActUpdateLogFieldByRuleInit, std::wstring);

// ---- Log field B from log field A ---------------------------------------------------

CActLogFieldPairConfig::CActLogFieldPairConfig(Action_Type_Enum type) {
    SetActionType(type);
}

CActLogFieldPairConfig::CActLogFieldPairConfig(const ecfg::XmlSource& source)
    : CActionConfig(source) {
    ecfg::XmlReader reader(source);
    reader.Find();
    // "LogFieldDes" is searched after "LogFieldSrc" only when that was found.
    if (reader.FindChild(L"LogFieldSrc")) m_nSrcFieldID = reader.ChildDataHex();
    if (reader.FindChild(L"LogFieldDes")) m_nDesFieldID = reader.ChildDataHex();
}

CAct_UpdateLogField_B_From_A_Config::CAct_UpdateLogField_B_From_A_Config()
    : CActLogFieldPairConfig(ACT_TYPE_UPDATE_LOG_FIELD_B_FROM_A) {}
CAct_UpdateLogField_B_From_A_Config::CAct_UpdateLogField_B_From_A_Config(
    const ecfg::XmlSource& source)
    : CActLogFieldPairConfig(source) {}
ECFG_ACTION_TEXT_AND_CLONE(CAct_UpdateLogField_B_From_A_Config, std::wstring);

CAct_DelLogFieldValue_B_By_A_Config::CAct_DelLogFieldValue_B_By_A_Config()
    : CActLogFieldPairConfig(ACT_TYPE_DEL_LOG_FIELD_VALUE_B_BY_A) {}
CAct_DelLogFieldValue_B_By_A_Config::CAct_DelLogFieldValue_B_By_A_Config(
    const ecfg::XmlSource& source)
    : CActLogFieldPairConfig(source) {}
ECFG_ACTION_TEXT_AND_CLONE(CAct_DelLogFieldValue_B_By_A_Config, std::wstring);

// ---- One log field id ---------------------------------------------------------------

CActLogFieldIDConfig::CActLogFieldIDConfig(Action_Type_Enum type) {
    SetActionType(type);
}

CActLogFieldIDConfig::CActLogFieldIDConfig(const ecfg::XmlSource& source) : CActionConfig(source) {
    ecfg::InsideElement reader(source);
    reader.Find(L"FieldID");
    m_nFieldID = reader.DataHex();
}

CActInitLogCodeFieldConfig::CActInitLogCodeFieldConfig()
    : CActLogFieldIDConfig(ACT_TYPE_INIT_LOG_CODE_FIELD) {}
CActInitLogCodeFieldConfig::CActInitLogCodeFieldConfig(const ecfg::XmlSource& source)
    : CActLogFieldIDConfig(source) {}
ECFG_ACTION_TEXT_AND_CLONE(CActInitLogCodeFieldConfig, std::wstring);

CActDelInitialLogFieldConfig::CActDelInitialLogFieldConfig()
    : CActLogFieldIDConfig(ACT_TYPE_DEL_INITIAL_LOG_FIELD) {}
CActDelInitialLogFieldConfig::CActDelInitialLogFieldConfig(const ecfg::XmlSource& source)
    : CActLogFieldIDConfig(source) {}
ECFG_ACTION_TEXT_AND_CLONE(CActDelInitialLogFieldConfig, std::wstring);

// ---- Message fields saved under a name ----------------------------------------------

CActInitMsgFieldConfig::CActInitMsgFieldConfig() {
    SetActionType(ACT_TYPE_INIT_MSG_FIELD);
}

CActInitMsgFieldConfig::CActInitMsgFieldConfig(const ecfg::XmlSource& source)
    : CActionConfig(source) {
    ecfg::InsideElement reader(source);
    reader.Find(L"Msg");
    const ecfg::FixedLocator locator = ecfg::ReadFixedLocator(reader);
    m_strToSaveFieldName = locator.name;
    m_nLength = locator.length;
    m_nOffset = locator.offset;
    ecfg::ReadChildNumbers(reader, ecfg::kHex, ecfg::EmptyText::AsZero, m_vecMsgIDList);
}

ECFG_ACTION_TEXT_AND_CLONE(CActInitMsgFieldConfig, std::wstring);

int CActInitMsgFieldConfig::InMsgIDList(int id) {
    return ecfg::InList(m_vecMsgIDList, id);
}

CActSaveSumOfMsgFieldsConfig::CActSaveSumOfMsgFieldsConfig() {
    SetActionType(ACT_TYPE_SAVE_SUM_OF_MSG_FIELDS);
}

CActSaveSumOfMsgFieldsConfig::CActSaveSumOfMsgFieldsConfig(const ecfg::XmlSource& source)
    : CActionConfig(source) {
    ecfg::InsideElement reader(source);
    reader.Find(L"Msg");
    m_nMsgID = reader.AttrHex(L"ID");
    reader.EachChild(nullptr, [&] {
        const ecfg::FixedLocator locator = ecfg::ReadFixedLocator(reader);
        m_vecAddFieldList.push_back(std::unique_ptr<MsgFieldConfig>(
            new MsgFieldConfig{locator.name, locator.length, locator.offset}));
    });
}

ECFG_ACTION_TEXT_AND_CLONE(CActSaveSumOfMsgFieldsConfig, const std::wstring&);
