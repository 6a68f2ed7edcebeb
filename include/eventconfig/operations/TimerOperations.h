#pragma once

// Conditions that start a timer or a counter, or wait for a message out of a
// list, a log field (with one of several values) or an event.

#include <string>
#include <vector>

#include "eventconfig/operations/FieldCheckOperations.h"
#include "eventconfig/operations/OperationTypeConfig.h"

class EVENTCONFIG_API COptStartTimerConfig : public COperationTypeConfig {
public:
    COptStartTimerConfig();
    explicit COptStartTimerConfig(std::wstring subDoc);
    explicit COptStartTimerConfig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;

    int GetTimeLimited() { return m_nTimeLimited; }

private:
    int m_nTimeLimited = 0;
};

class EVENTCONFIG_API COptStartTimerAndWaitMsgConfig : public COperationTypeConfig {
public:
    COptStartTimerAndWaitMsgConfig();
    explicit COptStartTimerAndWaitMsgConfig(std::wstring subDoc);
    explicit COptStartTimerAndWaitMsgConfig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;

    int GetTime() const { return m_nTime; }
    int GetMsgID() const { return m_nMsgID; }

private:
    int m_nTime = 0;
    int m_nMsgID = -1;
};

class EVENTCONFIG_API COptStartCounterAndWaitMsgConfig : public COperationTypeConfig {
public:
    COptStartCounterAndWaitMsgConfig();
    explicit COptStartCounterAndWaitMsgConfig(std::wstring subDoc);
    explicit COptStartCounterAndWaitMsgConfig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;

    int GetCount() const { return m_nCount; }
    int InMsgList(int msgID);

private:
    int m_nCount = 0;
    std::vector<int> m_vecMsgList;
};

class EVENTCONFIG_API COptWaitMsgConfig : public COperationTypeConfig {
public:
    COptWaitMsgConfig();
    explicit COptWaitMsgConfig(std::wstring subDoc);
    explicit COptWaitMsgConfig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;

    int InMsgList(int msgID);

private:
    std::vector<int> m_vecMsgList;
};

class EVENTCONFIG_API COptWaitLogConfig : public COperationTypeConfig {
public:
    COptWaitLogConfig();
    explicit COptWaitLogConfig(std::wstring subDoc);
    explicit COptWaitLogConfig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;

    int GetLogCodeFieldID() const { return m_nLogCodeFieldID; }

private:
    int m_nLogCodeFieldID = -1;
};

// The values are kept as written (not lower-cased).
class EVENTCONFIG_API COptWaitLog_FieldEqualConfig : public COperationTypeConfig {
public:
    COptWaitLog_FieldEqualConfig();
    explicit COptWaitLog_FieldEqualConfig(std::wstring subDoc);
    explicit COptWaitLog_FieldEqualConfig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;

    int GetFieldID() { return m_nFieldID; }
    const std::vector<std::wstring>& GetValueList() { return m_vecValueList; }

private:
    int m_nFieldID = 0;
    std::vector<std::wstring> m_vecValueList;
};

// Event ids are decimal, unlike the message ids of the other waits.
class EVENTCONFIG_API COptWaitEventConfig : public COperationTypeConfig {
public:
    COptWaitEventConfig();
    explicit COptWaitEventConfig(std::wstring subDoc);
    explicit COptWaitEventConfig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;

    std::vector<int> GetEventIDList() { return m_vecEventIDList; }

private:
    std::vector<int> m_vecEventIDList;
};

// A timer whose time is taken from a message field, plus an added time.
class EVENTCONFIG_API COptStartTimer_By_MsgField_Config : public COperationTypeConfig {
public:
    COptStartTimer_By_MsgField_Config();
    explicit COptStartTimer_By_MsgField_Config(std::wstring subDoc);
    explicit COptStartTimer_By_MsgField_Config(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;

    std::vector<int> GetMsgIDs() const { return m_vecMsgIDs; }
    int InMsgList(int msgID);
    std::wstring GetFieldName() const { return m_strFieldName; }
    int GetFieldLength() const { return m_nFieldLength; }
    int GetOffset() const { return m_nOffset; }
    int GetAddedTime() const { return m_nAddedTime; }

private:
    void GetMsgIDList(std::wstring text, std::vector<int>& ids);

    std::vector<int> m_vecMsgIDs;
    std::wstring m_strFieldName;
    int m_nFieldLength = 0;
    int m_nOffset = 0;
    int m_nAddedTime = 0;
};
