#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "../fuzz/ModelWalk.h"
#include "actions/ActionRegistry.h"
#include "config/MessageCapture.h"
#include "eventconfig/EventConfig.h"
#include "operations/OperationRegistry.h"

// Threads building models with every operation and action kind at once,
// each from its own protocol document, the registries created by whichever
// rule comes first; then each walks its model through every getter. Each
// thread's walk must equal a walk of the same document on one thread.

namespace {

// One body that every kind's reader finds something in: message ids,
// fixed and tag locators, initial and received messages, log field ids,
// counts, rule lists and protocol switch lists.
std::wstring KitchenSink(const std::wstring& n) {
    return L"<MsgID>1A/" + n + L"</MsgID><Field Name=\"F" + n +
           L"\" Length=\"2\" StartOffset=\"1\" Value=\"" + n + L"\" ID=\"" + n + L"\"><v>A" + n +
           L"</v><v>0x1" + n + L"</v></Field><Count>" + n + L"</Count><MsgList><ID>2B</ID><ID>" +
           n +
           L"</ID></MsgList>"
           L"<InitialMsg ID=\"1A\" Name=\"I" +
           n +
           L"\" Length=\"1\" StartOffset=\"0\"><m>1A</m></InitialMsg>"
           L"<ReceiveMsg Name=\"R" +
           n +
           L"\" Length=\"1\" StartOffset=\"3\" StartSearchTag=\"a=\" "
           L"EndSearchTag=\";\"><MsgList><ID>" +
           n + L"</ID></MsgList><MsgFieldList><f Name=\"M" + n +
           L"\" Length=\"1\" StartOffset=\"2\"/></MsgFieldList><m>3C</m></ReceiveMsg>"
           L"<InitialField ID=\"" +
           n +
           L"\" IsFreq=\"1\"/>"
           L"<Msg ID=\"1A/" +
           n + L"\" ReverseFind=\"1\" Name=\"S" + n +
           L"\" Length=\"4\" StartOffset=\"1\"><Field Name=\"Cell" + n +
           L"\" StartSearchTag=\"Cell=\" EndSearchTag=\";\" StartReverseSearchTag=\"c=\" "
           L"EndReverseSearchTag=\",\" EventInfoName=\"E" +
           n +
           L"\" NeedMeetedNum=\"all\">"
           L"<Field>x" +
           n + L"</Field></Field><KeyField Name=\"K" + n + L"\"><c>y</c></KeyField><i>" + n +
           L"</i></Msg>"
           L"<MsgField><RadioLink FieldName=\"rl\" MetaInfoName=\"m\"/><PSC FieldName=\"psc\" "
           L"MetaInfoName=\"p\"/></MsgField><SrcField>" +
           n +
           L"</SrcField><DesField>2</DesField>"
           L"<Source><MsgID>1</MsgID><Field Name=\"s\"/></Source><Destination><MsgID>2</MsgID>"
           L"<Field Name=\"d\"/></Destination>";
}

std::wstring ActionSink(const std::wstring& n) {
    return L"<EventID>" + n + L"</EventID><LogFieldID>1" + n + L"</LogFieldID><InfoName>I" + n +
           L"</InfoName><SystemStateID>" + n + L"</SystemStateID><RuleID>" + n +
           L"</RuleID><FieldID>" + n +
           L"</FieldID>"
           L"<LogField ID=\"" +
           n + L"\"/><LogFieldSrc>1</LogFieldSrc><LogFieldDes>" + n +
           L"</LogFieldDes><RuleInitial FieldName=\"R" + n +
           L"\"/>"
           L"<Msg ID=\"1A\" ReverseFind=\"1\" Name=\"N" +
           n +
           L"\" Length=\"1\" StartOffset=\"2\">"
           L"<Field Name=\"F" +
           n +
           L"\" StartReverseSearchTag=\"a\" EndReverseSearchTag=\"b\" "
           L"EventInfoName=\"E\"/></Msg>"
           L"<EventState ID=\"" +
           n + L"\"/><Rule ID=\"1/" + n + L"\"><Field Name=\"G" + n +
           L"\" StartSearchTag=\"s\" EndSearchTag=\"e\" StartReverseSearchTag=\"r\" "
           L"EndReverseSearchTag=\"q\"/></Rule><RadioLink FieldName=\"rl\" MetaInfoName=\"m\"/>"
           L"<PSC FieldName=\"P\" MetaInfoName=\"M\"/><AddInfo FieldName=\"A\" MetaInfoName=\"B\"/>"
           L"<RemoveInfo FieldName=\"C\" MetaInfoName=\"D\"/>"
           L"<SwitchToProtocol ID=\"2\"><SystemState ID=\"" +
           n +
           L"\"/></SwitchToProtocol>"
           L"<NeededActiveWaitingEventState><i>1</i></NeededActiveWaitingEventState>"
           L"<NeededInActiveWaitingEventState><i>" +
           n +
           L"</i></NeededInActiveWaitingEventState>"
           L"<NeedRunningWaitingEventState><WaitingEventSate>" +
           n + L"</WaitingEventSate></NeedRunningWaitingEventState>";
}

// A protocol document of its own for thread `index`: one rule per operation
// kind (ids 0 to 44), whose two actions between them take every action type
// id from 0 to 41 (the unused ones give nulls).
std::wstring DocumentFor(int index) {
    const std::wstring n = std::to_wstring(index + 1);
    std::wstring rules;
    for (int op = 0; op <= 44; ++op) {
        auto action = [&](int act) {
            return L"<Action Type=\"" + std::to_wstring(act) + L"\" Info=\"a" + n + L"\">" +
                   ActionSink(n) + L"</Action>";
        };
        rules += L"<Rule ID=\"" + std::to_wstring(op) +
                 L"\" InitialActivated=\"1\"><Operation Type=\"" + std::to_wstring(op) +
                 L"\" Info=\"o" + n + L"\">" + KitchenSink(n) +
                 L"</Operation><ActionList><Result Type=\"TRUE\">" + action(op % 42) +
                 L"</Result><Result Type=\"FALSE\">" + action((op + 21) % 42) +
                 L"</Result></ActionList></Rule>";
    }
    return L"<P ProtocolType=\"" + n +
           L"\"><StateMachineConfig><SpecialEventStateList>"
           L"<MsgList><Msg MsgID=\"" +
           n +
           L"\"/></MsgList><WaitingEventStateList>"
           L"<WaitingEventState ID=\"9\">" +
           rules.substr(0, rules.find(L"</Rule>") + 7) +
           L"</WaitingEventState></WaitingEventStateList><Relationship><SystemState ID=\"" + n +
           L"\"><WaitingEventStateID>9</WaitingEventStateID></SystemState></Relationship>"
           L"</SpecialEventStateList><SystemState ID=\"" +
           n + L"\" Name=\"S" + n +
           L"\"><MsgList><Msg MsgID=\"1A\"/></MsgList><LogFieldList><Field_IEID>" + n +
           L"</Field_IEID></LogFieldList><WaitingEventStateList><WaitingEventState ID=\"1\">" +
           rules +
           L"</WaitingEventState></WaitingEventStateList></SystemState></StateMachineConfig>"
           L"<EventInfoList><E ID=\"" +
           n +
           L"\" Name=\"e\"/></EventInfoList>"
           L"<LogCodeFieldList><c>" +
           n + L"</c></LogCodeFieldList></P>";
}

struct Walked {
    std::size_t sum = 0;
    std::vector<std::string> problems;
    // The registries the thread saw after its build: one of each for all.
    const void* operations = nullptr;
    const void* actions = nullptr;
};

Walked WalkOne(const std::wstring& doc) {
    modelwalk::Walker walker;
    walker.WalkDocument(doc);
    return Walked{walker.Sum(), walker.Problems()};
}

void BuildEveryKindAtOnce(int threads) {
    std::vector<std::wstring> docs;
    std::vector<Walked> expected;
    for (int i = 0; i < threads; ++i) {
        docs.push_back(DocumentFor(i));
        expected.push_back(WalkOne(docs.back()));
        ASSERT_TRUE(expected.back().problems.empty()) << expected.back().problems.front();
    }
    // No registry: the first rule of whichever thread is first creates them.
    COperationTypeConfigFactory::Release();
    CActionTypeFactory::Release();

    std::vector<Walked> walked(threads);
    std::atomic<int> ready{0};
    std::vector<std::thread> workers;
    for (int i = 0; i < threads; ++i) {
        workers.emplace_back([&, i] {
            ready.fetch_add(1);
            while (ready.load() < threads) std::this_thread::yield();
            walked[i] = WalkOne(docs[i]);
            walked[i].operations = COperationTypeConfigFactory::GetInstance();
            walked[i].actions = CActionTypeFactory::GetInstance();
        });
    }
    for (std::thread& worker : workers) worker.join();

    for (int i = 0; i < threads; ++i) {
        EXPECT_TRUE(walked[i].problems.empty())
            << "thread " << i << ": " << walked[i].problems.front();
        EXPECT_EQ(walked[i].sum, expected[i].sum) << "thread " << i;
        EXPECT_NE(walked[i].operations, nullptr);
        EXPECT_EQ(walked[i].operations, walked[0].operations) << "thread " << i;
        EXPECT_EQ(walked[i].actions, walked[0].actions) << "thread " << i;
    }
    COperationTypeConfigFactory::Release();
    CActionTypeFactory::Release();
}

TEST(ConcurrentBuild, TwoThreadsBuildEveryKindAtOnce) {
    BuildEveryKindAtOnce(2);
}

TEST(ConcurrentBuild, FourThreadsBuildEveryKindAtOnce) {
    for (int round = 0; round < 3; ++round) BuildEveryKindAtOnce(4);
}

// The same text read by four threads at once: the model only reads it.
TEST(ConcurrentBuild, FourThreadsModelOneSharedDocument) {
    const std::wstring doc = DocumentFor(7);
    const Walked expected = WalkOne(doc);
    COperationTypeConfigFactory::Release();
    CActionTypeFactory::Release();
    std::vector<Walked> walked(4);
    std::vector<std::thread> workers;
    for (int i = 0; i < 4; ++i) workers.emplace_back([&, i] { walked[i] = WalkOne(doc); });
    for (std::thread& worker : workers) worker.join();
    for (const Walked& w : walked) EXPECT_EQ(w.sum, expected.sum);
    COperationTypeConfigFactory::Release();
    CActionTypeFactory::Release();
}

// Threads model the root's documents from their copies, which read through
// the root's index, while the root parses its text again and again (each
// time withdrawing that index and serving a new one); then once more after
// the root is gone.
TEST(ConcurrentBuild, FourThreadsModelTheRootsDocumentsWhileItReparses) {
    MessageCapture capture;
    std::wstring text = L"<R><Protocol>";
    std::vector<Walked> expected;
    for (int i = 0; i < 4; ++i) {
        text += DocumentFor(i);
        expected.push_back(WalkOne(DocumentFor(i)));
    }
    text += L"</Protocol></R>";
    auto root = std::make_unique<CEventConfig>(L"no such directory/EventConfig.xml");
    root->SetEventConfig(text);
    std::vector<std::wstring> copies;
    for (int i = 0; i < 4; ++i)
        copies.push_back(root->GetEventConfigByProtocol(static_cast<Protocol_Type_Enum>(i + 1)));

    std::vector<Walked> walked(4 * 3);
    std::atomic<int> ready{0};
    std::vector<std::thread> workers;
    for (int i = 0; i < 4; ++i)
        workers.emplace_back([&, i] {
            ready.fetch_add(1);
            for (int round = 0; round < 3; ++round) walked[i * 3 + round] = WalkOne(copies[i]);
        });
    while (ready.load() < 4) std::this_thread::yield();
    for (int round = 0; round < 5; ++round) root->SetEventConfig(text);
    for (std::thread& worker : workers) worker.join();
    for (int i = 0; i < 4 * 3; ++i) EXPECT_EQ(walked[i].sum, expected[i / 3].sum) << i;
    root.reset();
    EXPECT_EQ(WalkOne(copies[0]).sum, expected[0].sum);
    COperationTypeConfigFactory::Release();
    CActionTypeFactory::Release();
}

}  // namespace
