#include "eventconfig/actions/TimeKeepingActions.h"

#include "actions/ActionShapes.h"

ECFG_ACTION_SHAPE_KIND(CActRecordTimeConfig, CActIdListConfig, ACT_TYPE_RECORD_TIME)
ECFG_ACTION_SHAPE_KIND(CActClearTickTimeConfig, CActIdListConfig, ACT_TYPE_CLEAR_TICK_TIME)
ECFG_ACTION_SHAPE_KIND(CAct_AddPauseTimeConfig, CActIdListConfig, ACT_TYPE_ADD_PAUSE_TIME)
ECFG_ACTION_SHAPE_KIND(CAct_DelPauseTimeConfig, CActionConfig, ACT_TYPE_DEL_PAUSE_TIME)
