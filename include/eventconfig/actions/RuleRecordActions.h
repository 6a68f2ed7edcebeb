#pragma once

#include <map>
#include <string>
#include <vector>

#include "eventconfig/Owned.h"
#include "eventconfig/actions/ActionConfig.h"
#include "eventconfig/messages/MsgConfig.h"

namespace ecfg {
class XmlReader;
}

// What the two rule-record kinds share: a "Rule" ("ID": decimal rule ids cut
// at '/') holding tag-form "Field" locators, kept by lower-cased name (tags
// lower-cased too). The fields are owned and copied deeply.
class EVENTCONFIG_API CActRuleFieldRecordConfig : public CActionConfig {
public:
    // Replaces the vector's content with the rule ids.
    void GetRuleIDList(std::vector<int>& ruleIDs) { ruleIDs = m_vecRuleIDList; }
    // The pointers stay owned by the action.
    std::map<std::wstring, CMessageFieldConfig*> GetMsgFieldConfigList() {
        return m_mapMsgFieldConfig.get();
    }

protected:
    enum class TagSearch { Forward, Reverse };
    explicit CActRuleFieldRecordConfig(Action_Type_Enum type);
    CActRuleFieldRecordConfig(const ecfg::XmlSource& source, Action_Type_Enum type);

    // Reads "Rule" at the reader's level and the "Field" elements inside it.
    void ReadRule(ecfg::XmlReader& reader, TagSearch search);
    // Empty text leaves the list as it is; otherwise it is replaced.
    void GenRuleIDList(std::wstring text, std::vector<int>& ruleIDs);

private:
    std::vector<int> m_vecRuleIDList;
    OwnedPtrMap<std::wstring, CMessageFieldConfig> m_mapMsgFieldConfig;
};

// "Rule" with forward tag-form fields ("StartSearchTag", "EndSearchTag").
class EVENTCONFIG_API CActRecordInfoForRule : public CActRuleFieldRecordConfig {
public:
    CActRecordInfoForRule();
    explicit CActRecordInfoForRule(std::wstring subDoc);
    explicit CActRecordInfoForRule(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;
};

// "EventState" ("ID", decimal) holding a "Rule" with reverse tag-form fields
// ("StartReverseSearchTag", "EndReverseSearchTag").
class EVENTCONFIG_API CActRecordInfoForRule_ReverseFind : public CActRuleFieldRecordConfig {
public:
    CActRecordInfoForRule_ReverseFind();
    explicit CActRecordInfoForRule_ReverseFind(std::wstring subDoc);
    explicit CActRecordInfoForRule_ReverseFind(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;

    int GetEventStateID() { return m_nEventStateID; }

private:
    int m_nEventStateID = 0;
};
