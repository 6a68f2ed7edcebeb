#pragma once

// Conditions that start a timer or a counter, or wait for a message out of a
// list, a log field (with one of several values) or an event.

#include <string>
#include <vector>

#include "eventconfig/operations/FieldCheckOperations.h"
#include "eventconfig/operations/OperationTypeConfig.h"

class EVENTCONFIG_API COptStartTimerConfig : public COperationTypeConfig {
    EVENTCONFIG_OPT_KIND(COptStartTimerConfig, std::wstring)

    int GetTimeLimited() { return m_nTimeLimited; }

private:
    int m_nTimeLimited = 0;
};

class EVENTCONFIG_API COptStartTimerAndWaitMsgConfig : public COperationTypeConfig {
    EVENTCONFIG_OPT_KIND(COptStartTimerAndWaitMsgConfig, std::wstring)

    int GetTime() const { return m_nTime; }
    int GetMsgID() const { return m_nMsgID; }

private:
    int m_nTime = 0;
    int m_nMsgID = -1;
};

class EVENTCONFIG_API COptStartCounterAndWaitMsgConfig : public COperationTypeConfig {
    EVENTCONFIG_OPT_KIND(COptStartCounterAndWaitMsgConfig, std::wstring)

    int GetCount() const { return m_nCount; }
    int InMsgList(int msgID);

private:
    int m_nCount = 0;
    std::vector<int> m_vecMsgList;
};

class EVENTCONFIG_API COptWaitMsgConfig : public COperationTypeConfig {
    EVENTCONFIG_OPT_KIND(COptWaitMsgConfig, std::wstring)

    int InMsgList(int msgID);

private:
    std::vector<int> m_vecMsgList;
};

class EVENTCONFIG_API COptWaitLogConfig : public COperationTypeConfig {
    EVENTCONFIG_OPT_KIND(COptWaitLogConfig, std::wstring)

    int GetLogCodeFieldID() const { return m_nLogCodeFieldID; }

private:
    int m_nLogCodeFieldID = -1;
};

// The values are kept as written (not lower-cased).
class EVENTCONFIG_API COptWaitLog_FieldEqualConfig : public COperationTypeConfig {
    EVENTCONFIG_OPT_KIND(COptWaitLog_FieldEqualConfig, std::wstring)

    int GetFieldID() { return m_nFieldID; }
    const std::vector<std::wstring>& GetValueList() { return m_vecValueList; }

private:
    int m_nFieldID = 0;
    std::vector<std::wstring> m_vecValueList;
};

// Event ids are decimal, unlike the message ids of the other waits.
class EVENTCONFIG_API COptWaitEventConfig : public COperationTypeConfig {
    EVENTCONFIG_OPT_KIND(COptWaitEventConfig, std::wstring)

    std::vector<int> GetEventIDList() { return m_vecEventIDList; }

private:
    std::vector<int> m_vecEventIDList;
};

// A timer whose time is taken from a message field, plus an added time.
class EVENTCONFIG_API COptStartTimer_By_MsgField_Config : public COperationTypeConfig {
    EVENTCONFIG_OPT_KIND(COptStartTimer_By_MsgField_Config, std::wstring)

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
