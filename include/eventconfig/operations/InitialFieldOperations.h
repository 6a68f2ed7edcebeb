#pragma once

// Conditions that compare a field of an initial message with a field of a
// later received message, and one that relates an initial log field to
// another log field. Kinds that differ only in class and type id share one
// shape class.

#include <string>
#include <vector>

#include "eventconfig/operations/FieldCheckOperations.h"
#include "eventconfig/operations/OperationTypeConfig.h"

namespace ecfg {

// Kinds 13 to 15, 17: "InitialMsg" and "ReceiveMsg", each a fixed-position
// locator with one message id per child, of which the initial field's name is
// kept here. They report their own id and an empty info.
class EVENTCONFIG_API InitialMsgFieldShape : public COperationTypeConfig {
public:
    int InReceiveMsgList(int msgID);
    std::wstring GetKeywordName() const { return m_strKeywordName; }
    int GetLength() const { return m_nLength; }
    int GetOffset() const { return m_nOffset; }
    std::vector<int> GetInitialMsgID() { return m_vecInitialMsgID; }
    std::wstring GetInitialKeywordName() const { return m_strInitialKeywordName; }

protected:
    explicit InitialMsgFieldShape(Operation_Type_Enum id);
    InitialMsgFieldShape(const XmlSource& source, Operation_Type_Enum id);

    int InInitialMsgList(int msgID);

private:
    std::vector<int> m_vecReceiveMsgList;
    std::wstring m_strKeywordName;
    int m_nLength = 0;
    int m_nOffset = 0;
    std::vector<int> m_vecInitialMsgID;
    std::wstring m_strInitialKeywordName;
};

// Kinds 13, 14 and 17: the initial field's length and offset kept too.
class EVENTCONFIG_API InitialFieldShape : public InitialMsgFieldShape {
public:
    int GetInitialLength() const { return m_nInitialLength; }
    int GetInitialOffset() const { return m_nInitialOffset; }

protected:
    explicit InitialFieldShape(Operation_Type_Enum id);
    InitialFieldShape(const XmlSource& source, Operation_Type_Enum id);

private:
    int m_nInitialLength = 0;
    int m_nInitialOffset = 0;
};

}  // namespace ecfg

class EVENTCONFIG_API COptInitialFieldUnEqualConfig : public ecfg::InitialFieldShape {
public:
    COptInitialFieldUnEqualConfig();
    explicit COptInitialFieldUnEqualConfig(std::wstring subDoc);
    explicit COptInitialFieldUnEqualConfig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
};

class EVENTCONFIG_API COptInitialFieldEqualConfig : public ecfg::InitialFieldShape {
public:
    COptInitialFieldEqualConfig();
    explicit COptInitialFieldEqualConfig(std::wstring subDoc);
    explicit COptInitialFieldEqualConfig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
};

class EVENTCONFIG_API COptInitFieldEqualWithOneRecvValue : public ecfg::InitialFieldShape {
public:
    COptInitFieldEqualWithOneRecvValue();
    explicit COptInitFieldEqualWithOneRecvValue(std::wstring subDoc);
    explicit COptInitFieldEqualWithOneRecvValue(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
};

class EVENTCONFIG_API COptInitFieldGreatOrEqual : public ecfg::InitialMsgFieldShape {
public:
    COptInitFieldGreatOrEqual();
    explicit COptInitFieldGreatOrEqual(const std::wstring& subDoc);
    explicit COptInitFieldGreatOrEqual(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
    using InitialMsgFieldShape::InInitialMsgList;
};

// One initial message; the received field is compared with the sum of the
// named fields. Keeps "Info"; the type id is always its own.
class EVENTCONFIG_API COptInitFieldBellowSumOfFields : public COperationTypeConfig {
public:
    COptInitFieldBellowSumOfFields();
    explicit COptInitFieldBellowSumOfFields(const std::wstring& subDoc);
    explicit COptInitFieldBellowSumOfFields(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;

    int GetInitialMsgID() const { return m_nInitialMsgID; }
    std::vector<std::wstring> GetSumOfFieldsList() const { return m_vecSumOfFieldsList; }
    std::vector<int> GetReceiveMsgList() const { return m_vecReceiveMsgList; }
    int IsInReceiveMsgList(int msgID);
    std::wstring GetKeywordName() const { return m_strKeywordName; }
    int GetLength() const { return m_nLength; }
    int GetOffset() const { return m_nOffset; }

private:
    int m_nInitialMsgID = -1;
    std::vector<std::wstring> m_vecSumOfFieldsList;
    std::vector<int> m_vecReceiveMsgList;
    std::wstring m_strKeywordName;
    int m_nLength = 0;
    int m_nOffset = 0;
};

// An initial log field against another log field.
class EVENTCONFIG_API COptInitLogFieldBelongFieldConfig : public COperationTypeConfig {
public:
    COptInitLogFieldBelongFieldConfig();
    explicit COptInitLogFieldBelongFieldConfig(std::wstring subDoc);
    explicit COptInitLogFieldBelongFieldConfig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;

    int GetFieldID() { return m_nFieldID; }
    int GetInitFieldID() { return m_nInitFieldID; }

private:
    int m_nFieldID = 0;
    int m_nInitFieldID = 0;
};
