#pragma once

// The check every action kind test makes: the kind comes out of a rule and
// out of the registry with the "Type" and "Info" written, and copies and
// assignments carry every value. Prototypes and how each kind reads "Type"
// are checked for every kind in ActionRegistryTest.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "actions/ActionRegistry.h"
#include "eventconfig/EventConfig.h"

namespace actiontest {

inline std::wstring Action(int type, const std::wstring& children) {
    return L"<Action Type='" + std::to_wstring(type) + L"' Info='info'>" + children + L"</Action>";
}

// Builds the action (type `type`, info "info", the given children) through a
// rule and through the registry, copies and assigns it, and runs check on
// each of the four objects.
template <class Kind, class Check>
void ForEachBuild(int type, const std::wstring& children, Check check) {
    const std::wstring action = Action(type, children);
    CRuleConfig rule(L"<Rule ID='1'><Operation Type='0'/><ActionList><Result Type='TRUE'>" +
                     action + L"</Result></ActionList></Rule>");
    ASSERT_EQ(rule.GetTrueActionList().size(), 1u);
    Kind* fromRule = dynamic_cast<Kind*>(rule.GetTrueActionList()[0]);
    ASSERT_NE(fromRule, nullptr) << type;
    std::unique_ptr<CActionConfig> made(CActionTypeFactory::GetInstance()->CreateAction(action));
    Kind* fromRegistry = dynamic_cast<Kind*>(made.get());
    ASSERT_NE(fromRegistry, nullptr) << type;
    Kind copy(*fromRule);
    Kind assigned;
    assigned = *fromRegistry;
    for (Kind* kind : {fromRule, fromRegistry, &copy, &assigned}) {
        EXPECT_EQ(kind->GetActionType(), type);
        EXPECT_EQ(kind->GetActionInfo(), L"info");
        check(*kind);
    }
}

}  // namespace actiontest
