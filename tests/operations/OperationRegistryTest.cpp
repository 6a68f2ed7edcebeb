#include <gtest/gtest.h>

#include <algorithm>
#include <map>
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

// The kinds that do not read their header as written.
const std::map<int, Header> kOwnHeader = {
    {13, Header::OwnId}, {14, Header::OwnId}, {15, Header::OwnId}, {16, Header::InfoOnly},
    {17, Header::OwnId}, {18, Header::OwnId}, {20, Header::OwnId}, {21, Header::OwnId},
    {22, Header::OwnId}, {24, Header::OwnId}, {25, Header::OwnId}, {27, Header::OwnId},
    {28, Header::OwnId}, {29, Header::OwnId}, {30, Header::OwnId}, {31, Header::OwnId},
    {32, Header::OwnId}, {33, Header::OwnId}, {34, Header::OwnId}, {35, Header::InfoOnly},
    {36, Header::OwnId}, {38, Header::OwnId}, {41, Header::OwnId},
};

COperationTypeConfig* Create(const std::wstring& typeAttr) {
    return COperationTypeConfigFactory::GetInstance()->CreateOperation(L"<Operation" + typeAttr +
                                                                       L" Info=\"x\"/>");
}

// The registry holds the table's rows (KindTable checks each prototype), and
// each kind reads its header as it should (the same element read in place by
// a rule is compared in KindSourceTest).
TEST(OperationRegistry, EachRowsKindIsFiledUnderItsId) {
    ExpectRegistryIsTheTable(*COperationTypeConfigFactory::GetInstance(), ecfg::OperationKindRows(),
                             EventConfigOperationKinds());
    for (const ecfg::KindRow& row : ecfg::OperationKindRows()) {
        SCOPED_TRACE(row.szClassName);
        const auto own = kOwnHeader.find(row.nTypeID);
        const Header header = own == kOwnHeader.end() ? Header::Read : own->second;
        const std::wstring id = std::to_wstring(row.nTypeID);
        std::unique_ptr<COperationTypeConfig> created(Create(L" Type=\"" + id + L"\""));
        ASSERT_TRUE(IsA(created.get(), *row.type));
        const bool keepsInfo = header != Header::OwnId;
        EXPECT_EQ(created->GetOperationType(), row.nTypeID);
        EXPECT_EQ(created->GetOperationInfo(), keepsInfo ? L"x" : L"");
        // Another "Type" shows whether the kind reads it or sets its own.
        const int other = row.nTypeID == 3 ? 5 : 3;
        std::unique_ptr<COperationTypeConfig> clone(
            created->Clone(L"<Operation Type=\"" + std::to_wstring(other) + L"\" Info=\"y\"/>"));
        EXPECT_TRUE(IsA(clone.get(), *row.type));
        EXPECT_EQ(clone->GetOperationType(), header == Header::Read ? other : row.nTypeID);
        EXPECT_EQ(clone->GetOperationInfo(), keepsInfo ? L"y" : L"");
        // Building leaves the prototype alone.
        EXPECT_EQ(COperationTypeConfigFactory::GetInstance()
                      ->GetPrototype(row.nTypeID)
                      ->GetOperationInfo(),
                  L"");
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

}  // namespace
