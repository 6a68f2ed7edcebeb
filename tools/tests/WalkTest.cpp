// The position-keeping walk and the reading rules behind the checks.

#include <gtest/gtest.h>

#include <string>

#include "Grammar.h"
#include "Positions.h"
#include "eventconfig/EventConfig.h"

namespace {

TEST(Walk, OffsetsBecomeLinesAndColumns) {
    const std::wstring text = L"<a>\n  <b x=\"1\"\n     y='2'/>\r\n\t<c>text</c></a>";
    CMarkup markup(text);
    ectool::DocTree tree(markup);
    ectool::LineIndex lines(text);
    ASSERT_EQ(tree.Tops().size(), 1u);
    const ectool::Node& a = tree.At(tree.Tops()[0]);
    ASSERT_EQ(a.children.size(), 2u);
    const ectool::Node& b = tree.At(a.children[0]);
    struct Row {
        std::size_t offset, line, column;
    };
    const ectool::AttrSite* y = b.Attr(L"y");
    ASSERT_NE(y, nullptr);
    for (const Row& row :
         {Row{b.offset, 2, 3}, Row{b.Attr(L"x")->valueOffset, 2, 9}, Row{y->offset, 3, 6},
          Row{y->valueOffset, 3, 9}, Row{tree.At(a.children[1]).textOffset, 4, 5}}) {
        ectool::Position at = lines.At(row.offset);
        EXPECT_EQ(at.line, row.line);
        EXPECT_EQ(at.column, row.column);
    }
    EXPECT_EQ(y->value, L"2");
    EXPECT_EQ(tree.At(a.children[1]).data, L"text");
    EXPECT_TRUE(b.leaf);
    EXPECT_FALSE(a.leaf);
}

TEST(Walk, AttributeValuesAreWhatTheNavigatorReads) {
    CMarkup markup(std::wstring(L"<a n=\"x &amp; y\" n=\"second\" m=\"\"/>"));
    ectool::DocTree tree(markup);
    const ectool::Node& a = tree.At(tree.Tops()[0]);
    ASSERT_EQ(a.attrs.size(), 2u);  // the first of two equal names is the one read
    EXPECT_EQ(a.AttrValue(L"n"), L"x & y");
    EXPECT_NE(a.Attr(L"m"), nullptr);
    EXPECT_EQ(a.Attr(L"absent"), nullptr);
}

TEST(Walk, DeepNestingDoesNotExhaustTheStack) {
    std::wstring text;
    for (int i = 0; i < 100000; ++i) text += L"<a>";
    for (int i = 0; i < 100000; ++i) text += L"</a>";
    CMarkup markup(text);
    ectool::DocTree tree(markup);
    EXPECT_EQ(tree.Nodes().size(), 100000u);
}

// A kind the registries know but the check has no reading rule for would be
// passed over silently.
TEST(Grammar, EveryRegisteredKindHasAReadingRule) {
    for (const EventConfigKindInfo& kind : EventConfigOperationKinds())
        EXPECT_NE(ectool::OperationRule(kind.nTypeID), nullptr) << kind.szClassName;
    for (const EventConfigKindInfo& kind : EventConfigActionKinds())
        EXPECT_NE(ectool::ActionRule(kind.nTypeID), nullptr) << kind.szClassName;
    for (int unused : {8, 9, 10, 19, 42}) EXPECT_EQ(ectool::ActionRule(unused), nullptr) << unused;
    EXPECT_EQ(ectool::OperationRule(45), nullptr);
}

}  // namespace
