// Kinds of one shape differ only in class and id (checked by the registry
// test), so each shape is read through one of its kinds here.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "eventconfig/EventConfig.h"

namespace {

// ---- 18, 20 -------------------------------------------------------------------

TEST(ComparisonOperations, LogInitFieldWithOneMsgField) {
    COptLogInitFieldEqualWithMsgField kind(
        L"<Operation Type=\"18\"><InitialField ID=\"1F\"/>"
        L"<ReceiveMsg Name=\"CellId\" Length=\"4\" StartOffset=\"12\">"
        L"<Msg>1A</Msg><Msg></Msg><Msg>0x2B</Msg></ReceiveMsg></Operation>");
    EXPECT_EQ(kind.GetFieldID(), 0x1F);
    EXPECT_EQ(kind.GetKeywordName(), L"CellId");
    EXPECT_EQ(kind.GetLength(), 4);
    EXPECT_EQ(kind.GetOffset(), 12);
    for (int id : {0x1A, 0, 0x2B}) EXPECT_EQ(kind.InReceiveMsgList(id), 1) << id;  // empty: 0
    EXPECT_EQ(kind.InReceiveMsgList(0x1F), 0);

    COptLogInitFieldEqualWithMsgField prototype;
    EXPECT_EQ(prototype.GetFieldID(), 0);
    EXPECT_EQ(prototype.InReceiveMsgList(0), 0);
}

// ---- 21, 22 -------------------------------------------------------------------

void ExpectMsgField(const MsgField* field, const wchar_t* name, int length, int offset) {
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->strName, name);
    EXPECT_EQ(field->nLength, length);
    EXPECT_EQ(field->nStartOffset, offset);
}

// Read, copied and assigned: copies own records of their own.
TEST(ComparisonOperations, LogInitFieldWithSeveralMsgFields) {
    using Kind = COptLogInitFieldEqualMultiMsgFieldConfig;
    Kind source(
        L"<Operation Type=\"21\"><InitialField ID=\"20\"/>"
        L"<ReceiveMsg><MsgList><ID>1A</ID><Other>1B</Other><ID></ID></MsgList>"
        L"<MsgFieldList><F Name=\"First\" Length=\"1\" StartOffset=\"2\"/>"
        L"<F Name=\"Second\" Length=\"-3\" StartOffset=\"abc\"/><G Name=\"third\"/>"
        L"</MsgFieldList></ReceiveMsg></Operation>");
    Kind copy(source);
    Kind assigned(
        L"<Operation><ReceiveMsg><MsgFieldList><F Name=\"old\"/></MsgFieldList></ReceiveMsg>"
        L"</Operation>");
    assigned = source;
    for (Kind* kind : {&source, &copy, &assigned}) {
        EXPECT_EQ(kind->GetFieldID(), 0x20);
        EXPECT_EQ(kind->InReceiveMsgList(0x1A), 1);
        EXPECT_EQ(kind->InReceiveMsgList(0x1B), 0);  // not named "ID"
        EXPECT_EQ(kind->InReceiveMsgList(0), 1);
        const std::vector<MsgField*> fields = kind->GetMsgFieldList();
        ASSERT_EQ(fields.size(), 3u);
        ExpectMsgField(fields[0], L"First", 1, 2);
        ExpectMsgField(fields[1], L"Second", -3, 0);
        ExpectMsgField(fields[2], L"third", 0, 0);
        if (kind == &source) continue;
        for (std::size_t i = 0; i < 3; ++i) EXPECT_NE(fields[i], source.GetMsgFieldList()[i]);
    }
    EXPECT_TRUE(Kind().GetMsgFieldList().empty());
}

// ---- 31, 32, 33: one located field in a map ----------------------------------

const wchar_t kRuleInit[] =
    L"<Operation Type=\"32\"><InitialField ID=\"3C\"/>"
    L"<Msg ID=\"1A/1B\" ReverseFind=\"1\">"
    L"<Field Name=\"CellId\" StartSearchTag=\"Cell=\" EndSearchTag=\";\" StartOffset=\"2\"/>"
    L"<Field Name=\"Other\"/></Msg></Operation>";

void ExpectCellIdLocator(const ecfg::MsgFieldConfigMap& fields) {
    ASSERT_EQ(fields.size(), 1u);  // only the first "Field"
    const CMessageFieldConfig* field = fields.begin()->second;
    EXPECT_EQ(fields.begin()->first, L"cellid");
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->GetKeyWordName(), L"cellid");
    EXPECT_EQ(field->GetStartSearchTag(), L"Cell=");  // tags stay as written
    EXPECT_EQ(field->GetEndSearchTag(), L";");
    EXPECT_EQ(field->GetOffset(), 2);
    EXPECT_EQ(field->GetEventInfoName(), L"");
}

// Read, cloned from the prototype, copied and assigned: copies own locators of
// their own, and the prototype stays empty.
template <class Kind>
void ExpectLocatorMapKind() {
    Kind source(kRuleInit);
    Kind prototype;
    std::unique_ptr<COperationTypeConfig> clone(prototype.Clone(kRuleInit));
    Kind* cloned = dynamic_cast<Kind*>(clone.get());
    ASSERT_NE(cloned, nullptr);
    Kind copy(source);
    Kind assigned(L"<Operation><InitialField/><Msg><Field Name=\"Old\"/></Msg></Operation>");
    assigned = source;
    for (Kind* kind : {&source, cloned, &copy, &assigned}) {
        EXPECT_EQ(kind->InMsgList(0x1A), 1);
        EXPECT_EQ(kind->InMsgList(0x1B), 1);
        EXPECT_EQ(kind->InMsgList(0x3C), 0);
        EXPECT_EQ(kind->NeededReverseFind(), 1);
        ExpectCellIdLocator(kind->GetMsgFieldConfigList());
        if (kind == &source) continue;
        EXPECT_NE(kind->GetMsgFieldConfigList().at(L"cellid"),
                  source.GetMsgFieldConfigList().at(L"cellid"));
    }
    EXPECT_EQ(prototype.NeededReverseFind(), 0);
    EXPECT_EQ(prototype.InMsgList(0x1A), 0);
}

TEST(ComparisonOperations, LocatorMapKinds) {
    ExpectLocatorMapKind<COptMsgFieldEqualRuleInitConfig>();
    COptMsgFieldEqualRuleInitConfig ruleInit(kRuleInit);
    EXPECT_EQ(ruleInit.GetMsgFieldConfig(L"cellid"),
              ruleInit.GetMsgFieldConfigList().at(L"cellid"));
    EXPECT_EQ(ruleInit.GetMsgFieldConfig(L"CellId"), nullptr);
    EXPECT_EQ(ruleInit.GetMsgFieldConfig(L"other"), nullptr);

    ExpectLocatorMapKind<COptMsgFieldUnEqualLogFieldInitConfig>();
    EXPECT_EQ(COptMsgFieldUnEqualLogFieldInitConfig(kRuleInit).GetInitialFieldID(), 0x3C);
    EXPECT_EQ(COptMsgFieldUnEqualLogFieldInitConfig().GetInitialFieldID(), 0);
}

TEST(ComparisonOperations, MapKindsWithoutFieldOrFlag) {
    // No "Field": one empty locator under the empty name; no "ReverseFind": 0.
    COptMsgFieldEqualRuleInitConfig kind(L"<Operation><Msg ID=\"5\"/></Operation>");
    EXPECT_EQ(kind.NeededReverseFind(), 0);
    EXPECT_EQ(kind.InMsgList(5), 1);
    const CMessageFieldConfig* field = kind.GetMsgFieldConfig(L"");
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->GetStartSearchTag(), L"");
    EXPECT_EQ(field->GetOffset(), 0);
    EXPECT_EQ(kind.GetMsgFieldConfigList().size(), 1u);
}

// ---- 34 -----------------------------------------------------------------------

TEST(ComparisonOperations, MsgFieldLogFieldInitEqualKeepsOwnFields) {
    const COptMsgFieldEqualLogFieldInitConfig source(kRuleInit);
    COptMsgFieldEqualLogFieldInitConfig kind(source);
    EXPECT_EQ(kind.GetInitialFieldID(), 0x3C);
    EXPECT_EQ(kind.InMsgList(0x1A), 1);
    EXPECT_EQ(kind.InMsgList(0x1B), 1);
    EXPECT_EQ(kind.GetKeywordName(), L"CellId");  // not lower-cased
    EXPECT_EQ(kind.GetStartSearchTag(), L"Cell=");
    EXPECT_EQ(kind.GetEndSearchTag(), L";");
    EXPECT_EQ(kind.GetOffset(), 2);
}

TEST(ComparisonOperations, MissingElementReadsNothingFromItsPredecessor) {
    // Without "Msg" the "ID" of "InitialField" must not become a message id.
    COptMsgFieldEqualLogFieldInitConfig equal(
        L"<Operation><InitialField ID=\"5\"><Field Name=\"x\"/></InitialField></Operation>");
    EXPECT_EQ(equal.GetInitialFieldID(), 5);
    EXPECT_EQ(equal.InMsgList(5), 0);
    EXPECT_EQ(equal.GetKeywordName(), L"");
    COptMsgFieldUnEqualLogFieldInitConfig unequal(
        L"<Operation><InitialField ID=\"5\"/></Operation>");
    EXPECT_EQ(unequal.InMsgList(5), 0);
    // Without "ReceiveMsg" the fixed locator stays empty.
    COptLogInitFieldEqualWithMsgField logInit(
        L"<Operation><InitialField ID=\"5\" Name=\"x\" "
        L"Length=\"3\"><M>7</M></InitialField></Operation>");
    EXPECT_EQ(logInit.GetKeywordName(), L"");
    EXPECT_EQ(logInit.GetLength(), 0);
    EXPECT_EQ(logInit.InReceiveMsgList(7), 0);
}

// ---- 39, 40 -------------------------------------------------------------------

TEST(ComparisonOperations, LogFieldRecorded) {
    COptLogFieldEqualRecordedConfig kind(
        L"<Operation Type=\"39\"><Field ID=\"0x1F\" IsFreq=\"1\"/></Operation>");
    EXPECT_EQ(kind.GetFieldID(), 0x1F);
    EXPECT_EQ(kind.IsFreq(), 1);
    EXPECT_EQ(COptLogFieldEqualRecordedConfig().IsFreq(), 0);
}

}  // namespace
