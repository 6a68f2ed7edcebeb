#pragma once

// What the two registry tests check alike: an object's exact class, and that
// the registry holds one prototype per row of its table and lists the rows
// in table order.

#include <gtest/gtest.h>

#include <algorithm>
#include <typeinfo>
#include <vector>

#include "eventconfig/EventConfig.h"
#include "reading/Registry.h"

template <class Base>
bool IsA(const Base* object, const std::type_info& type) {
    if (!object) return false;
    const Base& ref = *object;  // typeid of a reference: no side effects
    return typeid(ref) == type;
}

// The registered ids are the rows' ids, and the public list of kinds is the
// rows, in order.
template <class Registry>
void ExpectRegistryIsTheTable(const Registry& registry, const std::vector<ecfg::KindRow>& rows,
                              const std::vector<EventConfigKindInfo>& kinds) {
    std::vector<int> ids;
    for (const ecfg::KindRow& row : rows) ids.push_back(row.nTypeID);
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(registry.GetRegisteredTypes(), ids);
    ASSERT_EQ(kinds.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(kinds[i].nTypeID, rows[i].nTypeID) << i;
        EXPECT_STREQ(kinds[i].szClassName, rows[i].szClassName) << i;
    }
}
