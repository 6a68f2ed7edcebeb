#pragma once

// What the two registry tests check alike: an object's exact class, and that
// the registry's table names a kind's class in the expected order.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <typeinfo>
#include <vector>

#include "eventconfig/EventConfig.h"

template <class Base>
bool IsA(const Base* object, const std::type_info& type) {
    if (!object) return false;
    const Base& ref = *object;  // typeid of a reference: no side effects
    return typeid(ref) == type;
}

// The table row of the id at or after `next`, with the class named there;
// `next` moves past it, so the rows must come in the expected order.
inline void ExpectTableRow(const std::vector<EventConfigKindInfo>& table, std::size_t& next,
                           int typeID, const char* className) {
    const auto row =
        std::find_if(table.begin() + static_cast<std::ptrdiff_t>(next), table.end(),
                     [&](const EventConfigKindInfo& info) { return info.nTypeID == typeID; });
    ASSERT_NE(row, table.end()) << "out of order or missing from the table";
    EXPECT_STREQ(row->szClassName, className);
    next = static_cast<std::size_t>(row - table.begin()) + 1;
}
