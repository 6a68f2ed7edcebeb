#include <map>
#include <string>
#include <vector>

#include "ActionKindTest.h"

namespace {

using actiontest::Action;
using actiontest::ForEachBuild;
using Ids = std::vector<int>;
using FieldMap = std::map<std::wstring, CMessageFieldConfig*>;

struct Field {
    std::wstring name, startTag, endTag, eventInfoName;
    int offset;
};

void ExpectFields(const FieldMap& map, const std::vector<Field>& expected) {
    ASSERT_EQ(map.size(), expected.size());
    for (const Field& field : expected) {
        auto it = map.find(field.name);
        ASSERT_NE(it, map.end()) << field.name;
        EXPECT_EQ(it->second->GetKeyWordName(), field.name);
        EXPECT_EQ(it->second->GetStartSearchTag(), field.startTag);
        EXPECT_EQ(it->second->GetEndSearchTag(), field.endTag);
        EXPECT_EQ(it->second->GetEventInfoName(), field.eventInfoName);
        EXPECT_EQ(it->second->GetOffset(), field.offset);
    }
}

const wchar_t kTwoFields[] =
    L"<LogField ID='1F'/><Msg ReverseFind='1'>"
    L"<Field Name='Cause' StartReverseSearchTag='CAUSE:' EndReverseSearchTag=';' StartOffset='2' "
    L"EventInfoName='FailCause'/>"
    L"<Other Name='Skipped'/>"
    L"<Field Name='Rate' StartReverseSearchTag='Rate=' EndReverseSearchTag='kbps' StartOffset='x'/>"
    L"</Msg>";

template <class Kind>
void CheckUpdateKind(int type) {
    Kind defaults;
    EXPECT_EQ(defaults.GetToUpdateFieldID(), -1);
    EXPECT_EQ(defaults.NeededReverseFind(), 0);
    EXPECT_TRUE(defaults.GetMsgFieldConfigList().empty());
    ForEachBuild<Kind>(type, kTwoFields, [](Kind& k) {
        EXPECT_EQ(k.GetToUpdateFieldID(), 31);
        EXPECT_EQ(k.NeededReverseFind(), 1);
        // Only the name is lower-cased; tags and event info names stay as written.
        ExpectFields(k.GetMsgFieldConfigList(), {{L"cause", L"CAUSE:", L";", L"FailCause", 2},
                                                 {L"rate", L"Rate=", L"kbps", L"", 0}});
    });
}

TEST(LogFieldActions, UpdateLogFieldKinds) {
    CheckUpdateKind<CAct_UpdateLogFieldConfig>(26);
    CheckUpdateKind<CAct_UpdateLogField_ForEventInfo_Config>(37);
}

TEST(LogFieldActions, DelValueOfLogFieldReadsOneLoweredField) {
    ForEachBuild<CAct_DelValueOfLogFieldConfig>(
        27, kTwoFields, [](CAct_DelValueOfLogFieldConfig& k) {
            EXPECT_EQ(k.GetToUpdateFieldID(), 31);
            EXPECT_EQ(k.NeededReverseFind(), 1);
            // No event info name in this form; tags lower-cased; later fields ignored.
            ExpectFields(k.GetMsgFieldConfigList(), {{L"cause", L"cause:", L";", L"", 2}});
        });
}

// The locator-map kinds on incomplete or odd elements.
TEST(LogFieldActions, LocatorMapEdgeCases) {
    struct Case {
        const wchar_t* children;
        int fieldID, reverseFind;
        std::vector<Field> update;  // CAct_UpdateLogFieldConfig
        std::vector<Field> del;     // CAct_DelValueOfLogFieldConfig
    };
    const Field empty{L"", L"", L"", L"", 0};
    const Case cases[] = {
        {L"<LogField ID='2'/><Msg ReverseFind='0'/>", 2, 0, {}, {empty}},
        // Without "Msg" the reverse flag reads 0; the delete kind still files its entry.
        {L"<LogField ID='2'/>", 2, 0, {}, {empty}},
        {L"<Msg ReverseFind='3'><Field Name='A'/></Msg>",
         0,
         3,
         {{L"a", L"", L"", L"", 0}},
         {{L"a", L"", L"", L"", 0}}},
        // Searches run forward: "Msg" before "LogField" is not found.
        {L"<Msg ReverseFind='1'><Field Name='A'/></Msg><LogField ID='5'/>", 5, 0, {}, {empty}},
        // A repeated name: the later field wins.
        {L"<LogField ID='1'/><Msg><Field Name='A' StartOffset='1'/><Field Name='a' "
         L"StartOffset='2'/></Msg>",
         1,
         0,
         {{L"a", L"", L"", L"", 2}},
         {{L"a", L"", L"", L"", 1}}},
        // A "Field" that is not a child of "Msg" is not read.
        {L"<LogField ID='1'/><Field Name='Out'/><Msg/>", 1, 0, {}, {empty}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        CAct_UpdateLogFieldConfig update(Action(26, c.children));
        EXPECT_EQ(update.GetToUpdateFieldID(), c.fieldID);
        EXPECT_EQ(update.NeededReverseFind(), c.reverseFind);
        ExpectFields(update.GetMsgFieldConfigList(), c.update);
        CAct_DelValueOfLogFieldConfig del(Action(27, c.children));
        EXPECT_EQ(del.GetToUpdateFieldID(), c.fieldID);
        ExpectFields(del.GetMsgFieldConfigList(), c.del);
    }
}

TEST(LogFieldActions, OwnedObjectsAreCopiedDeeply) {
    CAct_UpdateLogFieldConfig source(Action(26, kTwoFields));
    CAct_UpdateLogFieldConfig copy(source);
    CAct_UpdateLogFieldConfig assigned(Action(26, L"<Msg><Field Name='Replaced'/></Msg>"));
    assigned = source;
    const FieldMap original = source.GetMsgFieldConfigList();
    for (CAct_UpdateLogFieldConfig* other : {&copy, &assigned}) {
        const FieldMap map = other->GetMsgFieldConfigList();
        ASSERT_EQ(map.size(), 2u);
        for (const auto& entry : original) {
            EXPECT_NE(map.at(entry.first), entry.second);
            EXPECT_EQ(map.at(entry.first)->GetStartSearchTag(), entry.second->GetStartSearchTag());
        }
    }
    original.at(L"cause")->SetStartSearchTag(L"changed");
    EXPECT_EQ(copy.GetMsgFieldConfigList().at(L"cause")->GetStartSearchTag(), L"CAUSE:");

    CActSaveSumOfMsgFieldsConfig sum(Action(13, L"<Msg ID='5'><F Name='A' Length='1'/></Msg>"));
    CActSaveSumOfMsgFieldsConfig sumCopy(sum);
    CActSaveSumOfMsgFieldsConfig sumAssigned(Action(13, L"<Msg><F/><F/></Msg>"));
    sumAssigned = sum;
    for (CActSaveSumOfMsgFieldsConfig* other : {&sumCopy, &sumAssigned}) {
        ASSERT_EQ(other->GetAddFieldList().size(), 1u);
        EXPECT_NE(other->GetAddFieldList()[0], sum.GetAddFieldList()[0]);
        EXPECT_EQ(other->GetAddFieldList()[0]->strName, L"A");
    }
}

TEST(LogFieldActions, UpdateLogFieldByRuleInit) {
    CActUpdateLogFieldByRuleInit defaults;
    EXPECT_EQ(defaults.GetFieldID(), 0);
    EXPECT_EQ(defaults.GetFieldName(), L"");
    ForEachBuild<CActUpdateLogFieldByRuleInit>(
        28, L"<LogField ID='0x20'/><RuleInitial FieldName='RrcState'/>",
        [](CActUpdateLogFieldByRuleInit& k) {
            EXPECT_EQ(k.GetFieldID(), 32);
            EXPECT_EQ(k.GetFieldName(), L"rrcstate");
        });
    CActUpdateLogFieldByRuleInit noLogField(Action(28, L"<RuleInitial FieldName='A'/>"));
    EXPECT_EQ(noLogField.GetFieldID(), 0);
    EXPECT_EQ(noLogField.GetFieldName(), L"a");
}

template <class Kind>
void CheckPairKind(int type) {
    EXPECT_EQ(Kind().GetSrcFieldID(), -1);
    EXPECT_EQ(Kind().GetDesFieldID(), -1);
    ForEachBuild<Kind>(type, L"<LogFieldSrc>1a</LogFieldSrc><LogFieldDes>0x1B</LogFieldDes>",
                       [](Kind& k) {
                           EXPECT_EQ(k.GetSrcFieldID(), 26);
                           EXPECT_EQ(k.GetDesFieldID(), 27);
                       });
    struct Case {
        const wchar_t* children;
        int src, des;
    };
    const Case cases[] = {
        {L"", -1, -1},
        {L"<LogFieldSrc>5</LogFieldSrc>", 5, -1},
        {L"<LogFieldDes>6</LogFieldDes>", -1, 6},
        // "LogFieldDes" is searched after "LogFieldSrc" when that was found.
        {L"<LogFieldDes>6</LogFieldDes><LogFieldSrc>5</LogFieldSrc>", 5, -1},
        {L"<LogFieldSrc/><LogFieldDes>zz</LogFieldDes>", 0, 0},
    };
    for (const Case& c : cases) {
        Kind kind(Action(type, c.children));
        EXPECT_EQ(kind.GetSrcFieldID(), c.src) << type << ": " << c.src;
        EXPECT_EQ(kind.GetDesFieldID(), c.des) << type << ": " << c.des;
    }
}

TEST(LogFieldActions, SourceAndDestinationKinds) {
    CheckPairKind<CAct_UpdateLogField_B_From_A_Config>(38);
    CheckPairKind<CAct_DelLogFieldValue_B_By_A_Config>(39);
}

template <class Kind>
void CheckFieldIDKind(int type) {
    EXPECT_EQ(Kind().GetFieldID(), 0);
    ForEachBuild<Kind>(type, L"<Other>7</Other><FieldID>ff</FieldID>",
                       [](Kind& k) { EXPECT_EQ(k.GetFieldID(), 255); });
    EXPECT_EQ(Kind(Action(type, L"<Other>7</Other>")).GetFieldID(), 0);
}

TEST(LogFieldActions, FieldIDKinds) {
    CheckFieldIDKind<CActInitLogCodeFieldConfig>(17);
    CheckFieldIDKind<CActDelInitialLogFieldConfig>(18);
}

TEST(LogFieldActions, InitMsgField) {
    CActInitMsgFieldConfig defaults;
    EXPECT_EQ(defaults.InMsgIDList(0), 0);
    EXPECT_EQ(defaults.GetLength(), 0);
    ForEachBuild<CActInitMsgFieldConfig>(
        4, L"<Msg Name='CellId' Length='4' StartOffset='12'><Id>10</Id><x>11</x><y/></Msg>",
        [](CActInitMsgFieldConfig& k) {
            EXPECT_EQ(k.InMsgIDList(16), 1);
            EXPECT_EQ(k.InMsgIDList(17), 1);
            EXPECT_EQ(k.InMsgIDList(0), 1);  // the empty child
            EXPECT_EQ(k.InMsgIDList(10), 0);
            EXPECT_EQ(k.GetToSaveFieldName(), L"CellId");
            const CActInitMsgFieldConfig& constKind = k;
            EXPECT_EQ(constKind.GetLength(), 4);
            EXPECT_EQ(constKind.GetOffset(), 12);
        });
}

TEST(LogFieldActions, SaveSumOfMsgFields) {
    EXPECT_EQ(CActSaveSumOfMsgFieldsConfig().GetMsgID(), -1);
    ForEachBuild<CActSaveSumOfMsgFieldsConfig>(
        13,
        L"<Msg ID='2A'><F Name='UL' Length='2' StartOffset='4'/><G/>"
        L"<F Name='DL' Length='-3' StartOffset='abc'/></Msg>",
        [](const CActSaveSumOfMsgFieldsConfig& k) {
            EXPECT_EQ(k.GetMsgID(), 42);
            const std::vector<MsgFieldConfig*> fields = k.GetAddFieldList();
            ASSERT_EQ(fields.size(), 3u);
            EXPECT_EQ(fields[0]->strName, L"UL");
            EXPECT_EQ(fields[0]->nLength, 2);
            EXPECT_EQ(fields[0]->nStartOffset, 4);
            EXPECT_EQ(fields[1]->strName, L"");
            EXPECT_EQ(fields[1]->nLength, 0);
            EXPECT_EQ(fields[2]->nLength, -3);
            EXPECT_EQ(fields[2]->nStartOffset, 0);
        });
    EXPECT_TRUE(CActSaveSumOfMsgFieldsConfig(Action(13, L"")).GetAddFieldList().empty());
}

}  // namespace
