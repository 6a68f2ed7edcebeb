#include <vector>

#include "ActionKindTest.h"

namespace {

using actiontest::ForEachBuild;
using Ids = std::vector<int>;

TEST(TimeKeepingActions, IdListKinds) {
    actiontest::ExpectPrototype<CActRecordTimeConfig>(11);
    actiontest::ExpectPrototype<CActClearTickTimeConfig>(16);
    actiontest::ExpectPrototype<CAct_AddPauseTimeConfig>(32);
    EXPECT_EQ(CAct_AddPauseTimeConfig(actiontest::Action(32, L"")).GetRulesList(), Ids());
    // The waiting-state lists are read through const objects.
    ForEachBuild<CActRecordTimeConfig>(11, L"<a>2</a><b>5</b>", [](const CActRecordTimeConfig& k) {
        EXPECT_EQ(k.GetWaitEventStateList(), Ids({2, 5}));
    });
    ForEachBuild<CActClearTickTimeConfig>(16, L"<a>4</a><a></a>",
                                          [](const CActClearTickTimeConfig& k) {
                                              EXPECT_EQ(k.GetWaitEventStateList(), Ids({4, 0}));
                                          });
    ForEachBuild<CAct_AddPauseTimeConfig>(
        32, L"<r>8</r>", [](CAct_AddPauseTimeConfig& k) { EXPECT_EQ(k.GetRulesList(), Ids({8})); });
}

TEST(TimeKeepingActions, DelPauseTimeKeepsOnlyTheBase) {
    actiontest::ExpectPrototype<CAct_DelPauseTimeConfig>(33);
    ForEachBuild<CAct_DelPauseTimeConfig>(33, L"<r>8</r><Info>x</Info>",
                                          [](CAct_DelPauseTimeConfig&) {});
}

}  // namespace
