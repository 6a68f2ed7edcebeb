#pragma once

// What the library reads, from the registries' tables: the check walks the
// document against these rules to find what is never read, what is read by
// a surprising rule, and where each id stands.

#include <memory>

#include "reading/Grammar.h"

namespace ectool {

using ecfg::AttrRule;
using ecfg::ChildRule;
using ecfg::ElemRule;
using ecfg::FileRule;
using ecfg::Num;
using ecfg::Ref;
using ecfg::Role;

// The content of an "Operation" / "Action" of a type; null without a kind.
std::shared_ptr<const ElemRule> OperationRule(int type);
std::shared_ptr<const ElemRule> ActionRule(int type);

}  // namespace ectool
