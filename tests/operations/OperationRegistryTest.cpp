#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "eventconfig/EventConfig.h"
#include "operations/OperationRegistry.h"

namespace {

struct ExpectedKind {
    int nTypeID;
    const char* szClassName;
    const std::type_info& type;
};

#define KIND(id, cls) \
    { id, #cls, typeid(cls) }

// Every kind in registration order (32 before 31, 34 before 33).
const ExpectedKind kExpected[] = {
    KIND(0, COperationTypeConfig),
    KIND(1, COptStartTimerConfig),
    KIND(2, COptStartTimerAndWaitMsgConfig),
    KIND(3, COptStartCounterAndWaitMsgConfig),
    KIND(4, COptWaitMsgConfig),
    KIND(5, COptWaitLogConfig),
    KIND(6, COptFieldEqualConfig),
    KIND(7, COptFieldNotEqualConfig),
    KIND(8, COptFieldGreatConfig),
    KIND(9, COptFieldBellowConfig),
    KIND(10, COptFieldExistConfig),
    KIND(11, COptFieldNotExistConfig),
    KIND(12, COptFieldCmpConfig),
    KIND(13, COptInitialFieldUnEqualConfig),
    KIND(14, COptInitialFieldEqualConfig),
    KIND(15, COptInitFieldGreatOrEqual),
    KIND(16, COptInitFieldBellowSumOfFields),
    KIND(17, COptInitFieldEqualWithOneRecvValue),
    KIND(18, COptLogInitFieldEqualWithMsgField),
    KIND(19, COptWaitLog_FieldEqualConfig),
    KIND(20, COptLogInitFieldUnEqualMsgFieldConfig),
    KIND(21, COptLogInitFieldEqualMultiMsgFieldConfig),
    KIND(22, COptLogInitFieldUnEqualMultiMsgFieldConfig),
    KIND(23, COptWaitEventConfig),
    KIND(24, COptMsgFreqEqualLogFreqConfig),
    KIND(25, COptMsgFreqUnEqualLogFreqConfig),
    KIND(26, COptCalcLogFieldNum),
    KIND(27, COptMsgSatisFieldCount_GE),
    KIND(28, COptMsgSatisFieldCount_BE),
    KIND(29, COptMsgSatisFieldCount_Equal),
    KIND(30, COptMsgSatisFieldCount_UnEqual),
    KIND(32, COptMsgFieldEqualRuleInitConfig),
    KIND(31, COptMsgFieldUnEqualRuleInitConfig),
    KIND(34, COptMsgFieldEqualLogFieldInitConfig),
    KIND(33, COptMsgFieldUnEqualLogFieldInitConfig),
    KIND(35, COptMsgFieldCountGEConfig),
    KIND(36, COptMsgFieldFollowedBySomeFieldConfg),
    KIND(37, COptPSCAndRLNumNotChangeCofnig),
    KIND(38, COptMsgFieldCountEqualConfig),
    KIND(39, COptLogFieldEqualRecordedConfig),
    KIND(40, COptLogFieldUnEqualRecordedConfig),
    KIND(41, COptMsgFreqEqualLogFreq_OrLogNotExistConfig),
    KIND(42, COptStartTimer_By_MsgField_Config),
    KIND(43, COptTwoFieldValuesEqual_Config),
    KIND(44, COptInitLogFieldBelongFieldConfig),
};

#undef KIND

COperationTypeConfig* Create(const std::wstring& typeAttr) {
    return COperationTypeConfigFactory::GetInstance()->CreateOperation(L"<Operation" + typeAttr +
                                                                       L" Info=\"x\"/>");
}

// Whatever is registered is of the right class, under its id, in table order;
// kinds not yet registered are left to HoldsAll45Kinds.
TEST(OperationRegistry, RegisteredKindsHaveTheirClassesInOrder) {
    const std::vector<EventConfigKindInfo>& table = EventConfigOperationKinds();
    std::size_t next = 0;
    for (const ExpectedKind& kind : kExpected) {
        SCOPED_TRACE(kind.szClassName);
        const COperationTypeConfig* prototype =
            COperationTypeConfigFactory::GetInstance()->GetPrototype(kind.nTypeID);
        if (!prototype) continue;
        EXPECT_TRUE(typeid(*prototype) == kind.type);
        EXPECT_EQ(prototype->GetOperationType(), kind.nTypeID);
        std::unique_ptr<COperationTypeConfig> created(
            Create(L" Type=\"" + std::to_wstring(kind.nTypeID) + L"\""));
        ASSERT_NE(created, nullptr);
        const COperationTypeConfig& createdRef = *created;
        EXPECT_TRUE(typeid(createdRef) == kind.type);
        const auto row = std::find_if(
            table.begin() + static_cast<std::ptrdiff_t>(next), table.end(),
            [&](const EventConfigKindInfo& info) { return info.nTypeID == kind.nTypeID; });
        ASSERT_NE(row, table.end()) << "out of order or missing from the table";
        EXPECT_STREQ(row->szClassName, kind.szClassName);
        next = static_cast<std::size_t>(row - table.begin()) + 1;
    }
}

TEST(OperationRegistry, TypeAttributeSelectsTheKind) {
    struct Case {
        const wchar_t* typeAttr;
        const std::type_info* type;  // null: no operation
    };
    const Case cases[] = {
        {L" Type=\" 7\"", &typeid(COptFieldNotEqualConfig)},
        {L" Type=\"0x07\"", &typeid(COperationTypeConfig)},  // reads as 0
        {L"", &typeid(COperationTypeConfig)},
        {L" Type=\"45\"", nullptr},
        {L" Type=\"-1\"", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typeAttr);
        std::unique_ptr<COperationTypeConfig> operation(Create(c.typeAttr));
        if (!c.type) {
            EXPECT_EQ(operation, nullptr);
            continue;
        }
        ASSERT_NE(operation, nullptr);
        const COperationTypeConfig& operationRef = *operation;
        EXPECT_TRUE(typeid(operationRef) == *c.type);
        EXPECT_EQ(operation->GetOperationInfo(), L"x");
    }
}

// Fails until every family of kinds is registered.
TEST(OperationRegistry, HoldsAll45Kinds) {
    std::vector<int> ids;
    for (const ExpectedKind& kind : kExpected) ids.push_back(kind.nTypeID);
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(COperationTypeConfigFactory::GetInstance()->GetRegisteredTypes(), ids);
    ASSERT_EQ(EventConfigOperationKinds().size(), 45u);
    for (std::size_t i = 0; i < 45; ++i)
        EXPECT_EQ(EventConfigOperationKinds()[i].nTypeID, kExpected[i].nTypeID) << i;
}

}  // namespace
