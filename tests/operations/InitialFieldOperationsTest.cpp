#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "eventconfig/EventConfig.h"
#include "operations/RuleOperationSupport.h"

using ecfg_test::IsKind;
using ecfg_test::KindCase;

namespace {

TEST(InitialFieldOperations, EveryKindThroughRuleAndRegistry) {
    const KindCase kinds[] = {
        {13, false, IsKind<COptInitialFieldUnEqualConfig>},
        {14, false, IsKind<COptInitialFieldEqualConfig>},
        {15, false, IsKind<COptInitFieldGreatOrEqual>},
        {16, true, IsKind<COptInitFieldBellowSumOfFields>},
        {17, false, IsKind<COptInitFieldEqualWithOneRecvValue>},
        {44, true, IsKind<COptInitLogFieldBelongFieldConfig>},
    };
    for (const KindCase& kind : kinds) ecfg_test::ExpectKindThroughRuleAndRegistry(kind);
}

// "Type" says 3 throughout: the kinds with their own id ignore it.
const wchar_t kInitialField[] =
    L"<Operation Type=\"3\" Info=\"note\">"
    L"<InitialMsg Name=\"Rscp\" Length=\"2\" StartOffset=\"5\" "
    L"ID=\"40\"><M>1A</M><M></M></InitialMsg>"
    L"<ReceiveMsg Name=\"Ecno\" Length=\"3\" StartOffset=\"9\"><M>0x2B</M></ReceiveMsg>"
    L"</Operation>";

template <class Kind>
void ExpectReceived(Kind& kind, int typeID) {
    EXPECT_EQ(kind.GetOperationType(), typeID);
    EXPECT_EQ(kind.GetKeywordName(), L"Ecno");
    EXPECT_EQ(kind.GetLength(), 3);
    EXPECT_EQ(kind.GetOffset(), 9);
}

template <class Kind>
void ExpectInitialField(Kind kind, int typeID) {
    SCOPED_TRACE(typeID);
    ExpectReceived(kind, typeID);
    EXPECT_EQ(kind.GetOperationInfo(), L"");
    EXPECT_EQ(kind.InReceiveMsgList(0x2B), 1);
    EXPECT_EQ(kind.InReceiveMsgList(0x1A), 0);
    EXPECT_EQ(kind.GetInitialMsgID(), (std::vector<int>{0x1A, 0}));
    EXPECT_EQ(kind.GetInitialKeywordName(), L"Rscp");
}

TEST(InitialFieldOperations, InitialAgainstReceivedField) {
    ExpectInitialField(COptInitialFieldUnEqualConfig(kInitialField), 13);
    ExpectInitialField(COptInitialFieldEqualConfig(kInitialField), 14);
    ExpectInitialField(COptInitFieldEqualWithOneRecvValue(kInitialField), 17);
    COptInitialFieldEqualConfig equal(kInitialField);
    EXPECT_EQ(equal.GetInitialLength(), 2);
    EXPECT_EQ(equal.GetInitialOffset(), 5);

    ExpectInitialField(COptInitFieldGreatOrEqual(kInitialField), 15);
    COptInitFieldGreatOrEqual greatOrEqual(kInitialField);
    EXPECT_EQ(greatOrEqual.InInitialMsgList(0), 1);
    EXPECT_EQ(greatOrEqual.InInitialMsgList(0x2B), 0);
}

TEST(InitialFieldOperations, BellowSumOfFields) {
    COptInitFieldBellowSumOfFields sum(
        L"<Operation Type=\"3\" Info=\"note\">"
        L"<InitialMsg ID=\"0x40\"><F Name=\"A\"/><F/><G Name=\"B\"/></InitialMsg>"
        L"<ReceiveMsg Name=\"Ecno\" Length=\"3\" "
        L"StartOffset=\"9\"><M>2B</M><M></M></ReceiveMsg></Operation>");
    ExpectReceived(sum, 16);
    EXPECT_EQ(sum.GetOperationInfo(), L"note");
    EXPECT_EQ(sum.GetInitialMsgID(), 0x40);
    EXPECT_EQ(sum.GetSumOfFieldsList(), (std::vector<std::wstring>{L"A", L"", L"B"}));
    EXPECT_EQ(sum.GetReceiveMsgList(), (std::vector<int>{0x2B, 0}));
    EXPECT_EQ(sum.IsInReceiveMsgList(0), 1);

    EXPECT_EQ(COptInitFieldBellowSumOfFields().GetInitialMsgID(), -1);
    EXPECT_EQ(COptInitFieldBellowSumOfFields(L"<Operation Type=\"16\"/>").GetInitialMsgID(), 0);
}

TEST(InitialFieldOperations, InitLogFieldBelongField) {
    COptInitLogFieldBelongFieldConfig belong(
        L"<Operation Type=\"44\" Info=\"i\"><InitialField ID=\"1F\"/><Field "
        L"ID=\"0x20\"/></Operation>");
    EXPECT_EQ(belong.GetInitFieldID(), 0x1F);
    EXPECT_EQ(belong.GetFieldID(), 0x20);
    // Searches run forward: a "Field" before "InitialField" is not found.
    COptInitLogFieldBelongFieldConfig reversed(
        L"<Operation Type=\"44\"><Field ID=\"20\"/><InitialField ID=\"1F\"/></Operation>");
    EXPECT_EQ(reversed.GetInitFieldID(), 0x1F);
    EXPECT_EQ(reversed.GetFieldID(), 0);
}

TEST(InitialFieldOperations, CopiesAreMemberWise) {
    const COptInitialFieldEqualConfig source(kInitialField);
    COptInitialFieldEqualConfig assigned;
    assigned = source;
    ExpectInitialField(COptInitialFieldEqualConfig(source), 14);
    ExpectInitialField(assigned, 14);
    EXPECT_EQ(assigned.GetInitialOffset(), 5);
}

}  // namespace
