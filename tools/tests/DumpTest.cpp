// eventconfig dump, summary and kinds, and the bundled example.

#include <map>
#include <set>
#include <string>

#include "SchemaValidator.h"
#include "Text.h"
#include "ToolRunner.h"
#include "eventconfig/EventConfig.h"

namespace {

using tooltest::RunTool;

const std::string kExample = std::string(EVENTCONFIG_SOURCE_DIR) + "/examples/EventConfig.xml";

nlohmann::json DumpJson(const std::string& path) {
    tooltest::Run run = RunTool("dump --format json '" + path + "'");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return nlohmann::json::parse(run.out, nullptr, false);
}

struct Counts {
    std::size_t states = 0, eventStates = 0, rules = 0, trueActions = 0, falseActions = 0,
                messages = 0, infos = 0;
    bool operator==(const Counts& o) const {
        return states == o.states && eventStates == o.eventStates && rules == o.rules &&
               trueActions == o.trueActions && falseActions == o.falseActions &&
               messages == o.messages && infos == o.infos;
    }
};

void CountModelStates(const std::map<int, CEventStateConfig*>& states, Counts& c) {
    for (const auto& state : states) {
        ++c.eventStates;
        for (const auto& rule : state.second->GetRuleList()) {
            ++c.rules;
            c.trueActions += rule.second->GetTrueActionList().size();
            c.falseActions += rule.second->GetFalseActionList().size();
        }
    }
}

// What the library itself builds from the file, counted.
Counts ModelCounts(const std::string& path) {
    Counts c;
    CEventConfig root(ectool::Widen(path));
    for (int protocol : {1, 2}) {
        CStateMachineConfig model(
            root.GetEventConfigByProtocol(static_cast<Protocol_Type_Enum>(protocol)));
        c.infos += model.GetEventInfoConfigList().size();
        for (const auto& state : model.GetSysStateConfigList()) {
            ++c.states;
            c.messages += state.second->GetMsgList().size();
            CountModelStates(state.second->GetEventStateList(), c);
        }
        if (CSpecialEventStateListConfig* special = model.GetSpecialEventStateListConfig()) {
            c.messages += special->GetMsgList().size();
            CountModelStates(special->GetEventStateList(), c);
        }
    }
    return c;
}

void CountJsonStates(const nlohmann::json& states, Counts& c) {
    for (const auto& state : states) {
        ++c.eventStates;
        for (const auto& rule : state["GetRuleList"]) {
            ++c.rules;
            c.trueActions += rule["GetTrueActionList"].size();
            c.falseActions += rule["GetFalseActionList"].size();
        }
    }
}

Counts JsonCounts(const nlohmann::json& dump) {
    Counts c;
    for (const auto& protocol : dump["protocols"]) {
        c.infos += protocol["GetEventInfoConfigList"].size();
        for (const auto& state : protocol["GetSysStateConfigList"]) {
            ++c.states;
            c.messages += state["GetMsgList"].size();
            CountJsonStates(state["GetEventStateList"], c);
        }
        const auto& special = protocol["GetSpecialEventStateListConfig"];
        if (!special.is_null()) {
            c.messages += special["GetMsgList"].size();
            CountJsonStates(special["GetEventStateList"], c);
        }
    }
    return c;
}

// The validator must also reject what the schema forbids, or passing means
// nothing.
TEST(Dump, JsonFollowsTheDocumentedSchemaAndCountsRoundTrip) {
    nlohmann::json dump = DumpJson(kExample);
    ASSERT_FALSE(dump.is_discarded());
    tooltest::SchemaValidator schema(nlohmann::json::parse(
        tooltest::Slurp(std::string(EVENTCONFIG_SOURCE_DIR) + "/docs/dump-schema.json")));
    EXPECT_EQ(schema.Validate(dump), "");
    Counts fromJson = JsonCounts(dump);
    Counts fromModel = ModelCounts(kExample);
    EXPECT_TRUE(fromJson == fromModel);
    EXPECT_GT(fromJson.rules, 40u);
    EXPECT_EQ(dump["protocols"].size(), 2u);

    nlohmann::json extra = dump;
    extra["protocols"][0]["unexpected"] = 1;
    EXPECT_NE(schema.Validate(extra), "");
    nlohmann::json wrongType = dump;
    wrongType["protocols"][0]["protocolType"] = "1";
    EXPECT_NE(schema.Validate(wrongType), "");
}

TEST(Dump, ProtocolFilterAndTextFormat) {
    nlohmann::json one =
        nlohmann::json::parse(RunTool("dump --protocol 2 --format json '" + kExample + "'").out);
    ASSERT_EQ(one["protocols"].size(), 1u);
    EXPECT_EQ(one["protocols"][0]["protocolType"], 2);
    tooltest::Run text = RunTool("dump --format text '" + kExample + "'");
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_NE(text.out.find("\nprotocol 1\n"), std::string::npos);
    // Every object under a line naming where it stands, hexadecimal fields as written.
    EXPECT_NE(text.out.find("\nprotocol 1 / system state 1 / event state 100 / rule 1\n"),
              std::string::npos);
    EXPECT_NE(text.out.find("GetOperationType: COptFieldEqualConfig (6: "), std::string::npos);
    EXPECT_NE(text.out.find("GetMsgID: 0x"), std::string::npos);
    EXPECT_EQ(text.out.find(" \n"), std::string::npos);
}

TEST(Dump, MembershipTestsShowTheIdsTheyAccept) {
    std::string xml =
        "<R><Protocol><P ProtocolType=\"1\"><StateMachineConfig><S ID=\"1\"><MsgList><Msg "
        "MsgID=\"1A\"/></MsgList>"
        "<WaitingEventStateList><WaitingEventState ID=\"1\"><Rule ID=\"1\">"
        "<Operation Type=\"32\"><Msg ID=\"1A/2B\"><Field Name=\"Cause\"/></Msg></Operation>"
        "</Rule></WaitingEventState></WaitingEventStateList></S></StateMachineConfig></P></"
        "Protocol></R>";
    nlohmann::json dump = DumpJson(tooltest::WriteFile("membership.xml", xml));
    const auto& op = dump["protocols"][0]["GetSysStateConfigList"][0]["GetEventStateList"][0]
                         ["GetRuleList"][0]["GetOperationType"];
    EXPECT_EQ(op["class"], "COptMsgFieldEqualRuleInitConfig");
    EXPECT_EQ(op["getters"]["InMsgList"], nlohmann::json::array({0x1A, 0x2B}));
    EXPECT_EQ(op["getters"]["GetMsgFieldConfigList"][0]["key"], "cause");
}

TEST(Kinds, ListsEveryRegisteredKindOnce) {
    tooltest::Run run = RunTool("kinds --color=never");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("Operations (45)"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Actions (38)"), std::string::npos) << run.out;
    std::size_t lines = 0;
    for (std::size_t at = run.out.find("\n  "); at != std::string::npos;
         at = run.out.find("\n  ", at + 1))
        ++lines;
    EXPECT_EQ(lines, 45u + 38u);
    EXPECT_NE(run.out.find("CAct_EnterIntoProtocalSwitchModeConfig"), std::string::npos);
}

TEST(Example, IsCleanAndUsesEveryKind) {
    tooltest::Run run = RunTool("check --color=never '" + kExample + "'");
    EXPECT_EQ(run.exitCode, 0) << run.out;
    std::set<int> operations, actions;
    nlohmann::json dump = DumpJson(kExample);
    auto collect = [&](const nlohmann::json& states) {
        for (const auto& state : states)
            for (const auto& rule : state["GetRuleList"]) {
                if (!rule["GetOperationType"].is_null())
                    operations.insert(rule["GetOperationType"]["typeId"].get<int>());
                for (const char* list : {"GetTrueActionList", "GetFalseActionList"})
                    for (const auto& action : rule[list])
                        if (!action.is_null()) actions.insert(action["typeId"].get<int>());
            }
    };
    for (const auto& protocol : dump["protocols"]) {
        for (const auto& state : protocol["GetSysStateConfigList"])
            collect(state["GetEventStateList"]);
        if (!protocol["GetSpecialEventStateListConfig"].is_null())
            collect(protocol["GetSpecialEventStateListConfig"]["GetEventStateList"]);
    }
    for (const EventConfigKindInfo& kind : EventConfigOperationKinds()) {
        if (kind.nTypeID == 0) continue;
        EXPECT_TRUE(operations.count(kind.nTypeID))
            << "operation kind " << kind.nTypeID << " unused";
    }
    for (const EventConfigKindInfo& kind : EventConfigActionKinds()) {
        if (kind.nTypeID == 0) continue;
        EXPECT_TRUE(actions.count(kind.nTypeID)) << "action kind " << kind.nTypeID << " unused";
    }
    EXPECT_EQ(operations.size(), 44u);
    EXPECT_EQ(actions.size(), 37u);
}

TEST(Summary, CountsPerProtocol) {
    tooltest::Run run = RunTool("summary --color=never '" + kExample + "'");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("protocol 1\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("protocol 2\n"), std::string::npos);
    EXPECT_NE(run.out.find("COptFieldEqualConfig (6)"), std::string::npos);
    EXPECT_NE(run.out.find("load "), std::string::npos);
}

TEST(Text, NearestNameSuggestsOnlyLikelyMisspellings) {
    const std::vector<std::wstring> names = {L"MsgList", L"LogFieldList", L"WaitingEventStateList"};
    struct Row {
        const wchar_t* name;
        const wchar_t* nearest;
    };
    for (const Row& row : {Row{L"MsgLst", L"MsgList"}, Row{L"msglist", L"MsgList"},
                           Row{L"LogFeildList", L"LogFieldList"},
                           Row{L"WaitingEventStateLis", L"WaitingEventStateList"}, Row{L"Foo", L""},
                           Row{L"Rule", L""}})
        EXPECT_EQ(ectool::NearestName(row.name, names), row.nearest) << ectool::Utf8(row.name);
}

}  // namespace
