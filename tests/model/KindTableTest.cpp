#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <typeinfo>
#include <vector>

#include "actions/ActionRegistry.h"
#include "eventconfig/EventConfig.h"
#include "operations/OperationRegistry.h"

namespace {

struct Family {
    const char* name;
    const std::vector<ecfg::KindRow>& rows;
    const char* header;  // declares the family's enum
    const char* enumPrefix;
    // The prototype filed under an id, with the id it reports.
    const void* (*prototype)(int id, int& reported, const std::type_info*& type);
};

template <class Base>
const void* Report(const Base* prototype, int reported, int& out, const std::type_info*& type) {
    if (prototype) {
        out = reported;
        type = &typeid(*prototype);
    }
    return prototype;
}

const Family kFamilies[] = {
    {"operations", ecfg::OperationKindRows(),
     "include/eventconfig/operations/OperationTypeConfig.h", "OPT_TYPE_",
     [](int id, int& reported, const std::type_info*& type) -> const void* {
         const COperationTypeConfig* p =
             COperationTypeConfigFactory::GetInstance()->GetPrototype(id);
         return Report(p, p ? static_cast<int>(p->GetOperationType()) : 0, reported, type);
     }},
    {"actions", ecfg::ActionKindRows(), "include/eventconfig/actions/ActionConfig.h", "ACT_TYPE_",
     [](int id, int& reported, const std::type_info*& type) -> const void* {
         const CActionConfig* p = CActionTypeFactory::GetInstance()->GetPrototype(id);
         return Report(p, p ? static_cast<int>(p->GetActionType()) : 0, reported, type);
     }},
};

// Each row is whole, its id is its own, and the prototype filed under it is
// of the row's class and reports the row's id.
TEST(KindTable, EveryRowFilesAPrototypeThatReportsItsId) {
    for (const Family& family : kFamilies) {
        SCOPED_TRACE(family.name);
        std::set<int> ids;
        for (const ecfg::KindRow& row : family.rows) {
            SCOPED_TRACE(row.szClassName);
            EXPECT_TRUE(ids.insert(row.nTypeID).second) << "id used twice";
            EXPECT_STRNE(row.szDescription, "");
            EXPECT_NE(row.grammar, nullptr);
            int reported = -1;
            const std::type_info* type = nullptr;
            ASSERT_NE(family.prototype(row.nTypeID, reported, type), nullptr);
            EXPECT_EQ(reported, row.nTypeID);
            EXPECT_TRUE(*type == *row.type);
        }
    }
}

// A kind added to its family's enum and left out of the table fails here.
TEST(KindTable, EveryEnumValueHasARow) {
    for (const Family& family : kFamilies) {
        SCOPED_TRACE(family.name);
        std::ifstream in(std::string(EVENTCONFIG_SOURCE_DIR) + "/" + family.header);
        ASSERT_TRUE(in);
        std::stringstream text;
        text << in.rdbuf();
        const std::string header = text.str();
        const std::regex value(std::string(family.enumPrefix) + R"(\w+\s*=\s*(\d+))");
        std::set<int> enumerated;
        for (std::sregex_iterator it(header.begin(), header.end(), value), end; it != end; ++it)
            enumerated.insert(std::stoi((*it)[1].str()));
        std::set<int> rows;
        for (const ecfg::KindRow& row : family.rows) rows.insert(row.nTypeID);
        EXPECT_EQ(rows, enumerated);
    }
}

}  // namespace
