// eventconfig graph: the DOT it writes, read back into clusters, nodes and
// edges; escaping of hostile names; rendering by Graphviz; determinism.

#include <cctype>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "Dot.h"
#include "ToolRunner.h"

namespace {

using tooltest::RunTool;
using tooltest::Slurp;
using tooltest::WriteFile;

// ---- a reader for the DOT subset the tool writes ------------------------------

typedef std::map<std::string, std::string> AttrMap;

struct ParsedEdge {
    std::string from, to;
    AttrMap attrs;
};

struct Parsed {
    bool ok = false;
    std::string name;
    AttrMap graph;
    std::map<std::string, AttrMap> nodes;
    std::map<std::string, std::string> clusterOf;  // node -> cluster ("" outside)
    std::map<std::string, AttrMap> clusters;
    std::vector<std::string> clusterOrder;
    std::map<std::string, std::vector<std::string>> members;  // cluster -> nodes, in order
    std::vector<ParsedEdge> edges;
    std::vector<std::string> repeated;  // an attribute written twice for one object

    std::vector<ParsedEdge> Between(const std::string& from, const std::string& to) const {
        std::vector<ParsedEdge> found;
        for (const ParsedEdge& e : edges)
            if (e.from == from && e.to == to) found.push_back(e);
        return found;
    }
};

class DotReader {
public:
    explicit DotReader(const std::string& text) : m_text(text) {}

    Parsed Read() {
        Parsed p;
        if (Word() != "digraph") return p;
        p.name = Token();
        if (Token() != "{") return p;
        p.ok = Statements(p, "");
        Skip();
        p.ok = p.ok && m_pos == m_text.size();
        return p;
    }

private:
    void Skip() {
        while (m_pos < m_text.size() && std::isspace(static_cast<unsigned char>(m_text[m_pos])))
            ++m_pos;
    }
    std::string Word() {
        Skip();
        std::size_t start = m_pos;
        while (m_pos < m_text.size() && std::isalnum(static_cast<unsigned char>(m_text[m_pos])))
            ++m_pos;
        return m_text.substr(start, m_pos - start);
    }
    // A quoted string (escapes resolved, \n as a line feed), a word or one
    // punctuation token ("->" counts as one).
    std::string Token() {
        Skip();
        if (m_pos >= m_text.size()) return "";
        char c = m_text[m_pos];
        if (c == '"') {
            std::string out;
            for (++m_pos; m_pos < m_text.size() && m_text[m_pos] != '"'; ++m_pos) {
                if (m_text[m_pos] == '\\' && m_pos + 1 < m_text.size()) {
                    char e = m_text[++m_pos];
                    out += e == 'n' ? '\n' : e;
                } else {
                    if (m_text[m_pos] == '\n') m_rawNewline = true;
                    out += m_text[m_pos];
                }
            }
            ++m_pos;
            return out;
        }
        if (c == '-' && m_text.compare(m_pos, 2, "->") == 0) {
            m_pos += 2;
            return "->";
        }
        if (std::isalnum(static_cast<unsigned char>(c))) return Word();
        ++m_pos;
        return std::string(1, c);
    }
    bool Attrs(AttrMap& out, std::vector<std::string>* repeated = nullptr) {
        std::size_t save = m_pos;
        if (Token() != "[") {
            m_pos = save;
            return true;
        }
        for (;;) {
            std::string key = Token();
            if (Token() != "=") return false;
            if (repeated && out.count(key)) repeated->push_back(key);
            out[key] = Token();
            std::string sep = Token();
            if (sep == "]") return true;
            if (sep != ",") return false;
        }
    }
    bool Statements(Parsed& p, const std::string& cluster) {
        for (;;) {
            std::string head = Token();
            if (head == "}") return true;
            if (head.empty()) return false;
            if (head == "subgraph") {
                std::string name = Token();
                if (Token() != "{") return false;
                p.clusters[name];
                p.clusterOrder.push_back(name);
                if (!Statements(p, name)) return false;
                continue;
            }
            if (head == "graph" || head == "node" || head == "edge") {
                AttrMap attrs;
                if (!Attrs(attrs, &p.repeated)) return false;
                if (head == "graph") (cluster.empty() ? p.graph : p.clusters[cluster]) = attrs;
            } else {
                std::size_t save = m_pos;
                if (Token() == "->") {
                    ParsedEdge e{head, Token(), {}};
                    if (!Attrs(e.attrs, &p.repeated)) return false;
                    p.edges.push_back(e);
                } else {
                    m_pos = save;
                    // A node declared twice repeats its attributes too.
                    if (!Attrs(p.nodes[head], &p.repeated)) return false;
                    p.clusterOf[head] = cluster;
                    p.members[cluster].push_back(head);
                }
            }
            if (Token() != ";") return false;
        }
    }

    const std::string& m_text;
    std::size_t m_pos = 0;

public:
    bool m_rawNewline = false;  // a line feed inside a quoted string
};

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

bool HaveDot() {
    return std::system("command -v dot >/dev/null 2>&1") == 0;
}

// ---- a small configuration -----------------------------------------------------

std::string Rule(int id, const std::string& trueActions, const std::string& falseActions = "") {
    return "<Rule ID=\"" + std::to_string(id) +
           "\" InitialActivated=\"1\">"
           "<Operation Type=\"6\"><MsgID>1A</MsgID><Field Name=\"Cause\" Length=\"1\" "
           "StartOffset=\"0\"><Value>1</Value></Field></Operation>"
           "<ActionList><Result Type=\"TRUE\">" +
           trueActions + "</Result><Result Type=\"FALSE\">" + falseActions +
           "</Result></ActionList></Rule>\n";
}

std::string Protocol(int type, const std::string& tag, const std::string& machine,
                     const std::string& events) {
    return "<" + tag + " ProtocolType=\"" + std::to_string(type) + "\"><StateMachineConfig>" +
           machine + "</StateMachineConfig><EventInfoList>" + events +
           "</EventInfoList><LogCodeFieldList/></" + tag + ">\n";
}

std::string File(const std::string& protocols) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<EventConfig><Protocol>\n" + protocols +
           "</Protocol><MsgParserConfig/><GenMessageInfoString/></EventConfig>\n";
}

const char* const kMsgs = "<MsgList><Msg MsgID=\"1A\" Name=\"Setup\"/></MsgList>";

// System state 1 (event states 10, initially active, and 11), system state 2
// (event state 20), special state 90 tied to 1; protocol 2 has system state 5.
std::string SmallConfig() {
    std::string special =
        "<SpecialEventStateList>" + std::string(kMsgs) +
        "<WaitingEventStateList><WaitingEventState ID=\"90\" InitialActivated=\"1\">" +
        Rule(9, "<Action Type=\"2\"><SystemStateID>1</SystemStateID></Action>") +
        "</WaitingEventState></WaitingEventStateList>"
        "<Relationship><SystemState ID=\"1\"><WaitingEventStateID>90</WaitingEventStateID>"
        "</SystemState></Relationship></SpecialEventStateList>";
    std::string one =
        "<SystemState ID=\"1\" Name=\"Idle\">" + std::string(kMsgs) +
        "<WaitingEventStateList><WaitingEventState ID=\"10\" InitialActivated=\"1\">" +
        Rule(1,
             "<Action Type=\"5\"><EventStateID>11</EventStateID></Action>"
             "<Action Type=\"1\"><EventID>5</EventID></Action>",
             "<Action Type=\"2\"><SystemStateID>2</SystemStateID></Action>") +
        "</WaitingEventState><WaitingEventState ID=\"11\" InitialActivated=\"0\">" +
        Rule(2,
             "<Action Type=\"35\"><EventStateID>99</EventStateID></Action>"
             "<Action Type=\"1\"><EventID>77</EventID></Action>"
             "<Action Type=\"29\"><SwitchToProtocol ID=\"7\"><SystemState ID=\"1\"/>"
             "</SwitchToProtocol></Action>"
             "<Action Type=\"29\"><SwitchToProtocol ID=\"2\"><SystemState ID=\"5\"/>"
             "</SwitchToProtocol></Action>") +
        "</WaitingEventState></WaitingEventStateList></SystemState>";
    std::string two = "<SystemState ID=\"2\" Name=\"Connected\">" + std::string(kMsgs) +
                      "<WaitingEventStateList><WaitingEventState ID=\"20\" "
                      "InitialActivated=\"1\">" +
                      Rule(3, "<Action Type=\"3\"><EventStateID>10</EventStateID></Action>") +
                      "</WaitingEventState></WaitingEventStateList></SystemState>";
    return File(
        Protocol(1, "WCDMA", special + one + two, "<Event ID=\"5\" Name=\"Drop\"/>") +
        Protocol(2, "LTE",
                 "<SystemState ID=\"5\" Name=\"Far\">" + std::string(kMsgs) + "</SystemState>",
                 ""));
}

Parsed Graph(const std::string& file, const std::string& extra = "") {
    tooltest::Run run = RunTool("graph '" + file + "' " + extra);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    DotReader reader(run.out);
    Parsed parsed = reader.Read();
    EXPECT_TRUE(parsed.ok) << run.out;
    EXPECT_FALSE(reader.m_rawNewline);
    return parsed;
}

const char* const kRed = "#d32f2f";

const std::string kExample = std::string(EVENTCONFIG_SOURCE_DIR) + "/examples/EventConfig.xml";

TEST(GraphTest, SmallConfigurationStructure) {
    Parsed g = Graph(WriteFile("graph-small.xml", SmallConfig()), "--protocol 1");
    EXPECT_EQ(g.graph["rankdir"], "LR");
    EXPECT_EQ(g.graph["compound"], "true");
    EXPECT_EQ(g.name, "protocol 1 WCDMA");

    // Clusters and who stands in them.
    EXPECT_EQ(g.clusters["cluster_s1"]["label"], "system state 1\nIdle");
    EXPECT_EQ(g.clusters["cluster_s2"]["label"], "system state 2\nConnected");
    EXPECT_TRUE(g.clusters.count("cluster_special"));
    const std::pair<const char*, const char*> members[] = {
        {"s1_e10", "cluster_s1"},      {"s1_e11", "cluster_s1"},     {"s2_e20", "cluster_s2"},
        {"sp_e90", "cluster_special"}, {"s1_e10_ev5", "cluster_s1"}, {"exit_p2_s5", ""}};
    for (const auto& member : members) EXPECT_EQ(g.clusterOf[member.first], member.second);

    // Initially active: bold; the other not.
    EXPECT_TRUE(Contains(g.nodes["s1_e10"]["style"], "bold"));
    EXPECT_FALSE(Contains(g.nodes["s1_e11"]["style"], "bold"));

    // Transition, TRUE: solid, labelled with rule, kind and result.
    auto tran = g.Between("s1_e10", "s1_e11");
    ASSERT_EQ(tran.size(), 1u);
    EXPECT_TRUE(Contains(tran[0].attrs["label"], "rule 1 TRUE"));
    EXPECT_TRUE(Contains(tran[0].attrs["label"], "a message field equals one of the values"));
    EXPECT_FALSE(tran[0].attrs.count("style"));

    // System state transition from a FALSE result: dashed, into the cluster.
    auto sys = g.Between("s1_e10", "s2");
    ASSERT_EQ(sys.size(), 1u);
    EXPECT_EQ(sys[0].attrs["style"], "dashed");
    EXPECT_EQ(sys[0].attrs["lhead"], "cluster_s2");
    EXPECT_TRUE(Contains(sys[0].attrs["label"], "rule 1 FALSE"));
    EXPECT_EQ(g.Between("s2_e20", "s1_e10").size(), 1u);

    // Raised event: a note with the event's name and the rule.
    EXPECT_EQ(g.nodes["s1_e10_ev5"]["shape"], "note");
    EXPECT_TRUE(Contains(g.nodes["s1_e10_ev5"]["label"], "Drop"));
    EXPECT_TRUE(Contains(g.nodes["s1_e10_ev5"]["label"], "rule 1"));
    EXPECT_EQ(g.Between("s1_e10", "s1_e10_ev5").size(), 1u);

    // Dangling: event state 99, event 77, protocol 7 are red; the switch to
    // protocol 2's system state 5 is not.
    auto missing = g.Between("s1_e11", "missing_e99");
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_EQ(missing[0].attrs["color"], kRed);
    EXPECT_TRUE(Contains(missing[0].attrs["label"], "(activate, packet)"));
    EXPECT_EQ(g.nodes["missing_e99"]["color"], kRed);
    EXPECT_EQ(g.nodes["s1_e11_ev77"]["color"], kRed);
    EXPECT_EQ(g.Between("s1_e11", "exit_p7_s1").at(0).attrs["color"], kRed);
    EXPECT_EQ(g.nodes["exit_p7_s1"]["color"], kRed);
    EXPECT_NE(g.Between("s1_e11", "exit_p2_s5").at(0).attrs["color"], kRed);
    EXPECT_TRUE(Contains(g.nodes["exit_p2_s5"]["label"], "protocol 2 LTE"));
    EXPECT_TRUE(Contains(g.nodes["exit_p2_s5"]["label"], "system state 5 Far"));

    // The special state is tied to system state 1 by a dotted line.
    bool tied = false;
    for (const ParsedEdge& e : g.Between("sp_e90", "s1"))
        tied |= e.attrs.count("style") && e.attrs.at("style") == "dotted";
    EXPECT_TRUE(tied);

    // Every edge ends at a declared node.
    for (const ParsedEdge& e : g.edges) {
        EXPECT_TRUE(g.nodes.count(e.from)) << e.from;
        EXPECT_TRUE(g.nodes.count(e.to)) << e.to;
    }
}

TEST(GraphTest, SystemStateLimitsToItsNeighbourhood) {
    Parsed g = Graph(WriteFile("graph-focus.xml", SmallConfig()), "--system-state 2");
    EXPECT_TRUE(g.clusters.count("cluster_s2"));
    EXPECT_TRUE(g.nodes.count("s1_e10"));  // 10 enters 2, 20 activates 10
    EXPECT_FALSE(g.nodes.count("s1_e11"));
    EXPECT_FALSE(g.nodes.count("sp_e90"));  // tied to 1, not to 2
    EXPECT_FALSE(g.nodes.count("s1_e10_ev5"));
    EXPECT_EQ(g.Between("s1_e10", "s1_e11").size(), 0u);
    EXPECT_EQ(g.Between("s1_e10", "s2").size(), 1u);
    EXPECT_TRUE(Contains(g.name, "system state 2"));
}

TEST(GraphTest, UnknownProtocolOrSystemStateIsAUsageError) {
    std::string file = WriteFile("graph-unknown.xml", SmallConfig());
    struct Case {
        std::string args, message;
    } cases[] = {{"--protocol 9", "no protocol 9 (its protocols: 1, 2)"},
                 {"--system-state 9", "no system state 9 (its system states: 1, 2)"},
                 {"--format gif", "gif"}};
    for (const Case& c : cases) {
        tooltest::Run run = RunTool("graph '" + file + "' " + c.args);
        EXPECT_EQ(run.exitCode, 4) << c.args;
        EXPECT_TRUE(Contains(run.err, c.message)) << run.err;
        EXPECT_TRUE(run.out.empty());
    }
    EXPECT_EQ(RunTool("graph /nonexistent/EventConfig.xml").exitCode, 3);
}

TEST(GraphTest, EachAttributeOnce) {
    const std::string small = WriteFile("graph-once.xml", SmallConfig());
    const std::pair<std::string, const char*> cases[] = {
        {small, "--protocol 1"},    {small, "--protocol 2"},    {small, "--system-state 2"},
        {kExample, "--protocol 1"}, {kExample, "--protocol 2"}, {kExample, "--system-state 3"}};
    for (const auto& c : cases) {
        Parsed g = Graph(c.first, c.second);
        EXPECT_TRUE(g.repeated.empty()) << c.second << ": " << g.repeated.front();
    }
}

TEST(GraphTest, SmallEditsKeepTheOtherClustersInOrder) {
    const Parsed before = Graph(WriteFile("graph-order.xml", SmallConfig()), "--protocol 1");
    // Each edit and the cluster it touches.
    const struct {
        const char* name;
        std::string find, replace;
        std::string touched;
    } edits[] = {
        {"renumber_rule", "<Rule ID=\"1\"", "<Rule ID=\"7\"", "cluster_s1"},
        {"add_event_state", "</WaitingEventState></WaitingEventStateList></SystemState></",
         "</WaitingEventState><WaitingEventState ID=\"21\" InitialActivated=\"1\"/>"
         "</WaitingEventStateList></SystemState></",
         "cluster_s2"},
        {"renumber_event_state", "ID=\"20\"", "ID=\"25\"", "cluster_s2"},
    };
    for (const auto& edit : edits) {
        std::string text = SmallConfig();
        std::size_t at = text.find(edit.find);
        ASSERT_NE(at, std::string::npos) << edit.name;
        text.replace(at, edit.find.size(), edit.replace);
        Parsed after =
            Graph(WriteFile(std::string("graph-") + edit.name + ".xml", text), "--protocol 1");
        EXPECT_EQ(after.clusterOrder, before.clusterOrder) << edit.name;
        for (const std::string& cluster : before.clusterOrder) {
            if (cluster == edit.touched) continue;
            EXPECT_EQ(after.members[cluster], before.members.at(cluster))
                << edit.name << " " << cluster;
        }
    }
}

// ---- escaping -------------------------------------------------------------------

TEST(GraphTest, QuoteEscapesWhatGraphvizWouldInterpret) {
    struct Case {
        std::string in, out;
    } cases[] = {
        {"plain", "\"plain\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"a\\b", "\"a\\\\b\""},
        {"\\N\\G\\l", "\"\\\\N\\\\G\\\\l\""},  // Graphviz's own escapes stay text
        {"trailing\\", "\"trailing\\\\\""},
        {"two\nlines", "\"two\\nlines\""},
        {"crlf\r\nline", "\"crlf\\nline\""},
        {"tab\there", "\"tab here\""},
        {std::string("nul\x01", 4), "\"nul\xEF\xBF\xBD\""},
        {"\xC3\x9C\xE5\x88\x87\xF0\x9F\x98\x80", "\"\xC3\x9C\xE5\x88\x87\xF0\x9F\x98\x80\""},
        {"", "\"\""},
    };
    for (const Case& c : cases) EXPECT_EQ(ectool::dot::Quote(c.in), c.out) << c.in;
}

TEST(GraphTest, HostileNamesSurviveTheRoundTrip) {
    // Quotes, a backslash before n, a real line feed (&#10;), markup
    // characters and non-ASCII text in a system state's name and event name.
    const std::string name =
        "Q&quot;uo\\n&lt;te&gt;&#10;\xC3\x9C"
        "berg\xC3\xA4ng \xE5\x88\x87\xE6\x8D\xA2 \xF0\x9F\x98\x80";
    const std::string expected =
        "Q\"uo\\n<te>\n\xC3\x9C"
        "berg\xC3\xA4ng \xE5\x88\x87\xE6\x8D\xA2 \xF0\x9F\x98\x80";
    std::string machine =
        "<SystemState ID=\"1\" Name=\"" + name + "\">" + kMsgs +
        "<WaitingEventStateList><WaitingEventState ID=\"10\" InitialActivated=\"1\">" +
        Rule(1, "<Action Type=\"1\"><EventID>5</EventID></Action>") +
        "</WaitingEventState></WaitingEventStateList></SystemState>";
    std::string file =
        WriteFile("graph-hostile.xml",
                  File(Protocol(1, "WCDMA", machine, "<Event ID=\"5\" Name=\"" + name + "\"/>")));
    Parsed g = Graph(file);
    EXPECT_EQ(g.clusters["cluster_s1"]["label"], "system state 1\n" + expected);
    EXPECT_TRUE(Contains(g.nodes["s1_e10_ev5"]["label"], "\n" + expected + "\n"));
    if (!HaveDot()) GTEST_SKIP() << "Graphviz dot is not installed";
    tooltest::Run svg = RunTool("graph '" + file + "' --format svg");
    EXPECT_EQ(svg.exitCode, 0);
    EXPECT_EQ(svg.err, "");
    // Graphviz writes the text back as XML: the quote and the markup escaped,
    // the non-ASCII text as it stands.
    EXPECT_TRUE(Contains(svg.out, "&lt;te&gt;")) << svg.out;
    EXPECT_TRUE(Contains(svg.out, "\xE5\x88\x87\xE6\x8D\xA2")) << svg.out;
}

// ---- rendering and determinism -------------------------------------------------

TEST(GraphTest, BundledExampleRendersWithoutWarnings) {
    if (!HaveDot()) GTEST_SKIP() << "Graphviz dot is not installed";
    for (const char* protocol : {"1", "2"}) {
        std::string out = tooltest::TempDir() + "/example-" + protocol + ".svg";
        tooltest::Run run = RunTool("graph '" + kExample + "' --protocol " + protocol +
                                    " --format svg -o '" + out + "'");
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err, "");  // dot's warnings would land here
        EXPECT_TRUE(run.out.empty());
        std::string svg = Slurp(out);
        EXPECT_TRUE(Contains(svg, "<svg")) << out;
        EXPECT_TRUE(Contains(svg, "cluster_s1"));
    }
}

TEST(GraphTest, SameFileSameBytes) {
    for (const char* args : {"", "--protocol 2", "--system-state 2"}) {
        tooltest::Run first = RunTool("graph '" + kExample + "' " + args);
        tooltest::Run second = RunTool("graph '" + kExample + "' " + args);
        EXPECT_EQ(first.exitCode, 0) << args << first.err;
        EXPECT_FALSE(first.out.empty());
        EXPECT_EQ(first.out, second.out) << args;
    }
}

TEST(GraphTest, RenderingWithoutGraphvizSaysSo) {
    std::string saved = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", "/nonexistent", 1);
    tooltest::Run run = RunTool("graph '" + kExample + "' --format png");
    setenv("PATH", saved.c_str(), 1);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(Contains(run.err, "Graphviz")) << run.err;
    EXPECT_TRUE(Contains(run.err, "--format dot")) << run.err;
    EXPECT_TRUE(run.out.empty());
}

}  // namespace
