#include "eventconfig/actions/RuleRecordActions.h"

#include <utility>

#include "actions/LocatorMapShapes.h"

CActRuleFieldRecordConfig::CActRuleFieldRecordConfig(Action_Type_Enum type) {
    SetActionType(type);
}

CActRuleFieldRecordConfig::CActRuleFieldRecordConfig(const std::wstring& subDoc,
                                                     Action_Type_Enum type)
    : CActionConfig(subDoc) {
    SetActionType(type);
}

void CActRuleFieldRecordConfig::ReadRule(ecfg::XmlReader& reader, TagSearch search) {
    reader.Find(L"Rule");
    GenRuleIDList(reader.Attr(L"ID"), m_vecRuleIDList);
    const ecfg::TagForm form =
        search == TagSearch::Forward ? ecfg::TagForm::Forward : ecfg::TagForm::Reverse;
    ecfg::FileEveryField(reader, form, ecfg::Lower::NameAndTags, m_mapMsgFieldConfig);
}

void CActRuleFieldRecordConfig::GenRuleIDList(std::wstring text, std::vector<int>& ruleIDs) {
    ecfg::GenRuleIDList(text, ruleIDs);
}

CActRecordInfoForRule::CActRecordInfoForRule()
    : CActRuleFieldRecordConfig(ACT_TYPE_RECORD_INFO_FOR_RULE) {}

CActRecordInfoForRule::CActRecordInfoForRule(std::wstring subDoc)
    : CActRuleFieldRecordConfig(subDoc, ACT_TYPE_RECORD_INFO_FOR_RULE) {
    ecfg::ActionReader reader(subDoc);
    ReadRule(reader, TagSearch::Forward);
}

ECFG_DEFINE_ACTION_CLONE(CActRecordInfoForRule)

CActRecordInfoForRule_ReverseFind::CActRecordInfoForRule_ReverseFind()
    : CActRuleFieldRecordConfig(ACT_TYPE_RECORD_INFO_FOR_RULE_REVERSE_FIND) {}

CActRecordInfoForRule_ReverseFind::CActRecordInfoForRule_ReverseFind(std::wstring subDoc)
    : CActRuleFieldRecordConfig(subDoc, ACT_TYPE_RECORD_INFO_FOR_RULE_REVERSE_FIND) {
    ecfg::ActionReader reader(subDoc);
    reader.Find(L"EventState");
    m_nEventStateID = reader.AttrDec(L"ID");
    reader.Into();
    ReadRule(reader, TagSearch::Reverse);
}

ECFG_DEFINE_ACTION_CLONE(CActRecordInfoForRule_ReverseFind)
