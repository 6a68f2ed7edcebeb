#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "eventconfig/EventConfig.h"

namespace {

const wchar_t kInitialField[] =
    L"<Operation Type=\"3\">"
    L"<InitialMsg Name=\"Rscp\" Length=\"2\" StartOffset=\"5\" "
    L"ID=\"40\"><M>1A</M><M></M></InitialMsg>"
    L"<ReceiveMsg Name=\"Ecno\" Length=\"3\" StartOffset=\"9\"><M>0x2B</M></ReceiveMsg>"
    L"</Operation>";

template <class Kind>
void ExpectReceived(Kind& kind) {
    EXPECT_EQ(kind.GetKeywordName(), L"Ecno");
    EXPECT_EQ(kind.GetLength(), 3);
    EXPECT_EQ(kind.GetOffset(), 9);
}

// 13, 14 and 17 are one shape; 15 reads less of "InitialMsg".
TEST(InitialFieldOperations, InitialAgainstReceivedField) {
    COptInitialFieldEqualConfig equal(kInitialField);
    COptInitFieldGreatOrEqual greatOrEqual(kInitialField);
    for (ecfg::InitialMsgFieldShape* kind :
         {static_cast<ecfg::InitialMsgFieldShape*>(&equal),
          static_cast<ecfg::InitialMsgFieldShape*>(&greatOrEqual)}) {
        ExpectReceived(*kind);
        EXPECT_EQ(kind->InReceiveMsgList(0x2B), 1);
        EXPECT_EQ(kind->InReceiveMsgList(0x1A), 0);
        EXPECT_EQ(kind->GetInitialMsgID(), (std::vector<int>{0x1A, 0}));
        EXPECT_EQ(kind->GetInitialKeywordName(), L"Rscp");
    }
    EXPECT_EQ(equal.GetInitialLength(), 2);
    EXPECT_EQ(equal.GetInitialOffset(), 5);
    EXPECT_EQ(greatOrEqual.InInitialMsgList(0), 1);  // only 15 shows the test
    EXPECT_EQ(greatOrEqual.InInitialMsgList(0x2B), 0);
}

TEST(InitialFieldOperations, BellowSumOfFields) {
    COptInitFieldBellowSumOfFields sum(
        L"<Operation Type=\"3\">"
        L"<InitialMsg ID=\"0x40\"><F Name=\"A\"/><F/><G Name=\"B\"/></InitialMsg>"
        L"<ReceiveMsg Name=\"Ecno\" Length=\"3\" "
        L"StartOffset=\"9\"><M>2B</M><M></M></ReceiveMsg></Operation>");
    ExpectReceived(sum);
    EXPECT_EQ(sum.GetInitialMsgID(), 0x40);
    EXPECT_EQ(sum.GetSumOfFieldsList(), (std::vector<std::wstring>{L"A", L"", L"B"}));
    EXPECT_EQ(sum.GetReceiveMsgList(), (std::vector<int>{0x2B, 0}));
    EXPECT_EQ(sum.IsInReceiveMsgList(0), 1);

    EXPECT_EQ(COptInitFieldBellowSumOfFields().GetInitialMsgID(), -1);
    EXPECT_EQ(COptInitFieldBellowSumOfFields(L"<Operation Type=\"16\"/>").GetInitialMsgID(), 0);
}

TEST(InitialFieldOperations, InitLogFieldBelongField) {
    COptInitLogFieldBelongFieldConfig belong(
        L"<Operation Type=\"44\"><InitialField ID=\"1F\"/><Field ID=\"0x20\"/></Operation>");
    EXPECT_EQ(belong.GetInitFieldID(), 0x1F);
    EXPECT_EQ(belong.GetFieldID(), 0x20);
    // Searches run forward: a "Field" before "InitialField" is not found.
    COptInitLogFieldBelongFieldConfig reversed(
        L"<Operation Type=\"44\"><Field ID=\"20\"/><InitialField ID=\"1F\"/></Operation>");
    EXPECT_EQ(reversed.GetInitFieldID(), 0x1F);
    EXPECT_EQ(reversed.GetFieldID(), 0);
}

}  // namespace
