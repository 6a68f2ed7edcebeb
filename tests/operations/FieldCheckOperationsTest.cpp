#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "eventconfig/EventConfig.h"

namespace {

// ---- 6, 7, 10, 11 ---------------------------------------------------------------

const wchar_t kCheckField[] =
    L"<Operation Type=\"10\" Info=\"cell\">"
    L"<Msg>1A/2B</Msg>"
    L"<Field Name=\"CellId\" Length=\"4\" StartOffset=\"12\"><V>ABC</V><V></V><W>x1</W></Field>"
    L"</Operation>";

// 6 and 7 are this shape; 10 and 11 add the id list.
TEST(FieldCheckOperations, ValueListChecks) {
    COptFieldEqualConfig equal(kCheckField);
    COptFieldExistConfig exist(kCheckField);
    for (COptCheckFieldConfig* kind :
         {static_cast<COptCheckFieldConfig*>(&equal), static_cast<COptCheckFieldConfig*>(&exist)}) {
        EXPECT_EQ(kind->GetMsgID(), 0x1A);  // of the list only the first id
        EXPECT_EQ(kind->GetFieldName(), L"CellId");
        EXPECT_EQ(kind->GetFieldLength(), 4);
        EXPECT_EQ(kind->GetOffset(), 12);
        EXPECT_EQ(kind->GetValueList(), (std::vector<std::wstring>{L"abc", L"x1"}));
    }
    EXPECT_EQ(exist.InMsgList(0x1A), 1);
    EXPECT_EQ(exist.InMsgList(0x2B), 1);
    EXPECT_EQ(exist.InMsgList(0), 0);
    EXPECT_EQ(COptFieldEqualConfig().GetMsgID(), -1);
    EXPECT_EQ(COptCheckFieldConfig().GetOperationType(), OPT_TYPE_BASE);
}

// The unregistered base keeps the plain base's Clone.
TEST(FieldCheckOperations, CheckFieldBaseClonesAPlainOperation) {
    COptCheckFieldConfig check(kCheckField);
    std::unique_ptr<COperationTypeConfig> clone(check.Clone(kCheckField));
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(dynamic_cast<COptCheckFieldConfig*>(clone.get()), nullptr);
    EXPECT_EQ(clone->GetOperationType(), 10);
    EXPECT_EQ(clone->GetOperationInfo(), L"cell");
}

TEST(FieldCheckOperations, ExistIdListAndMissingSecondChild) {
    struct Case {
        const wchar_t* firstChild;
        std::vector<int> inList;
        int msgID;
    };
    const Case cases[] = {
        {L"<M>1A/</M>", {0x1A, 0}, 0x1A},
        {L"<M>0x1A</M>", {0x1A}, 0x1A},
        {L"<M/>", {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.firstChild);
        COptFieldExistConfig exist(std::wstring(L"<Operation Type=\"10\">") + c.firstChild +
                                   L"</Operation>");
        EXPECT_EQ(exist.GetMsgID(), c.msgID);
        for (int id : c.inList) EXPECT_EQ(exist.InMsgList(id), 1) << id;
        if (c.inList.empty()) {
            EXPECT_EQ(exist.InMsgList(0), 0);
        }
        // No 2nd child: the locator and values are absent, not the 1st child's.
        EXPECT_EQ(exist.GetFieldName(), L"");
        EXPECT_TRUE(exist.GetValueList().empty());
    }
}

// ---- 8, 9 -----------------------------------------------------------------------

TEST(FieldCheckOperations, GreatAndBellowValues) {
    struct Case {
        const wchar_t* valueAttr;
        int value;
    };
    const Case cases[] = {{L" Value=\"-5\"", -5}, {L" Value=\"12abc\"", 12}, {L"", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.valueAttr);
        COptFieldGreatConfig great(
            std::wstring(L"<Operation Type=\"8\"><Msgs><M>1A</M><M></M><M>0x2B</M></Msgs>") +
            L"<Field Name=\"Rscp\"" + c.valueAttr + L"/></Operation>");
        EXPECT_EQ(great.GetIEValue(), c.value);
        EXPECT_EQ(great.GetFieldName(), L"Rscp");
        EXPECT_EQ(great.InMsgList(0x1A) + great.InMsgList(0x2B), 2);
        EXPECT_EQ(great.InMsgList(0), 0);  // the empty child is skipped
    }
    EXPECT_EQ(COptFieldBellowConfig().GetIEValue(), 0);
}

// ---- 12, 43 ---------------------------------------------------------------------

TEST(FieldCheckOperations, FieldCmp) {
    struct Case {
        const wchar_t* children;
        int srcMsgID;
        const wchar_t* srcName;
        int desMsgID;
        const wchar_t* desName;
    };
    const wchar_t destination[] =
        L"<Destination><MsgID>0x2B</MsgID><Field Name=\"B\"/></Destination>";
    const Case cases[] = {
        {L"<Source><MsgID>1A</MsgID><Field Name=\"A\"/></Source>", 0x1A, L"A", 0x2B, L"B"},
        // Without "Source" its reads are absent; "Destination" is not taken for it.
        {L"", 0, L"", 0x2B, L"B"},
        // Searches run forward: a "Field" before "MsgID" is not found.
        {L"<Source><Field Name=\"A\"/><MsgID>1A</MsgID></Source>", 0x1A, L"", 0x2B, L"B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.children);
        COptFieldCmpConfig cmp(std::wstring(L"<Operation Type=\"12\">") + c.children + destination +
                               L"</Operation>");
        EXPECT_EQ(cmp.GetSrcMsgID(), c.srcMsgID);
        EXPECT_EQ(cmp.GetSrcFieldName(), c.srcName);
        EXPECT_EQ(cmp.GetDesMsgID(), c.desMsgID);
        EXPECT_EQ(cmp.GetDesFieldName(), c.desName);
    }
    EXPECT_EQ(COptFieldCmpConfig().GetSrcMsgID(), -1);
    EXPECT_EQ(COptFieldCmpConfig().GetDesMsgID(), -1);
}

TEST(FieldCheckOperations, TwoFieldValuesEqual) {
    COptTwoFieldValuesEqual_Config both(
        L"<Operation Type=\"43\"><SrcField>1F</SrcField><DesField>20</DesField></Operation>");
    EXPECT_EQ(both.GetSrcFieldID(), 0x1F);
    EXPECT_EQ(both.GetDesFieldID(), 0x20);
    COptTwoFieldValuesEqual_Config none(L"<Operation Type=\"43\"/>");
    EXPECT_EQ(none.GetSrcFieldID(), 0);
    EXPECT_EQ(none.GetDesFieldID(), 0);
    COptTwoFieldValuesEqual_Config prototype;
    EXPECT_EQ(prototype.GetSrcFieldID(), -1);
    EXPECT_EQ(prototype.GetDesFieldID(), -1);
}

}  // namespace
