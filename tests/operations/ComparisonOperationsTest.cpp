#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "eventconfig/EventConfig.h"
#include "operations/RuleOperationSupport.h"

using ecfg_test::IsKind;
using ecfg_test::KindCase;
using ecfg_test::RuleWithOperation;

namespace {

TEST(ComparisonOperations, EveryKindThroughRuleAndRegistry) {
    const KindCase kinds[] = {
        {18, false, IsKind<COptLogInitFieldEqualWithMsgField>},
        {20, false, IsKind<COptLogInitFieldUnEqualMsgFieldConfig>},
        {21, false, IsKind<COptLogInitFieldEqualMultiMsgFieldConfig>},
        {22, false, IsKind<COptLogInitFieldUnEqualMultiMsgFieldConfig>},
        {31, false, IsKind<COptMsgFieldUnEqualRuleInitConfig>},
        {32, false, IsKind<COptMsgFieldEqualRuleInitConfig>},
        {33, false, IsKind<COptMsgFieldUnEqualLogFieldInitConfig>},
        {34, false, IsKind<COptMsgFieldEqualLogFieldInitConfig>},
        {39, true, IsKind<COptLogFieldEqualRecordedConfig>},
        {40, true, IsKind<COptLogFieldUnEqualRecordedConfig>},
    };
    for (const KindCase& kind : kinds) ecfg_test::ExpectKindThroughRuleAndRegistry(kind);
    // The two members of a pair are distinct classes.
    RuleWithOperation equal(L"<Operation Type=\"18\"/>");
    EXPECT_EQ(equal.As<COptLogInitFieldUnEqualMsgFieldConfig>(), nullptr);
}

// ---- 18, 20 -------------------------------------------------------------------

const wchar_t kLogInitOneField[] =
    L"<Operation Type=\"18\" Info=\"ignored\">"
    L"<InitialField ID=\"1F\"/>"
    L"<ReceiveMsg Name=\"CellId\" Length=\"4\" StartOffset=\"12\">"
    L"<Msg>1A</Msg><Msg></Msg><Msg>0x2B</Msg></ReceiveMsg></Operation>";

template <class Kind>
void ExpectLogInitOneField(const std::wstring& xml) {
    Kind kind(xml);
    EXPECT_EQ(kind.GetFieldID(), 0x1F);
    EXPECT_EQ(kind.GetKeywordName(), L"CellId");
    EXPECT_EQ(kind.GetLength(), 4);
    EXPECT_EQ(kind.GetOffset(), 12);
    EXPECT_EQ(kind.InReceiveMsgList(0x1A), 1);
    EXPECT_EQ(kind.InReceiveMsgList(0), 1);  // the empty child reads as 0
    EXPECT_EQ(kind.InReceiveMsgList(0x2B), 1);
    EXPECT_EQ(kind.InReceiveMsgList(0x1F), 0);
    EXPECT_EQ(kind.GetOperationInfo(), L"");
}

TEST(ComparisonOperations, LogInitFieldWithOneMsgField) {
    ExpectLogInitOneField<COptLogInitFieldEqualWithMsgField>(kLogInitOneField);
    ExpectLogInitOneField<COptLogInitFieldUnEqualMsgFieldConfig>(kLogInitOneField);
    EXPECT_EQ(COptLogInitFieldUnEqualMsgFieldConfig(kLogInitOneField).GetOperationType(),
              OPT_TYPE_LOG_INIT_FIELD_UNEQUAL_MSG_FIELD);

    COptLogInitFieldEqualWithMsgField prototype;
    EXPECT_EQ(prototype.GetOperationType(), OPT_TYPE_LOG_INIT_FIELD_EQUAL_WITH_MSG_FIELD);
    EXPECT_EQ(prototype.GetFieldID(), 0);
    EXPECT_EQ(prototype.InReceiveMsgList(0), 0);
}

// ---- 21, 22 -------------------------------------------------------------------

const wchar_t kLogInitMultiField[] =
    L"<Operation Type=\"21\">"
    L"<InitialField ID=\"20\"/>"
    L"<ReceiveMsg><MsgList><ID>1A</ID><Other>1B</Other><ID></ID></MsgList>"
    L"<MsgFieldList><F Name=\"First\" Length=\"1\" StartOffset=\"2\"/>"
    L"<F Name=\"Second\" Length=\"-3\" StartOffset=\"abc\"/><G Name=\"third\"/></MsgFieldList>"
    L"</ReceiveMsg></Operation>";

void ExpectMsgField(const MsgField* field, const wchar_t* name, int length, int offset) {
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->strName, name);
    EXPECT_EQ(field->nLength, length);
    EXPECT_EQ(field->nStartOffset, offset);
}

template <class Kind>
void ExpectLogInitMultiField(const Kind& source) {
    Kind kind(source);
    EXPECT_EQ(kind.GetFieldID(), 0x20);
    EXPECT_EQ(kind.InReceiveMsgList(0x1A), 1);
    EXPECT_EQ(kind.InReceiveMsgList(0x1B), 0);  // not named "ID"
    EXPECT_EQ(kind.InReceiveMsgList(0), 1);
    const std::vector<MsgField*> fields = kind.GetMsgFieldList();
    ASSERT_EQ(fields.size(), 3u);
    ExpectMsgField(fields[0], L"First", 1, 2);
    ExpectMsgField(fields[1], L"Second", -3, 0);
    ExpectMsgField(fields[2], L"third", 0, 0);
}

TEST(ComparisonOperations, LogInitFieldWithSeveralMsgFields) {
    ExpectLogInitMultiField(COptLogInitFieldEqualMultiMsgFieldConfig(kLogInitMultiField));
    ExpectLogInitMultiField(COptLogInitFieldUnEqualMultiMsgFieldConfig(kLogInitMultiField));
    EXPECT_EQ(COptLogInitFieldUnEqualMultiMsgFieldConfig(kLogInitMultiField).GetOperationType(),
              OPT_TYPE_LOG_INIT_FIELD_UNEQUAL_MULTI_MSG_FIELD);
    EXPECT_TRUE(COptLogInitFieldEqualMultiMsgFieldConfig().GetMsgFieldList().empty());
}

TEST(ComparisonOperations, MsgFieldRecordsAreCopiedDeeply) {
    COptLogInitFieldEqualMultiMsgFieldConfig source(kLogInitMultiField);
    COptLogInitFieldEqualMultiMsgFieldConfig copy(source);
    COptLogInitFieldEqualMultiMsgFieldConfig assigned(
        L"<Operation><ReceiveMsg><MsgFieldList><F Name=\"old\"/></MsgFieldList></ReceiveMsg>"
        L"</Operation>");
    assigned = source;
    for (const COptLogInitFieldEqualMultiMsgFieldConfig* other : {&copy, &assigned}) {
        const std::vector<MsgField*> mine = source.GetMsgFieldList();
        const std::vector<MsgField*> theirs = other->GetMsgFieldList();
        ASSERT_EQ(theirs.size(), mine.size());
        for (std::size_t i = 0; i < mine.size(); ++i) {
            EXPECT_NE(theirs[i], mine[i]);
            ExpectMsgField(theirs[i], mine[i]->strName.c_str(), mine[i]->nLength,
                           mine[i]->nStartOffset);
        }
    }
}

// ---- 31, 32, 33: one located field in a map ----------------------------------

const wchar_t kRuleInit[] =
    L"<Operation Type=\"32\" Info=\"ignored\">"
    L"<Msg ID=\"1A/1B\" ReverseFind=\"1\">"
    L"<Field Name=\"CellId\" StartSearchTag=\"Cell=\" EndSearchTag=\";\" StartOffset=\"2\"/>"
    L"<Field Name=\"Other\"/></Msg></Operation>";

void ExpectCellIdLocator(const ecfg::MsgFieldConfigMap& fields) {
    ASSERT_EQ(fields.size(), 1u);
    const CMessageFieldConfig* field = fields.begin()->second;
    EXPECT_EQ(fields.begin()->first, L"cellid");
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->GetKeyWordName(), L"cellid");
    EXPECT_EQ(field->GetStartSearchTag(), L"Cell=");  // tags stay as written
    EXPECT_EQ(field->GetEndSearchTag(), L";");
    EXPECT_EQ(field->GetOffset(), 2);
    EXPECT_EQ(field->GetEventInfoName(), L"");
}

template <class Kind>
void ExpectRuleInit(Kind kind) {
    EXPECT_EQ(kind.InMsgList(0x1A), 1);
    EXPECT_EQ(kind.InMsgList(0x1B), 1);
    EXPECT_EQ(kind.InMsgList(0x1C), 0);
    EXPECT_EQ(kind.NeededReverseFind(), 1);
    ExpectCellIdLocator(kind.GetMsgFieldConfigList());
    EXPECT_EQ(kind.GetMsgFieldConfig(L"cellid"), kind.GetMsgFieldConfigList().at(L"cellid"));
    EXPECT_EQ(kind.GetMsgFieldConfig(L"CellId"), nullptr);
    EXPECT_EQ(kind.GetMsgFieldConfig(L"other"), nullptr);  // only the first "Field"
    EXPECT_EQ(kind.GetOperationInfo(), L"");
}

TEST(ComparisonOperations, MsgFieldRuleInit) {
    ExpectRuleInit(COptMsgFieldEqualRuleInitConfig(kRuleInit));
    ExpectRuleInit(COptMsgFieldUnEqualRuleInitConfig(kRuleInit));
    EXPECT_EQ(COptMsgFieldUnEqualRuleInitConfig(kRuleInit).GetOperationType(),
              OPT_TYPE_MSG_FIELD_UNEQUAL_RULE_INIT);
    EXPECT_EQ(COptMsgFieldUnEqualRuleInitConfig().NeededReverseFind(), 0);
}

TEST(ComparisonOperations, MsgFieldLogFieldInitUnEqual) {
    COptMsgFieldUnEqualLogFieldInitConfig kind(
        L"<Operation Type=\"33\"><InitialField ID=\"3C\"/>"
        L"<Msg ID=\"1A/1B\" ReverseFind=\"1\">"
        L"<Field Name=\"CellId\" StartSearchTag=\"Cell=\" EndSearchTag=\";\" StartOffset=\"2\"/>"
        L"</Msg></Operation>");
    EXPECT_EQ(kind.GetOperationType(), OPT_TYPE_MSG_FIELD_UNEQUAL_LOG_FIELD_INIT);
    EXPECT_EQ(kind.GetInitialFieldID(), 0x3C);
    EXPECT_EQ(kind.InMsgList(0x1B), 1);
    EXPECT_EQ(kind.NeededReverseFind(), 1);
    ExpectCellIdLocator(kind.GetMsgFieldConfigList());
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

template <class Kind>
void ExpectMapCopiedDeeply(const std::wstring& xml) {
    Kind source(xml);
    Kind copy(source);
    Kind assigned(L"<Operation><InitialField/><Msg><Field Name=\"Old\"/></Msg></Operation>");
    assigned = source;
    for (Kind* other : {&copy, &assigned}) {
        const ecfg::MsgFieldConfigMap theirs = other->GetMsgFieldConfigList();
        ExpectCellIdLocator(theirs);
        ASSERT_FALSE(theirs.empty());
        EXPECT_NE(theirs.begin()->second, source.GetMsgFieldConfigList().begin()->second);
        EXPECT_EQ(other->InMsgList(0x1A), 1);
    }
}

TEST(ComparisonOperations, FieldLocatorMapsAreCopiedDeeply) {
    ExpectMapCopiedDeeply<COptMsgFieldEqualRuleInitConfig>(kRuleInit);
    ExpectMapCopiedDeeply<COptMsgFieldUnEqualLogFieldInitConfig>(kRuleInit);
}

// ---- 34 -----------------------------------------------------------------------

TEST(ComparisonOperations, MsgFieldLogFieldInitEqualKeepsOwnFields) {
    COptMsgFieldEqualLogFieldInitConfig kind(
        L"<Operation Type=\"34\" Info=\"ignored\"><InitialField ID=\"3C\"/>"
        L"<Msg ID=\"1A/1B\" ReverseFind=\"1\">"
        L"<Field Name=\"CellId\" StartSearchTag=\"Cell=\" EndSearchTag=\";\" StartOffset=\"2\"/>"
        L"</Msg></Operation>");
    EXPECT_EQ(kind.GetOperationType(), OPT_TYPE_MSG_FIELD_EQUAL_LOG_FIELD_INIT);
    EXPECT_EQ(kind.GetOperationInfo(), L"");
    EXPECT_EQ(kind.GetInitialFieldID(), 0x3C);
    EXPECT_EQ(kind.InMsgList(0x1A), 1);
    EXPECT_EQ(kind.GetKeywordName(), L"CellId");  // not lower-cased
    EXPECT_EQ(kind.GetStartSearchTag(), L"Cell=");
    EXPECT_EQ(kind.GetEndSearchTag(), L";");
    EXPECT_EQ(kind.GetOffset(), 2);

    COptMsgFieldEqualLogFieldInitConfig copy(kind);
    EXPECT_EQ(copy.GetKeywordName(), L"CellId");
    EXPECT_EQ(copy.GetInitialFieldID(), 0x3C);
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
    const wchar_t xml[] =
        L"<Operation Type=\"40\" Info=\"kept\"><Field ID=\"0x1F\" IsFreq=\"1\"/></Operation>";
    COptLogFieldEqualRecordedConfig equal(xml);
    COptLogFieldUnEqualRecordedConfig unequal(xml);
    for (ecfg::LogFieldRecordedShape* kind :
         {static_cast<ecfg::LogFieldRecordedShape*>(&equal),
          static_cast<ecfg::LogFieldRecordedShape*>(&unequal)}) {
        EXPECT_EQ(kind->GetFieldID(), 0x1F);
        EXPECT_EQ(kind->IsFreq(), 1);
        EXPECT_EQ(kind->GetOperationInfo(), L"kept");
        EXPECT_EQ(kind->GetOperationType(), 40);  // from "Type"
    }
    COptLogFieldEqualRecordedConfig prototype;
    EXPECT_EQ(prototype.GetOperationType(), OPT_TYPE_LOG_FIELD_EQUAL_RECORDED);
    EXPECT_EQ(prototype.IsFreq(), 0);
    COptLogFieldUnEqualRecordedConfig copy(unequal);
    EXPECT_EQ(copy.GetFieldID(), 0x1F);
    EXPECT_EQ(copy.GetOperationInfo(), L"kept");
}

TEST(ComparisonOperations, CloneBuildsTheSameKindFromText) {
    COptMsgFieldEqualRuleInitConfig prototype;
    std::unique_ptr<COperationTypeConfig> clone(prototype.Clone(kRuleInit));
    COptMsgFieldEqualRuleInitConfig* kind =
        dynamic_cast<COptMsgFieldEqualRuleInitConfig*>(clone.get());
    ASSERT_NE(kind, nullptr);
    EXPECT_EQ(kind->InMsgList(0x1B), 1);
    EXPECT_EQ(prototype.InMsgList(0x1B), 0);
}

}  // namespace
