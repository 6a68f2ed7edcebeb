#include <memory>
#include <string>
#include <vector>

#include "ActionKindTest.h"
#include "actions/ProtocolSwitchMode.h"

namespace {

using actiontest::Action;
using actiontest::ForEachBuild;
using Ids = std::vector<int>;

template <class Kind>
Ids RuleIDs(Kind& kind) {
    Ids ids{99};
    kind.GetRuleIDList(ids);
    return ids;
}

// The same element under either kind, with the two inner elements named.
std::wstring RuleWith(const std::wstring& first, const std::wstring& second) {
    return L"<Rule ID='1/2'><" + first + L" FieldName='RL_Num' MetaInfoName='RL_Meta'/><" + second +
           L" FieldName='PrimaryScramblingCode' MetaInfoName='PSC_Meta'/></Rule>";
}

// The four names of a radio link kind, in getter order.
template <class Kind>
using NameGetters = std::wstring (Kind::*[4])();

template <class Kind>
void CheckNamesKind(int type, const wchar_t* first, const wchar_t* second,
                    const NameGetters<Kind>& getters, const std::vector<std::wstring>& expected) {
    ForEachBuild<Kind>(type, RuleWith(first, second), [&](Kind& k) {
        EXPECT_EQ(RuleIDs(k), Ids({1, 2}));
        for (int i = 0; i < 4; ++i) EXPECT_EQ((k.*getters[i])(), expected[i]) << i;
    });
}

TEST(RadioLinkActions, RecordAndUpdateNames) {
    using Record = CAction_Record_RL_And_PSCConfig;
    using Update = CAct_Update_RL_And_PSCConfig;
    CheckNamesKind<Record>(24, L"RadioLink", L"PSC",
                           {&Record::GetRLTag, &Record::GetRLMetaInfoTag, &Record::GetPSCTag,
                            &Record::GetPSCMetaInfoTag},
                           {L"RL_Num", L"RL_Meta", L"PrimaryScramblingCode", L"PSC_Meta"});
    CheckNamesKind<Update>(25, L"AddInfo", L"RemoveInfo",
                           {&Update::GetAddPSCTag, &Update::GetAddPSCMetaInfoTag,
                            &Update::GetDelPSCTag, &Update::GetDelPSCMetaInfoTag},
                           {L"rl_num", L"rl_meta", L"primaryscramblingcode", L"psc_meta"});
}

// Elements out of order or missing give empty names, never those of another
// element.
TEST(RadioLinkActions, NamesOutOfOrderOrMissing) {
    CAct_Update_RL_And_PSCConfig swapped(Action(25, RuleWith(L"RemoveInfo", L"AddInfo")));
    EXPECT_EQ(swapped.GetAddPSCTag(), L"primaryscramblingcode");
    EXPECT_EQ(swapped.GetDelPSCTag(), L"");
    EXPECT_EQ(swapped.GetDelPSCMetaInfoTag(), L"");

    CAction_Record_RL_And_PSCConfig onlyPSC(Action(24, RuleWith(L"Other", L"PSC")));
    EXPECT_EQ(onlyPSC.GetRLTag(), L"");
    EXPECT_EQ(onlyPSC.GetPSCTag(), L"PrimaryScramblingCode");

    // Without "Rule" nothing below it is read.
    CAction_Record_RL_And_PSCConfig noRule(
        Action(24, L"<RadioLink FieldName='X'/><PSC FieldName='Y'/>"));
    EXPECT_EQ(RuleIDs(noRule), Ids());
    EXPECT_EQ(noRule.GetRLTag(), L"");
    EXPECT_EQ(noRule.GetPSCTag(), L"");
}

TEST(RadioLinkActions, SwitchProtocol) {
    const CActSwitchProtocol defaults;
    EXPECT_EQ(defaults.GetProtocol(), 0);
    EXPECT_EQ(defaults.GetSysID(), 0);
    EXPECT_TRUE(defaults.GetNeedActiveList().empty());
    ForEachBuild<CActSwitchProtocol>(
        29,
        L"<SwitchToProtocol ID='0x2'><SystemState ID='10'/>"
        L"<NeededActiveWaitingEventState><a>3</a><b>4</b><c/></NeededActiveWaitingEventState>"
        L"<NeededInActiveWaitingEventState/></SwitchToProtocol>",
        [](const CActSwitchProtocol& k) {
            EXPECT_EQ(k.GetProtocol(), 2);
            EXPECT_EQ(k.GetSysID(), 16);
            EXPECT_EQ(k.GetNeedActiveList(), Ids({3, 4, 0}));
            EXPECT_TRUE(k.GetNeedInactiveList().empty());
            // The lists are the object's own, not copies.
            EXPECT_EQ(&k.GetNeedActiveList(), &k.GetNeedActiveList());
        });
    // Lists in the wrong order are not found.
    CActSwitchProtocol swapped(
        Action(7,
               L"<SwitchToProtocol "
               L"ID='3'><NeededInActiveWaitingEventState><a>1</a></NeededInActiveWaitingEventState>"
               L"<NeededActiveWaitingEventState><a>2</a></NeededActiveWaitingEventState></"
               L"SwitchToProtocol>"));
    EXPECT_EQ(swapped.GetSysID(), 0);
    EXPECT_EQ(swapped.GetNeedActiveList(), Ids({2}));
    EXPECT_TRUE(swapped.GetNeedInactiveList().empty());
}

TEST(RadioLinkActions, EnterIntoProtocolSwitchMode) {
    EXPECT_TRUE(CAct_EnterIntoProtocalSwitchModeConfig().GetRunningWaitingEventStateList().empty());
    const std::wstring action =
        Action(30,
               L"<NeedRunningWaitingEventState><WaitingEventSate>7</WaitingEventSate>"
               L"<WaitingEventState>8</WaitingEventState><WaitingEventSate>9</WaitingEventSate>"
               L"</NeedRunningWaitingEventState>");
    CRuleConfig rule(L"<Rule><Operation/><ActionList><Result Type='FALSE'>" + action +
                     L"</Result></ActionList></Rule>");
    ASSERT_EQ(rule.GetFalseActionList().size(), 1u);
    std::unique_ptr<CActionConfig> made(CActionTypeFactory::GetInstance()->CreateAction(action));
    for (CActionConfig* kind : {rule.GetFalseActionList()[0], made.get()}) {
        auto* mode = dynamic_cast<CAct_EnterIntoProtocalSwitchModeConfig*>(kind);
        ASSERT_NE(mode, nullptr);
        EXPECT_EQ(mode->GetActionType(), 30);
        EXPECT_EQ(mode->GetActionInfo(), L"info");
        EXPECT_EQ(mode->GetRunningWaitingEventStateList(), Ids({7, 9}));
    }
}

}  // namespace
