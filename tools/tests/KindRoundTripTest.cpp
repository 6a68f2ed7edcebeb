// Every kind of both tables, built from an element its own grammar writes:
// each value the grammar says is read is distinct, and exactly those values
// arrive in the kind's view. This keeps the description of a kind and its
// constructor from drifting apart.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "Text.h"
#include "ToolRunner.h"
#include "View.h"
#include "actions/ActionRegistry.h"
#include "eventconfig/EventConfig.h"
#include "operations/OperationRegistry.h"
#include "reading/GrammarWriter.h"

namespace {

using ecfg::Num;

// Values for an element its rule writes: every attribute and text a value of
// its own (numbers count up, texts are "v" and a number), and children the
// rule reads repeatedly twice.
class Distinct : public ecfg::GrammarValues {
public:
    std::set<int> numbers;
    std::set<std::string> texts;
    std::vector<int> msgCandidates;

    std::string Value(const std::wstring&, Num num, ecfg::Ref) override {
        switch (num) {
            case Num::Text: {
                const std::string text = "v" + std::to_string(m_next++);
                texts.insert(text);
                return text;
            }
            case Num::Hex:
                return Hex(Take());
            case Num::HexList: {
                const std::string first = Hex(Take());
                return first + "/" + Hex(Take());
            }
            case Num::DecList: {
                const std::string first = std::to_string(Take());
                return first + "/" + std::to_string(Take());
            }
            default:  // decimal, with or without its one word
                return std::to_string(Take());
        }
    }
    int Repeats() override { return 2; }

private:
    int m_next = 11;

    int Take() {
        numbers.insert(m_next);
        msgCandidates.push_back(m_next);
        return m_next++;
    }
    static std::string Hex(int n) {
        char text[16];
        std::snprintf(text, sizeof text, "%x", n);
        return text;
    }
};

// Every number and text a view shows (map keys repeat their records' names); defaults
// (0, -1, empty) say nothing arrived.
void Collect(const ectool::Json& json, std::set<int>& numbers, std::set<std::string>& texts) {
    if (json.is_number_integer()) {
        const long long n = json.get<long long>();
        if (n != 0 && n != -1) numbers.insert(static_cast<int>(n));
    } else if (json.is_string()) {
        if (!json.get<std::string>().empty()) texts.insert(json.get<std::string>());
    } else if (json.is_structured()) {
        for (auto it = json.begin(); it != json.end(); ++it) {
            Collect(*it, numbers, texts);
        }
    }
}

// Where a view shows more than was written: a constant the kind adds of its
// own.
struct Added {
    const char* className;
    std::set<std::string> texts;
};
const Added kAdded[] = {
    {"CActGenSystemEventConfig", {"SystemEvent"}},  // its event info
};

template <class Base, class Create, class View>
void RoundTrip(const ecfg::KindRow& row, const wchar_t* element, Create create, View view) {
    SCOPED_TRACE(row.szClassName);
    Distinct writer;
    const std::string written = ecfg::WriteElement(element, *row.grammar, writer,
                                                   " Type=\"" + std::to_string(row.nTypeID) + "\"");
    const std::wstring xml(written.begin(), written.end());
    std::unique_ptr<Base> object(create(xml));
    ASSERT_NE(object, nullptr);
    ASSERT_TRUE(typeid(*object) == *row.type);
    std::set<int> numbers;
    std::set<std::string> texts;
    Collect(view(*object, writer.msgCandidates).getters, numbers, texts);
    for (const Added& added : kAdded)
        if (std::string(added.className) == row.szClassName)
            writer.texts.insert(added.texts.begin(), added.texts.end());
    EXPECT_EQ(numbers, writer.numbers) << ectool::Utf8(xml);
    EXPECT_EQ(texts, writer.texts) << ectool::Utf8(xml);
}

TEST(KindRoundTrip, EveryKindReadsWhatItsGrammarWrites) {
    for (const ecfg::KindRow& row : ecfg::OperationKindRows())
        RoundTrip<COperationTypeConfig>(
            row, L"Operation",
            [](const std::wstring& xml) {
                return COperationTypeConfigFactory::GetInstance()->CreateOperation(xml);
            },
            ectool::ViewOperation);
    for (const ecfg::KindRow& row : ecfg::ActionKindRows())
        RoundTrip<CActionConfig>(
            row, L"Action",
            [](const std::wstring& xml) {
                return CActionTypeFactory::GetInstance()->CreateAction(xml);
            },
            ectool::ViewAction);
}

}  // namespace

namespace {

// FORMAT.md's kind tables list exactly the rows `eventconfig kinds` prints:
// the same ids, classes and meanings, per family.
TEST(KindDocs, FormatTablesMatchTheKindsCommand) {
    const tooltest::Run run = tooltest::RunTool("kinds --color never");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::regex printed(R"(^\s+(\d+)\s+(\w+)\s+(.*\S)\s*$)");
    const std::regex documented(R"(^\| (\d+) \| `(\w+)` \| ([^|]*\S) \|)");
    auto rows = [](const std::string& text, const std::regex& row, const std::string& first,
                   const std::string& second) {
        std::vector<std::string> families[2];
        int family = -1;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            if (line.rfind(first, 0) == 0) family = 0;
            if (line.rfind(second, 0) == 0) family = 1;
            std::smatch m;
            if (family >= 0 && std::regex_search(line, m, row))
                families[family].push_back(m[1].str() + " " + m[2].str() + " " + m[3].str());
        }
        for (auto& list : families) std::sort(list.begin(), list.end());
        return std::vector<std::vector<std::string>>{families[0], families[1]};
    };
    const auto fromTool = rows(run.out, printed, "Operations", "Actions");
    const auto fromDocs =
        rows(tooltest::Slurp(std::string(EVENTCONFIG_SOURCE_DIR) + "/docs/FORMAT.md"), documented,
             "## Operation kinds", "## Action kinds");
    EXPECT_EQ(fromDocs, fromTool);
    EXPECT_EQ(fromTool[0].size(), ecfg::OperationKindRows().size());
    EXPECT_EQ(fromTool[1].size(), ecfg::ActionKindRows().size());
}

}  // namespace
