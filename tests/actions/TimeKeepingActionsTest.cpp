#include <vector>

#include "ActionKindTest.h"

namespace {

using actiontest::ForEachBuild;
using Ids = std::vector<int>;

TEST(TimeKeepingActions, IdListKinds) {
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

}  // namespace
