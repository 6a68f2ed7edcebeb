#include <map>
#include <string>
#include <vector>

#include "ActionKindTest.h"

namespace {

using actiontest::Action;
using actiontest::ForEachBuild;
using Ids = std::vector<int>;
using FieldMap = std::map<std::wstring, CMessageFieldConfig*>;

template <class Kind>
Ids RuleIDs(Kind& kind) {
    Ids ids{99, 98, 97};  // replaced, not appended to
    kind.GetRuleIDList(ids);
    return ids;
}

void ExpectTags(const FieldMap& map, const std::wstring& name, const std::wstring& start,
                const std::wstring& end, int offset) {
    auto it = map.find(name);
    ASSERT_NE(it, map.end()) << name;
    EXPECT_EQ(it->second->GetKeyWordName(), name);
    EXPECT_EQ(it->second->GetStartSearchTag(), start);
    EXPECT_EQ(it->second->GetEndSearchTag(), end);
    EXPECT_EQ(it->second->GetOffset(), offset);
    EXPECT_EQ(it->second->GetEventInfoName(), L"");
}

TEST(RuleRecordActions, RecordInfoForRule) {
    CActRecordInfoForRule defaults;
    EXPECT_EQ(RuleIDs(defaults), Ids());
    EXPECT_TRUE(defaults.GetMsgFieldConfigList().empty());
    ForEachBuild<CActRecordInfoForRule>(
        20,
        L"<Rule ID='4/9'>"
        L"<Field Name='CellId' StartSearchTag='CELL' EndSearchTag='END' StartOffset='1'/>"
        L"<Field Name='Psc' StartSearchTag='CELL' EndSearchTag='END' StartReverseSearchTag='R'/>"
        L"</Rule>",
        [](CActRecordInfoForRule& k) {
            EXPECT_EQ(RuleIDs(k), Ids({4, 9}));
            const FieldMap map = k.GetMsgFieldConfigList();
            EXPECT_EQ(map.size(), 2u);
            ExpectTags(map, L"cellid", L"cell", L"end", 1);
            ExpectTags(map, L"psc", L"cell", L"end", 0);
        });
}

TEST(RuleRecordActions, RecordInfoForRuleReverseFind) {
    EXPECT_EQ(CActRecordInfoForRule_ReverseFind().GetEventStateID(), 0);
    ForEachBuild<CActRecordInfoForRule_ReverseFind>(
        31,
        L"<EventState ID='12'><Rule ID='3'>"
        L"<Field Name='Cause' StartReverseSearchTag='CAUSE=' EndReverseSearchTag=';' "
        L"StartSearchTag='F' "
        L"StartOffset='-2'/>"
        L"</Rule></EventState>",
        [](CActRecordInfoForRule_ReverseFind& k) {
            EXPECT_EQ(k.GetEventStateID(), 12);
            EXPECT_EQ(RuleIDs(k), Ids({3}));
            const FieldMap map = k.GetMsgFieldConfigList();
            EXPECT_EQ(map.size(), 1u);
            ExpectTags(map, L"cause", L"cause=", L";", -2);
        });
}

// Rule id texts and missing levels, for both kinds (the reverse kind's "Rule"
// sits inside "EventState").
TEST(RuleRecordActions, RuleTextsAndMissingElements) {
    struct Case {
        const wchar_t* rule;
        Ids ids;
        std::size_t fields;
    };
    const Case cases[] = {
        {L"<Rule ID='4/'><Field Name='A'/><Field Name='B'/><Field Name='a'/></Rule>", {4, 0}, 2},
        {L"<Rule ID='0x4'/>", {0}, 0},
        {L"<Rule ID='/3'/>", {0, 3}, 0},
        {L"<Rule ID='3//5'><Other Name='A'/></Rule>", {3, 0, 5}, 0},
        {L"<Rule ID=''><Field/></Rule>", {}, 1},
        {L"<Field Name='NotInRule'/>", {}, 0},
        {L"", {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        CActRecordInfoForRule forward(Action(20, c.rule));
        EXPECT_EQ(RuleIDs(forward), c.ids);
        EXPECT_EQ(forward.GetMsgFieldConfigList().size(), c.fields);
        CActRecordInfoForRule_ReverseFind reverse(
            Action(31, L"<EventState ID='5'>" + std::wstring(c.rule) + L"</EventState>"));
        EXPECT_EQ(reverse.GetEventStateID(), 5);
        EXPECT_EQ(RuleIDs(reverse), c.ids);
        EXPECT_EQ(reverse.GetMsgFieldConfigList().size(), c.fields);
    }
    // Without "EventState" the reverse kind reads nothing below it.
    CActRecordInfoForRule_ReverseFind noState(Action(31, L"<Rule ID='3'><Field Name='A'/></Rule>"));
    EXPECT_EQ(noState.GetEventStateID(), 0);
    EXPECT_EQ(RuleIDs(noState), Ids());
    EXPECT_TRUE(noState.GetMsgFieldConfigList().empty());
}

TEST(RuleRecordActions, DeepCopies) {
    CActRecordInfoForRule source(
        Action(20, L"<Rule ID='1'><Field Name='A' StartSearchTag='S'/></Rule>"));
    CActRecordInfoForRule copy(source);
    CActRecordInfoForRule assigned(
        Action(20, L"<Rule ID='2'><Field Name='B'/><Field Name='C'/></Rule>"));
    assigned = source;
    for (CActRecordInfoForRule* other : {&copy, &assigned}) {
        const FieldMap map = other->GetMsgFieldConfigList();
        ASSERT_EQ(map.size(), 1u);
        EXPECT_NE(map.at(L"a"), source.GetMsgFieldConfigList().at(L"a"));
        EXPECT_EQ(map.at(L"a")->GetStartSearchTag(), L"s");
        EXPECT_EQ(RuleIDs(*other), Ids({1}));
    }
}

}  // namespace
