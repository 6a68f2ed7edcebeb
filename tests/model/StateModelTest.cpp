#include <gtest/gtest.h>

#include <memory>

#include "actions/ActionRegistry.h"
#include "eventconfig/EventConfig.h"
#include "operations/OperationRegistry.h"

namespace {

template <class Map>
std::vector<int> Keys(const Map& map) {
    std::vector<int> keys;
    for (const auto& entry : map) keys.push_back(entry.first);
    return keys;
}

// ---- Messages ----------------------------------------------------------------

struct MsgCase {
    const wchar_t* doc;
    int id;
    int logCode;
    const wchar_t* name;
};

TEST(MsgConfig, ReadsHexIdsAndName) {
    const MsgCase cases[] = {
        {L"<Msg MsgID='1A' LogCode='4125' Name='Setup'/>", 26, 0x4125, L"Setup"},
        {L"<Msg LogCode='' Name='x'/>", 0, -1, L"x"},
        {L"<Msg MsgID='0x1f'/>", 31, -1, L""},
        {L"<Msg MsgID='zz' LogCode='0'/>", 0, 0, L""},
        {L"<Other MsgID='2' LogCode='FFFFFFFFF'/>", 2, 2147483647, L""},
        {L"", 0, -1, L""},
    };
    for (const MsgCase& c : cases) {
        CMsgConfig msg(c.doc);
        EXPECT_EQ(msg.GetMsgID(), c.id);
        EXPECT_EQ(msg.GetLogCode(), c.logCode);
        EXPECT_EQ(msg.GetMsgName(), c.name);
    }
    CMsgConfig none;
    EXPECT_EQ(none.GetMsgID(), -1);
    EXPECT_EQ(none.GetLogCode(), -1);
    EXPECT_EQ(none.GetMsgName(), L"");
}

// ---- Rules -------------------------------------------------------------------

TEST(RuleConfig, OnlyIdGivesBaseOperationAndEmptyLists) {
    CRuleConfig rule(L"<Rule ID='4'/>");
    EXPECT_EQ(rule.GetRuleID(), 4);
    EXPECT_EQ(rule.GetInitialActivated(), 0);
    EXPECT_EQ(rule.GetPlatType(), 0);
    ASSERT_NE(rule.GetOperationType(), nullptr);
    EXPECT_EQ(rule.GetOperationType()->GetOperationType(), OPT_TYPE_BASE);
    EXPECT_TRUE(rule.GetTrueActionList().empty());
    EXPECT_TRUE(rule.GetFalseActionList().empty());

    CRuleConfig defaults;
    EXPECT_EQ(defaults.GetRuleID(), -1);
    EXPECT_EQ(defaults.GetInitialActivated(), 1);
    EXPECT_EQ(defaults.GetOperationType(), nullptr);
    // An operation without a kind is kept as null.
    EXPECT_EQ(CRuleConfig(L"<Rule ID='1'><Operation Type='45'/></Rule>").GetOperationType(),
              nullptr);
}

TEST(RuleConfig, ActionListsKeepOrderAndNulls) {
    CRuleConfig rule(
        L"<Rule ID='1' InitialActivated='1' PlatType='3'>"
        L"<Operation Type='0' Info='always'/>"
        L"<ActionList>"
        L"<Result Type='TRUE'><Action Type='0' Info='a'/><Action Type='9'/><Action "
        L"Info='c'/></Result>"
        L"<Result Type='FALSE'><Action Type='0' Info='f'/></Result>"
        L"<Result Type='true'><Action Type='0' Info='ignored'/></Result>"
        L"<Result Type='TRUE'><Action Type='0' Info='d'/></Result>"
        L"</ActionList></Rule>");
    EXPECT_EQ(rule.GetPlatType(), 3);
    EXPECT_EQ(rule.GetInitialActivated(), 1);
    ASSERT_NE(rule.GetOperationType(), nullptr);
    EXPECT_EQ(rule.GetOperationType()->GetOperationInfo(), L"always");
    const auto& trueList = rule.GetTrueActionList();
    ASSERT_EQ(trueList.size(), 4u);
    EXPECT_EQ(trueList[0]->GetActionInfo(), L"a");
    EXPECT_EQ(trueList[1], nullptr);  // type 9 has no kind
    EXPECT_EQ(trueList[2]->GetActionType(), ACT_TYPE_BASE);
    EXPECT_EQ(trueList[2]->GetActionInfo(), L"c");
    EXPECT_EQ(trueList[3]->GetActionInfo(), L"d");
    ASSERT_EQ(rule.GetFalseActionList().size(), 1u);
    EXPECT_EQ(rule.GetFalseActionList()[0]->GetActionInfo(), L"f");
}

TEST(RuleConfig, ActionListsAreOnlyReadAfterTheOperation) {
    // No "ActionList": the search must not wander into the operation's children.
    CRuleConfig noList(
        L"<Rule><Operation Type='0'><Result Type='TRUE'><Action "
        L"Type='0'/></Result></Operation></Rule>");
    EXPECT_TRUE(noList.GetTrueActionList().empty());
    // An "ActionList" before "Operation" is not found.
    CRuleConfig before(
        L"<Rule><ActionList><Result Type='TRUE'><Action Type='0'/></Result></ActionList>"
        L"<Operation Type='0'/></Rule>");
    EXPECT_TRUE(before.GetTrueActionList().empty());
    // Without "Operation" the list is searched from the first child.
    CRuleConfig noOperation(
        L"<Rule><ActionList><Result Type='FALSE'><Action Type='0'/></Result></ActionList></Rule>");
    EXPECT_EQ(noOperation.GetFalseActionList().size(), 1u);
    ASSERT_NE(noOperation.GetOperationType(), nullptr);
    EXPECT_EQ(noOperation.GetOperationType()->GetOperationType(), OPT_TYPE_BASE);
}

// ---- Event states ------------------------------------------------------------

TEST(EventStateConfig, AttributesAndRules) {
    struct Case {
        const wchar_t* doc;
        int id, initial, needLog;
    } cases[] = {
        {L"<WaitingEventState/>", 0, 0, 0},
        {L"<WaitingEventState ID='7' InitialActivated='1' NeedProcessLogField='TRUE'/>", 7, 1, 1},
        {L"<WaitingEventState NeedProcessLogField='true'/>", 0, 0, 0},
        {L"<WaitingEventState NeedProcessLogField='FALSE'/>", 0, 0, 0},
    };
    for (const Case& c : cases) {
        CEventStateConfig state(c.doc);
        EXPECT_EQ(state.GetID(), c.id);
        EXPECT_EQ(state.GetInitialActivated(), c.initial);
        EXPECT_EQ(state.IsNeedProcessLogField(), c.needLog);
        EXPECT_TRUE(state.GetRuleList().empty());
    }
    CEventStateConfig defaults;
    EXPECT_EQ(defaults.GetID(), -1);
    EXPECT_EQ(defaults.GetInitialActivated(), 1);
}

TEST(EventStateConfig, RulesFiledByIdLaterWins) {
    CEventStateConfig state(
        L"<WaitingEventState ID='1'>"
        L"<Rule ID='9' PlatType='1'/><Rule ID='5' PlatType='1'/><Other ID='6'/>"
        L"<Rule ID='5' PlatType='2'/><Rule/><Rule PlatType='4'/></WaitingEventState>");
    const auto& rules = state.GetRuleList();
    EXPECT_EQ(Keys(rules), (std::vector<int>{0, 5, 9}));
    EXPECT_EQ(rules.at(5)->GetPlatType(), 2);
    EXPECT_EQ(rules.at(0)->GetPlatType(), 4);
}

// ---- System states -----------------------------------------------------------

const wchar_t* const kSystemState =
    L"<State ID='3' Name='Connected'>"
    L"<MsgList><Msg MsgID='1A' Name='first'/><Msg MsgID='1a' Name='second'/><Skip MsgID='2'/>"
    L"<Msg MsgID='2B'/></MsgList>"
    L"<LogFieldList><Field_IEID CanActiveSysState='1'>1A</Field_IEID><Field_IEID>2B</Field_IEID>"
    L"<Field_IEID CanActiveSysState='5'>1A</Field_IEID></LogFieldList>"
    L"<WaitingEventStateList><WaitingEventState ID='2' InitialActivated='1'/>"
    L"<WaitingEventState ID='2' InitialActivated='0'/><WaitingEventState "
    L"ID='1'/></WaitingEventStateList>"
    L"</State>";

TEST(SystemStateConfig, ReadsItsThreeLists) {
    CSystemStateConfig state(kSystemState);
    EXPECT_EQ(state.GetSystemStateID(), 3);
    EXPECT_EQ(state.GetSystemStateName(), L"Connected");
    EXPECT_EQ(Keys(state.GetMsgList()), (std::vector<int>{0x1A, 0x2B}));
    EXPECT_EQ(state.GetMsgList().at(0x1A)->GetMsgName(), L"first");  // first of an id wins
    EXPECT_EQ(state.IsInMsgList(0x1A), 1);
    EXPECT_EQ(state.IsInMsgList(2), 0);

    std::vector<int> logFields = {99};
    state.GetLogFieldList(logFields);
    EXPECT_EQ(logFields, (std::vector<int>{26, 43, 26}));
    EXPECT_EQ(state.GetLogFiedCanActiveSysState(26), 5);
    EXPECT_EQ(state.GetLogFiedCanActiveSysState(43), 0);
    EXPECT_EQ(state.GetLogFiedCanActiveSysState(99), 0);
    EXPECT_EQ(state.IsInLogFieldList(43), 1);
    EXPECT_EQ(state.IsInLogFieldList(99), 0);

    EXPECT_EQ(Keys(state.GetEventStateList()), (std::vector<int>{1, 2}));
    EXPECT_EQ(state.GetEventStateList().at(2)->GetInitialActivated(), 0);  // later wins
}

TEST(SystemStateConfig, ListsOutOfOrderAreNotRead) {
    CSystemStateConfig state(
        L"<S ID='1'><LogFieldList><Field_IEID>1</Field_IEID></LogFieldList>"
        L"<MsgList><Msg MsgID='5'/></MsgList>"
        L"<WaitingEventStateList><WaitingEventState ID='4'/></WaitingEventStateList></S>");
    std::vector<int> logFields = {1, 2};
    state.GetLogFieldList(logFields);
    EXPECT_TRUE(logFields.empty());
    EXPECT_EQ(state.IsInMsgList(5), 1);
    EXPECT_EQ(state.GetEventStateList().size(), 1u);

    CSystemStateConfig defaults;
    EXPECT_EQ(defaults.GetSystemStateID(), -1);
    EXPECT_EQ(defaults.GetSystemStateName(), L"");
    CSystemStateConfig broken(L"<<<");
    EXPECT_EQ(broken.GetSystemStateID(), 0);
    EXPECT_TRUE(broken.GetMsgList().empty());
}

// ---- Special event state list ------------------------------------------------

TEST(SpecialEventStateListConfig, RelationshipTable) {
    CSpecialEventStateListConfig list(
        L"<SpecialEventStateList>"
        L"<MsgList><Msg MsgID='10' Name='a'/><Msg MsgID='10' Name='b'/></MsgList>"
        L"<LogFieldList><Field_IEID "
        L"CanActiveSysState='1'>ff</Field_IEID><Field_IEID>0x10</Field_IEID></LogFieldList>"
        L"<WaitingEventStateList><WaitingEventState ID='5'/><WaitingEventState ID='6'/>"
        L"<WaitingEventState ID='7'/></WaitingEventStateList>"
        L"<Relationship>"
        L"<SystemState "
        L"ID='2'><WaitingEventStateID>5</WaitingEventStateID><WaitingEventStateID>6</"
        L"WaitingEventStateID></SystemState>"
        L"<SystemState ID='2'><WaitingEventStateID>7</WaitingEventStateID></SystemState>"
        L"<Other ID='8'><WaitingEventStateID>5</WaitingEventStateID></Other>"
        L"<SystemState "
        L"ID='3'><WaitingEventStateID>5</WaitingEventStateID><WaitingEventStateID>5</"
        L"WaitingEventStateID>"
        L"<WaitingEventStateID>0x5</WaitingEventStateID></SystemState>"
        L"<SystemState ID='4'><WaitingEventStateID>99</WaitingEventStateID></SystemState>"
        L"<SystemState ID='0x10'/>"
        L"</Relationship></SpecialEventStateList>");
    auto messages = list.GetMsgList();
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.at(0x10)->GetMsgName(), L"a");
    messages.clear();  // a copy: the list keeps its own
    EXPECT_EQ(list.IsInMsgList(0x10), 1);

    std::vector<int> logFields;
    list.GetLogFieldList(logFields);
    EXPECT_EQ(logFields, (std::vector<int>{255, 16}));

    const auto states = list.GetEventStateList();
    const auto relationship = list.GetRelationship();
    EXPECT_EQ(Keys(relationship), (std::vector<int>{0, 2, 3, 4}));
    EXPECT_EQ(Keys(relationship.at(2)), (std::vector<int>{7}));  // replaced, not merged
    EXPECT_EQ(Keys(relationship.at(3)), (std::vector<int>{5}));  // 0x5 reads as 0: not defined
    EXPECT_TRUE(relationship.at(4).empty());
    EXPECT_TRUE(relationship.at(0).empty());
    EXPECT_EQ(relationship.at(2).at(7), states.at(7));
}

// ---- Whole document ----------------------------------------------------------

TEST(StateMachineConfig, TopLevelLists) {
    CStateMachineConfig machine(
        L"<Protocol ProtocolType='1'>"
        L"<StateMachineConfig>"
        L"<State ID='3' Name='old'/><State ID='1'/><State ID='3' Name='new'/>"
        L"</StateMachineConfig>"
        L"<EventInfoList><Event ID='10' Name='Drop'/><Event ID='11'/><Event ID='10' Name='Dropped "
        L"call'/></EventInfoList>"
        L"<LogCodeFieldList><C>4125</C><C>0x1f</C><C>zz</C><C>4125</C></LogCodeFieldList>"
        L"</Protocol>");
    EXPECT_EQ(machine.GetSpecialEventStateListConfig(), nullptr);
    const auto& states = machine.GetSysStateConfigList();
    EXPECT_EQ(Keys(states), (std::vector<int>{1, 3}));
    EXPECT_EQ(states.at(3)->GetSystemStateName(), L"new");
    const auto& infos = machine.GetEventInfoConfigList();
    EXPECT_EQ(Keys(infos), (std::vector<int>{10, 11}));
    EXPECT_EQ(infos.at(10)->GetEventName(), L"Dropped call");
    EXPECT_EQ(infos.at(11)->GetEventName(), L"");
    EXPECT_EQ(machine.GetLogCodeFieldList(), (std::vector<int>{0x4125, 31, 0, 0x4125}));
}

TEST(StateMachineConfig, SpecialListOnlyAsFirstChild) {
    CStateMachineConfig first(
        L"<P><StateMachineConfig><SpecialEventStateList/><State ID='1'/><SpecialEventStateList "
        L"ID='2'/>"
        L"</StateMachineConfig></P>");
    EXPECT_NE(first.GetSpecialEventStateListConfig(), nullptr);
    EXPECT_EQ(Keys(first.GetSysStateConfigList()), (std::vector<int>{1, 2}));

    CStateMachineConfig second(
        L"<P><StateMachineConfig><State ID='1'/><SpecialEventStateList/></StateMachineConfig></P>");
    ASSERT_NE(second.GetSpecialEventStateListConfig(), nullptr);
    // The state before it is never read.
    EXPECT_TRUE(second.GetSysStateConfigList().empty());
}

TEST(StateMachineConfig, ListsInWrongOrderOrMissing) {
    CStateMachineConfig misordered(
        L"<P><EventInfoList><E ID='1'/></EventInfoList><StateMachineConfig><S "
        L"ID='1'/></StateMachineConfig>"
        L"<LogCodeFieldList><C>1</C></LogCodeFieldList></P>");
    EXPECT_EQ(misordered.GetSysStateConfigList().size(), 1u);
    EXPECT_TRUE(misordered.GetEventInfoConfigList().empty());
    EXPECT_EQ(misordered.GetLogCodeFieldList().size(), 1u);

    for (const wchar_t* doc : {L"", L"<P/>", L"not xml", L"<P><StateMachineConfig>"}) {
        CStateMachineConfig empty(doc);
        EXPECT_TRUE(empty.GetSysStateConfigList().empty());
        EXPECT_TRUE(empty.GetEventInfoConfigList().empty());
        EXPECT_TRUE(empty.GetLogCodeFieldList().empty());
        EXPECT_EQ(empty.GetSpecialEventStateListConfig(), nullptr);
    }
}

// ---- Registries --------------------------------------------------------------

TEST(Registries, ReleaseThenUseBuildsFreshRegistries) {
    COperationTypeConfigFactory* first = COperationTypeConfigFactory::GetInstance();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(COperationTypeConfigFactory::GetInstance(), first);
    const std::wstring op = L"<Operation Info='x'/>";
    std::unique_ptr<COperationTypeConfig> a(first->CreateOperation(op));
    COperationTypeConfigFactory::Release();
    CActionTypeFactory::Release();
    COperationTypeConfigFactory::Release();  // releasing twice is harmless
    // Building a rule creates both registries anew.
    CRuleConfig rule(
        L"<Rule><Operation Info='x'/><ActionList><Result "
        L"Type='TRUE'><Action/></Result></ActionList></Rule>");
    ASSERT_NE(rule.GetOperationType(), nullptr);
    EXPECT_EQ(rule.GetOperationType()->GetOperationInfo(), L"x");
    EXPECT_NE(rule.GetOperationType(), a.get());
    EXPECT_EQ(a->GetOperationInfo(), L"x");  // still valid after its registry went
    EXPECT_NE(CActionTypeFactory::GetInstance(), nullptr);
    EXPECT_EQ(COperationTypeConfigFactory::GetInstance()->GetPrototype(0)->GetOperationType(),
              OPT_TYPE_BASE);
}

// ConvertToIntNum is protected; a kind-less subclass reaches it.
struct NumberProbe : COperationTypeConfig {
    int Convert(const std::wstring& text, int& value) { return ConvertToIntNum(text, value); }
};

TEST(BaseKinds, ConvertToIntNum) {
    struct Case {
        const wchar_t* text;
        int result;
        int value;
    } cases[] = {
        {L"0x1F", 1, 31}, {L"12", 1, 12},    {L"-5", 0, -99},
        {L" 7", 0, -99},  {L"0X1F", 1, 0},   {L"ab", 0, -99},
        {L"", 0, -99},    {L"5 0x10", 1, 5}, {L"99999999999", 1, 2147483647},
    };
    NumberProbe probe;
    for (const Case& c : cases) {
        int value = -99;
        EXPECT_EQ(probe.Convert(c.text, value), c.result) << std::wstring(c.text).size();
        EXPECT_EQ(value, c.value);
    }
}

}  // namespace
