#pragma once

// Conditions on one field of the message being processed (equal to one of a
// list of values, different from all, present, absent, above or below a
// number), and comparisons of two message fields or two log fields. Kinds that
// differ only in class and type id share one shape class.

#include <string>
#include <vector>

#include "eventconfig/operations/OperationTypeConfig.h"

// The common base of the value-list checks: a message id, a fixed-position
// field locator and the values (lower-cased) to compare with. Not registered:
// its Clone is the base's.
class EVENTCONFIG_API COptCheckFieldConfig : public COperationTypeConfig {
public:
    COptCheckFieldConfig();
    explicit COptCheckFieldConfig(std::wstring subDoc);
    explicit COptCheckFieldConfig(const ecfg::XmlSource& source);

    int GetMsgID() const { return m_nMsgID; }
    std::wstring GetFieldName() const { return m_strFieldName; }
    int GetFieldLength() const { return m_nFieldLength; }
    int GetOffset() const { return m_nOffset; }
    std::vector<std::wstring> GetValueList() const { return m_vecValueList; }

protected:
    // The prototype of a kind built on this class.
    explicit COptCheckFieldConfig(Operation_Type_Enum id);

private:
    int m_nMsgID = -1;
    std::wstring m_strFieldName;
    int m_nFieldLength = 0;
    int m_nOffset = 0;
    std::vector<std::wstring> m_vecValueList;
};

namespace ecfg {

// Kinds 10 and 11: the check of COptCheckFieldConfig that also keeps the whole
// '/'-separated id list of its first child.
class EVENTCONFIG_API CheckFieldInMsgListShape : public COptCheckFieldConfig {
public:
    int InMsgList(int msgID);

protected:
    explicit CheckFieldInMsgListShape(Operation_Type_Enum id);
    explicit CheckFieldInMsgListShape(const XmlSource& source);

private:
    void GetMsgIDList(std::wstring text, std::vector<int>& ids);

    std::vector<int> m_vecMsgList;
};

// Kinds 8 and 9: the messages, the field's name and the number it is compared
// with.
class EVENTCONFIG_API FieldValueShape : public COperationTypeConfig {
public:
    int InMsgList(int msgID);
    std::wstring GetFieldName() { return m_strFieldName; }
    int GetIEValue() { return m_nValue; }

protected:
    explicit FieldValueShape(Operation_Type_Enum id);
    explicit FieldValueShape(const XmlSource& source);

private:
    std::vector<int> m_vecMsgList;
    std::wstring m_strFieldName;
    int m_nValue = 0;
};

}  // namespace ecfg

class EVENTCONFIG_API COptFieldEqualConfig : public COptCheckFieldConfig {
public:
    COptFieldEqualConfig();
    explicit COptFieldEqualConfig(std::wstring subDoc);
    explicit COptFieldEqualConfig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
};

class EVENTCONFIG_API COptFieldNotEqualConfig : public COptCheckFieldConfig {
public:
    COptFieldNotEqualConfig();
    explicit COptFieldNotEqualConfig(std::wstring subDoc);
    explicit COptFieldNotEqualConfig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
};

class EVENTCONFIG_API COptFieldExistConfig : public ecfg::CheckFieldInMsgListShape {
public:
    COptFieldExistConfig();
    explicit COptFieldExistConfig(std::wstring subDoc);
    explicit COptFieldExistConfig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
};

class EVENTCONFIG_API COptFieldNotExistConfig : public ecfg::CheckFieldInMsgListShape {
public:
    COptFieldNotExistConfig();
    explicit COptFieldNotExistConfig(std::wstring subDoc);
    explicit COptFieldNotExistConfig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
};

class EVENTCONFIG_API COptFieldGreatConfig : public ecfg::FieldValueShape {
public:
    COptFieldGreatConfig();
    explicit COptFieldGreatConfig(std::wstring subDoc);
    explicit COptFieldGreatConfig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
};

class EVENTCONFIG_API COptFieldBellowConfig : public ecfg::FieldValueShape {
public:
    COptFieldBellowConfig();
    explicit COptFieldBellowConfig(std::wstring subDoc);
    explicit COptFieldBellowConfig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
};

// A field of one message against a field of another.
class EVENTCONFIG_API COptFieldCmpConfig : public COperationTypeConfig {
public:
    COptFieldCmpConfig();
    explicit COptFieldCmpConfig(std::wstring subDoc);
    explicit COptFieldCmpConfig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;

    int GetSrcMsgID() const { return m_nSrcMsgID; }
    std::wstring GetSrcFieldName() const { return m_strSrcFieldName; }
    int GetDesMsgID() const { return m_nDesMsgID; }
    std::wstring GetDesFieldName() const { return m_strDesFieldName; }

private:
    int m_nSrcMsgID = -1;
    std::wstring m_strSrcFieldName;
    int m_nDesMsgID = -1;
    std::wstring m_strDesFieldName;
};

// One log field against another.
class EVENTCONFIG_API COptTwoFieldValuesEqual_Config : public COperationTypeConfig {
public:
    COptTwoFieldValuesEqual_Config();
    explicit COptTwoFieldValuesEqual_Config(std::wstring subDoc);
    explicit COptTwoFieldValuesEqual_Config(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;

    int GetSrcFieldID() const { return m_nSrcFieldID; }
    int GetDesFieldID() const { return m_nDesFieldID; }

private:
    int m_nSrcFieldID = -1;
    int m_nDesFieldID = -1;
};
