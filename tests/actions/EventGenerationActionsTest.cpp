#include <string>

#include "ActionKindTest.h"

namespace {

using actiontest::Action;
using actiontest::ForEachBuild;

// The kinds keeping the "EventID" element directly under the action element.
template <class Kind>
void ExpectEventIDKind(int type) {
    EXPECT_EQ(Kind().GetEventID(), 0);
    ForEachBuild<Kind>(type, L"<x>3</x><EventID>16</EventID>",
                       [](Kind& k) { EXPECT_EQ(k.GetEventID(), 16); });
    EXPECT_EQ(Kind(Action(type, L"<EventID>0x10</EventID>")).GetEventID(), 0);
    EXPECT_EQ(Kind(Action(type, L"<EventId>16</EventId>")).GetEventID(), 0);
}

TEST(EventGenerationActions, EventIDKinds) {
    ExpectEventIDKind<CActGenEventByTimeConfig>(12);
    ExpectEventIDKind<CActSaveEventIDConfig>(21);
    ExpectEventIDKind<CActDeleteEventIDConfig>(22);
    const CActGenEventByTimeConfig timed(Action(12, L"<EventID> 8</EventID>"));
    EXPECT_EQ(timed.GetEventID(), 8);
}

TEST(EventGenerationActions, OptionalEventIDKeepsMinusOne) {
    EXPECT_EQ(CActGenEventConfig().GetEventID(), -1);
    ForEachBuild<CActGenEventConfig>(1, L"<EventID>7</EventID>",
                                     [](auto& k) { EXPECT_EQ(k.GetEventID(), 7); });
    EXPECT_EQ(CActGenEventConfig(Action(1, L"<x>7</x>")).GetEventID(), -1);

    ForEachBuild<CActGenSystemEventConfig>(40, L"<EventID>7</EventID>", [](auto& k) {
        EXPECT_EQ(k.GetEventID(), 7);
        EXPECT_EQ(k.GetEventInfo(), L"SystemEvent");
    });
    CActGenSystemEventConfig none(Action(40, L""));
    EXPECT_EQ(none.GetEventID(), -1);
    EXPECT_EQ(none.GetEventInfo(), L"");
}

TEST(EventGenerationActions, GenEventWithLogFieldInfo) {
    CActGenEventWithLogFieldInfo prototype;
    EXPECT_EQ(prototype.GetEventID(), -1);
    EXPECT_EQ(prototype.GetLogFieldID(), -1);
    EXPECT_EQ(prototype.GetInfoName(), L"");
    ForEachBuild<CActGenEventWithLogFieldInfo>(
        34, L"<EventID>5</EventID><LogFieldID>1f</LogFieldID><InfoName>cause</InfoName>",
        [](auto& k) {
            EXPECT_EQ(k.GetEventID(), 5);
            EXPECT_EQ(k.GetLogFieldID(), 31);
            EXPECT_EQ(k.GetInfoName(), L"cause");
        });
    // A missing child reads empty, never the text of the child before it.
    const struct {
        const wchar_t* children;
        int eventID, logFieldID;
        const wchar_t* infoName;
    } cases[] = {
        {L"<EventID>5</EventID><LogFieldID>0x1f</LogFieldID>", 5, 31, L""},
        {L"<EventID>12</EventID><InfoName>cause</InfoName>", 12, 0, L"cause"},
        {L"<LogFieldID>a</LogFieldID><InfoName>x</InfoName>", -1, 10, L"x"},
        {L"<InfoName>x</InfoName><LogFieldID>a</LogFieldID>", -1, 10, L""},
    };
    for (const auto& c : cases) {
        CActGenEventWithLogFieldInfo kind(Action(34, c.children));
        EXPECT_EQ(kind.GetEventID(), c.eventID) << c.children;
        EXPECT_EQ(kind.GetLogFieldID(), c.logFieldID) << c.children;
        EXPECT_EQ(kind.GetInfoName(), c.infoName) << c.children;
    }
}

TEST(EventGenerationActions, GenEventInfoFromMsg) {
    CAct_GenEvent_InfoFromMsgConfig prototype;
    EXPECT_EQ(prototype.GetEventID(), 0);
    EXPECT_EQ(prototype.InMsgIDList(0), 0);
    ForEachBuild<CAct_GenEvent_InfoFromMsgConfig>(
        36,
        L"<Msg Name='Cause' Length='4' "
        L"StartOffset='2'><a>1A</a><b>0x2B</b><c/></Msg><EventID>9</EventID>",
        [](auto& k) {
            EXPECT_EQ(k.GetToSaveFieldName(), L"Cause");
            EXPECT_EQ(k.GetLength(), 4);
            EXPECT_EQ(k.GetOffset(), 2);
            EXPECT_EQ(k.GetEventID(), 9);
            EXPECT_EQ(k.InMsgIDList(26), 1);
            EXPECT_EQ(k.InMsgIDList(43), 1);
            EXPECT_EQ(k.InMsgIDList(0), 1);  // the empty child
            EXPECT_EQ(k.InMsgIDList(27), 0);
        });
    // "EventID" is searched for after "Msg" only.
    CAct_GenEvent_InfoFromMsgConfig before(
        Action(36, L"<EventID>9</EventID><Msg Name='n'><a>1</a></Msg>"));
    EXPECT_EQ(before.GetEventID(), 0);
    EXPECT_EQ(before.InMsgIDList(1), 1);
    CAct_GenEvent_InfoFromMsgConfig noMsg(Action(36, L"<m Name='n'><a>1</a></m>"));
    EXPECT_EQ(noMsg.GetToSaveFieldName(), L"");
    EXPECT_EQ(noMsg.InMsgIDList(1), 0);
}

}  // namespace
