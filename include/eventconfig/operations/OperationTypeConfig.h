#pragma once

#include <string>
#include <vector>

#include "eventconfig/EventConfigExport.h"

namespace ecfg {
class XmlSource;
}

// Type ids of the operation kinds ("Operation" "Type").
enum Operation_Type_Enum {
    OPT_TYPE_BASE = 0,
    OPT_TYPE_START_TIMER = 1,
    OPT_TYPE_START_TIMER_AND_WAIT_MSG = 2,
    OPT_TYPE_START_COUNTER_AND_WAIT_MSG = 3,
    OPT_TYPE_WAIT_MSG = 4,
    OPT_TYPE_WAIT_LOG = 5,
    OPT_TYPE_FIELD_EQUAL = 6,
    OPT_TYPE_FIELD_NOT_EQUAL = 7,
    OPT_TYPE_FIELD_GREAT = 8,
    OPT_TYPE_FIELD_BELLOW = 9,
    OPT_TYPE_FIELD_EXIST = 10,
    OPT_TYPE_FIELD_NOT_EXIST = 11,
    OPT_TYPE_FIELD_CMP = 12,
    OPT_TYPE_INITIAL_FIELD_UNEQUAL = 13,
    OPT_TYPE_INITIAL_FIELD_EQUAL = 14,
    OPT_TYPE_INIT_FIELD_GREAT_OR_EQUAL = 15,
    OPT_TYPE_INIT_FIELD_BELLOW_SUM_OF_FIELDS = 16,
    OPT_TYPE_INIT_FIELD_EQUAL_WITH_ONE_RECV_VALUE = 17,
    OPT_TYPE_LOG_INIT_FIELD_EQUAL_WITH_MSG_FIELD = 18,
    OPT_TYPE_WAIT_LOG_FIELD_EQUAL = 19,
    OPT_TYPE_LOG_INIT_FIELD_UNEQUAL_MSG_FIELD = 20,
    OPT_TYPE_LOG_INIT_FIELD_EQUAL_MULTI_MSG_FIELD = 21,
    OPT_TYPE_LOG_INIT_FIELD_UNEQUAL_MULTI_MSG_FIELD = 22,
    OPT_TYPE_WAIT_EVENT = 23,
    OPT_TYPE_MSG_FREQ_EQUAL_LOG_FREQ = 24,
    OPT_TYPE_MSG_FREQ_UNEQUAL_LOG_FREQ = 25,
    OPT_TYPE_CALC_LOG_FIELD_NUM = 26,
    OPT_TYPE_MSG_SATIS_FIELD_COUNT_GE = 27,
    OPT_TYPE_MSG_SATIS_FIELD_COUNT_BE = 28,
    OPT_TYPE_MSG_SATIS_FIELD_COUNT_EQUAL = 29,
    OPT_TYPE_MSG_SATIS_FIELD_COUNT_UNEQUAL = 30,
    OPT_TYPE_MSG_FIELD_UNEQUAL_RULE_INIT = 31,
    OPT_TYPE_MSG_FIELD_EQUAL_RULE_INIT = 32,
    OPT_TYPE_MSG_FIELD_UNEQUAL_LOG_FIELD_INIT = 33,
    OPT_TYPE_MSG_FIELD_EQUAL_LOG_FIELD_INIT = 34,
    OPT_TYPE_MSG_FIELD_COUNT_GE = 35,
    OPT_TYPE_MSG_FIELD_FOLLOWED_BY_SOME_FIELD = 36,
    OPT_TYPE_PSC_AND_RL_NUM_NOT_CHANGE = 37,
    OPT_TYPE_MSG_FIELD_COUNT_EQUAL = 38,
    OPT_TYPE_LOG_FIELD_EQUAL_RECORDED = 39,
    OPT_TYPE_LOG_FIELD_UNEQUAL_RECORDED = 40,
    OPT_TYPE_MSG_FREQ_EQUAL_LOG_FREQ_OR_LOG_NOT_EXIST = 41,
    OPT_TYPE_START_TIMER_BY_MSG_FIELD = 42,
    OPT_TYPE_TWO_FIELD_VALUES_EQUAL = 43,
    OPT_TYPE_INIT_LOG_FIELD_BELONG_FIELD = 44
};

// Base of every operation kind: the type id and the free "Info" text. Each
// kind declares its prototype constructor, the constructor from a sub-document,
// the one from a source (the library's own path, which reads an open reader's
// element in place; the source type is internal to the library) and Clone.
class EVENTCONFIG_API COperationTypeConfig {
public:
    COperationTypeConfig();
    // Reads "Type" (decimal) and "Info" of the sub-document's first element.
    explicit COperationTypeConfig(const std::wstring& subDoc);
    explicit COperationTypeConfig(const ecfg::XmlSource& source);
    COperationTypeConfig(const COperationTypeConfig& other) = default;
    COperationTypeConfig& operator=(const COperationTypeConfig& other) = default;
    virtual ~COperationTypeConfig();

    // A new object of the same class, built from the sub-document; the caller
    // owns it.
    virtual COperationTypeConfig* Clone(std::wstring subDoc);

    Operation_Type_Enum GetOperationType() const { return m_eOperationType; }
    std::wstring GetOperationInfo() const { return m_strOperationInfo; }
    void SetOperationType(Operation_Type_Enum type) { m_eOperationType = type; }
    void SetOperationInfo(std::wstring info) { m_strOperationInfo = std::move(info); }

protected:
    // Reads a number as hex when the text contains "0x", as decimal when it
    // starts with a digit; returns 0 (value untouched) otherwise.
    int ConvertToIntNum(std::wstring text, int& value);
    void CovertToLower(std::wstring& text);

private:
    Operation_Type_Enum m_eOperationType;
    std::wstring m_strOperationInfo;
};

// A registered kind, as the registry's table lists it.
struct EventConfigKindInfo {
    int nTypeID;
    const char* szClassName;
    const char* szDescription;  // what the kind means, in one line
};

// Every operation kind in registration order, from the registry's own table.
EVENTCONFIG_API const std::vector<EventConfigKindInfo>& EventConfigOperationKinds();
