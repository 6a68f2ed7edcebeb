#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <typeinfo>
#include <vector>

#include "ActionKindTest.h"
#include "RegistryTableCheck.h"
#include "actions/ActionRegistry.h"

namespace {

// The kinds that set their own id over "Type", even on a malformed element.
const std::set<int> kOwnId = {20, 24, 25, 26, 27, 30, 31, 37};

// The registry holds the table's rows (KindTable checks each prototype).
// Another "Type" is kept or replaced by the kind's own id; a
// sub-document the navigator does not accept leaves the base's defaults (type
// 0, empty info) but for an own id.
TEST(ActionRegistry, EachRowsKindIsFiledUnderItsId) {
    ExpectRegistryIsTheTable(*CActionTypeFactory::GetInstance(), ecfg::ActionKindRows(),
                             EventConfigActionKinds());
    for (const ecfg::KindRow& row : ecfg::ActionKindRows()) {
        SCOPED_TRACE(row.szClassName);
        std::unique_ptr<CActionConfig> created(
            CActionTypeFactory::GetInstance()->CreateAction(actiontest::Action(row.nTypeID, L"")));
        ASSERT_TRUE(IsA(created.get(), *row.type));
        const bool ownId = kOwnId.count(row.nTypeID) != 0;
        const int other = row.nTypeID == 3 ? 5 : 3;
        for (const bool wellFormed : {true, false}) {
            std::unique_ptr<CActionConfig> clone(created->Clone(
                L"<Action Type='" + std::to_wstring(other) + L"' Info='i'>" +
                (wellFormed ? L"</Action>" : L"<Rule ID='1'><EventState ID='1'></Action>")));
            ASSERT_TRUE(IsA(clone.get(), *row.type));
            EXPECT_EQ(clone->GetActionType(), ownId ? row.nTypeID : wellFormed ? other : 0);
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

}  // namespace
