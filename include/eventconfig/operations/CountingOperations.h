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

protected:
    explicit MsgFieldCountShape(Operation_Type_Enum id);
    MsgFieldCountShape(const ecfg::XmlSource& source, Operation_Type_Enum id);
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

protected:
    explicit MsgSatisFieldCountShape(Operation_Type_Enum id);
    MsgSatisFieldCountShape(const ecfg::XmlSource& source, Operation_Type_Enum id);

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

protected:
    explicit MsgFreqLogFreqShape(Operation_Type_Enum id);
    MsgFreqLogFreqShape(const ecfg::XmlSource& source, Operation_Type_Enum id);

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
public:
    COptMsgFreqEqualLogFreqConfig();
    explicit COptMsgFreqEqualLogFreqConfig(std::wstring subDoc);
    explicit COptMsgFreqEqualLogFreqConfig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
    COptMsgFreqEqualLogFreqConfig(const COptMsgFreqEqualLogFreqConfig& other) = default;
    COptMsgFreqEqualLogFreqConfig& operator=(const COptMsgFreqEqualLogFreqConfig& other) = default;
    ~COptMsgFreqEqualLogFreqConfig() override;
};

class EVENTCONFIG_API COptMsgFreqUnEqualLogFreqConfig : public ecfg::MsgFreqLogFreqShape {
public:
    COptMsgFreqUnEqualLogFreqConfig();
    explicit COptMsgFreqUnEqualLogFreqConfig(std::wstring subDoc);
    explicit COptMsgFreqUnEqualLogFreqConfig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
    COptMsgFreqUnEqualLogFreqConfig(const COptMsgFreqUnEqualLogFreqConfig& other) = default;
    COptMsgFreqUnEqualLogFreqConfig& operator=(const COptMsgFreqUnEqualLogFreqConfig& other) =
        default;
    ~COptMsgFreqUnEqualLogFreqConfig() override;
};

class EVENTCONFIG_API COptMsgFreqEqualLogFreq_OrLogNotExistConfig
    : public ecfg::MsgFreqLogFreqShape {
public:
    COptMsgFreqEqualLogFreq_OrLogNotExistConfig();
    explicit COptMsgFreqEqualLogFreq_OrLogNotExistConfig(std::wstring subDoc);
    explicit COptMsgFreqEqualLogFreq_OrLogNotExistConfig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
    COptMsgFreqEqualLogFreq_OrLogNotExistConfig(
        const COptMsgFreqEqualLogFreq_OrLogNotExistConfig& other) = default;
    COptMsgFreqEqualLogFreq_OrLogNotExistConfig& operator=(
        const COptMsgFreqEqualLogFreq_OrLogNotExistConfig& other) = default;
    ~COptMsgFreqEqualLogFreq_OrLogNotExistConfig() override;
};

// Kind 26: "Field" "ID" "MinNum" "MaxNum" ("Infin" for no upper bound).
class EVENTCONFIG_API COptCalcLogFieldNum : public COperationTypeConfig {
public:
    COptCalcLogFieldNum();
    explicit COptCalcLogFieldNum(std::wstring subDoc);
    explicit COptCalcLogFieldNum(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
    COptCalcLogFieldNum(const COptCalcLogFieldNum& other) = default;
    COptCalcLogFieldNum& operator=(const COptCalcLogFieldNum& other) = default;
    ~COptCalcLogFieldNum() override;

    // The stored maximum of "MaxNum" "Infin".
    static constexpr int kInfiniteNum = 0x7F7F7F7F;

    int GetFieldID() { return m_nFieldID; }
    // The range's bounds as read ("MinNum", "MaxNum"; "Infin" is kInfiniteNum).
    int GetMinNum() const { return m_nMinNum; }
    int GetMaxNum() const { return m_nMaxNum; }
    // 1 when minimum <= number <= maximum.
    int IsNumSatisfy(int number);

private:
    int m_nFieldID = 0;
    int m_nMinNum = 0;
    int m_nMaxNum = 0;
};

class EVENTCONFIG_API COptMsgSatisFieldCount_GE : public ecfg::MsgSatisFieldCountShape {
public:
    COptMsgSatisFieldCount_GE();
    explicit COptMsgSatisFieldCount_GE(std::wstring subDoc);
    explicit COptMsgSatisFieldCount_GE(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
    COptMsgSatisFieldCount_GE(const COptMsgSatisFieldCount_GE& other) = default;
    COptMsgSatisFieldCount_GE& operator=(const COptMsgSatisFieldCount_GE& other) = default;
    ~COptMsgSatisFieldCount_GE() override;
};

class EVENTCONFIG_API COptMsgSatisFieldCount_BE : public ecfg::MsgSatisFieldCountShape {
public:
    COptMsgSatisFieldCount_BE();
    explicit COptMsgSatisFieldCount_BE(std::wstring subDoc);
    explicit COptMsgSatisFieldCount_BE(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
    COptMsgSatisFieldCount_BE(const COptMsgSatisFieldCount_BE& other) = default;
    COptMsgSatisFieldCount_BE& operator=(const COptMsgSatisFieldCount_BE& other) = default;
    ~COptMsgSatisFieldCount_BE() override;
};

// "NeedMeetedNum" "all" (any case) stores -1.
class EVENTCONFIG_API COptMsgSatisFieldCount_Equal : public ecfg::MsgSatisFieldCountShape {
public:
    COptMsgSatisFieldCount_Equal();
    explicit COptMsgSatisFieldCount_Equal(std::wstring subDoc);
    explicit COptMsgSatisFieldCount_Equal(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
    COptMsgSatisFieldCount_Equal(const COptMsgSatisFieldCount_Equal& other) = default;
    COptMsgSatisFieldCount_Equal& operator=(const COptMsgSatisFieldCount_Equal& other) = default;
    ~COptMsgSatisFieldCount_Equal() override;
};

class EVENTCONFIG_API COptMsgSatisFieldCount_UnEqual : public ecfg::MsgSatisFieldCountShape {
public:
    COptMsgSatisFieldCount_UnEqual();
    explicit COptMsgSatisFieldCount_UnEqual(std::wstring subDoc);
    explicit COptMsgSatisFieldCount_UnEqual(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
    COptMsgSatisFieldCount_UnEqual(const COptMsgSatisFieldCount_UnEqual& other) = default;
    COptMsgSatisFieldCount_UnEqual& operator=(const COptMsgSatisFieldCount_UnEqual& other) =
        default;
    ~COptMsgSatisFieldCount_UnEqual() override;
};

// Keeps the element's "Info"; its own id replaces "Type".
class EVENTCONFIG_API COptMsgFieldCountGEConfig : public ecfg::MsgFieldCountShape {
public:
    COptMsgFieldCountGEConfig();
    explicit COptMsgFieldCountGEConfig(std::wstring subDoc);
    explicit COptMsgFieldCountGEConfig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
    COptMsgFieldCountGEConfig(const COptMsgFieldCountGEConfig& other) = default;
    COptMsgFieldCountGEConfig& operator=(const COptMsgFieldCountGEConfig& other) = default;
    ~COptMsgFieldCountGEConfig() override;
};

// Kind 36: "Msg" "ID" (id list) holding "KeyField" "Name", whose children are
// the contained fields (as written, empty ones kept).
class EVENTCONFIG_API COptMsgFieldFollowedBySomeFieldConfg : public COperationTypeConfig {
public:
    COptMsgFieldFollowedBySomeFieldConfg();
    explicit COptMsgFieldFollowedBySomeFieldConfg(std::wstring subDoc);
    explicit COptMsgFieldFollowedBySomeFieldConfg(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
    COptMsgFieldFollowedBySomeFieldConfg(const COptMsgFieldFollowedBySomeFieldConfg& other) =
        default;
    COptMsgFieldFollowedBySomeFieldConfg& operator=(
        const COptMsgFieldFollowedBySomeFieldConfg& other) = default;
    ~COptMsgFieldFollowedBySomeFieldConfg() override;

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
public:
    COptPSCAndRLNumNotChangeCofnig();
    explicit COptPSCAndRLNumNotChangeCofnig(std::wstring subDoc);
    explicit COptPSCAndRLNumNotChangeCofnig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
    COptPSCAndRLNumNotChangeCofnig(const COptPSCAndRLNumNotChangeCofnig& other) = default;
    COptPSCAndRLNumNotChangeCofnig& operator=(const COptPSCAndRLNumNotChangeCofnig& other) =
        default;
    ~COptPSCAndRLNumNotChangeCofnig() override;

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
public:
    COptMsgFieldCountEqualConfig();
    explicit COptMsgFieldCountEqualConfig(std::wstring subDoc);
    explicit COptMsgFieldCountEqualConfig(const ecfg::XmlSource& source);
    COperationTypeConfig* Clone(std::wstring subDoc) override;
    COptMsgFieldCountEqualConfig(const COptMsgFieldCountEqualConfig& other) = default;
    COptMsgFieldCountEqualConfig& operator=(const COptMsgFieldCountEqualConfig& other) = default;
    ~COptMsgFieldCountEqualConfig() override;
};
