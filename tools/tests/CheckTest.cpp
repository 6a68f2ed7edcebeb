// eventconfig check on small broken files: each finding with its line,
// column and check name, and the exit code.

#include <sstream>
#include <string>
#include <vector>

#include "ToolRunner.h"

namespace {

using tooltest::RunTool;
using tooltest::WriteFile;

// A valid protocol document around the given system state body; the
// placeholders let a case put its mistake anywhere.
std::string Config(const std::string& stateBody, const std::string& machineHead = "",
                   const std::string& afterMachine =
                       "<EventInfoList><Event ID=\"1\" Name=\"Drop\"/></EventInfoList>",
                   const std::string& beforeMachine = "") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<EventConfig>\n"
           "<Protocol>\n"
           "<WCDMA ProtocolType=\"1\">\n" +
           beforeMachine + "<StateMachineConfig>\n" + machineHead +
           "<SystemState ID=\"1\" Name=\"Idle\">\n"
           "<MsgList><Msg MsgID=\"1A\" Name=\"Setup\"/></MsgList>\n" +
           stateBody +
           "\n</SystemState>\n"
           "</StateMachineConfig>\n" +
           afterMachine +
           "\n<LogCodeFieldList/>\n"
           "</WCDMA>\n"
           "</Protocol>\n"
           "<MsgParserConfig/>\n"
           "<GenMessageInfoString/>\n"
           "</EventConfig>\n";
}

// One event state holding one rule with the given operation and TRUE actions.
std::string RuleWith(const std::string& operation, const std::string& actions,
                     const std::string& ruleId = "1") {
    return "<WaitingEventStateList><WaitingEventState ID=\"10\" InitialActivated=\"1\">\n"
           "<Rule ID=\"" +
           ruleId + "\" InitialActivated=\"1\">\n" + operation +
           "\n<ActionList><Result Type=\"TRUE\">" + actions +
           "</Result></ActionList>\n</Rule>\n</WaitingEventState></WaitingEventStateList>";
}

// The text with its first occurrence of find replaced.
std::string Edit(std::string text, const std::string& find, const std::string& replacement) {
    std::size_t at = text.find(find);
    if (at != std::string::npos) text.replace(at, find.size(), replacement);
    return text;
}

const std::string kOperation = "<Operation Type=\"4\"><MsgID>1A</MsgID></Operation>";

struct Case {
    const char* name;
    std::string xml;
    const char* check;
    std::string marker;  // the finding stands at the first character of this text
    int exitCode;
    const char* says = "";        // a part of the message
    std::string note = "";        // a note line stands at the first character of this text
    const char* never = nullptr;  // no line says this (a consequence reported twice)
};

std::string Position(const std::string& text, const std::string& marker) {
    std::size_t at = text.find(marker);
    if (at == std::string::npos) return "marker not found";
    std::size_t line = 1, column = 1;
    for (std::size_t i = 0; i < at; ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return std::to_string(line) + ":" + std::to_string(column);
}

class CheckFinding : public ::testing::TestWithParam<Case> {};

TEST_P(CheckFinding, IsReportedWhereItStands) {
    const Case& c = GetParam();
    std::string path = WriteFile(std::string(c.name) + ".xml", c.xml);
    tooltest::Run run = RunTool("check --color=never '" + path + "'");
    // No check named: the file is clean.
    std::string expected =
        *c.check ? path + ":" + Position(c.xml, c.marker) + ":" : path + ": clean";
    bool found = false;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);)
        found |= line.rfind(expected, 0) == 0 &&
                 (!*c.check || line.find(std::string("[") + c.check + "]") != std::string::npos) &&
                 line.find(c.says) != std::string::npos;
    EXPECT_TRUE(found) << "expected " << expected << " [" << c.check << "] in:\n" << run.out;
    if (!c.note.empty()) {
        EXPECT_NE(run.out.find("\n" + path + ":" + Position(c.xml, c.note) + ": note: "),
                  std::string::npos)
            << run.out;
    }
    if (c.never) {
        EXPECT_EQ(run.out.find(c.never), std::string::npos) << run.out;
    }
    EXPECT_EQ(run.exitCode, c.exitCode) << run.out;
}

const std::string kActions = "<Action Type=\"1\"><EventID>1</EventID></Action>";

INSTANTIATE_TEST_SUITE_P(
    Checks, CheckFinding,
    ::testing::Values(
        Case{"syntax", "<EventConfig>\n  <Protocol>\n</EventConfig>\n", "xml-syntax",
             "</EventConfig>", 2, "still open", "<Protocol>"},
        Case{"encoding", "<?xml version=\"1.0\" encoding=\"X-NO-SUCH\"?>\n<EventConfig/>\n",
             "encoding", "encoding", 2},
        Case{"log_fields_first",
             Edit(Config(""), "<MsgList>",
                  "<LogFieldList><Field_IEID>1</Field_IEID></LogFieldList>\n<MsgList>"),
             "misplaced-element", "<LogFieldList>", 2, "before \"MsgList\""},
        Case{"action_list_first",
             Config("<WaitingEventStateList><WaitingEventState ID=\"10\"><Rule ID=\"1\">\n"
                    "<ActionList><Result Type=\"TRUE\"/></ActionList>" +
                    kOperation + "\n</Rule></WaitingEventState></WaitingEventStateList>"),
             "misplaced-element", "<ActionList>", 2, "before \"Operation\""},
        Case{"event_infos_first", Config("", "", "", "<EventInfoList/>\n"), "misplaced-element",
             "<EventInfoList/>", 2},
        Case{"special_list_not_first",
             Config("", "<SystemState ID=\"5\"/>\n<SpecialEventStateList/>\n"), "misplaced-element",
             "<SystemState ID=\"5\"/>", 2, "\"SpecialEventStateList\""},
        Case{"misspelt_list", Config("<WaitingEventStateLst/>"), "unknown-element",
             "<WaitingEventStateLst/>", 1, "did you mean \"WaitingEventStateList\""},
        Case{"misspelt_attribute",
             Edit(Config(RuleWith(kOperation, kActions)), "InitialActivated", "InitalActivated"),
             "unknown-attribute", "InitalActivated", 2, "did you mean \"InitialActivated\""},
        Case{"operation_without_kind", Config(RuleWith("<Operation Type=\"45\"/>", kActions)),
             "unknown-kind", "45\"/>", 2, "null operation"},
        Case{"action_without_kind", Config(RuleWith(kOperation, "<Action Type=\"19\"/>")),
             "unknown-kind", "19\"/>", 2, "null entry"},
        Case{"type_with_space",
             Config(RuleWith("<Operation Type=\" 4\"><MsgID>1A</MsgID></Operation>", kActions)),
             "type-number", " 4\"><MsgID>", 1},
        Case{"type_in_hex",
             Config(RuleWith("<Operation Type=\"0x04\"><MsgID>1A</MsgID></Operation>", kActions)),
             "type-number", "0x04", 2, "the base kind"},
        Case{"result_type", Edit(Config(RuleWith(kOperation, kActions)), "\"TRUE\"", "\"True\""),
             "result-type", "True\"", 2},
        Case{"duplicate_system_state", Config("", "<SystemState ID=\"1\" Name=\"Early\"/>\n"),
             "duplicate-id", "1\" Name=\"Early", 2, "drops this system state", "1\" Name=\"Idle"},
        Case{"duplicate_message", Edit(Config(""), "</MsgList>", "<Msg MsgID=\"0x1a\"/></MsgList>"),
             "duplicate-id", "0x1a", 1, "keeps the first one", "1A\" Name"},
        Case{"duplicate_rule",
             Edit(Config(RuleWith(kOperation, kActions)), "</WaitingEventState>",
                  "<Rule ID=\"1\">" + kOperation + "</Rule></WaitingEventState>"),
             "duplicate-id", "1\" InitialActivated=\"1\">\n<Operation", 2, "drops this rule",
             "1\"><Operation"},
        Case{"fault_in_dropped_rule",
             Edit(Config(RuleWith(kOperation, "<Action Type=\"5\"><ID>99</ID></Action>")),
                  "</WaitingEventState>",
                  "<Rule ID=\"1\">" + kOperation + "</Rule></WaitingEventState>"),
             "dangling-event-state", "99", 2, "inside the dropped <Rule ID=\"1\">"},
        Case{"protocol_without_type", Edit(Config(""), " ProtocolType=\"1\"", ""), "missing-id",
             "<WCDMA>", 2, "files it as protocol 0"},
        Case{"rule_id_misspelt", Edit(Config(RuleWith(kOperation, kActions)), "Rule ID", "Rule Id"),
             "missing-id", "Id=", 2, "did you mean \"ID\"", "", "unknown-attribute"},
        Case{"stray_element_in_machine", Config("", "<Stray/>\n"), "misread-element", "<Stray/>", 2,
             "system state 0"},
        Case{"decimal_saturates", Config(RuleWith(kOperation, kActions, "99999999999")),
             "number-format", "99999999999", 2, "read as 2147483647"},
        Case{"hex_saturates",
             Edit(Config(""), "</MsgList>", "<Msg MsgID=\"1FFFFFFFF\"/></MsgList>"),
             "number-format", "1FFFFFFFF", 2, "read as 0x7FFFFFFF"},
        Case{"misspelt_child_of_action",
             Config(RuleWith(kOperation,
                             "<Action Type=\"2\"><SystemStateId>1</SystemStateId></Action>")),
             "unknown-element", "<SystemStateId>", 2, "did you mean \"SystemStateID\"", "",
             "system state -1"},
        Case{"missing_child_of_action", Config(RuleWith(kOperation, "<Action Type=\"1\"/>")),
             "missing-element", "<Action Type=\"1\"/>", 2, "has no \"EventID\"", "", "event -1"},
        Case{"rule_never_activated",
             Edit(Config(RuleWith(kOperation, kActions)), "<Rule ID=\"1\" InitialActivated=\"1\"",
                  "<Rule ID=\"1\" InitialActivated=\"0\""),
             "unreachable", "0\">\n<Operation", 1, "no action activates it"},
        Case{"dangling_event_state",
             Config(RuleWith(kOperation, "<Action Type=\"5\"><ID>11</ID></Action>")),
             "dangling-event-state", "11</ID>", 2, "did you mean event state 10?"},
        Case{"dangling_system_state",
             Config(RuleWith(kOperation,
                             "<Action Type=\"2\"><SystemStateID>9</SystemStateID></Action>")),
             "dangling-system-state", "9</SystemStateID>", 2},
        Case{"dangling_rule",
             Config(RuleWith(kOperation, "<Action Type=\"14\"><ID>77</ID></Action>")),
             "dangling-rule", "77", 2},
        Case{"dangling_event",
             Config(RuleWith(kOperation, "<Action Type=\"1\"><EventID>900</EventID></Action>")),
             "dangling-event-id", "900", 1},
        Case{"dangling_message",
             Config(RuleWith("<Operation Type=\"32\"><Msg ID=\"1A/2C\"><Field "
                             "Name=\"Cause\"/></Msg></Operation>",
                             kActions)),
             "dangling-message", "1A/2C", 1, "0x2C"},
        Case{"dangling_relationship",
             Config(
                 "",
                 "<SpecialEventStateList><WaitingEventStateList><WaitingEventState "
                 "ID=\"3\"/></WaitingEventStateList>"
                 "<Relationship><SystemState ID=\"1\"><WaitingEventStateID>3</WaitingEventStateID>"
                 "<WaitingEventStateID>8</WaitingEventStateID></SystemState></Relationship></"
                 "SpecialEventStateList>\n"),
             "dangling-relationship", "8</WaitingEventStateID>", 1},
        Case{"hex_rule_id", Config(RuleWith(kOperation, kActions, "0x10")), "number-format", "0x10",
             2, "read as 0"},
        Case{"empty_child_read_as_number",
             Config(RuleWith("<Operation Type=\"1\"><Note/><Time>5</Time></Operation>", kActions)),
             "misread-element", "<Note/>", 2, "has no text"},
        Case{"trailing_garbage",
             Config(RuleWith("<Operation Type=\"1\"><Time>250ms</Time></Operation>", kActions)),
             "number-format", "250ms", 1, "read as 250"},
        Case{"flag_case",
             Config("<WaitingEventStateList><WaitingEventState ID=\"10\" "
                    "NeedProcessLogField=\"true\"/></WaitingEventStateList>"),
             "flag-value", "true\"", 1},
        Case{"fault_in_dropped_protocol",
             Edit(Config(RuleWith(kOperation, "<Action Type=\"5\"><ID>99</ID></Action>")),
                  "</WCDMA>\n", "</WCDMA>\n<LTE ProtocolType=\"1\"><StateMachineConfig/></LTE>\n"),
             "dangling-event-state", "99", 2, "inside the dropped <WCDMA ProtocolType=\"1\">"},
        Case{"position_named_otherwise",
             Config(RuleWith("<Operation Type=\"2\"><MsgID>1A</MsgID><Time>5</Time></Operation>",
                             kActions)),
             "misread-element", "<MsgID>", 2, "names a message id", "", "[dangling-message]"},
        Case{"every_child_named_otherwise",
             Config(RuleWith(kOperation, "<Action Type=\"3\"><RuleID>1</RuleID></Action>")),
             "misread-element", "<RuleID>", 2, "as an event state id", "",
             "[dangling-event-state]"},
        Case{"position_of_other_shape",
             Config(RuleWith("<Operation Type=\"6\"><Field Name=\"Cause\" Length=\"1\" "
                             "StartOffset=\"0\"><Value>x</Value></Field></Operation>",
                             kActions)),
             "misread-element", "<Field", 2, "holds elements", "", "tests message 0x0"},
        Case{"empty_position", Config(RuleWith(kOperation, "<Action Type=\"41\"/>")),
             "missing-element", "<Action Type=\"41\"/>", 2, "has no 1st child element"},
        Case{"unreachable_system_state", Config("", "<SystemState ID=\"2\"/>\n"), "unreachable",
             "1\" Name=\"Idle", 1, "nothing in the file leads into"},
        Case{"log_field_activates_state",
             Config(
                 "<LogFieldList><Field_IEID CanActiveSysState=\"1\">5</Field_IEID></LogFieldList>",
                 "<SystemState ID=\"2\"/>\n"),
             "", "", 0},
        Case{"misspelt_locator_attribute",
             Config(RuleWith("<Operation Type=\"6\"><MsgID>1A</MsgID><Field Name=\"Cause\" "
                             "Lenght=\"1\"/></Operation>",
                             kActions)),
             "unknown-attribute", "Lenght", 2, "\"Length\" reads as 0"},
        Case{"no_ids_in_a_list", Config(RuleWith("<Operation Type=\"4\"/>", kActions)),
             "empty-list", "<Operation Type=\"4\"/>", 1, "names no message id"},
        Case{
            "action_outside_result",
            Edit(Config(RuleWith(kOperation, kActions)), "<ActionList>", "<ActionList>" + kActions),
            "unknown-element", "<Action Type=\"1\"><EventID>1</EventID></Action><Result", 2,
            "reads \"Result\""},
        Case{"id_not_a_number",
             Config(RuleWith(kOperation,
                             "<Action Type=\"2\"><SystemStateID>one</SystemStateID></Action>")),
             "number-format", "one<", 2, "not a decimal number", "", "system state 0"},
        Case{"switch_without_system_state",
             Config(RuleWith(kOperation,
                             "<Action Type=\"29\"><SwitchToProtocol ID=\"1\">"
                             "<SysState ID=\"1\"/></SwitchToProtocol></Action>")),
             "unknown-element", "<SysState", 2, "did you mean \"SystemState\"", "",
             "enters system state"},
        Case{"extra_child",
             Config(RuleWith("<Operation Type=\"1\"><Time>5</Time><More/></Operation>", kActions)),
             "extra-element", "<More/>", 1}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(Check, CleanFileExitsZero) {
    std::string xml = Config(RuleWith(kOperation, kActions));
    tooltest::Run run = RunTool("check --color=never '" + WriteFile("clean.xml", xml) + "'");
    EXPECT_EQ(run.exitCode, 0) << run.out;
    EXPECT_NE(run.out.find(": clean (1 protocol, 1 system state)"), std::string::npos) << run.out;
}

// The tool as a user meets it: input through every way in, read failures,
// near misses, and the commands that must not pass a broken file off as fine.
struct Call {
    const char* name;
    std::string args;  // FILE stands for a small valid file, BROKEN for a malformed one
    int exitCode;
    const char* out;  // a part of standard output
    const char* err;  // a part of standard error
};

class ToolCall : public ::testing::TestWithParam<Call> {};

TEST_P(ToolCall, AnswersAsAUserExpects) {
    const Call& c = GetParam();
    std::string args = c.args;
    for (const auto& file :
         {std::make_pair(std::string("FILE"), Config(RuleWith(kOperation, kActions))),
          std::make_pair(std::string("BROKEN"), std::string("<EventConfig>\n<Protocol>\n"))})
        for (std::size_t at = args.find(file.first); at != std::string::npos;
             at = args.find(file.first, at + 1)) {
            std::string path = "'" + WriteFile(file.first + ".xml", file.second) + "'";
            args.replace(at, file.first.size(), path);
            at += path.size() - 1;
        }
    tooltest::Run run = RunTool(args);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.out << run.err;
    EXPECT_NE(run.out.find(c.out), std::string::npos) << run.out;
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Calls, ToolCall,
    ::testing::Values(
        Call{"pipe_as_dash", "check - < FILE", 0, "<stdin>: clean (1 protocol", ""},
        Call{"pipe_as_dev_stdin", "check /dev/stdin < FILE", 0, "clean (1 protocol", ""},
        Call{"several_files_worst_exit", "check FILE BROKEN", 2, "FILE.xml: clean", ""},
        Call{"no_such_file", "check /nonexistent/EventConfig.xml", 3, "", "no such file"},
        Call{"a_directory", "check /tmp", 3, "", "it is a directory"},
        Call{"misspelt_subcommand", "chek FILE", 4, "", "did you mean 'check'?"},
        Call{"misspelt_option", "dump --protcol 1 FILE", 4, "", "did you mean '--protocol'?"},
        Call{"help_subcommand", "help", 0, "Subcommands:", ""},
        Call{"help_on_a_subcommand", "help check", 0, "FILE", ""},
        Call{"version_subcommand", "version", 0, "eventconfig ", ""},
        Call{"dump_of_a_missing_protocol", "dump --protocol 7 FILE", 4, "", "has no protocol 7"},
        Call{"dump_of_broken_xml", "dump BROKEN", 2, "", "is not well-formed"},
        Call{"summary_of_broken_xml", "summary BROKEN", 2, "",
             ":1:1: error: <EventConfig> is never closed"},
        Call{"graph_of_broken_xml", "graph BROKEN", 2, "", "is not well-formed"},
        Call{"dump_without_path", "dump --no-path FILE", 0, "protocol 1 / system state 1\n", ""}),
    [](const ::testing::TestParamInfo<Call>& info) { return std::string(info.param.name); });

TEST(Check, ColourOnlyWhenAsked) {
    std::string path = WriteFile("colour.xml", Config("<WaitingEventStateLst/>"));
    EXPECT_EQ(RunTool("check '" + path + "'").out.find('\x1b'),
              std::string::npos);  // a pipe is no terminal
    EXPECT_NE(RunTool("check --color=always '" + path + "'").out.find("\x1b["), std::string::npos);
}

TEST(Check, UsageErrorsGoToStandardError) {
    tooltest::Run run = RunTool("check --no-such-option");
    EXPECT_EQ(run.exitCode, 4);
    EXPECT_FALSE(run.err.empty());
    tooltest::Run help = RunTool("check --help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("FILE"), std::string::npos);
    EXPECT_NE(RunTool("--version").out.find("eventconfig "), std::string::npos);
}

}  // namespace
