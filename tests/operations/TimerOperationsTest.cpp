#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "eventconfig/EventConfig.h"

namespace {

std::wstring Operation(int type, const std::wstring& children) {
    return L"<Operation Type=\"" + std::to_wstring(type) + L"\">" + children + L"</Operation>";
}

TEST(TimerOperations, StartTimers) {
    EXPECT_EQ(COptStartTimerConfig(Operation(1, L"<T>250ms</T>")).GetTimeLimited(), 250);

    COptStartTimerAndWaitMsgConfig wait(Operation(2, L"<T>300</T><M>1A</M>"));
    EXPECT_EQ(wait.GetTime(), 300);
    EXPECT_EQ(wait.GetMsgID(), 0x1A);
    // Only one child: the message id is absent (0), not the time read again.
    COptStartTimerAndWaitMsgConfig oneChild(Operation(2, L"<T>300</T>"));
    EXPECT_EQ(oneChild.GetMsgID(), 0);
    EXPECT_EQ(COptStartTimerAndWaitMsgConfig().GetMsgID(), -1);

    COptStartTimer_By_MsgField_Config byField(Operation(
        42, L"<Ids>10/11</Ids><F Name=\"Timer\" Length=\"2\" StartOffset=\"7\"/><Add>15</Add>"));
    EXPECT_EQ(byField.GetMsgIDs(), (std::vector<int>{0x10, 0x11}));
    EXPECT_EQ(byField.InMsgList(0x11), 1);
    EXPECT_EQ(byField.GetFieldName(), L"Timer");
    EXPECT_EQ(byField.GetFieldLength(), 2);
    EXPECT_EQ(byField.GetOffset(), 7);
    EXPECT_EQ(byField.GetAddedTime(), 15);
    EXPECT_TRUE(
        COptStartTimer_By_MsgField_Config(Operation(42, L"<Ids/><F/>")).GetMsgIDs().empty());
}

// Message ids are hex, event ids decimal; empty children count as 0 in both.
TEST(TimerOperations, WaitLists) {
    const std::wstring children = L"<M>1A</M><M></M><N>0x2B</N>";
    COptWaitMsgConfig waitMsg(Operation(4, children));
    COptStartCounterAndWaitMsgConfig counter(
        Operation(3, L"<Count>3</Count><MsgList>" + children + L"</MsgList>"));
    EXPECT_EQ(counter.GetCount(), 3);
    for (int id : {0x1A, 0, 0x2B}) {
        EXPECT_EQ(waitMsg.InMsgList(id), 1) << id;
        EXPECT_EQ(counter.InMsgList(id), 1) << id;
    }
    EXPECT_EQ(waitMsg.InMsgList(0x1B), 0);
    EXPECT_EQ(COptWaitMsgConfig().InMsgList(0), 0);

    COptWaitEventConfig events(Operation(23, L"<E>1A</E><E></E><E>12</E>"));
    EXPECT_EQ(events.GetEventIDList(), (std::vector<int>{1, 0, 12}));
}

TEST(TimerOperations, WaitLogs) {
    EXPECT_EQ(COptWaitLogConfig(Operation(5, L"<FieldID>1F</FieldID>")).GetLogCodeFieldID(), 0x1F);
    EXPECT_EQ(COptWaitLogConfig(Operation(5, L"")).GetLogCodeFieldID(), 0);
    EXPECT_EQ(COptWaitLogConfig().GetLogCodeFieldID(), -1);

    COptWaitLog_FieldEqualConfig fieldEqual(
        Operation(19, L"<Field ID=\"0x20\"><V>Abc</V><V/><V>2</V></Field>"));
    EXPECT_EQ(fieldEqual.GetFieldID(), 0x20);
    EXPECT_EQ(fieldEqual.GetValueList(), (std::vector<std::wstring>{L"Abc", L"2"}));
}

}  // namespace
