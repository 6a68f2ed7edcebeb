#pragma once

// Every public class of the library.

#include "eventconfig/EventConfigExport.h"

#include "eventconfig/config/ConfigRoot.h"
#include "eventconfig/config/EventConfigApp.h"
#include "eventconfig/config/Markup.h"
#include "eventconfig/config/Platform.h"

#include "eventconfig/model/EventStateConfig.h"
#include "eventconfig/model/MsgConfig.h"
#include "eventconfig/model/Owned.h"
#include "eventconfig/model/RuleConfig.h"
#include "eventconfig/model/SpecialEventStateListConfig.h"
#include "eventconfig/model/StateMachineConfig.h"
#include "eventconfig/model/SystemStateConfig.h"

#include "eventconfig/operations/OperationTypeConfig.h"
#include "eventconfig/operations/ComparisonOperations.h"
#include "eventconfig/operations/CountingOperations.h"
#include "eventconfig/operations/FieldCheckOperations.h"
#include "eventconfig/operations/InitialFieldOperations.h"
#include "eventconfig/operations/TimerOperations.h"

#include "eventconfig/actions/ActionConfig.h"
#include "eventconfig/actions/EventGenerationActions.h"
#include "eventconfig/actions/LogFieldActions.h"
#include "eventconfig/actions/RadioLinkActions.h"
#include "eventconfig/actions/RuleRecordActions.h"
#include "eventconfig/actions/StateControlActions.h"
#include "eventconfig/actions/TimeKeepingActions.h"
