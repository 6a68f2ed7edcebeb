#pragma once

// Conditions that compare a kept value (a log field's initial value, a rule's
// initial value, a recorded log field) with a message field or with what was
// recorded. Kinds that differ only in class and type id share one shape class.

#include <map>
#include <string>
#include <vector>

#include "eventconfig/Owned.h"
#include "eventconfig/messages/MsgConfig.h"
#include "eventconfig/operations/OperationTypeConfig.h"

namespace ecfg {

class XmlReader;

// What the map kinds hand out: their field locators by lower-cased name.
typedef std::map<std::wstring, CMessageFieldConfig*> MsgFieldConfigMap;

// Kinds 18 and 20: "InitialField" "ID"; "ReceiveMsg" with a fixed locator and
// one child per message id.
class EVENTCONFIG_API LogInitMsgFieldShape : public COperationTypeConfig {
public:
    int InReceiveMsgList(int msgID);
    std::wstring GetKeywordName() const { return m_strKeywordName; }
    int GetLength() const { return m_nLength; }
    int GetOffset() const { return m_nOffset; }
    int GetFieldID() { return m_nFieldID; }

    EVENTCONFIG_OPERATION_SHAPE(LogInitMsgFieldShape)

private:
    std::vector<int> m_vecReceiveMsgList;
    std::wstring m_strKeywordName;
    int m_nLength = 0;
    int m_nOffset = 0;
    int m_nFieldID = 0;
};

// Kinds 21 and 22: "InitialField" "ID"; "ReceiveMsg" holding "MsgList" ("ID"
// children) and "MsgFieldList" (one fixed locator per child). The records are
// owned; copies duplicate them.
class EVENTCONFIG_API LogInitMultiMsgFieldShape : public COperationTypeConfig {
public:
    int InReceiveMsgList(int msgID);
    std::vector<MsgField*> GetMsgFieldList() const { return m_vecMsgFieldList.get(); }
    int GetFieldID() { return m_nFieldID; }

    EVENTCONFIG_OPERATION_SHAPE(LogInitMultiMsgFieldShape)

private:
    std::vector<int> m_vecReceiveMsgList;
    OwnedPtrVector<MsgField> m_vecMsgFieldList;
    int m_nFieldID = 0;
};

// Kinds 31 and 32: "Msg" "ID" (id list) "ReverseFind" holding one "Field"
// (forward tags), filed under its lower-cased name. Copies duplicate it.
class EVENTCONFIG_API MsgFieldRuleInitShape : public COperationTypeConfig {
public:
    int InMsgList(int msgID);
    MsgFieldConfigMap GetMsgFieldConfigList() { return m_mapMsgFieldConfig.get(); }
    // Exactly the name given (keys are lower-cased); null when absent.
    CMessageFieldConfig* GetMsgFieldConfig(std::wstring fieldName);
    int NeededReverseFind() { return m_nReverseFind; }

    EVENTCONFIG_OPERATION_SHAPE(MsgFieldRuleInitShape)

private:
    std::vector<int> m_vecMsgIDList;
    OwnedPtrMap<std::wstring, CMessageFieldConfig> m_mapMsgFieldConfig;
    int m_nReverseFind = 0;
};

// Kinds 39 and 40: "Field" "ID" "IsFreq".
class EVENTCONFIG_API LogFieldRecordedShape : public COperationTypeConfig {
public:
    int GetFieldID() { return m_nFieldID; }
    int IsFreq() { return m_nIsFreq; }

    EVENTCONFIG_OPERATION_SHAPE(LogFieldRecordedShape)

private:
    int m_nFieldID = 0;
    int m_nIsFreq = 0;
};

// Kind 34 and the field counts of kinds 27 to 30, 35 and 38: "Msg" "ID" (id
// list) holding one "Field" with a forward tag locator kept as written.
class EVENTCONFIG_API MsgTagFieldShape : public COperationTypeConfig {
public:
    int InMsgList(int msgID);
    std::wstring GetKeywordName() const { return m_strKeywordName; }
    int GetOffset() const { return m_nOffset; }
    std::wstring GetStartSearchTag() const { return m_strStartSearchTag; }
    std::wstring GetEndSearchTag() const { return m_strEndSearchTag; }

protected:
    explicit MsgTagFieldShape(const COperationTypeConfig& header);

    // Reads the next "Msg" and its "Field", which stays current.
    void ReadMsgAndField(XmlReader& reader);

private:
    std::vector<int> m_vecMsgIDList;
    std::wstring m_strKeywordName;
    int m_nOffset = 0;
    std::wstring m_strStartSearchTag;
    std::wstring m_strEndSearchTag;
};

}  // namespace ecfg

class EVENTCONFIG_API COptLogInitFieldEqualWithMsgField : public ecfg::LogInitMsgFieldShape {
    EVENTCONFIG_OPERATION_KIND(COptLogInitFieldEqualWithMsgField)
};

class EVENTCONFIG_API COptLogInitFieldUnEqualMsgFieldConfig : public ecfg::LogInitMsgFieldShape {
    EVENTCONFIG_OPERATION_KIND(COptLogInitFieldUnEqualMsgFieldConfig)
};

class EVENTCONFIG_API COptLogInitFieldEqualMultiMsgFieldConfig
    : public ecfg::LogInitMultiMsgFieldShape {
    EVENTCONFIG_OPERATION_KIND(COptLogInitFieldEqualMultiMsgFieldConfig)
};

class EVENTCONFIG_API COptLogInitFieldUnEqualMultiMsgFieldConfig
    : public ecfg::LogInitMultiMsgFieldShape {
    EVENTCONFIG_OPERATION_KIND(COptLogInitFieldUnEqualMultiMsgFieldConfig)
};

class EVENTCONFIG_API COptMsgFieldUnEqualRuleInitConfig : public ecfg::MsgFieldRuleInitShape {
    EVENTCONFIG_OPERATION_KIND(COptMsgFieldUnEqualRuleInitConfig)
};

class EVENTCONFIG_API COptMsgFieldEqualRuleInitConfig : public ecfg::MsgFieldRuleInitShape {
    EVENTCONFIG_OPERATION_KIND(COptMsgFieldEqualRuleInitConfig)
};

// Kind 33: "InitialField" "ID", then the "Msg" of kinds 31 and 32.
class EVENTCONFIG_API COptMsgFieldUnEqualLogFieldInitConfig : public COperationTypeConfig {
    EVENTCONFIG_OPERATION_KIND(COptMsgFieldUnEqualLogFieldInitConfig)

    int InMsgList(int msgID);
    ecfg::MsgFieldConfigMap GetMsgFieldConfigList() { return m_mapMsgFieldConfig.get(); }
    int GetInitialFieldID() { return m_nInitialFieldID; }
    int NeededReverseFind() { return m_nReverseFind; }

private:
    std::vector<int> m_vecMsgIDList;
    OwnedPtrMap<std::wstring, CMessageFieldConfig> m_mapMsgFieldConfig;
    int m_nInitialFieldID = 0;
    int m_nReverseFind = 0;
};

// Kind 34: "InitialField" "ID", then the "Msg" of the field counts.
class EVENTCONFIG_API COptMsgFieldEqualLogFieldInitConfig : public ecfg::MsgTagFieldShape {
    EVENTCONFIG_OPERATION_KIND(COptMsgFieldEqualLogFieldInitConfig)

    int GetInitialFieldID() { return m_nInitialFieldID; }

private:
    int m_nInitialFieldID = 0;
};

class EVENTCONFIG_API COptLogFieldEqualRecordedConfig : public ecfg::LogFieldRecordedShape {
    EVENTCONFIG_OPERATION_KIND(COptLogFieldEqualRecordedConfig)
};

class EVENTCONFIG_API COptLogFieldUnEqualRecordedConfig : public ecfg::LogFieldRecordedShape {
    EVENTCONFIG_OPERATION_KIND(COptLogFieldUnEqualRecordedConfig)
};
