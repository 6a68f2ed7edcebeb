#include <vector>

#include "ActionKindTest.h"

namespace {

using actiontest::ForEachBuild;
using Ids = std::vector<int>;

// Each id-list kind reads every child, any name, in order, duplicates kept.
template <class Kind, class Getter>
void ExpectIdListKind(int type, Getter get) {
    EXPECT_EQ((Kind().*get)(), Ids());
    ForEachBuild<Kind>(type, L"<A>3</A><B>7</B><A>3</A>", [&](Kind& kind) {
        EXPECT_EQ((kind.*get)(), Ids({3, 7, 3})) << type;
    });
}

TEST(StateControlActions, IdListKinds) {
    ExpectIdListKind<CActInitActiveEventStateConfig>(
        3, &CActInitActiveEventStateConfig::GetToActivateEventStateList);
    ExpectIdListKind<CActTranEventStateConfig>(5,
                                               &CActTranEventStateConfig::GetToTranEventStateList);
    ExpectIdListKind<CActDelEventStateConfig>(6, &CActDelEventStateConfig::GetToDelEventStateList);
    ExpectIdListKind<CActAcitveRulesConfig>(14, &CActAcitveRulesConfig::GetToActiveRulesList);
    ExpectIdListKind<CActInActiveRulesConfig>(15, &CActInActiveRulesConfig::GetToInActiveRulesList);
    ExpectIdListKind<CActResetWaitingEventStateConfig>(
        23, &CActResetWaitingEventStateConfig::GetToResetRulesList);
    ExpectIdListKind<CActActiveEventStateAndPrcPacket>(
        35, &CActActiveEventStateAndPrcPacket::GetToActiveEventStateList);
}

TEST(StateControlActions, IdListTexts) {
    const struct {
        const wchar_t* children;
        Ids ids;
    } cases[] = {
        {L"", {}},
        {L"<a></a><b/><c>12abc</c><d>0x1A</d><e> -4</e>", {0, 0, 12, 0, -4}},
        {L"<a>99999999999</a>", {2147483647}},
    };
    for (const auto& c : cases) {
        CActTranEventStateConfig kind(actiontest::Action(5, c.children));
        EXPECT_EQ(kind.GetToTranEventStateList(), c.ids) << c.children;
    }
}

TEST(StateControlActions, SingleValueKinds) {
    EXPECT_EQ(CActTranSysStateConfig().GetTranSysState(), 0);
    EXPECT_EQ(CActTranRuleConfig().GetTranRuleID(), -1);
    EXPECT_EQ(CActResetStateMachineConfig().GetResetTime(), 0u);

    ForEachBuild<CActTranSysStateConfig>(2, L"<x>1</x><SystemStateID>4</SystemStateID>",
                                         [](auto& k) { EXPECT_EQ(k.GetTranSysState(), 4); });
    ForEachBuild<CActTranRuleConfig>(7, L"<x>1</x><RuleID>9</RuleID>",
                                     [](auto& k) { EXPECT_EQ(k.GetTranRuleID(), 9); });
    ForEachBuild<CActResetStateMachineConfig>(41, L"<Any>3000</Any><Time>5</Time>",
                                              [](auto& k) { EXPECT_EQ(k.GetResetTime(), 3000u); });
    // An absent child reads 0, not the prototype's value.
    EXPECT_EQ(CActTranSysStateConfig(actiontest::Action(2, L"<x>4</x>")).GetTranSysState(), 0);
    EXPECT_EQ(CActTranRuleConfig(actiontest::Action(7, L"<x>4</x>")).GetTranRuleID(), 0);
    EXPECT_EQ(CActResetStateMachineConfig(actiontest::Action(41, L"")).GetResetTime(), 0u);
    EXPECT_EQ(CActResetStateMachineConfig(actiontest::Action(41, L"<t>-1</t>")).GetResetTime(),
              4294967295u);
}

}  // namespace
