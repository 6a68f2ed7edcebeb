#include "operations/OperationRegistry.h"

#include "eventconfig/operations/ComparisonOperations.h"
#include "eventconfig/operations/CountingOperations.h"
#include "eventconfig/operations/FieldCheckOperations.h"
#include "eventconfig/operations/InitialFieldOperations.h"
#include "eventconfig/operations/TimerOperations.h"
#include "reading/Registry.h"

namespace {

using namespace ecfg::grammar;
using ecfg::Num;
using ecfg::Ref;

// What several kinds read alike.
G MsgIds() {
    return Ids(Num::Hex, Ref::Msg);
}
G ValueField() {
    return G().Fixed().All(Text(Num::Text));
}
G FixedWithMsgs() {
    return G().Fixed().All(Text(Num::Hex, Ref::Msg));
}
G InitialField() {
    return G().C(L"InitialField", G().A(L"ID", Num::Hex));
}
G MsgFieldEnd() {
    return G().C(L"MsgID", Text(Num::Hex, Ref::Msg)).C(L"Field", G().A(L"Name", Num::Text));
}
G InitialAndReceived() {
    return G().C(L"InitialMsg", FixedWithMsgs()).C(L"ReceiveMsg", FixedWithMsgs());
}
G LogInitAndMsgField() {
    return InitialField().C(L"ReceiveMsg", FixedWithMsgs());
}
G LogInitAndMultiMsgField() {
    return InitialField().C(L"ReceiveMsg",
                            G().C(L"MsgList", G().Each(L"ID", Text(Num::Hex, Ref::Msg)))
                                .C(L"MsgFieldList", G().All(G().Fixed())));
}
G Frequency() {
    return G()
        .C(L"InitialField", G().A(L"ID", Num::Hex).A(L"IsFreq", Num::Dec))
        .C(L"ReceiveMsg", G().Forward().All(Text(Num::Hex, Ref::Msg)));
}
G Counted(Num needed, bool candidates) {
    G field = G().Forward().A(L"NeedMeetedNum", needed);
    if (candidates) field.All(Text(Num::Text));
    return G().C(L"Msg", G().A(L"ID", Num::HexList, Ref::Msg).C(L"Field", field));
}
G RuleInitMsg() {
    return G()
        .A(L"ID", Num::HexList, Ref::Msg)
        .A(L"ReverseFind", Num::Dec)
        .C(L"Field", G().Forward());
}
G Recorded() {
    return G().C(L"Field", G().A(L"ID", Num::Hex).A(L"IsFreq", Num::Dec));
}

// What several kinds show alike: every getter, in the order the tool shows
// them.
using ecfg::KindVisitor;
using ecfg::LocatorsOf;
using ecfg::RecordsOf;

// The membership tests of a kind's getter, for a view.
#define ECFG_TEST(getter) [&o](int id) { return o.getter(id); }

namespace view {

const auto None = [](COperationTypeConfig&, KindVisitor&) {};
const auto FieldCheck = [](auto& o, KindVisitor& v) {
    v.Id("GetMsgID", o.GetMsgID(), Ref::Msg);
    v.Text("GetFieldName", o.GetFieldName());
    v.Number("GetFieldLength", o.GetFieldLength());
    v.Number("GetOffset", o.GetOffset());
    v.Texts("GetValueList", o.GetValueList());
};
const auto FieldCheckInList = [](auto& o, KindVisitor& v) {
    FieldCheck(o, v);
    v.Members("InMsgList", ECFG_TEST(InMsgList), Ref::Msg);
};
const auto FieldValue = [](auto& o, KindVisitor& v) {
    v.Members("InMsgList", ECFG_TEST(InMsgList), Ref::Msg);
    v.Text("GetFieldName", o.GetFieldName());
    v.Number("GetIEValue", o.GetIEValue());
};
const auto InitialMsgField = [](auto& o, KindVisitor& v) {
    v.Members("InReceiveMsgList", ECFG_TEST(InReceiveMsgList), Ref::Msg);
    v.Text("GetKeywordName", o.GetKeywordName());
    v.Number("GetLength", o.GetLength());
    v.Number("GetOffset", o.GetOffset());
    v.Ids("GetInitialMsgID", o.GetInitialMsgID(), Ref::Msg);
    v.Text("GetInitialKeywordName", o.GetInitialKeywordName());
};
const auto InitialFieldPair = [](auto& o, KindVisitor& v) {
    InitialMsgField(o, v);
    v.Number("GetInitialLength", o.GetInitialLength());
    v.Number("GetInitialOffset", o.GetInitialOffset());
};
const auto LogInitMsgField = [](auto& o, KindVisitor& v) {
    v.Members("InReceiveMsgList", ECFG_TEST(InReceiveMsgList), Ref::Msg);
    v.Text("GetKeywordName", o.GetKeywordName());
    v.Number("GetLength", o.GetLength());
    v.Number("GetOffset", o.GetOffset());
    v.Number("GetFieldID", o.GetFieldID());
};
const auto LogInitMultiMsgField = [](auto& o, KindVisitor& v) {
    v.Members("InReceiveMsgList", ECFG_TEST(InReceiveMsgList), Ref::Msg);
    v.Records("GetMsgFieldList", RecordsOf(o.GetMsgFieldList()));
    v.Number("GetFieldID", o.GetFieldID());
};
const auto Frequency = [](auto& o, KindVisitor& v) {
    v.Number("GetFieldID", o.GetFieldID());
    v.Members("InReceiveMsgList", ECFG_TEST(InReceiveMsgList), Ref::Msg);
    v.Text("GetKeywordName", o.GetKeywordName());
    v.Number("GetOffset", o.GetOffset());
    v.Text("GetStartSearchTag", o.GetStartSearchTag());
    v.Text("GetEndSearchTag", o.GetEndSearchTag());
    v.Number("IsFreqInfo", o.IsFreqInfo());
};
const auto Tagged = [](auto& o, KindVisitor& v) {
    v.Members("InMsgList", ECFG_TEST(InMsgList), Ref::Msg);
    v.Text("GetKeywordName", o.GetKeywordName());
    v.Number("GetOffset", o.GetOffset());
    v.Text("GetStartSearchTag", o.GetStartSearchTag());
    v.Text("GetEndSearchTag", o.GetEndSearchTag());
};
const auto CountedField = [](auto& o, KindVisitor& v) {
    Tagged(o, v);
    v.Number("GetNeedMeetedNum", o.GetNeedMeetedNum());
};
const auto CountedValues = [](auto& o, KindVisitor& v) {
    CountedField(o, v);
    v.Texts("GetCandidateValue", o.GetCandidateValue());
    v.TextTest("IsValueSatisfy",
               [&o](const std::wstring& value) { return o.IsValueSatisfy(value); });
};
const auto RuleInit = [](auto& o, KindVisitor& v) {
    v.Members("InMsgList", ECFG_TEST(InMsgList), Ref::Msg);
    v.Locators("GetMsgFieldConfigList", LocatorsOf(o.GetMsgFieldConfigList()));
    v.Number("NeededReverseFind", o.NeededReverseFind());
    v.Lookup("GetMsgFieldConfig",
             [&o](const std::wstring& name) -> const void* { return o.GetMsgFieldConfig(name); });
};
const auto Recorded = [](auto& o, KindVisitor& v) {
    v.Number("GetFieldID", o.GetFieldID());
    v.Number("IsFreq", o.IsFreq());
};

const auto LogFieldInit = [](auto& o, KindVisitor& v) {
    v.Members("InMsgList", ECFG_TEST(InMsgList), Ref::Msg);
    v.Locators("GetMsgFieldConfigList", LocatorsOf(o.GetMsgFieldConfigList()));
    v.Number("GetInitialFieldID", o.GetInitialFieldID());
    v.Number("NeededReverseFind", o.NeededReverseFind());
};

}  // namespace view

#define OPERATION_KIND(id, cls, description, grammar, ...) \
    ECFG_KIND(COperationTypeConfig, id, cls, description, grammar, __VA_ARGS__)

// Every operation kind in registration order (32 before 31, 34 before 33):
// its id, class, what it means to an author, and what it reads.
const std::vector<ecfg::KindEntry<COperationTypeConfig>>& OperationKindTable() {
    static const std::vector<ecfg::KindEntry<COperationTypeConfig>> table = {
        OPERATION_KIND(0, COperationTypeConfig, "no condition of its own", G(), view::None),
        OPERATION_KIND(
            1, COptStartTimerConfig, "start a timer", G().Next(Text(Num::Dec)),
            [](auto& o, KindVisitor& v) { v.Number("GetTimeLimited", o.GetTimeLimited()); }),
        OPERATION_KIND(2, COptStartTimerAndWaitMsgConfig, "start a timer and wait for a message",
                       G().Next(Text(Num::Dec)).Next(Text(Num::Hex, Ref::Msg)),
                       [](auto& o, KindVisitor& v) {
                           v.Number("GetTime", o.GetTime());
                           v.Id("GetMsgID", o.GetMsgID(), Ref::Msg);
                       }),
        OPERATION_KIND(3, COptStartCounterAndWaitMsgConfig, "start a counter and wait for messages",
                       G().C(L"Count", Text(Num::Dec)).C(L"MsgList", MsgIds()),
                       [](auto& o, KindVisitor& v) {
                           v.Number("GetCount", o.GetCount());
                           v.Members("InMsgList", ECFG_TEST(InMsgList), Ref::Msg);
                       }),
        OPERATION_KIND(4, COptWaitMsgConfig, "wait for a message", MsgIds(),
                       [](auto& o, KindVisitor& v) {
                           v.Members("InMsgList", ECFG_TEST(InMsgList), Ref::Msg);
                       }),
        OPERATION_KIND(
            5, COptWaitLogConfig, "wait for a log field", G().C(L"FieldID", Text(Num::Hex)),
            [](auto& o, KindVisitor& v) { v.Number("GetLogCodeFieldID", o.GetLogCodeFieldID()); }),
        OPERATION_KIND(6, COptFieldEqualConfig, "a message field equals one of the values",
                       G().Next(Text(Num::Hex, Ref::Msg)).Next(ValueField()), view::FieldCheck),
        OPERATION_KIND(7, COptFieldNotEqualConfig, "a message field equals none of the values",
                       G().Next(Text(Num::Hex, Ref::Msg)).Next(ValueField()), view::FieldCheck),
        OPERATION_KIND(8, COptFieldGreatConfig, "a message field is greater than a number",
                       G().Next(MsgIds()).Next(G().A(L"Name", Num::Text).A(L"Value", Num::Dec)),
                       view::FieldValue),
        OPERATION_KIND(9, COptFieldBellowConfig, "a message field is below a number",
                       G().Next(MsgIds()).Next(G().A(L"Name", Num::Text).A(L"Value", Num::Dec)),
                       view::FieldValue),
        OPERATION_KIND(10, COptFieldExistConfig, "a message carries the field",
                       G().Next(Text(Num::HexList, Ref::Msg)).Next(ValueField()),
                       view::FieldCheckInList),
        OPERATION_KIND(11, COptFieldNotExistConfig, "a message lacks the field",
                       G().Next(Text(Num::HexList, Ref::Msg)).Next(ValueField()),
                       view::FieldCheckInList),
        OPERATION_KIND(12, COptFieldCmpConfig, "compare a field of one message with another's",
                       G().C(L"Source", MsgFieldEnd()).C(L"Destination", MsgFieldEnd()),
                       [](auto& o, KindVisitor& v) {
                           v.Id("GetSrcMsgID", o.GetSrcMsgID(), Ref::Msg);
                           v.Text("GetSrcFieldName", o.GetSrcFieldName());
                           v.Id("GetDesMsgID", o.GetDesMsgID(), Ref::Msg);
                           v.Text("GetDesFieldName", o.GetDesFieldName());
                       }),
        OPERATION_KIND(13, COptInitialFieldUnEqualConfig,
                       "a received field differs from the initial message's", InitialAndReceived(),
                       view::InitialFieldPair),
        OPERATION_KIND(14, COptInitialFieldEqualConfig,
                       "a received field equals the initial message's", InitialAndReceived(),
                       view::InitialFieldPair),
        OPERATION_KIND(15, COptInitFieldGreatOrEqual,
                       "a received field is at least the initial message's",
                       G().C(L"InitialMsg", G().A(L"Name", Num::Text).All(Text(Num::Hex, Ref::Msg)))
                           .C(L"ReceiveMsg", FixedWithMsgs()),
                       [](auto& o, KindVisitor& v) {
                           view::InitialMsgField(o, v);
                           v.Members("InInitialMsgList", ECFG_TEST(InInitialMsgList), Ref::Msg);
                       }),
        OPERATION_KIND(
            16, COptInitFieldBellowSumOfFields,
            "a received field is below the sum of the initial message's fields",
            G().C(L"InitialMsg", G().A(L"ID", Num::Hex, Ref::Msg).All(G().A(L"Name", Num::Text)))
                .C(L"ReceiveMsg", FixedWithMsgs()),
            [](auto& o, KindVisitor& v) {
                v.Id("GetInitialMsgID", o.GetInitialMsgID(), Ref::Msg);
                v.Texts("GetSumOfFieldsList", o.GetSumOfFieldsList());
                v.Ids("GetReceiveMsgList", o.GetReceiveMsgList(), Ref::Msg);
                v.ListTest("IsInReceiveMsgList", o.GetReceiveMsgList(),
                           ECFG_TEST(IsInReceiveMsgList));
                v.Text("GetKeywordName", o.GetKeywordName());
                v.Number("GetLength", o.GetLength());
                v.Number("GetOffset", o.GetOffset());
            }),
        OPERATION_KIND(17, COptInitFieldEqualWithOneRecvValue,
                       "the initial field equals one received value", InitialAndReceived(),
                       view::InitialFieldPair),
        OPERATION_KIND(18, COptLogInitFieldEqualWithMsgField,
                       "a log field's initial value equals a message field", LogInitAndMsgField(),
                       view::LogInitMsgField),
        OPERATION_KIND(19, COptWaitLog_FieldEqualConfig,
                       "wait for a log field holding one of the values",
                       G().C(L"Field", G().A(L"ID", Num::Hex).All(Text(Num::Text))),
                       [](auto& o, KindVisitor& v) {
                           v.Number("GetFieldID", o.GetFieldID());
                           v.Texts("GetValueList", o.GetValueList());
                       }),
        OPERATION_KIND(20, COptLogInitFieldUnEqualMsgFieldConfig,
                       "a log field's initial value differs from a message field",
                       LogInitAndMsgField(), view::LogInitMsgField),
        OPERATION_KIND(21, COptLogInitFieldEqualMultiMsgFieldConfig,
                       "a log field's initial value equals one of several message fields",
                       LogInitAndMultiMsgField(), view::LogInitMultiMsgField),
        OPERATION_KIND(22, COptLogInitFieldUnEqualMultiMsgFieldConfig,
                       "a log field's initial value differs from several message fields",
                       LogInitAndMultiMsgField(), view::LogInitMultiMsgField),
        OPERATION_KIND(23, COptWaitEventConfig, "wait for an event", Ids(Num::Dec, Ref::Event),
                       [](auto& o, KindVisitor& v) {
                           v.Ids("GetEventIDList", o.GetEventIDList(), Ref::Event);
                       }),
        OPERATION_KIND(24, COptMsgFreqEqualLogFreqConfig,
                       "a message's frequency equals a log field's", Frequency(), view::Frequency),
        OPERATION_KIND(25, COptMsgFreqUnEqualLogFreqConfig,
                       "a message's frequency differs from a log field's", Frequency(),
                       view::Frequency),
        OPERATION_KIND(
            26, COptCalcLogFieldNum, "a log field's count of values lies in a range",
            G().C(L"Field",
                  G().A(L"ID", Num::Hex).A(L"MinNum", Num::Dec).A(L"MaxNum", Num::DecOrInfin)),
            [](auto& o, KindVisitor& v) {
                v.Number("GetFieldID", o.GetFieldID());
                v.Number("GetMinNum", o.GetMinNum());
                // Shown as written when it is the "Infin" the kind stores as a number.
                if (o.GetMaxNum() == COptCalcLogFieldNum::kInfiniteNum)
                    v.Text("GetMaxNum", L"Infin");
                else
                    v.Number("GetMaxNum", o.GetMaxNum());
                v.NumberTest("IsNumSatisfy", ECFG_TEST(IsNumSatisfy));
            }),
        OPERATION_KIND(27, COptMsgSatisFieldCount_GE,
                       "at least so many messages carry one of the values", Counted(Num::Dec, true),
                       view::CountedValues),
        OPERATION_KIND(28, COptMsgSatisFieldCount_BE,
                       "at most so many messages carry one of the values", Counted(Num::Dec, true),
                       view::CountedValues),
        OPERATION_KIND(29, COptMsgSatisFieldCount_Equal,
                       "exactly so many (or all) messages carry one of the values",
                       Counted(Num::DecOrAll, true), view::CountedValues),
        OPERATION_KIND(30, COptMsgSatisFieldCount_UnEqual,
                       "not exactly so many messages carry one of the values",
                       Counted(Num::Dec, true), view::CountedValues),
        OPERATION_KIND(32, COptMsgFieldEqualRuleInitConfig,
                       "a message field equals the rule's initial value",
                       G().C(L"Msg", RuleInitMsg()), view::RuleInit),
        OPERATION_KIND(31, COptMsgFieldUnEqualRuleInitConfig,
                       "a message field differs from the rule's initial value",
                       G().C(L"Msg", RuleInitMsg()), view::RuleInit),
        OPERATION_KIND(34, COptMsgFieldEqualLogFieldInitConfig,
                       "a message field equals a log field's initial value",
                       InitialField().C(
                           L"Msg", G().A(L"ID", Num::HexList, Ref::Msg).C(L"Field", G().Forward())),
                       [](auto& o, KindVisitor& v) {
                           view::Tagged(o, v);
                           v.Number("GetInitialFieldID", o.GetInitialFieldID());
                       }),
        OPERATION_KIND(33, COptMsgFieldUnEqualLogFieldInitConfig,
                       "a message field differs from a log field's initial value",
                       InitialField().C(L"Msg", RuleInitMsg()), view::LogFieldInit),
        OPERATION_KIND(35, COptMsgFieldCountGEConfig, "at least so many messages carry the field",
                       Counted(Num::Dec, false), view::CountedField),
        OPERATION_KIND(
            36, COptMsgFieldFollowedBySomeFieldConfg, "a key field is followed by the named fields",
            G().C(L"Msg", G().A(L"ID", Num::HexList, Ref::Msg)
                              .C(L"KeyField", G().A(L"Name", Num::Text).All(Text(Num::Text)))),
            [](auto& o, KindVisitor& v) {
                v.Members("InMsgList", ECFG_TEST(InMsgList), Ref::Msg);
                v.Text("GetKeyName", o.GetKeyName());
                v.Texts("GetContainField", o.GetContainField());
            }),
        OPERATION_KIND(37, COptPSCAndRLNumNotChangeCofnig,
                       "the radio link and scrambling-code counts stay unchanged",
                       G().C(L"MsgList", MsgIds())
                           .C(L"MsgField", G().C(L"RadioLink", MetaField()).C(L"PSC", MetaField())),
                       [](auto& o, KindVisitor& v) {
                           v.Members("InMsgList", ECFG_TEST(InMsgList), Ref::Msg);
                           v.Text("GetRLTag", o.GetRLTag());
                           v.Text("GetRLMetaInfoTag", o.GetRLMetaInfoTag());
                           v.Text("GetPSCTag", o.GetPSCTag());
                           v.Text("GetPSCMetaInfoTag", o.GetPSCMetaInfoTag());
                       }),
        OPERATION_KIND(38, COptMsgFieldCountEqualConfig, "exactly so many messages carry the field",
                       Counted(Num::Dec, false), view::CountedField),
        OPERATION_KIND(39, COptLogFieldEqualRecordedConfig, "a log field equals its recorded value",
                       Recorded(), view::Recorded),
        OPERATION_KIND(40, COptLogFieldUnEqualRecordedConfig,
                       "a log field differs from its recorded value", Recorded(), view::Recorded),
        OPERATION_KIND(41, COptMsgFreqEqualLogFreq_OrLogNotExistConfig,
                       "a message's frequency equals a log field's, or the log field is absent",
                       Frequency(), view::Frequency),
        OPERATION_KIND(
            42, COptStartTimer_By_MsgField_Config, "start a timer when a message field arrives",
            G().Next(Text(Num::HexList, Ref::Msg)).Next(G().Fixed()).Next(Text(Num::Dec)),
            [](auto& o, KindVisitor& v) {
                v.Ids("GetMsgIDs", o.GetMsgIDs(), Ref::Msg);
                v.ListTest("InMsgList", o.GetMsgIDs(), ECFG_TEST(InMsgList));
                v.Text("GetFieldName", o.GetFieldName());
                v.Number("GetFieldLength", o.GetFieldLength());
                v.Number("GetOffset", o.GetOffset());
                v.Number("GetAddedTime", o.GetAddedTime());
            }),
        OPERATION_KIND(43, COptTwoFieldValuesEqual_Config, "two log fields hold equal values",
                       G().C(L"SrcField", Text(Num::Hex)).C(L"DesField", Text(Num::Hex)),
                       [](auto& o, KindVisitor& v) {
                           v.Number("GetSrcFieldID", o.GetSrcFieldID());
                           v.Number("GetDesFieldID", o.GetDesFieldID());
                       }),
        OPERATION_KIND(44, COptInitLogFieldBelongFieldConfig,
                       "a log field's initial value belongs to another log field",
                       InitialField().C(L"Field", G().A(L"ID", Num::Hex)),
                       [](auto& o, KindVisitor& v) {
                           v.Number("GetFieldID", o.GetFieldID());
                           v.Number("GetInitFieldID", o.GetInitFieldID());
                       }),
    };
    return table;
}

typedef ecfg::ProcessInstance<COperationTypeConfigFactory> Instance;

}  // namespace

COperationTypeConfigFactory::COperationTypeConfigFactory()
    : PrototypeRegistry(OperationKindTable()) {}

COperationTypeConfigFactory* COperationTypeConfigFactory::GetInstance() {
    return Instance::Get();
}

void COperationTypeConfigFactory::Release() {
    Instance::Release();
}

const std::vector<EventConfigKindInfo>& EventConfigOperationKinds() {
    static const std::vector<EventConfigKindInfo> kinds =
        ecfg::KindInfos<EventConfigKindInfo>(OperationKindTable());
    return kinds;
}

const std::vector<ecfg::KindRow>& ecfg::OperationKindRows() {
    static const std::vector<KindRow> rows = KindRows(OperationKindTable());
    return rows;
}

const ecfg::KindRow* ecfg::OperationRowOf(const COperationTypeConfig& object) {
    const KindEntry<COperationTypeConfig>* entry = FindKindEntry(OperationKindTable(), object);
    return entry ? &entry->row : nullptr;
}

bool ecfg::ViewOperationKind(COperationTypeConfig& object, KindVisitor& visitor) {
    const KindEntry<COperationTypeConfig>* entry = FindKindEntry(OperationKindTable(), object);
    if (!entry) return false;
    entry->view(object, visitor);
    return true;
}

std::unique_ptr<COperationTypeConfig> ecfg::CopyOperationKind(const COperationTypeConfig& object,
                                                              bool byAssignment) {
    const KindEntry<COperationTypeConfig>* entry = FindKindEntry(OperationKindTable(), object);
    if (!entry || !entry->copy) return nullptr;
    return std::unique_ptr<COperationTypeConfig>(entry->copy(object, byAssignment));
}
