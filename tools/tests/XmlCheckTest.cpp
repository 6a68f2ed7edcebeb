// The check's strict XML layer: every not-well-formed document of the W3C
// suite is rejected, and each mistake people make by hand is reported at its
// character, in plain words.

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "Check.h"
#include "Loaded.h"
#include "ToolRunner.h"
#include "XmlConformance.h"

namespace {

bool HasError(const std::string& path) {
    ectool::Loaded loaded(path);
    for (const ectool::Finding& f : ectool::CheckFile(loaded))
        if (f.severity == ectool::Severity::Error) return true;
    return false;
}

TEST(XmlCheck, RejectsTheSuitesNotWellFormedDocuments) {
    const std::vector<xmltest::SuiteTest> tests = xmltest::SuiteTests();
    if (tests.empty()) GTEST_SKIP() << "the W3C suite is not installed (make deps)";
    int total = 0, rejected = 0;
    std::string missed;
    for (const xmltest::SuiteTest& t : tests) {
        if (t.type != "not-wf" || !t.xml10 || t.externalEntities) continue;
        ++total;
        if (HasError(t.path)) {
            ++rejected;
        } else {
            missed += "  " + t.id + " " + t.path + "\n";
        }
    }
    std::printf("W3C not-well-formed XML 1.0 documents: %d, rejected by check: %d\n%s", total,
                rejected, missed.c_str());
    EXPECT_GE(rejected * 100, total * 99);
}

// Each is the only mistake in its file; the expected text follows "FILE:".
struct Broken {
    const char* name;
    std::string xml;
    const char* expected;
};

class BrokenFile : public ::testing::TestWithParam<Broken> {};

TEST_P(BrokenFile, IsReportedAtTheMistake) {
    const Broken& c = GetParam();
    const std::string path = tooltest::WriteFile(std::string(c.name) + ".xml", c.xml);
    const tooltest::Run run = tooltest::RunTool("check --color=never '" + path + "'");
    EXPECT_NE(run.out.find(path + ":" + c.expected), std::string::npos) << run.out;
}

const std::string kHead = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<EventConfig>\n";

INSTANTIATE_TEST_SUITE_P(
    Xml, BrokenFile,
    ::testing::Values(
        Broken{"mismatched", kHead + "<ActionList>\n</Actionlist>\n</EventConfig>\n",
               "4:1: error: end tag </Actionlist> does not match the open element <ActionList> "
               "(line 3): write </ActionList>"},
        Broken{"lt_in_value", kHead + "<A v=\"a<b\"/>\n</EventConfig>\n",
               "3:8: error: '<' in the value of attribute v: write &lt;"},
        Broken{"nbsp", kHead + "<A>a&nbsp;b</A>\n</EventConfig>\n",
               "3:5: error: undefined entity &nbsp;: write &#160;"},
        Broken{"no_closing_quote", kHead + "<A v=\"1>\n<B/>\n</A>\n</EventConfig>\n",
               "3:6: error: the value of attribute v has no closing quote"},
        Broken{"slash", kHead + "<A / >\n</EventConfig>\n",
               "3:4: error: '/' in a tag must be followed directly by '>'"},
        Broken{"duplicate", kHead + "<A v=\"1\" w=\"2\" v=\"3\"/>\n</EventConfig>\n",
               "3:16: error: duplicate attribute v in <A>"},
        Broken{"duplicate_note", kHead + "<A v=\"1\" w=\"2\" v=\"3\"/>\n</EventConfig>\n",
               "3:4: note: the first v is here"},
        Broken{"dashes", kHead + "<!-- a -- b -->\n</EventConfig>\n",
               "3:8: error: \"--\" inside a comment"},
        Broken{"nested_comment", kHead + "<!-- off <!-- old --> <A/> -->\n</EventConfig>\n",
               "3:10: error: a comment opened inside a comment"},
        Broken{"stray_close", kHead + "<!-- off <!-- old --> <A/> -->\n</EventConfig>\n",
               "3:28: warning: a stray \"-->\" is read as text here"},
        Broken{"late_declaration", "\n" + kHead + "</EventConfig>\n",
               "2:1: error: the XML declaration must stand at the very start of the file"},
        Broken{"control", kHead + "<A>a\x01</A>\n</EventConfig>\n",
               "3:5: error: character U+0001 is not allowed in XML"},
        Broken{"cdata_end", kHead + "<A>a]]>b</A>\n</EventConfig>\n",
               "3:5: error: \"]]>\" is not allowed in text: write ]]&gt;"},
        Broken{"bad_declaration",
               "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"maybe\"?>\n"
               "<EventConfig/>\n",
               "1:50: error: malformed XML declaration: standalone \"maybe\""},
        Broken{"bom_contradicts",
               "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"GB2312\"?>\n"
               "<EventConfig/>\n",
               "1:31: error: the file's bytes are UTF-8 (byte-order mark) but it declares "
               "encoding \"GB2312\""},
        Broken{"invalid_bytes",
               kHead + "<A>a\xFF"
                       "b</A>\n</EventConfig>\n",
               "3:5: error: bytes that are not valid UTF-8: the library reads them as U+FFFD"},
        Broken{"looks_utf8",
               "<?xml version=\"1.0\" encoding=\"GB2312\"?>\n<EventConfig>"
               "\xE4\xB8\xAD</EventConfig>\n",
               "1:31: warning: the file declares GB2312, but its bytes are valid UTF-8"}),
    [](const ::testing::TestParamInfo<Broken>& info) { return std::string(info.param.name); });

}  // namespace
