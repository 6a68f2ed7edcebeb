#include "eventconfig/actions/TimeKeepingActions.h"

#include "actions/ActionShapes.h"

CActRecordTimeConfig::CActRecordTimeConfig() {
    SetActionType(ACT_TYPE_RECORD_TIME);
}
CActRecordTimeConfig::CActRecordTimeConfig(const ecfg::XmlSource& source)
    : CActIdListConfig(source) {}
ECFG_ACTION_TEXT_AND_CLONE(CActRecordTimeConfig, std::wstring);
CActClearTickTimeConfig::CActClearTickTimeConfig() {
    SetActionType(ACT_TYPE_CLEAR_TICK_TIME);
}
CActClearTickTimeConfig::CActClearTickTimeConfig(const ecfg::XmlSource& source)
    : CActIdListConfig(source) {}
ECFG_ACTION_TEXT_AND_CLONE(CActClearTickTimeConfig, std::wstring);
CAct_AddPauseTimeConfig::CAct_AddPauseTimeConfig() {
    SetActionType(ACT_TYPE_ADD_PAUSE_TIME);
}
CAct_AddPauseTimeConfig::CAct_AddPauseTimeConfig(const ecfg::XmlSource& source)
    : CActIdListConfig(source) {}
ECFG_ACTION_TEXT_AND_CLONE(CAct_AddPauseTimeConfig, std::wstring);
CAct_DelPauseTimeConfig::CAct_DelPauseTimeConfig() {
    SetActionType(ACT_TYPE_DEL_PAUSE_TIME);
}
CAct_DelPauseTimeConfig::CAct_DelPauseTimeConfig(const ecfg::XmlSource& source)
    : CActionConfig(source) {}
ECFG_ACTION_TEXT_AND_CLONE(CAct_DelPauseTimeConfig, std::wstring);
