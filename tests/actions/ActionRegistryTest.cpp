#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "ActionKindTest.h"

namespace {

// Every kind in registration order with its class.
const std::vector<std::pair<int, std::string>>& ExpectedKinds() {
    static const std::vector<std::pair<int, std::string>> kinds = {
        {0, "CActionConfig"},
        {6, "CActDelEventStateConfig"},
        {1, "CActGenEventConfig"},
        {3, "CActInitActiveEventStateConfig"},
        {4, "CActInitMsgFieldConfig"},
        {5, "CActTranEventStateConfig"},
        {7, "CActTranRuleConfig"},
        {2, "CActTranSysStateConfig"},
        {11, "CActRecordTimeConfig"},
        {12, "CActGenEventByTimeConfig"},
        {13, "CActSaveSumOfMsgFieldsConfig"},
        {14, "CActAcitveRulesConfig"},
        {15, "CActInActiveRulesConfig"},
        {16, "CActClearTickTimeConfig"},
        {17, "CActInitLogCodeFieldConfig"},
        {18, "CActDelInitialLogFieldConfig"},
        {20, "CActRecordInfoForRule"},
        {21, "CActSaveEventIDConfig"},
        {22, "CActDeleteEventIDConfig"},
        {23, "CActResetWaitingEventStateConfig"},
        {24, "CAction_Record_RL_And_PSCConfig"},
        {25, "CAct_Update_RL_And_PSCConfig"},
        {26, "CAct_UpdateLogFieldConfig"},
        {27, "CAct_DelValueOfLogFieldConfig"},
        {28, "CActUpdateLogFieldByRuleInit"},
        {29, "CActSwitchProtocol"},
        {30, "CAct_EnterIntoProtocalSwitchModeConfig"},
        {31, "CActRecordInfoForRule_ReverseFind"},
        {32, "CAct_AddPauseTimeConfig"},
        {33, "CAct_DelPauseTimeConfig"},
        {34, "CActGenEventWithLogFieldInfo"},
        {35, "CActActiveEventStateAndPrcPacket"},
        {36, "CAct_GenEvent_InfoFromMsgConfig"},
        {37, "CAct_UpdateLogField_ForEventInfo_Config"},
        {38, "CAct_UpdateLogField_B_From_A_Config"},
        {39, "CAct_DelLogFieldValue_B_By_A_Config"},
        {40, "CActGenSystemEventConfig"},
        {41, "CActResetStateMachineConfig"}};
    return kinds;
}

// The registry's table names the class each prototype was made from; every
// prototype reports the id it is filed under. Kinds still missing are skipped
// here and caught by HoldsAll38Kinds.
TEST(ActionRegistry, RegisteredKindsHaveTheirClassesInOrder) {
    std::vector<int> order;
    for (const EventConfigKindInfo& kind : EventConfigActionKinds()) {
        auto expected = std::find_if(ExpectedKinds().begin(), ExpectedKinds().end(),
                                     [&](const auto& e) { return e.first == kind.nTypeID; });
        ASSERT_NE(expected, ExpectedKinds().end()) << kind.nTypeID;
        EXPECT_EQ(expected->second, kind.szClassName);
        order.push_back(static_cast<int>(expected - ExpectedKinds().begin()));
        const CActionConfig* prototype =
            CActionTypeFactory::GetInstance()->GetPrototype(kind.nTypeID);
        ASSERT_NE(prototype, nullptr) << kind.szClassName;
        EXPECT_EQ(prototype->GetActionType(), kind.nTypeID) << kind.szClassName;
    }
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
}

TEST(ActionRegistry, UnusedIdsGiveNull) {
    for (int unused : {8, 9, 10, 19, 42, -1}) {
        EXPECT_EQ(CActionTypeFactory::GetInstance()->CreateAction(actiontest::Action(unused, L"")),
                  nullptr)
            << unused;
    }
}

// A sub-document the navigator does not accept still gives the kind its
// "Type" names; the base then reads nothing: type 0, empty info.
TEST(ActionRegistry, MalformedActionGivesKindWithBaseDefaults) {
    std::unique_ptr<CActionConfig> action(CActionTypeFactory::GetInstance()->CreateAction(
        L"<Action Type='5' Info='i'><a>3</a><b></Action>"));
    ASSERT_NE(dynamic_cast<CActTranEventStateConfig*>(action.get()), nullptr);
    EXPECT_EQ(action->GetActionType(), 0);
    EXPECT_EQ(action->GetActionInfo(), L"");
}

// Fails until every kind is registered.
TEST(ActionRegistry, HoldsAll38Kinds) {
    std::vector<int> ids;
    for (const auto& kind : ExpectedKinds()) ids.push_back(kind.first);
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(CActionTypeFactory::GetInstance()->GetRegisteredTypes(), ids);
    EXPECT_EQ(EventConfigActionKinds().size(), 38u);
}

}  // namespace
