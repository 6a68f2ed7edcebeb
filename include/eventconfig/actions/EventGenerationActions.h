#pragma once

#include <string>
#include <vector>

#include "eventconfig/actions/ActionConfig.h"

// What the kinds that keep one event id hold: the text of the element
// "EventID" directly under the action element, as decimal (0 when absent).
class EVENTCONFIG_API CActEventIDConfig : public CActionConfig {
protected:
    CActEventIDConfig() = default;
    explicit CActEventIDConfig(const ecfg::XmlSource& source);

    int m_nEventID = 0;
};

// Raises an event; without "EventID" the id stays -1.
class EVENTCONFIG_API CActGenEventConfig : public CActionConfig {
public:
    CActGenEventConfig();
    explicit CActGenEventConfig(std::wstring subDoc);
    explicit CActGenEventConfig(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;
    int GetEventID() { return m_nEventID; }

private:
    int m_nEventID = -1;
};

// Raises an event in the timed form.
class EVENTCONFIG_API CActGenEventByTimeConfig : public CActEventIDConfig {
public:
    CActGenEventByTimeConfig();
    explicit CActGenEventByTimeConfig(std::wstring subDoc);
    explicit CActGenEventByTimeConfig(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;
    int GetEventID() const { return m_nEventID; }
};

// Saves an event id.
class EVENTCONFIG_API CActSaveEventIDConfig : public CActEventIDConfig {
public:
    CActSaveEventIDConfig();
    explicit CActSaveEventIDConfig(std::wstring subDoc);
    explicit CActSaveEventIDConfig(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;
    int GetEventID() { return m_nEventID; }
};

// Deletes a saved event id.
class EVENTCONFIG_API CActDeleteEventIDConfig : public CActEventIDConfig {
public:
    CActDeleteEventIDConfig();
    explicit CActDeleteEventIDConfig(std::wstring subDoc);
    explicit CActDeleteEventIDConfig(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;
    int GetEventID() { return m_nEventID; }
};

// Raises a system event: with "EventID" the event info is "SystemEvent";
// without it the id stays -1 and the info empty.
class EVENTCONFIG_API CActGenSystemEventConfig : public CActionConfig {
public:
    CActGenSystemEventConfig();
    explicit CActGenSystemEventConfig(std::wstring subDoc);
    explicit CActGenSystemEventConfig(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;
    int GetEventID() { return m_nEventID; }
    std::wstring GetEventInfo() const { return m_strEventInfo; }

private:
    int m_nEventID = -1;
    std::wstring m_strEventInfo;
};

// Raises an event carrying a log field's value: children "EventID" (decimal,
// optional), "LogFieldID" (hexadecimal) and "InfoName", in that order.
class EVENTCONFIG_API CActGenEventWithLogFieldInfo : public CActionConfig {
public:
    CActGenEventWithLogFieldInfo();
    explicit CActGenEventWithLogFieldInfo(std::wstring subDoc);
    explicit CActGenEventWithLogFieldInfo(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;
    int GetEventID() { return m_nEventID; }
    std::wstring GetInfoName() const { return m_strInfoName; }
    int GetLogFieldID() const { return m_nLogFieldID; }

private:
    int m_nEventID = -1;
    std::wstring m_strInfoName;
    int m_nLogFieldID = -1;
};

// Raises an event whose information is cut out of a message field: "Msg"
// (fixed-position locator; one hexadecimal message id per child), then
// "EventID" (decimal, optional).
class EVENTCONFIG_API CAct_GenEvent_InfoFromMsgConfig : public CActionConfig {
public:
    CAct_GenEvent_InfoFromMsgConfig();
    explicit CAct_GenEvent_InfoFromMsgConfig(std::wstring subDoc);
    explicit CAct_GenEvent_InfoFromMsgConfig(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;
    int GetEventID() { return m_nEventID; }
    int InMsgIDList(int id) const;
    std::wstring GetToSaveFieldName() const { return m_strToSaveFieldName; }
    int GetLength() const { return m_nLength; }
    int GetOffset() const { return m_nOffset; }

private:
    int m_nEventID = 0;
    std::vector<int> m_vecMsgIDList;
    std::wstring m_strToSaveFieldName;
    int m_nLength = 0;
    int m_nOffset = 0;
};
