#include "eventconfig/actions/RuleRecordActions.h"

#include <utility>

#include "actions/LocatorMapShapes.h"

CActRuleFieldRecordConfig::CActRuleFieldRecordConfig(Action_Type_Enum type) {
    SetActionType(type);
}

CActRuleFieldRecordConfig::CActRuleFieldRecordConfig(const ecfg::XmlSource& source,
                                                     Action_Type_Enum type)
    : CActionConfig(source) {
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

CActRecordInfoForRule::CActRecordInfoForRule(const ecfg::XmlSource& source)
    : CActRuleFieldRecordConfig(source, ACT_TYPE_RECORD_INFO_FOR_RULE) {
    ecfg::InsideElement reader(source);
    ReadRule(reader, TagSearch::Forward);
}

ECFG_ACTION_TEXT_AND_CLONE(CActRecordInfoForRule, std::wstring);

CActRecordInfoForRule_ReverseFind::CActRecordInfoForRule_ReverseFind()
    : CActRuleFieldRecordConfig(ACT_TYPE_RECORD_INFO_FOR_RULE_REVERSE_FIND) {}

CActRecordInfoForRule_ReverseFind::CActRecordInfoForRule_ReverseFind(const ecfg::XmlSource& source)
    : CActRuleFieldRecordConfig(source, ACT_TYPE_RECORD_INFO_FOR_RULE_REVERSE_FIND) {
    ecfg::InsideElement reader(source);
    reader.Find(L"EventState");
    m_nEventStateID = reader.AttrDec(L"ID");
    reader.Into();
    ReadRule(reader, TagSearch::Reverse);
}

ECFG_ACTION_TEXT_AND_CLONE(CActRecordInfoForRule_ReverseFind, std::wstring);
