#pragma once

#include <string>
#include <vector>

#include "eventconfig/actions/ActionConfig.h"
#include "eventconfig/actions/StateControlActions.h"

// Records the time for the waiting event states of its list.
class EVENTCONFIG_API CActRecordTimeConfig : public CActIdListConfig {
public:
    CActRecordTimeConfig();
    explicit CActRecordTimeConfig(std::wstring subDoc);
    explicit CActRecordTimeConfig(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;
    std::vector<int> GetWaitEventStateList() const { return m_vecIdList; }
};

// Clears the tick time of the waiting event states of its list.
class EVENTCONFIG_API CActClearTickTimeConfig : public CActIdListConfig {
public:
    CActClearTickTimeConfig();
    explicit CActClearTickTimeConfig(std::wstring subDoc);
    explicit CActClearTickTimeConfig(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;
    std::vector<int> GetWaitEventStateList() const { return m_vecIdList; }
};

// Adds a pause time for the rules of its list.
class EVENTCONFIG_API CAct_AddPauseTimeConfig : public CActIdListConfig {
public:
    CAct_AddPauseTimeConfig();
    explicit CAct_AddPauseTimeConfig(std::wstring subDoc);
    explicit CAct_AddPauseTimeConfig(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;
    std::vector<int> GetRulesList() { return m_vecIdList; }
};

// Deletes the pause time; holds nothing beyond the base (children ignored).
class EVENTCONFIG_API CAct_DelPauseTimeConfig : public CActionConfig {
public:
    CAct_DelPauseTimeConfig();
    explicit CAct_DelPauseTimeConfig(std::wstring subDoc);
    explicit CAct_DelPauseTimeConfig(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;
};
