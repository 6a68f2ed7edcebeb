#pragma once

// Building an operation the way a configuration does: inside a "Rule", through
// the operation registry.

#include <gtest/gtest.h>

#include <string>

#include "eventconfig/EventConfig.h"
#include "operations/OperationRegistry.h"

namespace ecfg_test {

// A rule holding the operation element; the rule owns what it builds.
class RuleWithOperation {
public:
    explicit RuleWithOperation(const std::wstring& operation)
        : m_rule(L"<Rule ID=\"1\" InitialActivated=\"1\">" + operation + L"<ActionList/></Rule>") {}

    COperationTypeConfig* Operation() const { return m_rule.GetOperationType(); }
    template <class Kind>
    Kind* As() const {
        return dynamic_cast<Kind*>(m_rule.GetOperationType());
    }

private:
    CRuleConfig m_rule;
};

template <class Kind>
bool IsKind(const COperationTypeConfig* operation) {
    return dynamic_cast<const Kind*>(operation) != nullptr;
}

// One registered kind: its id, whether "Info" survives reading, and its class.
struct KindCase {
    int nTypeID;
    bool bKeepsInfo;
    bool (*isKind)(const COperationTypeConfig*);
};

// The rule and the registry's prototype both give the kind's class and id;
// only the kinds that let the base read "Info" report it.
inline void ExpectKindThroughRuleAndRegistry(const KindCase& kind) {
    SCOPED_TRACE(kind.nTypeID);
    const std::wstring id = std::to_wstring(kind.nTypeID);
    RuleWithOperation rule(L"<Operation Type=\"" + id +
                           L"\" Info=\"note\"><Field ID=\"1\"/></Operation>");
    ASSERT_NE(rule.Operation(), nullptr);
    EXPECT_TRUE(kind.isKind(rule.Operation()));
    EXPECT_EQ(rule.Operation()->GetOperationType(), kind.nTypeID);
    EXPECT_EQ(rule.Operation()->GetOperationInfo(), kind.bKeepsInfo ? L"note" : L"");

    const COperationTypeConfig* prototype =
        COperationTypeConfigFactory::GetInstance()->GetPrototype(kind.nTypeID);
    ASSERT_NE(prototype, nullptr);
    EXPECT_TRUE(kind.isKind(prototype));
    EXPECT_EQ(prototype->GetOperationType(), kind.nTypeID);
    EXPECT_EQ(prototype->GetOperationInfo(), L"");
}

}  // namespace ecfg_test
