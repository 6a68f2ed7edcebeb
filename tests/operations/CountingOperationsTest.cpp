#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "eventconfig/EventConfig.h"

namespace {

// ---- 35, 38 and 27 to 30: a counted "Field" -----------------------------------

std::wstring CountedField(const std::wstring& needed, const std::wstring& children = L"") {
    return L"<Operation><Msg ID=\"1A/2B\"><Field Name=\"CellId\" StartSearchTag=\"Cell=\" "
           L"EndSearchTag=\";\" StartOffset=\"3\" NeedMeetedNum=\"" +
           needed + L"\">" + children + L"</Field></Msg></Operation>";
}

void ExpectCountedField(ecfg::MsgFieldCountShape& kind, int needed) {
    EXPECT_EQ(kind.InMsgList(0x1A), 1);
    EXPECT_EQ(kind.InMsgList(0x2B), 1);
    EXPECT_EQ(kind.InMsgList(0x3C), 0);
    EXPECT_EQ(kind.GetKeywordName(), L"CellId");
    EXPECT_EQ(kind.GetStartSearchTag(), L"Cell=");
    EXPECT_EQ(kind.GetEndSearchTag(), L";");
    EXPECT_EQ(kind.GetOffset(), 3);
    EXPECT_EQ(kind.GetNeedMeetedNum(), needed);
}

struct NeededCase {
    int nTypeID;
    const wchar_t* text;
    int needed;
};

TEST(CountingOperations, NeededNumberOnlyEqualTakesAll) {
    const NeededCase cases[] = {
        {29, L"All", -1}, {29, L"all", -1}, {29, L"ALL", -1}, {29, L"3", 3},
        {29, L"all ", 0}, {27, L"All", 0},  {28, L"all", 0},  {30, L"all", 0},
        {27, L"3", 3},    {30, L"-2", -2},  {35, L"all", 0},  {38, L"12abc", 12},
    };
    for (const NeededCase& c : cases) {
        SCOPED_TRACE(c.text);
        CRuleConfig rule(L"<Rule ID=\"1\"><Operation Type=\"" + std::to_wstring(c.nTypeID) + L"\"" +
                         CountedField(c.text).substr(10) + L"</Rule>");
        auto* kind = dynamic_cast<ecfg::MsgFieldCountShape*>(rule.GetOperationType());
        ASSERT_NE(kind, nullptr);
        EXPECT_EQ(kind->GetOperationType(), c.nTypeID);
        ExpectCountedField(*kind, c.needed);
    }
    EXPECT_EQ(COptMsgFieldCountGEConfig().GetNeedMeetedNum(), 0);
}

const wchar_t kCandidates[] = L"<V>0x10</V><V>Abc</V><V></V><W>7x</W>";

TEST(CountingOperations, CandidateValuesAreLowerCasedAndKeptWhenEmpty) {
    COptMsgSatisFieldCount_BE kind(CountedField(L"2", kCandidates));
    ExpectCountedField(kind, 2);
    const std::vector<std::wstring> expected = {L"0x10", L"abc", L"", L"7x"};
    EXPECT_EQ(kind.GetCandidateValue(), expected);
    EXPECT_TRUE(COptMsgSatisFieldCount_GE().GetCandidateValue().empty());
}

struct SatisfyCase {
    const wchar_t* candidates;
    const wchar_t* value;
    int satisfied;
};

TEST(CountingOperations, IsValueSatisfy) {
    const SatisfyCase cases[] = {
        {kCandidates, L"16", 1},  // a number against the hex candidate
        {kCandidates, L"0x10", 1},
        {kCandidates, L"abc", 1},
        {kCandidates, L"Abc", 0},  // values are not lower-cased
        {kCandidates, L"", 1},     // the empty candidate
        {kCandidates, L"7", 1},    // 7x reads as 7
        {kCandidates, L"8", 0},
        {L"<V>x7</V>", L"7", 0},  // a number never matches a non-number
        {L"<V>7x</V>", L"7", 1},
        {L"<V>7</V>", L"7x", 1},
        {L"<V>7</V>", L" 7", 0},  // not a number, and not equal to the text
        {L"", L"7", 0},
        {L"", L"", 0},
        {L"<V>-5</V>", L"-5", 1},     // neither a number: compared as text
        {L"<V>5 0x10</V>", L"5", 1},  // "5 0x10" is read in base 16
    };
    for (const SatisfyCase& c : cases) {
        SCOPED_TRACE(c.value);
        COptMsgSatisFieldCount_UnEqual kind(CountedField(L"1", c.candidates));
        EXPECT_EQ(kind.IsValueSatisfy(c.value), c.satisfied);
    }
}

// ---- 24, 25, 41 ---------------------------------------------------------------

TEST(CountingOperations, Frequencies) {
    COptMsgFreqEqualLogFreqConfig kind(
        L"<Operation><InitialField ID=\"2F\" IsFreq=\"1\"/>"
        L"<ReceiveMsg Name=\"Rscp\" StartSearchTag=\"Rscp=\" EndSearchTag=\",\" "
        L"StartOffset=\"1\"><M>1A</M><M></M></ReceiveMsg></Operation>");
    EXPECT_EQ(kind.GetFieldID(), 0x2F);
    EXPECT_EQ(kind.IsFreqInfo(), 1);
    EXPECT_EQ(kind.GetKeywordName(), L"Rscp");
    EXPECT_EQ(kind.GetStartSearchTag(), L"Rscp=");
    EXPECT_EQ(kind.GetEndSearchTag(), L",");
    EXPECT_EQ(kind.GetOffset(), 1);
    EXPECT_EQ(kind.InReceiveMsgList(0x1A), 1);
    EXPECT_EQ(kind.InReceiveMsgList(0), 1);
    EXPECT_EQ(kind.InReceiveMsgList(0x2F), 0);
    EXPECT_EQ(COptMsgFreqEqualLogFreqConfig().IsFreqInfo(), 0);
}

// ---- 26 -----------------------------------------------------------------------

struct RangeCase {
    const wchar_t* minNum;
    const wchar_t* maxNum;
    int number;
    int satisfied;
};

TEST(CountingOperations, CalcLogFieldNumRange) {
    const RangeCase cases[] = {
        {L"2", L"Infin", 2, 1}, {L"2", L"Infin", 0x7F7F7F7F, 1},
        {L"2", L"Infin", 1, 0}, {L"2", L"Infin", INT_MAX, 0},
        {L"2", L"infin", 2, 0}, {L"2", L"infin", 0, 0},  // "infin" reads as 0
        {L"5", L"3", 4, 0},     {L"-3", L"3", -3, 1},
        {L"-3", L"3", 3, 1},    {L"-3", L"3", 4, 0},
        {L"0", nullptr, 0, 1},  {L"0", nullptr, 1, 0},  // no "MaxNum": 0
    };
    for (const RangeCase& c : cases) {
        SCOPED_TRACE(c.number);
        std::wstring field = L"<Field ID=\"1F\" MinNum=\"" + std::wstring(c.minNum) + L"\"";
        if (c.maxNum) field += L" MaxNum=\"" + std::wstring(c.maxNum) + L"\"";
        COptCalcLogFieldNum kind(L"<Operation Type=\"26\">" + field + L"/></Operation>");
        EXPECT_EQ(kind.GetFieldID(), 0x1F);
        EXPECT_EQ(kind.IsNumSatisfy(c.number), c.satisfied);
    }
    COptCalcLogFieldNum prototype;
    EXPECT_EQ(prototype.IsNumSatisfy(0), 1);
    EXPECT_EQ(prototype.IsNumSatisfy(1), 0);
}

// ---- 36, 37 -------------------------------------------------------------------

TEST(CountingOperations, FieldFollowedBySomeFields) {
    COptMsgFieldFollowedBySomeFieldConfg kind(
        L"<Operation><Msg ID=\"1A/\"><KeyField Name=\"Key\">"
        L"<F>First</F><F></F><G>Third</G></KeyField></Msg></Operation>");
    EXPECT_EQ(kind.InMsgList(0x1A), 1);
    EXPECT_EQ(kind.InMsgList(0), 1);
    EXPECT_EQ(kind.GetKeyName(), L"Key");
    EXPECT_EQ(kind.GetContainField(), (std::vector<std::wstring>{L"First", L"", L"Third"}));
}

TEST(CountingOperations, PscAndRadioLinkNumbers) {
    COptPSCAndRLNumNotChangeCofnig kind(
        L"<Operation><MsgList><M>1A</M><M></M></MsgList>"
        L"<MsgField><RadioLink FieldName=\"RL\" MetaInfoName=\"RLMeta\"/>"
        L"<PSC FieldName=\"Psc\" MetaInfoName=\"PscMeta\"/></MsgField></Operation>");
    EXPECT_EQ(kind.InMsgList(0x1A), 1);
    EXPECT_EQ(kind.InMsgList(0), 1);
    EXPECT_EQ(kind.GetRLTag(), L"RL");
    EXPECT_EQ(kind.GetRLMetaInfoTag(), L"RLMeta");
    EXPECT_EQ(kind.GetPSCTag(), L"Psc");
    EXPECT_EQ(kind.GetPSCMetaInfoTag(), L"PscMeta");
}

TEST(CountingOperations, MissingElementReadsNothingFromItsPredecessor) {
    // No "PSC": the names of "RadioLink" before it are not taken again.
    COptPSCAndRLNumNotChangeCofnig psc(
        L"<Operation><MsgField><RadioLink FieldName=\"RL\" MetaInfoName=\"M\"/></MsgField>"
        L"</Operation>");
    EXPECT_EQ(psc.GetRLTag(), L"RL");
    EXPECT_EQ(psc.GetPSCTag(), L"");
    EXPECT_EQ(psc.GetPSCMetaInfoTag(), L"");
    // No "ReceiveMsg": the locator of "InitialField" is not taken.
    COptMsgFreqUnEqualLogFreqConfig freq(
        L"<Operation><InitialField ID=\"1\" Name=\"x\"><M>7</M></InitialField></Operation>");
    EXPECT_EQ(freq.GetKeywordName(), L"");
    EXPECT_EQ(freq.InReceiveMsgList(7), 0);
}

}  // namespace
