#pragma once

// Not part of the exported interface: the engine meets this kind only as a
// CActionConfig* in a rule's lists, created through the action registry.

#include <string>
#include <vector>

#include "eventconfig/actions/ActionConfig.h"

// "NeedRunningWaitingEventState" with "WaitingEventSate" children (decimal
// text); children of other names are skipped.
class CAct_EnterIntoProtocalSwitchModeConfig : public CActionConfig {
public:
    CAct_EnterIntoProtocalSwitchModeConfig();
    explicit CAct_EnterIntoProtocalSwitchModeConfig(std::wstring subDoc);
    explicit CAct_EnterIntoProtocalSwitchModeConfig(const ecfg::XmlSource& source);
    CAct_EnterIntoProtocalSwitchModeConfig(const CAct_EnterIntoProtocalSwitchModeConfig&) = delete;
    CAct_EnterIntoProtocalSwitchModeConfig& operator=(
        const CAct_EnterIntoProtocalSwitchModeConfig&) = delete;
    CActionConfig* Clone(std::wstring subDoc) override;

    // Waiting event states that keep running when switch mode is entered.
    const std::vector<int>& GetRunningWaitingEventStateList() const {
        return m_vecRunningWaitingEventStateList;
    }

private:
    std::vector<int> m_vecRunningWaitingEventStateList;
};
