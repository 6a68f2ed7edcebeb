#include "eventconfig/operations/CountingOperations.h"

#include "operations/MsgFieldShapes.h"
#include "reading/Reading.h"

using ecfg::Header;
using ecfg::InsideElement;

namespace ecfg {

// ---- 35, 38 -------------------------------------------------------------------

MsgFieldCountShape::MsgFieldCountShape(Operation_Type_Enum id) : MsgTagFieldShape(OwnHeader(id)) {}

// Of the two, only the GE kind keeps the element's "Info".
MsgFieldCountShape::MsgFieldCountShape(const XmlSource& source, Operation_Type_Enum id)
    : MsgTagFieldShape(ReadHeader(
          source, id,
          id == OPT_TYPE_MSG_FIELD_COUNT_GE ? Header::FromElementThenOwnId : Header::OwnId)) {
    InsideElement reader(source);
    m_nNeedMeetedNum = DecToInt(ReadCountedField(reader));
}

std::wstring MsgFieldCountShape::ReadCountedField(XmlReader& reader) {
    ReadMsgAndField(reader);
    return reader.Attr(L"NeedMeetedNum");
}

// ---- 27 to 30 -----------------------------------------------------------------

MsgSatisFieldCountShape::MsgSatisFieldCountShape(Operation_Type_Enum id) : MsgFieldCountShape(id) {}

MsgSatisFieldCountShape::MsgSatisFieldCountShape(const XmlSource& source, Operation_Type_Enum id)
    : MsgFieldCountShape(id) {
    InsideElement reader(source);
    std::wstring needed = ReadCountedField(reader);
    // Only the Equal kind knows "all" (every message), stored as -1.
    if (id == OPT_TYPE_MSG_SATIS_FIELD_COUNT_EQUAL) {
        ToLower(needed);
        SetNeedMeetedNum(needed == L"all" ? -1 : DecToInt(needed));
    } else {
        SetNeedMeetedNum(DecToInt(needed));
    }
    reader.EachChild(nullptr, [&] { m_vecCandidateValue.push_back(Lowered(reader.Data())); });
}

int MsgSatisFieldCountShape::IsValueSatisfy(std::wstring value) {
    int number = 0;
    if (ConvertToIntNum(value, number)) {
        for (const std::wstring& candidate : m_vecCandidateValue) {
            int candidateNumber = 0;
            if (ConvertToIntNum(candidate, candidateNumber) && candidateNumber == number) return 1;
        }
        return 0;
    }
    for (const std::wstring& candidate : m_vecCandidateValue)
        if (value == candidate) return 1;
    return 0;
}

// ---- 24, 25, 41 ---------------------------------------------------------------

MsgFreqLogFreqShape::MsgFreqLogFreqShape(Operation_Type_Enum id)
    : COperationTypeConfig(OwnHeader(id)) {}

MsgFreqLogFreqShape::MsgFreqLogFreqShape(const XmlSource& source, Operation_Type_Enum id)
    : MsgFreqLogFreqShape(id) {
    InsideElement reader(source);
    m_nFieldID = ReadInitialFieldID(reader);
    m_nIsFreqInfo = reader.AttrDec(L"IsFreq");
    reader.Find(L"ReceiveMsg");
    const TagLocator locator = ReadTagLocator(reader, TagForm::Forward, Lower::None);
    m_strKeywordName = locator.name;
    m_nOffset = locator.offset;
    m_strStartSearchTag = locator.startTag;
    m_strEndSearchTag = locator.endTag;
    ReadChildNumbers(reader, kHex, EmptyText::AsZero, m_vecReceiveMsgList);
}

int MsgFreqLogFreqShape::InReceiveMsgList(int msgID) {
    return InList(m_vecReceiveMsgList, msgID);
}

}  // namespace ecfg

COptMsgFreqEqualLogFreqConfig::COptMsgFreqEqualLogFreqConfig()
    : MsgFreqLogFreqShape(OPT_TYPE_MSG_FREQ_EQUAL_LOG_FREQ) {}
COptMsgFreqEqualLogFreqConfig::COptMsgFreqEqualLogFreqConfig(const ecfg::XmlSource& source)
    : MsgFreqLogFreqShape(source, OPT_TYPE_MSG_FREQ_EQUAL_LOG_FREQ) {}
COptMsgFreqEqualLogFreqConfig::~COptMsgFreqEqualLogFreqConfig() {}
ECFG_OPERATION_TEXT_AND_CLONE(COptMsgFreqEqualLogFreqConfig, std::wstring);
COptMsgFreqUnEqualLogFreqConfig::COptMsgFreqUnEqualLogFreqConfig()
    : MsgFreqLogFreqShape(OPT_TYPE_MSG_FREQ_UNEQUAL_LOG_FREQ) {}
COptMsgFreqUnEqualLogFreqConfig::COptMsgFreqUnEqualLogFreqConfig(const ecfg::XmlSource& source)
    : MsgFreqLogFreqShape(source, OPT_TYPE_MSG_FREQ_UNEQUAL_LOG_FREQ) {}
COptMsgFreqUnEqualLogFreqConfig::~COptMsgFreqUnEqualLogFreqConfig() {}
ECFG_OPERATION_TEXT_AND_CLONE(COptMsgFreqUnEqualLogFreqConfig, std::wstring);
COptMsgFreqEqualLogFreq_OrLogNotExistConfig::COptMsgFreqEqualLogFreq_OrLogNotExistConfig()
    : MsgFreqLogFreqShape(OPT_TYPE_MSG_FREQ_EQUAL_LOG_FREQ_OR_LOG_NOT_EXIST) {}
COptMsgFreqEqualLogFreq_OrLogNotExistConfig::COptMsgFreqEqualLogFreq_OrLogNotExistConfig(
    const ecfg::XmlSource& source)
    : MsgFreqLogFreqShape(source, OPT_TYPE_MSG_FREQ_EQUAL_LOG_FREQ_OR_LOG_NOT_EXIST) {}
COptMsgFreqEqualLogFreq_OrLogNotExistConfig::~COptMsgFreqEqualLogFreq_OrLogNotExistConfig() {}
ECFG_OPERATION_TEXT_AND_CLONE(COptMsgFreqEqualLogFreq_OrLogNotExistConfig, std::wstring);
COptMsgSatisFieldCount_GE::COptMsgSatisFieldCount_GE()
    : MsgSatisFieldCountShape(OPT_TYPE_MSG_SATIS_FIELD_COUNT_GE) {}
COptMsgSatisFieldCount_GE::COptMsgSatisFieldCount_GE(const ecfg::XmlSource& source)
    : MsgSatisFieldCountShape(source, OPT_TYPE_MSG_SATIS_FIELD_COUNT_GE) {}
COptMsgSatisFieldCount_GE::~COptMsgSatisFieldCount_GE() {}
ECFG_OPERATION_TEXT_AND_CLONE(COptMsgSatisFieldCount_GE, std::wstring);
COptMsgSatisFieldCount_BE::COptMsgSatisFieldCount_BE()
    : MsgSatisFieldCountShape(OPT_TYPE_MSG_SATIS_FIELD_COUNT_BE) {}
COptMsgSatisFieldCount_BE::COptMsgSatisFieldCount_BE(const ecfg::XmlSource& source)
    : MsgSatisFieldCountShape(source, OPT_TYPE_MSG_SATIS_FIELD_COUNT_BE) {}
COptMsgSatisFieldCount_BE::~COptMsgSatisFieldCount_BE() {}
ECFG_OPERATION_TEXT_AND_CLONE(COptMsgSatisFieldCount_BE, std::wstring);
COptMsgSatisFieldCount_Equal::COptMsgSatisFieldCount_Equal()
    : MsgSatisFieldCountShape(OPT_TYPE_MSG_SATIS_FIELD_COUNT_EQUAL) {}
COptMsgSatisFieldCount_Equal::COptMsgSatisFieldCount_Equal(const ecfg::XmlSource& source)
    : MsgSatisFieldCountShape(source, OPT_TYPE_MSG_SATIS_FIELD_COUNT_EQUAL) {}
COptMsgSatisFieldCount_Equal::~COptMsgSatisFieldCount_Equal() {}
ECFG_OPERATION_TEXT_AND_CLONE(COptMsgSatisFieldCount_Equal, std::wstring);
COptMsgSatisFieldCount_UnEqual::COptMsgSatisFieldCount_UnEqual()
    : MsgSatisFieldCountShape(OPT_TYPE_MSG_SATIS_FIELD_COUNT_UNEQUAL) {}
COptMsgSatisFieldCount_UnEqual::COptMsgSatisFieldCount_UnEqual(const ecfg::XmlSource& source)
    : MsgSatisFieldCountShape(source, OPT_TYPE_MSG_SATIS_FIELD_COUNT_UNEQUAL) {}
COptMsgSatisFieldCount_UnEqual::~COptMsgSatisFieldCount_UnEqual() {}
ECFG_OPERATION_TEXT_AND_CLONE(COptMsgSatisFieldCount_UnEqual, std::wstring);
COptMsgFieldCountGEConfig::COptMsgFieldCountGEConfig()
    : MsgFieldCountShape(OPT_TYPE_MSG_FIELD_COUNT_GE) {}
COptMsgFieldCountGEConfig::COptMsgFieldCountGEConfig(const ecfg::XmlSource& source)
    : MsgFieldCountShape(source, OPT_TYPE_MSG_FIELD_COUNT_GE) {}
COptMsgFieldCountGEConfig::~COptMsgFieldCountGEConfig() {}
ECFG_OPERATION_TEXT_AND_CLONE(COptMsgFieldCountGEConfig, std::wstring);
COptMsgFieldCountEqualConfig::COptMsgFieldCountEqualConfig()
    : MsgFieldCountShape(OPT_TYPE_MSG_FIELD_COUNT_EQUAL) {}
COptMsgFieldCountEqualConfig::COptMsgFieldCountEqualConfig(const ecfg::XmlSource& source)
    : MsgFieldCountShape(source, OPT_TYPE_MSG_FIELD_COUNT_EQUAL) {}
COptMsgFieldCountEqualConfig::~COptMsgFieldCountEqualConfig() {}
ECFG_OPERATION_TEXT_AND_CLONE(COptMsgFieldCountEqualConfig, std::wstring);

// ---- 26 -----------------------------------------------------------------------

COptCalcLogFieldNum::COptCalcLogFieldNum()
    : COperationTypeConfig(ecfg::OwnHeader(OPT_TYPE_CALC_LOG_FIELD_NUM)) {}
COptCalcLogFieldNum::~COptCalcLogFieldNum() {}
ECFG_OPERATION_TEXT_AND_CLONE(COptCalcLogFieldNum, std::wstring);

COptCalcLogFieldNum::COptCalcLogFieldNum(const ecfg::XmlSource& source)
    : COperationTypeConfig(source) {
    InsideElement reader(source);
    reader.Find(L"Field");
    m_nFieldID = reader.AttrHex(L"ID");
    m_nMinNum = reader.AttrDec(L"MinNum");
    const std::wstring maxNum = reader.Attr(L"MaxNum");
    m_nMaxNum = (maxNum == L"Infin") ? kInfiniteNum : ecfg::DecToInt(maxNum);
}

int COptCalcLogFieldNum::IsNumSatisfy(int number) {
    return (m_nMinNum <= number && number <= m_nMaxNum) ? 1 : 0;
}

// ---- 36 -----------------------------------------------------------------------

COptMsgFieldFollowedBySomeFieldConfg::COptMsgFieldFollowedBySomeFieldConfg()
    : COperationTypeConfig(ecfg::OwnHeader(OPT_TYPE_MSG_FIELD_FOLLOWED_BY_SOME_FIELD)) {}
COptMsgFieldFollowedBySomeFieldConfg::~COptMsgFieldFollowedBySomeFieldConfg() {}
ECFG_OPERATION_TEXT_AND_CLONE(COptMsgFieldFollowedBySomeFieldConfg, std::wstring);

COptMsgFieldFollowedBySomeFieldConfg::COptMsgFieldFollowedBySomeFieldConfg(
    const ecfg::XmlSource& source)
    : COptMsgFieldFollowedBySomeFieldConfg() {
    InsideElement reader(source);
    reader.Find(L"Msg");
    ecfg::GetMsgIDList(reader.Attr(L"ID"), m_vecMsgIDList);
    reader.Into();
    reader.Find(L"KeyField");
    m_strKeyName = reader.Attr(L"Name");
    reader.EachChild(nullptr, [&] { m_vecContainField.push_back(reader.Data()); });
}

int COptMsgFieldFollowedBySomeFieldConfg::InMsgList(int msgID) {
    return ecfg::InList(m_vecMsgIDList, msgID);
}

// ---- 37 -----------------------------------------------------------------------

COptPSCAndRLNumNotChangeCofnig::COptPSCAndRLNumNotChangeCofnig()
    : COperationTypeConfig(ecfg::OwnHeader(OPT_TYPE_PSC_AND_RL_NUM_NOT_CHANGE)) {}
COptPSCAndRLNumNotChangeCofnig::~COptPSCAndRLNumNotChangeCofnig() {}
ECFG_OPERATION_TEXT_AND_CLONE(COptPSCAndRLNumNotChangeCofnig, std::wstring);

COptPSCAndRLNumNotChangeCofnig::COptPSCAndRLNumNotChangeCofnig(const ecfg::XmlSource& source)
    : COperationTypeConfig(source) {
    InsideElement reader(source);
    reader.Find(L"MsgList");
    ecfg::ReadChildNumbers(reader, ecfg::kHex, ecfg::EmptyText::AsZero, m_vecMsgList);
    reader.Find(L"MsgField");
    reader.Into();
    reader.Find(L"RadioLink");
    m_strRLTag = reader.Attr(L"FieldName");
    m_strRLMetaInfoTag = reader.Attr(L"MetaInfoName");
    reader.Find(L"PSC");
    m_strPSCTag = reader.Attr(L"FieldName");
    m_strPSCMetaInfoTag = reader.Attr(L"MetaInfoName");
}

int COptPSCAndRLNumNotChangeCofnig::InMsgList(int msgID) {
    return ecfg::InList(m_vecMsgList, msgID);
}
