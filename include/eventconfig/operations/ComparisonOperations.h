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

protected:
    explicit LogInitMsgFieldShape(Operation_Type_Enum id);
    LogInitMsgFieldShape(const ecfg::XmlSource& source, Operation_Type_Enum id);

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

protected:
    explicit LogInitMultiMsgFieldShape(Operation_Type_Enum id);
    LogInitMultiMsgFieldShape(const ecfg::XmlSource& source, Operation_Type_Enum id);

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

protected:
    explicit MsgFieldRuleInitShape(Operation_Type_Enum id);
    MsgFieldRuleInitShape(const ecfg::XmlSource& source, Operation_Type_Enum id);

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

protected:
    explicit LogFieldRecordedShape(Operation_Type_Enum id);
    LogFieldRecordedShape(const ecfg::XmlSource& source, Operation_Type_Enum id);

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
public:
    COptLogInitFieldEqualWithMsgField();
    explicit COptLogInitFieldEqualWithMsgField(std::wstring subDoc);
    explicit COptLogInitFieldEqualWithMsgField(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
    COptLogInitFieldEqualWithMsgField(const COptLogInitFieldEqualWithMsgField& other) = default;
    COptLogInitFieldEqualWithMsgField& operator=(const COptLogInitFieldEqualWithMsgField& other) =
        default;
    ~COptLogInitFieldEqualWithMsgField() override;
};

class EVENTCONFIG_API COptLogInitFieldUnEqualMsgFieldConfig : public ecfg::LogInitMsgFieldShape {
public:
    COptLogInitFieldUnEqualMsgFieldConfig();
    explicit COptLogInitFieldUnEqualMsgFieldConfig(std::wstring subDoc);
    explicit COptLogInitFieldUnEqualMsgFieldConfig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
    COptLogInitFieldUnEqualMsgFieldConfig(const COptLogInitFieldUnEqualMsgFieldConfig& other) =
        default;
    COptLogInitFieldUnEqualMsgFieldConfig& operator=(
        const COptLogInitFieldUnEqualMsgFieldConfig& other) = default;
    ~COptLogInitFieldUnEqualMsgFieldConfig() override;
};

class EVENTCONFIG_API COptLogInitFieldEqualMultiMsgFieldConfig
    : public ecfg::LogInitMultiMsgFieldShape {
public:
    COptLogInitFieldEqualMultiMsgFieldConfig();
    explicit COptLogInitFieldEqualMultiMsgFieldConfig(std::wstring subDoc);
    explicit COptLogInitFieldEqualMultiMsgFieldConfig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
    COptLogInitFieldEqualMultiMsgFieldConfig(
        const COptLogInitFieldEqualMultiMsgFieldConfig& other) = default;
    COptLogInitFieldEqualMultiMsgFieldConfig& operator=(
        const COptLogInitFieldEqualMultiMsgFieldConfig& other) = default;
    ~COptLogInitFieldEqualMultiMsgFieldConfig() override;
};

class EVENTCONFIG_API COptLogInitFieldUnEqualMultiMsgFieldConfig
    : public ecfg::LogInitMultiMsgFieldShape {
public:
    COptLogInitFieldUnEqualMultiMsgFieldConfig();
    explicit COptLogInitFieldUnEqualMultiMsgFieldConfig(std::wstring subDoc);
    explicit COptLogInitFieldUnEqualMultiMsgFieldConfig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
    COptLogInitFieldUnEqualMultiMsgFieldConfig(
        const COptLogInitFieldUnEqualMultiMsgFieldConfig& other) = default;
    COptLogInitFieldUnEqualMultiMsgFieldConfig& operator=(
        const COptLogInitFieldUnEqualMultiMsgFieldConfig& other) = default;
    ~COptLogInitFieldUnEqualMultiMsgFieldConfig() override;
};

class EVENTCONFIG_API COptMsgFieldUnEqualRuleInitConfig : public ecfg::MsgFieldRuleInitShape {
public:
    COptMsgFieldUnEqualRuleInitConfig();
    explicit COptMsgFieldUnEqualRuleInitConfig(std::wstring subDoc);
    explicit COptMsgFieldUnEqualRuleInitConfig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
    COptMsgFieldUnEqualRuleInitConfig(const COptMsgFieldUnEqualRuleInitConfig& other) = default;
    COptMsgFieldUnEqualRuleInitConfig& operator=(const COptMsgFieldUnEqualRuleInitConfig& other) =
        default;
    ~COptMsgFieldUnEqualRuleInitConfig() override;
};

class EVENTCONFIG_API COptMsgFieldEqualRuleInitConfig : public ecfg::MsgFieldRuleInitShape {
public:
    COptMsgFieldEqualRuleInitConfig();
    explicit COptMsgFieldEqualRuleInitConfig(std::wstring subDoc);
    explicit COptMsgFieldEqualRuleInitConfig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
    COptMsgFieldEqualRuleInitConfig(const COptMsgFieldEqualRuleInitConfig& other) = default;
    COptMsgFieldEqualRuleInitConfig& operator=(const COptMsgFieldEqualRuleInitConfig& other) =
        default;
    ~COptMsgFieldEqualRuleInitConfig() override;
};

// Kind 33: "InitialField" "ID", then the "Msg" of kinds 31 and 32.
class EVENTCONFIG_API COptMsgFieldUnEqualLogFieldInitConfig : public COperationTypeConfig {
public:
    COptMsgFieldUnEqualLogFieldInitConfig();
    explicit COptMsgFieldUnEqualLogFieldInitConfig(std::wstring subDoc);
    explicit COptMsgFieldUnEqualLogFieldInitConfig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
    COptMsgFieldUnEqualLogFieldInitConfig(const COptMsgFieldUnEqualLogFieldInitConfig& other) =
        default;
    COptMsgFieldUnEqualLogFieldInitConfig& operator=(
        const COptMsgFieldUnEqualLogFieldInitConfig& other) = default;
    ~COptMsgFieldUnEqualLogFieldInitConfig() override;

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
public:
    COptMsgFieldEqualLogFieldInitConfig();
    explicit COptMsgFieldEqualLogFieldInitConfig(std::wstring subDoc);
    explicit COptMsgFieldEqualLogFieldInitConfig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
    COptMsgFieldEqualLogFieldInitConfig(const COptMsgFieldEqualLogFieldInitConfig& other) = default;
    COptMsgFieldEqualLogFieldInitConfig& operator=(
        const COptMsgFieldEqualLogFieldInitConfig& other) = default;
    ~COptMsgFieldEqualLogFieldInitConfig() override;

    int GetInitialFieldID() { return m_nInitialFieldID; }

private:
    int m_nInitialFieldID = 0;
};

class EVENTCONFIG_API COptLogFieldEqualRecordedConfig : public ecfg::LogFieldRecordedShape {
public:
    COptLogFieldEqualRecordedConfig();
    explicit COptLogFieldEqualRecordedConfig(std::wstring subDoc);
    explicit COptLogFieldEqualRecordedConfig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
    COptLogFieldEqualRecordedConfig(const COptLogFieldEqualRecordedConfig& other) = default;
    COptLogFieldEqualRecordedConfig& operator=(const COptLogFieldEqualRecordedConfig& other) =
        default;
    ~COptLogFieldEqualRecordedConfig() override;
};

class EVENTCONFIG_API COptLogFieldUnEqualRecordedConfig : public ecfg::LogFieldRecordedShape {
public:
    COptLogFieldUnEqualRecordedConfig();
    explicit COptLogFieldUnEqualRecordedConfig(std::wstring subDoc);
    explicit COptLogFieldUnEqualRecordedConfig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
    COptLogFieldUnEqualRecordedConfig(const COptLogFieldUnEqualRecordedConfig& other) = default;
    COptLogFieldUnEqualRecordedConfig& operator=(const COptLogFieldUnEqualRecordedConfig& other) =
        default;
    ~COptLogFieldUnEqualRecordedConfig() override;
};
