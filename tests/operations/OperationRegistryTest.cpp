#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "RegistryTableCheck.h"
#include "eventconfig/EventConfig.h"
#include "operations/OperationRegistry.h"

namespace {

// Where a kind's type id and info come from when it is read.
enum class Header {
    Read,     // "Type" and "Info" as written
    OwnId,    // its own id, empty info
    InfoOnly  // "Info" as written, its own id over "Type"
};

struct ExpectedKind {
    int nTypeID;
    const char* szClassName;
    const std::type_info& type;
    Header header;
};

#define KIND(id, cls, header) \
    { id, #cls, typeid(cls), Header::header }

// Every kind in registration order (32 before 31, 34 before 33).
const ExpectedKind kExpected[] = {
    KIND(0, COperationTypeConfig, Read),
    KIND(1, COptStartTimerConfig, Read),
    KIND(2, COptStartTimerAndWaitMsgConfig, Read),
    KIND(3, COptStartCounterAndWaitMsgConfig, Read),
    KIND(4, COptWaitMsgConfig, Read),
    KIND(5, COptWaitLogConfig, Read),
    KIND(6, COptFieldEqualConfig, Read),
    KIND(7, COptFieldNotEqualConfig, Read),
    KIND(8, COptFieldGreatConfig, Read),
    KIND(9, COptFieldBellowConfig, Read),
    KIND(10, COptFieldExistConfig, Read),
    KIND(11, COptFieldNotExistConfig, Read),
    KIND(12, COptFieldCmpConfig, Read),
    KIND(13, COptInitialFieldUnEqualConfig, OwnId),
    KIND(14, COptInitialFieldEqualConfig, OwnId),
    KIND(15, COptInitFieldGreatOrEqual, OwnId),
    KIND(16, COptInitFieldBellowSumOfFields, InfoOnly),
    KIND(17, COptInitFieldEqualWithOneRecvValue, OwnId),
    KIND(18, COptLogInitFieldEqualWithMsgField, OwnId),
    KIND(19, COptWaitLog_FieldEqualConfig, Read),
    KIND(20, COptLogInitFieldUnEqualMsgFieldConfig, OwnId),
    KIND(21, COptLogInitFieldEqualMultiMsgFieldConfig, OwnId),
    KIND(22, COptLogInitFieldUnEqualMultiMsgFieldConfig, OwnId),
    KIND(23, COptWaitEventConfig, Read),
    KIND(24, COptMsgFreqEqualLogFreqConfig, OwnId),
    KIND(25, COptMsgFreqUnEqualLogFreqConfig, OwnId),
    KIND(26, COptCalcLogFieldNum, Read),
    KIND(27, COptMsgSatisFieldCount_GE, OwnId),
    KIND(28, COptMsgSatisFieldCount_BE, OwnId),
    KIND(29, COptMsgSatisFieldCount_Equal, OwnId),
    KIND(30, COptMsgSatisFieldCount_UnEqual, OwnId),
    KIND(32, COptMsgFieldEqualRuleInitConfig, OwnId),
    KIND(31, COptMsgFieldUnEqualRuleInitConfig, OwnId),
    KIND(34, COptMsgFieldEqualLogFieldInitConfig, OwnId),
    KIND(33, COptMsgFieldUnEqualLogFieldInitConfig, OwnId),
    KIND(35, COptMsgFieldCountGEConfig, InfoOnly),
    KIND(36, COptMsgFieldFollowedBySomeFieldConfg, OwnId),
    KIND(37, COptPSCAndRLNumNotChangeCofnig, Read),
    KIND(38, COptMsgFieldCountEqualConfig, OwnId),
    KIND(39, COptLogFieldEqualRecordedConfig, Read),
    KIND(40, COptLogFieldUnEqualRecordedConfig, Read),
    KIND(41, COptMsgFreqEqualLogFreq_OrLogNotExistConfig, OwnId),
    KIND(42, COptStartTimer_By_MsgField_Config, Read),
    KIND(43, COptTwoFieldValuesEqual_Config, Read),
    KIND(44, COptInitLogFieldBelongFieldConfig, Read),
};

#undef KIND

COperationTypeConfig* Create(const std::wstring& typeAttr) {
    return COperationTypeConfigFactory::GetInstance()->CreateOperation(L"<Operation" + typeAttr +
                                                                       L" Info=\"x\"/>");
}

// Whatever is registered is of the right class, under its id, in table order,
// and reads its header as its row says (the same element read in place by a
// rule is compared in KindSourceTest); kinds not yet registered are left to
// HoldsAll45Kinds.
TEST(OperationRegistry, RegisteredKindsHaveTheirClassesInOrder) {
    const std::vector<EventConfigKindInfo>& table = EventConfigOperationKinds();
    std::size_t next = 0;
    for (const ExpectedKind& kind : kExpected) {
        SCOPED_TRACE(kind.szClassName);
        const COperationTypeConfig* prototype =
            COperationTypeConfigFactory::GetInstance()->GetPrototype(kind.nTypeID);
        if (!prototype) continue;
        EXPECT_TRUE(IsA(prototype, kind.type));
        EXPECT_EQ(prototype->GetOperationType(), kind.nTypeID);

        const std::wstring id = std::to_wstring(kind.nTypeID);
        std::unique_ptr<COperationTypeConfig> created(Create(L" Type=\"" + id + L"\""));
        ASSERT_TRUE(IsA(created.get(), kind.type));
        const bool keepsInfo = kind.header != Header::OwnId;
        EXPECT_EQ(created->GetOperationType(), kind.nTypeID);
        EXPECT_EQ(created->GetOperationInfo(), keepsInfo ? L"x" : L"");
        // Another "Type" shows whether the kind reads it or sets its own.
        const int other = kind.nTypeID == 3 ? 5 : 3;
        std::unique_ptr<COperationTypeConfig> clone(
            created->Clone(L"<Operation Type=\"" + std::to_wstring(other) + L"\" Info=\"y\"/>"));
        EXPECT_TRUE(IsA(clone.get(), kind.type));
        EXPECT_EQ(clone->GetOperationType(), kind.header == Header::Read ? other : kind.nTypeID);
        EXPECT_EQ(clone->GetOperationInfo(), keepsInfo ? L"y" : L"");
        EXPECT_EQ(prototype->GetOperationInfo(), L"");  // building leaves the prototype alone

        ExpectTableRow(table, next, kind.nTypeID, kind.szClassName);
    }
}

TEST(OperationRegistry, TypeAttributeSelectsTheKind) {
    struct Case {
        const wchar_t* typeAttr;
        const std::type_info* type;  // null: no operation
        int typeID;
    };
    const Case cases[] = {
        {L" Type=\" 7\"", &typeid(COptFieldNotEqualConfig), 7},
        {L" Type=\"0x07\"", &typeid(COperationTypeConfig), 0},  // reads as 0
        {L"", &typeid(COperationTypeConfig), 0},
        {L" Type=\"45\"", nullptr, 0},
        {L" Type=\"-1\"", nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typeAttr);
        std::unique_ptr<COperationTypeConfig> operation(Create(c.typeAttr));
        if (!c.type) {
            EXPECT_EQ(operation, nullptr);
            continue;
        }
        ASSERT_TRUE(IsA(operation.get(), *c.type));
        EXPECT_EQ(operation->GetOperationType(), c.typeID);
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
