// Every kind of both tables, built from an element its own grammar writes:
// each value the grammar says is read is distinct, and exactly those values
// arrive in the kind's view. This keeps the description of a kind and its
// constructor from drifting apart.

#include <gtest/gtest.h>

#include <algorithm>
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

namespace {

using ecfg::ElemRule;
using ecfg::Num;

// Writes an element as a rule reads it: every attribute and text gets a value
// of its own (numbers count up, texts are "v" and a number), and children the
// rule reads repeatedly appear twice.
class Writer {
public:
    std::set<int> numbers;
    std::set<std::string> texts;
    std::vector<int> msgCandidates;

    std::wstring Element(const std::wstring& name, const ElemRule& rule,
                         const std::wstring& extra = L"") {
        std::wstring xml = L"<" + name + extra;
        for (const ecfg::AttrRule& attr : rule.attrs)
            xml += L" " + attr.name + L"=\"" + Value(attr.num) + L"\"";
        xml += L">";
        if (rule.text != Num::None) xml += Value(rule.text);
        for (const ecfg::ChildRule& child : rule.children) {
            const std::wstring childName = child.name.empty() ? L"Item" : child.name;
            for (int copy = 0; copy < (child.repeat ? 2 : 1); ++copy)
                xml += Element(childName, *child.elem);
        }
        return xml + L"</" + name + L">";
    }

private:
    int m_next = 11;

    int Take() {
        numbers.insert(m_next);
        msgCandidates.push_back(m_next);
        return m_next++;
    }
    static std::wstring Hex(int n) {
        wchar_t text[16];
        swprintf(text, 16, L"%x", n);
        return text;
    }
    std::wstring Value(Num num) {
        switch (num) {
            case Num::Text: {
                const std::string text = "v" + std::to_string(m_next++);
                texts.insert(text);
                return std::wstring(text.begin(), text.end());
            }
            case Num::Hex:
                return Hex(Take());
            case Num::HexList: {
                const std::wstring first = Hex(Take());
                return first + L"/" + Hex(Take());
            }
            case Num::DecList: {
                const std::wstring first = std::to_wstring(Take());
                return first + L"/" + std::to_wstring(Take());
            }
            default:  // decimal, with or without its one word
                return std::to_wstring(Take());
        }
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

// Where a view cannot show exactly what was written: values kept without a
// getter, and a constant the kind adds of its own.
struct Unseen {
    const char* className;
    std::set<int> hidden;
    std::set<std::string> added;
};
const Unseen kUnseen[] = {
    {"COptCalcLogFieldNum", {12, 13}, {}},  // the range: only IsNumSatisfy asks it
    {"CAct_EnterIntoProtocalSwitchModeConfig", {11, 12}, {}},  // no getter at all
    {"CActGenSystemEventConfig", {}, {"SystemEvent"}},         // its event info
};

template <class Base, class Create, class View>
void RoundTrip(const ecfg::KindRow& row, const wchar_t* element, Create create, View view) {
    SCOPED_TRACE(row.szClassName);
    Writer writer;
    const std::wstring xml =
        writer.Element(element, *row.grammar, L" Type=\"" + std::to_wstring(row.nTypeID) + L"\"");
    std::unique_ptr<Base> object(create(xml));
    ASSERT_NE(object, nullptr);
    ASSERT_TRUE(typeid(*object) == *row.type);
    std::set<int> numbers;
    std::set<std::string> texts;
    Collect(view(*object, writer.msgCandidates).getters, numbers, texts);
    for (const Unseen& unseen : kUnseen) {
        if (std::string(unseen.className) != row.szClassName) continue;
        for (int n : unseen.hidden) writer.numbers.erase(n);
        for (const std::string& text : unseen.added) writer.texts.insert(text);
    }
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
