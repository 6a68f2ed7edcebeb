#include "Grammar.h"

#include "actions/ActionRegistry.h"
#include "operations/OperationRegistry.h"

namespace ectool {

namespace {

std::shared_ptr<const ElemRule> RuleOf(const ecfg::KindRow* row) {
    return row ? row->grammar : nullptr;
}

}  // namespace

std::shared_ptr<const ElemRule> OperationRule(int type) {
    return RuleOf(ecfg::FindKindRow(ecfg::OperationKindRows(), type));
}

std::shared_ptr<const ElemRule> ActionRule(int type) {
    return RuleOf(ecfg::FindKindRow(ecfg::ActionKindRows(), type));
}

}  // namespace ectool
