// An allocation that fails anywhere in a model build propagates as
// std::bad_alloc: it never becomes a rule without its operation or a missing
// registry, and (under the sanitizers) nothing built before it leaks. A
// program of its own: it replaces the global allocation functions.

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

#include "actions/ActionRegistry.h"
#include "eventconfig/EventConfig.h"
#include "operations/OperationRegistry.h"

// The allocation functions pair malloc with free on purpose.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

namespace {
// Allocations left before the next one fails, on this thread; -1: none fails.
thread_local long t_allocationsLeft = -1;
}  // namespace

void* operator new(std::size_t size) {
    if (t_allocationsLeft == 0) throw std::bad_alloc();
    if (t_allocationsLeft > 0) --t_allocationsLeft;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

const wchar_t kDoc[] =
    L"<Protocol><StateMachineConfig>"
    L"<SystemState ID=\"1\"><MsgList><Msg ID=\"1A\" LogCode=\"2\" Name=\"m\"/></MsgList>"
    L"<WaitingEventStateList><WaitingEventState ID=\"3\" InitialActivated=\"1\">"
    L"<Rule ID=\"4\" InitialActivated=\"1\"><Operation Type=\"4\"><ID>1A</ID></Operation>"
    L"<ActionList><Result Type=\"TRUE\"><Action Type=\"14\"><RuleID>4</RuleID></Action>"
    L"<Action Type=\"1\"><EventID>7</EventID></Action></Result></ActionList></Rule>"
    L"</WaitingEventState></WaitingEventStateList></SystemState>"
    L"</StateMachineConfig></Protocol>";

// Whether allocations go through the function above (valgrind, for one,
// substitutes its own).
bool CanFailAllocations() {
    t_allocationsLeft = 0;
    bool failed = false;
    try {
        ::operator delete(::operator new(16));
    } catch (const std::bad_alloc&) {
        failed = true;
    }
    t_allocationsLeft = -1;
    return failed;
}

TEST(AllocationFailure, PropagatesFromEveryAllocationOfAModelBuild) {
    if (!CanFailAllocations()) GTEST_SKIP() << "the allocation functions are not this program's";
    bool completed = false;
    int failures = 0;
    for (long failAt = 0; !completed; ++failAt) {
        // Fresh registries, so that their construction is among the allocations.
        COperationTypeConfigFactory::Release();
        CActionTypeFactory::Release();
        t_allocationsLeft = failAt;
        try {
            const std::wstring doc(kDoc);
            CStateMachineConfig machine(doc);
            t_allocationsLeft = -1;
            completed = true;
            CSystemStateConfig* state = machine.GetSysStateConfigList().at(1);
            CRuleConfig* rule = state->GetEventStateList().at(3)->GetRuleList().at(4);
            EXPECT_NE(rule->GetOperationType(), nullptr);
            EXPECT_EQ(rule->GetTrueActionList().size(), 2u);
        } catch (const std::bad_alloc&) {
            t_allocationsLeft = -1;
            ++failures;
        }
    }
    EXPECT_GT(failures, 10);
}

}  // namespace
