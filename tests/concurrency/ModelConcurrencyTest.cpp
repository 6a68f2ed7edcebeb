#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "actions/ActionRegistry.h"
#include "eventconfig/actions/ActionConfig.h"
#include "eventconfig/model/EventStateConfig.h"
#include "eventconfig/model/RuleConfig.h"
#include "eventconfig/model/StateMachineConfig.h"
#include "eventconfig/model/SystemStateConfig.h"
#include "eventconfig/operations/OperationTypeConfig.h"
#include "operations/OperationRegistry.h"

namespace {

// A document of its own for each thread: its index is in every id and text.
std::wstring DocumentFor(int index) {
    const std::wstring n = std::to_wstring(index);
    std::wstring rules;
    for (int rule = 1; rule <= 20; ++rule) {
        rules += L"<Rule ID=\"" + std::to_wstring(rule) + L"\"><Operation Type=\"0\" Info=\"op" +
                 n +
                 L"\"/>"
                 L"<ActionList><Result Type=\"TRUE\"><Action Type=\"0\" Info=\"act" +
                 n + L"\"/></Result></ActionList></Rule>";
    }
    return L"<P ProtocolType=\"" + n + L"\"><StateMachineConfig><SystemState ID=\"" + n +
           L"\">"
           L"<WaitingEventStateList><WaitingEventState ID=\"1\">" +
           rules +
           L"</WaitingEventState></WaitingEventStateList></SystemState></StateMachineConfig>"
           L"<EventInfoList/><LogCodeFieldList/></P>";
}

struct Outcome {
    COperationTypeConfigFactory* operations = nullptr;
    CActionTypeFactory* actions = nullptr;
    bool modelRight = false;
};

// Builds one model per thread at the same moment, the registries being
// created by whichever thread needs them first.
void BuildAtOnce(int threads) {
    COperationTypeConfigFactory::Release();
    CActionTypeFactory::Release();

    std::vector<Outcome> outcomes(threads);
    std::atomic<int> ready{0};
    std::vector<std::thread> workers;
    for (int i = 0; i < threads; ++i) {
        workers.emplace_back([&, i] {
            const std::wstring doc = DocumentFor(i);
            ready.fetch_add(1);
            while (ready.load() < threads) std::this_thread::yield();
            CStateMachineConfig machine(doc);
            Outcome& outcome = outcomes[i];
            outcome.operations = COperationTypeConfigFactory::GetInstance();
            outcome.actions = CActionTypeFactory::GetInstance();
            const auto& states = machine.GetSysStateConfigList();
            if (states.size() != 1 || states.count(i) == 0) return;
            const auto& rules = states.at(i)->GetEventStateList().at(1)->GetRuleList();
            bool right = rules.size() == 20;
            for (const auto& entry : rules) {
                CRuleConfig* rule = entry.second;
                right =
                    right && rule->GetOperationType() != nullptr &&
                    rule->GetOperationType()->GetOperationInfo() == L"op" + std::to_wstring(i) &&
                    rule->GetTrueActionList().size() == 1 &&
                    rule->GetTrueActionList()[0] != nullptr &&
                    rule->GetTrueActionList()[0]->GetActionInfo() == L"act" + std::to_wstring(i);
            }
            outcome.modelRight = right;
        });
    }
    for (std::thread& worker : workers) worker.join();

    for (int i = 0; i < threads; ++i) {
        EXPECT_TRUE(outcomes[i].modelRight) << "thread " << i;
        ASSERT_NE(outcomes[i].operations, nullptr);
        ASSERT_NE(outcomes[i].actions, nullptr);
        // One registry of each kind, shared by every thread.
        EXPECT_EQ(outcomes[i].operations, outcomes[0].operations);
        EXPECT_EQ(outcomes[i].actions, outcomes[0].actions);
    }
    COperationTypeConfigFactory::Release();
    CActionTypeFactory::Release();
}

TEST(ModelConcurrency, TwoThreadsBuildTheirModelsAtOnce) {
    BuildAtOnce(2);
}

TEST(ModelConcurrency, FourThreadsBuildTheirModelsAtOnce) {
    for (int round = 0; round < 5; ++round) BuildAtOnce(4);
}

}  // namespace
