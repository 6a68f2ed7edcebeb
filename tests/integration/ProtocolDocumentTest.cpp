#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#include "eventconfig/EventConfig.h"

namespace {

// A whole configuration file: two protocols, one with a special list, several
// system states, event states and rules with plain and unknown kinds.
const char* const kConfig = R"(<?xml version="1.0" encoding="UTF-8"?>
<EventConfig>
  <Protocol>
    <Umts ProtocolType="1">
      <StateMachineConfig>
        <SpecialEventStateList>
          <MsgList><Msg MsgID="F0" LogCode="4125" Name="Paging"/></MsgList>
          <LogFieldList><Field_IEID>1F</Field_IEID></LogFieldList>
          <WaitingEventStateList>
            <WaitingEventState ID="100" InitialActivated="1">
              <Rule ID="1"><Operation Type="0" Info="always"/>
                <ActionList><Result Type="TRUE"><Action Type="0" Info="note"/></Result></ActionList>
              </Rule>
            </WaitingEventState>
          </WaitingEventStateList>
          <Relationship>
            <SystemState ID="1"><WaitingEventStateID>100</WaitingEventStateID></SystemState>
          </Relationship>
        </SpecialEventStateList>
        <SystemState ID="1" Name="Idle">
          <MsgList><Msg MsgID="1A" LogCode="4125" Name="RRC Connection Request"/></MsgList>
          <LogFieldList><Field_IEID CanActiveSysState="1">2A</Field_IEID></LogFieldList>
          <WaitingEventStateList>
            <WaitingEventState ID="10" InitialActivated="1" NeedProcessLogField="TRUE">
              <Rule ID="2" InitialActivated="1" PlatType="1">
                <Operation Type="0" Info="setup seen"/>
                <ActionList>
                  <Result Type="TRUE"><Action Type="0" Info="first"/><Action Type="99"/></Result>
                  <Result Type="FALSE"><Action Type="8"/></Result>
                </ActionList>
              </Rule>
              <Rule ID="1"><Operation Type="77"/></Rule>
            </WaitingEventState>
          </WaitingEventStateList>
        </SystemState>
        <SystemState ID="2" Name="Connected">
          <MsgList><Msg MsgID="1B" Name="RRC Connection Release"/></MsgList>
        </SystemState>
      </StateMachineConfig>
      <EventInfoList><Event ID="1" Name="Call setup failure"/><Event ID="2" Name="Dropped call"/></EventInfoList>
      <LogCodeFieldList><LogCode>4125</LogCode><LogCode>412F</LogCode></LogCodeFieldList>
    </Umts>
    <Gsm ProtocolType="2">
      <StateMachineConfig><SystemState ID="5" Name="Dedicated"/></StateMachineConfig>
      <EventInfoList/>
      <LogCodeFieldList/>
    </Gsm>
  </Protocol>
  <MsgParserConfig><Parser Name="rrc"/></MsgParserConfig>
  <GenMessageInfoString><Info Name="x"/></GenMessageInfoString>
</EventConfig>
)";

class ProtocolDocument : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = std::filesystem::temp_directory_path() /
                ("eventconfig_protocol_" +
                 std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".xml");
        std::ofstream(path_, std::ios::binary) << kConfig;
    }
    void TearDown() override { std::filesystem::remove(path_); }
    std::filesystem::path path_;
};

TEST_F(ProtocolDocument, LoadsThroughTheRootAndWalksEveryGetter) {
    CEventConfig root(path_.wstring());
    EXPECT_NE(root.GetMsgConfig().find(L"<MsgParserConfig>"), std::wstring::npos);
    EXPECT_NE(root.GetGenMsgInfoConfig().find(L"GenMessageInfoString"), std::wstring::npos);

    CStateMachineConfig machine(root.GetEventConfigByProtocol(static_cast<Protocol_Type_Enum>(1)));

    // Special list and its relationship.
    CSpecialEventStateListConfig* special = machine.GetSpecialEventStateListConfig();
    ASSERT_NE(special, nullptr);
    EXPECT_EQ(special->IsInMsgList(0xF0), 1);
    EXPECT_EQ(special->GetMsgList().at(0xF0)->GetLogCode(), 0x4125);
    std::vector<int> specialFields;
    special->GetLogFieldList(specialFields);
    EXPECT_EQ(specialFields, std::vector<int>{0x1F});
    const auto relationship = special->GetRelationship();
    ASSERT_EQ(relationship.count(1), 1u);
    EXPECT_EQ(relationship.at(1).at(100), special->GetEventStateList().at(100));

    // System states, in id order.
    const auto& states = machine.GetSysStateConfigList();
    ASSERT_EQ(states.size(), 2u);
    CSystemStateConfig* idle = states.begin()->second;
    EXPECT_EQ(idle->GetSystemStateID(), 1);
    EXPECT_EQ(idle->GetSystemStateName(), L"Idle");
    EXPECT_EQ(idle->GetMsgList().at(0x1A)->GetMsgName(), L"RRC Connection Request");
    EXPECT_EQ(idle->GetLogFiedCanActiveSysState(0x2A), 1);
    EXPECT_EQ(states.at(2)->GetMsgList().at(0x1B)->GetLogCode(), -1);

    CEventStateConfig* waiting = idle->GetEventStateList().at(10);
    EXPECT_EQ(waiting->IsNeedProcessLogField(), 1);
    const auto& rules = waiting->GetRuleList();
    ASSERT_EQ(rules.size(), 2u);
    EXPECT_EQ(rules.begin()->first, 1);                   // id order, not document order
    EXPECT_EQ(rules.at(1)->GetOperationType(), nullptr);  // type 77 has no kind

    CRuleConfig* rule = rules.at(2);
    EXPECT_EQ(rule->GetPlatType(), 1);
    EXPECT_EQ(rule->GetOperationType()->GetOperationInfo(), L"setup seen");
    ASSERT_EQ(rule->GetTrueActionList().size(), 2u);
    EXPECT_EQ(rule->GetTrueActionList()[0]->GetActionInfo(), L"first");
    EXPECT_EQ(rule->GetTrueActionList()[1], nullptr);
    ASSERT_EQ(rule->GetFalseActionList().size(), 1u);
    EXPECT_EQ(rule->GetFalseActionList()[0], nullptr);

    // Event names and log codes.
    EXPECT_EQ(machine.GetEventInfoConfigList().at(2)->GetEventName(), L"Dropped call");
    EXPECT_EQ(machine.GetLogCodeFieldList(), (std::vector<int>{0x4125, 0x412F}));

    // The second protocol builds on its own.
    CStateMachineConfig gsm(root.GetEventConfigByProtocol(static_cast<Protocol_Type_Enum>(2)));
    EXPECT_EQ(gsm.GetSysStateConfigList().at(5)->GetSystemStateName(), L"Dedicated");
    EXPECT_EQ(gsm.GetSpecialEventStateListConfig(), nullptr);
}

TEST_F(ProtocolDocument, ModelOutlivesTheRoot) {
    std::unique_ptr<CStateMachineConfig> machine;
    {
        CEventConfig root(path_.wstring());
        machine.reset(new CStateMachineConfig(
            root.GetEventConfigByProtocol(static_cast<Protocol_Type_Enum>(1))));
    }
    // The registries went with the root; the model's objects are its own.
    CRuleConfig* rule =
        machine->GetSysStateConfigList().at(1)->GetEventStateList().at(10)->GetRuleList().at(2);
    EXPECT_EQ(rule->GetTrueActionList()[0]->GetActionInfo(), L"first");
}

}  // namespace
