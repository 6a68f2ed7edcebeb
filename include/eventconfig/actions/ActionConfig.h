#pragma once

#include <string>
#include <vector>

#include "eventconfig/EventConfigExport.h"
#include "eventconfig/operations/OperationTypeConfig.h"

namespace ecfg {
class XmlSource;
}

// Type ids of the action kinds ("Action" "Type"). 8, 9, 10 and 19 are unused.
enum Action_Type_Enum {
    ACT_TYPE_BASE = 0,
    ACT_TYPE_GEN_EVENT = 1,
    ACT_TYPE_TRAN_SYS_STATE = 2,
    ACT_TYPE_INIT_ACTIVE_EVENT_STATE = 3,
    ACT_TYPE_INIT_MSG_FIELD = 4,
    ACT_TYPE_TRAN_EVENT_STATE = 5,
    ACT_TYPE_DEL_EVENT_STATE = 6,
    ACT_TYPE_TRAN_RULE = 7,
    ACT_TYPE_RECORD_TIME = 11,
    ACT_TYPE_GEN_EVENT_BY_TIME = 12,
    ACT_TYPE_SAVE_SUM_OF_MSG_FIELDS = 13,
    ACT_TYPE_ACTIVE_RULES = 14,
    ACT_TYPE_INACTIVE_RULES = 15,
    ACT_TYPE_CLEAR_TICK_TIME = 16,
    ACT_TYPE_INIT_LOG_CODE_FIELD = 17,
    ACT_TYPE_DEL_INITIAL_LOG_FIELD = 18,
    ACT_TYPE_RECORD_INFO_FOR_RULE = 20,
    ACT_TYPE_SAVE_EVENT_ID = 21,
    ACT_TYPE_DELETE_EVENT_ID = 22,
    ACT_TYPE_RESET_WAITING_EVENT_STATE = 23,
    ACT_TYPE_RECORD_RL_AND_PSC = 24,
    ACT_TYPE_UPDATE_RL_AND_PSC = 25,
    ACT_TYPE_UPDATE_LOG_FIELD = 26,
    ACT_TYPE_DEL_VALUE_OF_LOG_FIELD = 27,
    ACT_TYPE_UPDATE_LOG_FIELD_BY_RULE_INIT = 28,
    ACT_TYPE_SWITCH_PROTOCOL = 29,
    ACT_TYPE_ENTER_INTO_PROTOCOL_SWITCH_MODE = 30,
    ACT_TYPE_RECORD_INFO_FOR_RULE_REVERSE_FIND = 31,
    ACT_TYPE_ADD_PAUSE_TIME = 32,
    ACT_TYPE_DEL_PAUSE_TIME = 33,
    ACT_TYPE_GEN_EVENT_WITH_LOG_FIELD_INFO = 34,
    ACT_TYPE_ACTIVE_EVENT_STATE_AND_PRC_PACKET = 35,
    ACT_TYPE_GEN_EVENT_INFO_FROM_MSG = 36,
    ACT_TYPE_UPDATE_LOG_FIELD_FOR_EVENT_INFO = 37,
    ACT_TYPE_UPDATE_LOG_FIELD_B_FROM_A = 38,
    ACT_TYPE_DEL_LOG_FIELD_VALUE_B_BY_A = 39,
    ACT_TYPE_GEN_SYSTEM_EVENT = 40,
    ACT_TYPE_RESET_STATE_MACHINE = 41
};

// Base of every action kind: the type id and the free "Info" text.
class EVENTCONFIG_API CActionConfig {
public:
    CActionConfig();
    // Reads "Type" (decimal) and "Info" of the first element, only when the
    // sub-document is well-formed; otherwise type 0 and empty info.
    explicit CActionConfig(const std::wstring& subDoc);
    // The same from a source: the library's own path, which reads an open
    // reader's element in place (the source type is internal to the library).
    explicit CActionConfig(const ecfg::XmlSource& source);
    CActionConfig(const CActionConfig& other) = default;
    CActionConfig& operator=(const CActionConfig& other) = default;
    virtual ~CActionConfig();

    // A new object of the same class, built from the sub-document; the caller
    // owns it.
    virtual CActionConfig* Clone(std::wstring subDoc);

    Action_Type_Enum GetActionType() const { return m_eActionType; }
    std::wstring GetActionInfo() const { return m_strActionInfo; }

protected:
    void CovertToLower(std::wstring& text);
    // For kinds that fix their own type id after the base's read.
    void SetActionType(Action_Type_Enum type) { m_eActionType = type; }

private:
    Action_Type_Enum m_eActionType;
    std::wstring m_strActionInfo;
};

// Every action kind in registration order, from the registry's own table.
EVENTCONFIG_API const std::vector<EventConfigKindInfo>& EventConfigActionKinds();
