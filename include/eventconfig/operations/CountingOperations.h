#pragma once

// Conditions that count messages carrying a field, compare frequencies, test a
// number against a range, or watch fields and radio link bookkeeping. Kinds
// that differ only in class and type id share one shape class.

#include <string>
#include <vector>

#include "eventconfig/operations/ComparisonOperations.h"
#include "eventconfig/operations/OperationTypeConfig.h"

namespace ecfg {

// Kinds 35 and 38 (and the base of 27 to 30): the "Msg" and "Field" of
// MsgTagFieldShape with "NeedMeetedNum" on the "Field".
class EVENTCONFIG_API MsgFieldCountShape : public MsgTagFieldShape {
public:
    int GetNeedMeetedNum() const { return m_nNeedMeetedNum; }

    EVENTCONFIG_OPERATION_SHAPE(MsgFieldCountShape)
    // The "NeedMeetedNum" text of the counted field, read from inside the
    // operation element; the "Field" stays current.
    std::wstring ReadCountedField(XmlReader& reader);
    void SetNeedMeetedNum(int number) { m_nNeedMeetedNum = number; }

private:
    int m_nNeedMeetedNum = 0;
};

// Kinds 27 to 30: the field count whose "Field" children are the candidate
// values (lower-cased, empty ones kept).
class EVENTCONFIG_API MsgSatisFieldCountShape : public MsgFieldCountShape {
public:
    std::vector<std::wstring> GetCandidateValue() const { return m_vecCandidateValue; }
    // Numbers compare as numbers (decimal, or hex when written with "0x");
    // other values compare exactly with the candidates.
    int IsValueSatisfy(std::wstring value);

    EVENTCONFIG_OPERATION_SHAPE(MsgSatisFieldCountShape)

private:
    std::vector<std::wstring> m_vecCandidateValue;
};

// Kinds 24, 25 and 41: "InitialField" "ID" "IsFreq"; "ReceiveMsg" with a
// forward tag locator (as written) and one child per message id.
class EVENTCONFIG_API MsgFreqLogFreqShape : public COperationTypeConfig {
public:
    int GetFieldID() { return m_nFieldID; }
    int InReceiveMsgList(int msgID);
    std::wstring GetKeywordName() const { return m_strKeywordName; }
    int GetOffset() const { return m_nOffset; }
    std::wstring GetStartSearchTag() const { return m_strStartSearchTag; }
    std::wstring GetEndSearchTag() const { return m_strEndSearchTag; }
    int IsFreqInfo() { return m_nIsFreqInfo; }

    EVENTCONFIG_OPERATION_SHAPE(MsgFreqLogFreqShape)

private:
    int m_nFieldID = 0;
    std::vector<int> m_vecReceiveMsgList;
    std::wstring m_strKeywordName;
    int m_nOffset = 0;
    std::wstring m_strStartSearchTag;
    std::wstring m_strEndSearchTag;
    int m_nIsFreqInfo = 0;
};

}  // namespace ecfg

class EVENTCONFIG_API COptMsgFreqEqualLogFreqConfig : public ecfg::MsgFreqLogFreqShape {
    EVENTCONFIG_OPERATION_KIND(COptMsgFreqEqualLogFreqConfig)
};

class EVENTCONFIG_API COptMsgFreqUnEqualLogFreqConfig : public ecfg::MsgFreqLogFreqShape {
    EVENTCONFIG_OPERATION_KIND(COptMsgFreqUnEqualLogFreqConfig)
};

class EVENTCONFIG_API COptMsgFreqEqualLogFreq_OrLogNotExistConfig
    : public ecfg::MsgFreqLogFreqShape {
    EVENTCONFIG_OPERATION_KIND(COptMsgFreqEqualLogFreq_OrLogNotExistConfig)
};

// Kind 26: "Field" "ID" "MinNum" "MaxNum" ("Infin" for no upper bound).
class EVENTCONFIG_API COptCalcLogFieldNum : public COperationTypeConfig {
    EVENTCONFIG_OPERATION_KIND(COptCalcLogFieldNum)

    // The stored maximum of "MaxNum" "Infin".
    static constexpr int kInfiniteNum = 0x7F7F7F7F;

    int GetFieldID() { return m_nFieldID; }
    // 1 when minimum <= number <= maximum.
    int IsNumSatisfy(int number);

private:
    int m_nFieldID = 0;
    int m_nMinNum = 0;
    int m_nMaxNum = 0;
};

class EVENTCONFIG_API COptMsgSatisFieldCount_GE : public ecfg::MsgSatisFieldCountShape {
    EVENTCONFIG_OPERATION_KIND(COptMsgSatisFieldCount_GE)
};

class EVENTCONFIG_API COptMsgSatisFieldCount_BE : public ecfg::MsgSatisFieldCountShape {
    EVENTCONFIG_OPERATION_KIND(COptMsgSatisFieldCount_BE)
};

// "NeedMeetedNum" "all" (any case) stores -1.
class EVENTCONFIG_API COptMsgSatisFieldCount_Equal : public ecfg::MsgSatisFieldCountShape {
    EVENTCONFIG_OPERATION_KIND(COptMsgSatisFieldCount_Equal)
};

class EVENTCONFIG_API COptMsgSatisFieldCount_UnEqual : public ecfg::MsgSatisFieldCountShape {
    EVENTCONFIG_OPERATION_KIND(COptMsgSatisFieldCount_UnEqual)
};

// Keeps the element's "Info"; its own id replaces "Type".
class EVENTCONFIG_API COptMsgFieldCountGEConfig : public ecfg::MsgFieldCountShape {
    EVENTCONFIG_OPERATION_KIND(COptMsgFieldCountGEConfig)
};

// Kind 36: "Msg" "ID" (id list) holding "KeyField" "Name", whose children are
// the contained fields (as written, empty ones kept).
class EVENTCONFIG_API COptMsgFieldFollowedBySomeFieldConfg : public COperationTypeConfig {
    EVENTCONFIG_OPERATION_KIND(COptMsgFieldFollowedBySomeFieldConfg)

    int InMsgList(int msgID);
    std::wstring GetKeyName() const { return m_strKeyName; }
    std::vector<std::wstring> GetContainField() const { return m_vecContainField; }

private:
    std::vector<int> m_vecMsgIDList;
    std::wstring m_strKeyName;
    std::vector<std::wstring> m_vecContainField;
};

// Kind 37: "MsgList" (one child per message id); "MsgField" holding
// "RadioLink" and "PSC", each with "FieldName" and "MetaInfoName".
class EVENTCONFIG_API COptPSCAndRLNumNotChangeCofnig : public COperationTypeConfig {
    EVENTCONFIG_OPERATION_KIND(COptPSCAndRLNumNotChangeCofnig)

    int InMsgList(int msgID);
    std::wstring GetRLTag() { return m_strRLTag; }
    std::wstring GetRLMetaInfoTag() { return m_strRLMetaInfoTag; }
    std::wstring GetPSCTag() { return m_strPSCTag; }
    std::wstring GetPSCMetaInfoTag() { return m_strPSCMetaInfoTag; }

private:
    std::vector<int> m_vecMsgList;
    std::wstring m_strRLTag;
    std::wstring m_strRLMetaInfoTag;
    std::wstring m_strPSCTag;
    std::wstring m_strPSCMetaInfoTag;
};

class EVENTCONFIG_API COptMsgFieldCountEqualConfig : public ecfg::MsgFieldCountShape {
    EVENTCONFIG_OPERATION_KIND(COptMsgFieldCountEqualConfig)
};
