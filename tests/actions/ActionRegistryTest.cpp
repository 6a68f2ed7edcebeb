#include <algorithm>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "ActionKindTest.h"
#include "RegistryTableCheck.h"
#include "actions/ProtocolSwitchMode.h"

namespace {

struct ExpectedKind {
    int nTypeID;
    const char* szClassName;
    const std::type_info& type;
    bool bOwnId;  // sets its own id over "Type", even on a malformed element
};

#define KIND(id, cls, ownId) \
    { id, #cls, typeid(cls), ownId }

// Every kind in registration order.
const ExpectedKind kExpected[] = {
    KIND(0, CActionConfig, false),
    KIND(6, CActDelEventStateConfig, false),
    KIND(1, CActGenEventConfig, false),
    KIND(3, CActInitActiveEventStateConfig, false),
    KIND(4, CActInitMsgFieldConfig, false),
    KIND(5, CActTranEventStateConfig, false),
    KIND(7, CActTranRuleConfig, false),
    KIND(2, CActTranSysStateConfig, false),
    KIND(11, CActRecordTimeConfig, false),
    KIND(12, CActGenEventByTimeConfig, false),
    KIND(13, CActSaveSumOfMsgFieldsConfig, false),
    KIND(14, CActAcitveRulesConfig, false),
    KIND(15, CActInActiveRulesConfig, false),
    KIND(16, CActClearTickTimeConfig, false),
    KIND(17, CActInitLogCodeFieldConfig, false),
    KIND(18, CActDelInitialLogFieldConfig, false),
    KIND(20, CActRecordInfoForRule, true),
    KIND(21, CActSaveEventIDConfig, false),
    KIND(22, CActDeleteEventIDConfig, false),
    KIND(23, CActResetWaitingEventStateConfig, false),
    KIND(24, CAction_Record_RL_And_PSCConfig, true),
    KIND(25, CAct_Update_RL_And_PSCConfig, true),
    KIND(26, CAct_UpdateLogFieldConfig, true),
    KIND(27, CAct_DelValueOfLogFieldConfig, true),
    KIND(28, CActUpdateLogFieldByRuleInit, false),
    KIND(29, CActSwitchProtocol, false),
    KIND(30, CAct_EnterIntoProtocalSwitchModeConfig, true),
    KIND(31, CActRecordInfoForRule_ReverseFind, true),
    KIND(32, CAct_AddPauseTimeConfig, false),
    KIND(33, CAct_DelPauseTimeConfig, false),
    KIND(34, CActGenEventWithLogFieldInfo, false),
    KIND(35, CActActiveEventStateAndPrcPacket, false),
    KIND(36, CAct_GenEvent_InfoFromMsgConfig, false),
    KIND(37, CAct_UpdateLogField_ForEventInfo_Config, true),
    KIND(38, CAct_UpdateLogField_B_From_A_Config, false),
    KIND(39, CAct_DelLogFieldValue_B_By_A_Config, false),
    KIND(40, CActGenSystemEventConfig, false),
    KIND(41, CActResetStateMachineConfig, false),
};

#undef KIND

// The registry's table names the class each prototype was made from, in
// order; every prototype is of that class and reports the id it is filed
// under. Another "Type" is kept or replaced by the kind's own id; a
// sub-document the navigator does not accept leaves the base's defaults (type
// 0, empty info) but for an own id. Kinds still missing are skipped here and
// caught by HoldsAll38Kinds.
TEST(ActionRegistry, RegisteredKindsHaveTheirClassesInOrder) {
    const std::vector<EventConfigKindInfo>& table = EventConfigActionKinds();
    std::size_t next = 0;
    for (const ExpectedKind& kind : kExpected) {
        SCOPED_TRACE(kind.szClassName);
        const CActionConfig* prototype =
            CActionTypeFactory::GetInstance()->GetPrototype(kind.nTypeID);
        if (!prototype) continue;
        EXPECT_TRUE(IsA(prototype, kind.type));
        EXPECT_EQ(prototype->GetActionType(), kind.nTypeID);
        ExpectTableRow(table, next, kind.nTypeID, kind.szClassName);

        std::unique_ptr<CActionConfig> created(
            CActionTypeFactory::GetInstance()->CreateAction(actiontest::Action(kind.nTypeID, L"")));
        ASSERT_TRUE(IsA(created.get(), kind.type));
        const int other = kind.nTypeID == 3 ? 5 : 3;
        for (const bool wellFormed : {true, false}) {
            std::unique_ptr<CActionConfig> clone(created->Clone(
                L"<Action Type='" + std::to_wstring(other) + L"' Info='i'>" +
                (wellFormed ? L"</Action>" : L"<Rule ID='1'><EventState ID='1'></Action>")));
            ASSERT_TRUE(IsA(clone.get(), kind.type));
            EXPECT_EQ(clone->GetActionType(), kind.bOwnId ? kind.nTypeID : wellFormed ? other : 0);
            EXPECT_EQ(clone->GetActionInfo(), wellFormed ? L"i" : L"");
        }
    }
}

TEST(ActionRegistry, UnusedIdsGiveNull) {
    for (int unused : {8, 9, 10, 19, 42, -1}) {
        EXPECT_EQ(CActionTypeFactory::GetInstance()->CreateAction(actiontest::Action(unused, L"")),
                  nullptr)
            << unused;
    }
}

// Fails until every kind is registered.
TEST(ActionRegistry, HoldsAll38Kinds) {
    std::vector<int> ids;
    for (const ExpectedKind& kind : kExpected) ids.push_back(kind.nTypeID);
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(CActionTypeFactory::GetInstance()->GetRegisteredTypes(), ids);
    EXPECT_EQ(EventConfigActionKinds().size(), 38u);
}

}  // namespace
