#pragma once

// A whole configuration text through the root, a model built from every
// protocol document it serves, every getter of every object read (operations
// and actions through their kinds), copies of the kinds that own field
// records made and compared, then everything destroyed. Used by the model
// fuzz target and by the regression and hostile-input tests, so that a
// fuzzer finding is replayed exactly.
//
// Beside what the sanitizers and valgrind catch, the walk checks what must
// hold for any input: map keys equal the ids of the objects filed under
// them, an operation reports its kind's type id, the relationship table
// points into the special list's own event states, deep copies share no
// pointer with their source, and the root serves the last document of each
// "ProtocolType".

#include <cstddef>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <typeindex>
#include <typeinfo>
#include <vector>

#include "actions/ProtocolSwitchMode.h"
#include "eventconfig/EventConfig.h"
#include "reading/Reading.h"

namespace modelwalk {

class Walker {
public:
    // Problems found so far, one line each; empty when the model held.
    const std::vector<std::string>& Problems() const { return m_problems; }
    // A value every read feeds, so that no read is optimised away.
    std::size_t Sum() const { return m_sum; }
    // Number of protocol documents modelled.
    int Models() const { return m_models; }

    void WalkConfiguration(const std::wstring& text) {
        // The root is built from a path that cannot be read: its missing-file
        // message goes nowhere.
        const EventConfigMessageHandler previous = SetEventConfigMessageHandler(&Silent);
        {
            CEventConfig root{std::wstring()};
            SetEventConfigMessageHandler(previous);
            Check(root.SetEventConfig(text) == 1, "SetEventConfig did not return 1");
            Check(root.GetEventConfig() == text, "GetEventConfig differs from the text set");
            Touch(root.GetMsgConfig());
            Touch(root.GetGenMsgInfoConfig());

            std::map<int, std::wstring> expected = ProtocolDocuments(text);
            std::set<int> keys;
            for (const auto& entry : expected) keys.insert(entry.first);
            for (int key = -1; key <= 5; ++key) keys.insert(key);
            for (int key : keys) {
                const std::wstring doc =
                    root.GetEventConfigByProtocol(static_cast<Protocol_Type_Enum>(key));
                const auto it = expected.find(key);
                Check(doc == (it == expected.end() ? std::wstring() : it->second),
                      "the document served for a protocol is not its last element's");
                if (!doc.empty()) WalkDocument(doc);
            }
        }
        SetEventConfigMessageHandler(previous);
    }

    void WalkDocument(const std::wstring& doc) {
        ++m_models;
        CStateMachineConfig machine(doc);
        for (const auto& entry : machine.GetSysStateConfigList()) {
            Check(entry.second != nullptr, "null system state");
            if (!entry.second) continue;
            Check(entry.second->GetSystemStateID() == entry.first,
                  "system state key is not its id");
            WalkSystemState(*entry.second);
        }
        for (const auto& entry : machine.GetEventInfoConfigList()) {
            Check(entry.second && entry.second->GetEventID() == entry.first,
                  "event info key is not its id");
            if (entry.second) Touch(entry.second->GetEventName());
        }
        for (int code : machine.GetLogCodeFieldList()) Touch(code);
        if (CSpecialEventStateListConfig* special = machine.GetSpecialEventStateListConfig())
            WalkSpecialList(*special);
    }

private:
    static void Silent(const std::wstring&) {}

    void Check(bool ok, const char* what) {
        if (!ok) m_problems.push_back(what);
    }
    void Touch(int value) { m_sum = m_sum * 31 + static_cast<unsigned>(value); }
    void Touch(const std::wstring& text) {
        for (wchar_t c : text) m_sum = m_sum * 31 + static_cast<std::size_t>(c);
        m_sum += text.size();
    }
    void Touch(const std::vector<int>& values) {
        for (int v : values) Touch(v);
    }
    void Touch(const std::vector<std::wstring>& values) {
        for (const std::wstring& v : values) Touch(v);
    }

    // What the root's split should store: per "ProtocolType", the last
    // protocol element's sub-document.
    static std::map<int, std::wstring> ProtocolDocuments(const std::wstring& text) {
        std::map<int, std::wstring> docs;
        CMarkup markup(text);
        if (!markup.FindElem()) return docs;
        markup.IntoElem();
        if (!markup.FindElem(L"Protocol")) return docs;
        markup.IntoElem();
        while (markup.FindElem())
            docs[ecfg::DecToInt(markup.GetAttrib(L"ProtocolType"))] = markup.GetSubDoc();
        return docs;
    }

    void WalkMessages(const std::map<int, CMsgConfig*>& messages) {
        for (const auto& entry : messages) {
            Check(entry.second && entry.second->GetMsgID() == entry.first,
                  "message key is not its id");
            if (!entry.second) continue;
            Touch(entry.second->GetLogCode());
            Touch(entry.second->GetMsgName());
        }
    }

    void WalkEventStates(const std::map<int, CEventStateConfig*>& eventStates) {
        for (const auto& entry : eventStates) {
            Check(entry.second && entry.second->GetID() == entry.first,
                  "event state key is not its id");
            if (entry.second) WalkEventState(*entry.second);
        }
    }

    void WalkSystemState(CSystemStateConfig& state) {
        Touch(state.GetSystemStateName());
        WalkMessages(state.GetMsgList());
        for (const auto& entry : state.GetMsgList())
            Check(state.IsInMsgList(entry.first) == 1,
                  "a filed message is not in the message list");
        std::vector<int> logFields{1, 2, 3};
        state.GetLogFieldList(logFields);
        for (int id : logFields) {
            Check(state.IsInLogFieldList(id) == 1, "a log field is not in the log field list");
            Touch(state.GetLogFiedCanActiveSysState(id));
        }
        Touch(state.GetLogFiedCanActiveSysState(-1));
        WalkEventStates(state.GetEventStateList());
    }

    void WalkSpecialList(CSpecialEventStateListConfig& special) {
        const std::map<int, CMsgConfig*> messages = special.GetMsgList();
        WalkMessages(messages);
        for (const auto& entry : messages)
            Check(special.IsInMsgList(entry.first) == 1,
                  "a filed message is not in the message list");
        std::vector<int> logFields{1};
        special.GetLogFieldList(logFields);
        Touch(logFields);
        const std::map<int, CEventStateConfig*> eventStates = special.GetEventStateList();
        WalkEventStates(eventStates);
        for (const auto& system : special.GetRelationship()) {
            Touch(system.first);
            for (const auto& related : system.second) {
                const auto it = eventStates.find(related.first);
                Check(it != eventStates.end() && it->second == related.second,
                      "a relationship entry is not the list's own event state");
            }
        }
    }

    void WalkEventState(CEventStateConfig& eventState) {
        Touch(eventState.GetInitialActivated());
        Touch(eventState.IsNeedProcessLogField());
        for (const auto& entry : eventState.GetRuleList()) {
            Check(entry.second && entry.second->GetRuleID() == entry.first,
                  "rule key is not its id");
            if (entry.second) WalkRule(*entry.second);
        }
    }

    void WalkRule(CRuleConfig& rule) {
        Touch(rule.GetInitialActivated());
        Touch(rule.GetPlatType());
        WalkOperation(rule.GetOperationType());
        for (CActionConfig* action : rule.GetTrueActionList()) WalkAction(action);
        for (CActionConfig* action : rule.GetFalseActionList()) WalkAction(action);
    }

    // ---- Field records ----------------------------------------------------------

    void WalkFieldConfig(const CMessageFieldConfig& field) {
        Touch(field.GetKeyWordName());
        Touch(field.GetOffset());
        Touch(field.GetStartSearchTag());
        Touch(field.GetEndSearchTag());
        Touch(field.GetEventInfoName());
    }
    void WalkFieldConfigs(const std::map<std::wstring, CMessageFieldConfig*>& fields) {
        for (const auto& entry : fields) {
            Check(entry.second != nullptr, "null field locator");
            Touch(entry.first);
            if (entry.second) WalkFieldConfig(*entry.second);
        }
    }
    template <class Record>
    void WalkRecords(const std::vector<Record*>& records) {
        for (const Record* record : records) {
            Check(record != nullptr, "null field record");
            if (!record) continue;
            Touch(record->strName);
            Touch(record->nLength);
            Touch(record->nStartOffset);
        }
    }

    // A copy holds equal objects of its own.
    void SameFields(const std::map<std::wstring, CMessageFieldConfig*>& a,
                    const std::map<std::wstring, CMessageFieldConfig*>& b) {
        Check(a.size() == b.size(), "a copy has another number of field locators");
        auto j = b.begin();
        for (auto i = a.begin(); i != a.end() && j != b.end(); ++i, ++j) {
            Check(i->first == j->first && i->second != j->second && i->second && j->second &&
                      i->second->GetKeyWordName() == j->second->GetKeyWordName() &&
                      i->second->GetStartSearchTag() == j->second->GetStartSearchTag() &&
                      i->second->GetEndSearchTag() == j->second->GetEndSearchTag() &&
                      i->second->GetEventInfoName() == j->second->GetEventInfoName() &&
                      i->second->GetOffset() == j->second->GetOffset(),
                  "a copied field locator is shared or differs");
        }
    }
    template <class Record>
    void SameRecords(const std::vector<Record*>& a, const std::vector<Record*>& b) {
        Check(a.size() == b.size(), "a copy has another number of field records");
        for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
            Check(a[i] != b[i] && a[i] && b[i] && a[i]->strName == b[i]->strName &&
                      a[i]->nLength == b[i]->nLength && a[i]->nStartOffset == b[i]->nStartOffset,
                  "a copied field record is shared or differs");
        }
    }
    // Copy construction and an assignment over an object that already holds
    // records (which it must free), for the kinds that own records.
    template <class Kind, class Get>
    void CheckCopies(Kind& kind, Get get) {
        Kind copy(kind);
        Kind assigned;
        assigned = copy;
        assigned = kind;
        SameFieldsOrRecords(get(kind), get(copy));
        SameFieldsOrRecords(get(kind), get(assigned));
    }
    void SameFieldsOrRecords(const std::map<std::wstring, CMessageFieldConfig*>& a,
                             const std::map<std::wstring, CMessageFieldConfig*>& b) {
        SameFields(a, b);
    }
    template <class Record>
    void SameFieldsOrRecords(const std::vector<Record*>& a, const std::vector<Record*>& b) {
        SameRecords(a, b);
    }

    // ---- Operations ---------------------------------------------------------------

    static int OperationKindID(const COperationTypeConfig& op) {
        static const std::map<std::type_index, int> ids = {
            {typeid(COperationTypeConfig), 0},
            {typeid(COptStartTimerConfig), 1},
            {typeid(COptStartTimerAndWaitMsgConfig), 2},
            {typeid(COptStartCounterAndWaitMsgConfig), 3},
            {typeid(COptWaitMsgConfig), 4},
            {typeid(COptWaitLogConfig), 5},
            {typeid(COptFieldEqualConfig), 6},
            {typeid(COptFieldNotEqualConfig), 7},
            {typeid(COptFieldGreatConfig), 8},
            {typeid(COptFieldBellowConfig), 9},
            {typeid(COptFieldExistConfig), 10},
            {typeid(COptFieldNotExistConfig), 11},
            {typeid(COptFieldCmpConfig), 12},
            {typeid(COptInitialFieldUnEqualConfig), 13},
            {typeid(COptInitialFieldEqualConfig), 14},
            {typeid(COptInitFieldGreatOrEqual), 15},
            {typeid(COptInitFieldBellowSumOfFields), 16},
            {typeid(COptInitFieldEqualWithOneRecvValue), 17},
            {typeid(COptLogInitFieldEqualWithMsgField), 18},
            {typeid(COptWaitLog_FieldEqualConfig), 19},
            {typeid(COptLogInitFieldUnEqualMsgFieldConfig), 20},
            {typeid(COptLogInitFieldEqualMultiMsgFieldConfig), 21},
            {typeid(COptLogInitFieldUnEqualMultiMsgFieldConfig), 22},
            {typeid(COptWaitEventConfig), 23},
            {typeid(COptMsgFreqEqualLogFreqConfig), 24},
            {typeid(COptMsgFreqUnEqualLogFreqConfig), 25},
            {typeid(COptCalcLogFieldNum), 26},
            {typeid(COptMsgSatisFieldCount_GE), 27},
            {typeid(COptMsgSatisFieldCount_BE), 28},
            {typeid(COptMsgSatisFieldCount_Equal), 29},
            {typeid(COptMsgSatisFieldCount_UnEqual), 30},
            {typeid(COptMsgFieldUnEqualRuleInitConfig), 31},
            {typeid(COptMsgFieldEqualRuleInitConfig), 32},
            {typeid(COptMsgFieldUnEqualLogFieldInitConfig), 33},
            {typeid(COptMsgFieldEqualLogFieldInitConfig), 34},
            {typeid(COptMsgFieldCountGEConfig), 35},
            {typeid(COptMsgFieldFollowedBySomeFieldConfg), 36},
            {typeid(COptPSCAndRLNumNotChangeCofnig), 37},
            {typeid(COptMsgFieldCountEqualConfig), 38},
            {typeid(COptLogFieldEqualRecordedConfig), 39},
            {typeid(COptLogFieldUnEqualRecordedConfig), 40},
            {typeid(COptMsgFreqEqualLogFreq_OrLogNotExistConfig), 41},
            {typeid(COptStartTimer_By_MsgField_Config), 42},
            {typeid(COptTwoFieldValuesEqual_Config), 43},
            {typeid(COptInitLogFieldBelongFieldConfig), 44},
        };
        const auto it = ids.find(typeid(op));
        return it == ids.end() ? -1 : it->second;
    }

    // Ids a membership test is asked about.
    template <class F>
    void Probe(F inList) {
        Touch(inList(0));
        Touch(inList(-1));
        Touch(inList(0x7FFFFFFF));
    }
    // Every id of a list must test as in it; then the probes.
    template <class F>
    void ProbeList(const std::vector<int>& ids, F inList, const char* problem) {
        for (int id : ids) Check(inList(id) == 1, problem);
        Probe(inList);
    }
    // The locators the kinds hand out under two sets of names.
    template <class K>
    void TouchKeywordLocator(K* k) {
        Touch(k->GetKeywordName());
        Touch(k->GetLength());
        Touch(k->GetOffset());
    }
    template <class K>
    void TouchFieldLocator(K* k) {
        Touch(k->GetFieldName());
        Touch(k->GetFieldLength());
        Touch(k->GetOffset());
    }

    void WalkOperation(COperationTypeConfig* op) {
        if (!op) return;
        Check(OperationKindID(*op) == static_cast<int>(op->GetOperationType()),
              "an operation does not report its kind's type id");
        Touch(op->GetOperationInfo());
        delete op->Clone(std::wstring());

        if (auto* k = dynamic_cast<COptCheckFieldConfig*>(op)) {
            Touch(k->GetMsgID());
            TouchFieldLocator(k);
            Touch(k->GetValueList());
        }
        if (auto* k = dynamic_cast<ecfg::CheckFieldInMsgListShape*>(op))
            Probe([&](int id) { return k->InMsgList(id); });
        if (auto* k = dynamic_cast<ecfg::FieldValueShape*>(op)) {
            Probe([&](int id) { return k->InMsgList(id); });
            Touch(k->GetFieldName());
            Touch(k->GetIEValue());
        }
        if (auto* k = dynamic_cast<COptFieldCmpConfig*>(op)) {
            Touch(k->GetSrcMsgID());
            Touch(k->GetSrcFieldName());
            Touch(k->GetDesMsgID());
            Touch(k->GetDesFieldName());
        }
        if (auto* k = dynamic_cast<COptTwoFieldValuesEqual_Config*>(op)) {
            Touch(k->GetSrcFieldID());
            Touch(k->GetDesFieldID());
        }
        WalkTimerOperation(op);
        WalkInitialFieldOperation(op);
        WalkComparisonOperation(op);
        WalkCountingOperation(op);
    }

    void WalkTimerOperation(COperationTypeConfig* op) {
        if (auto* k = dynamic_cast<COptStartTimerConfig*>(op)) Touch(k->GetTimeLimited());
        if (auto* k = dynamic_cast<COptStartTimerAndWaitMsgConfig*>(op)) {
            Touch(k->GetTime());
            Touch(k->GetMsgID());
        }
        if (auto* k = dynamic_cast<COptStartCounterAndWaitMsgConfig*>(op)) {
            Touch(k->GetCount());
            Probe([&](int id) { return k->InMsgList(id); });
        }
        if (auto* k = dynamic_cast<COptWaitMsgConfig*>(op))
            Probe([&](int id) { return k->InMsgList(id); });
        if (auto* k = dynamic_cast<COptWaitLogConfig*>(op)) Touch(k->GetLogCodeFieldID());
        if (auto* k = dynamic_cast<COptWaitLog_FieldEqualConfig*>(op)) {
            Touch(k->GetFieldID());
            Touch(k->GetValueList());
        }
        if (auto* k = dynamic_cast<COptWaitEventConfig*>(op)) Touch(k->GetEventIDList());
        if (auto* k = dynamic_cast<COptStartTimer_By_MsgField_Config*>(op)) {
            ProbeList(
                k->GetMsgIDs(), [&](int id) { return k->InMsgList(id); },
                "a timer message id is not in its list");
            TouchFieldLocator(k);
            Touch(k->GetAddedTime());
        }
    }

    void WalkInitialFieldOperation(COperationTypeConfig* op) {
        if (auto* k = dynamic_cast<ecfg::InitialMsgFieldShape*>(op)) {
            Probe([&](int id) { return k->InReceiveMsgList(id); });
            TouchKeywordLocator(k);
            Touch(k->GetInitialMsgID());
            Touch(k->GetInitialKeywordName());
        }
        if (auto* k = dynamic_cast<ecfg::InitialFieldShape*>(op)) {
            Touch(k->GetInitialLength());
            Touch(k->GetInitialOffset());
        }
        if (auto* k = dynamic_cast<COptInitFieldGreatOrEqual*>(op))
            Probe([&](int id) { return k->InInitialMsgList(id); });
        if (auto* k = dynamic_cast<COptInitFieldBellowSumOfFields*>(op)) {
            Touch(k->GetInitialMsgID());
            Touch(k->GetSumOfFieldsList());
            ProbeList(
                k->GetReceiveMsgList(), [&](int id) { return k->IsInReceiveMsgList(id); },
                "a received id is not in its list");
            TouchKeywordLocator(k);
        }
        if (auto* k = dynamic_cast<COptInitLogFieldBelongFieldConfig*>(op)) {
            Touch(k->GetFieldID());
            Touch(k->GetInitFieldID());
        }
    }

    void WalkComparisonOperation(COperationTypeConfig* op) {
        if (auto* k = dynamic_cast<ecfg::LogInitMsgFieldShape*>(op)) {
            Probe([&](int id) { return k->InReceiveMsgList(id); });
            TouchKeywordLocator(k);
            Touch(k->GetFieldID());
        }
        if (auto* k = dynamic_cast<ecfg::LogInitMultiMsgFieldShape*>(op)) {
            Probe([&](int id) { return k->InReceiveMsgList(id); });
            WalkRecords(k->GetMsgFieldList());
            Touch(k->GetFieldID());
        }
        if (auto* k = dynamic_cast<COptLogInitFieldEqualMultiMsgFieldConfig*>(op))
            CheckCopies(*k, [](COptLogInitFieldEqualMultiMsgFieldConfig& o) {
                return o.GetMsgFieldList();
            });
        if (auto* k = dynamic_cast<COptLogInitFieldUnEqualMultiMsgFieldConfig*>(op))
            CheckCopies(*k, [](COptLogInitFieldUnEqualMultiMsgFieldConfig& o) {
                return o.GetMsgFieldList();
            });
        if (auto* k = dynamic_cast<ecfg::MsgFieldRuleInitShape*>(op)) {
            Probe([&](int id) { return k->InMsgList(id); });
            const ecfg::MsgFieldConfigMap fields = k->GetMsgFieldConfigList();
            WalkFieldConfigs(fields);
            for (const auto& entry : fields)
                Check(k->GetMsgFieldConfig(entry.first) == entry.second,
                      "a field locator is not found under its own name");
            Touch(k->GetMsgFieldConfig(L"") != nullptr ? 1 : 0);
            Touch(k->NeededReverseFind());
        }
        if (auto* k = dynamic_cast<COptMsgFieldUnEqualRuleInitConfig*>(op))
            CheckCopies(
                *k, [](COptMsgFieldUnEqualRuleInitConfig& o) { return o.GetMsgFieldConfigList(); });
        if (auto* k = dynamic_cast<COptMsgFieldEqualRuleInitConfig*>(op))
            CheckCopies(
                *k, [](COptMsgFieldEqualRuleInitConfig& o) { return o.GetMsgFieldConfigList(); });
        if (auto* k = dynamic_cast<ecfg::LogFieldRecordedShape*>(op)) {
            Touch(k->GetFieldID());
            Touch(k->IsFreq());
        }
        if (auto* k = dynamic_cast<ecfg::MsgTagFieldShape*>(op)) {
            Probe([&](int id) { return k->InMsgList(id); });
            Touch(k->GetKeywordName());
            Touch(k->GetOffset());
            Touch(k->GetStartSearchTag());
            Touch(k->GetEndSearchTag());
        }
        if (auto* k = dynamic_cast<COptMsgFieldUnEqualLogFieldInitConfig*>(op)) {
            Probe([&](int id) { return k->InMsgList(id); });
            WalkFieldConfigs(k->GetMsgFieldConfigList());
            Touch(k->GetInitialFieldID());
            Touch(k->NeededReverseFind());
            CheckCopies(*k, [](COptMsgFieldUnEqualLogFieldInitConfig& o) {
                return o.GetMsgFieldConfigList();
            });
        }
        if (auto* k = dynamic_cast<COptMsgFieldEqualLogFieldInitConfig*>(op))
            Touch(k->GetInitialFieldID());
    }

    void WalkCountingOperation(COperationTypeConfig* op) {
        if (auto* k = dynamic_cast<ecfg::MsgFieldCountShape*>(op)) Touch(k->GetNeedMeetedNum());
        if (auto* k = dynamic_cast<ecfg::MsgSatisFieldCountShape*>(op)) {
            std::vector<std::wstring> values = k->GetCandidateValue();
            for (const std::wstring& value : values) Touch(k->IsValueSatisfy(value));
            for (const wchar_t* value : {L"", L"0x10", L"12", L"abc", L"-5", L"0X1F"})
                Touch(k->IsValueSatisfy(value));
        }
        if (auto* k = dynamic_cast<ecfg::MsgFreqLogFreqShape*>(op)) {
            Touch(k->GetFieldID());
            Probe([&](int id) { return k->InReceiveMsgList(id); });
            Touch(k->GetKeywordName());
            Touch(k->GetOffset());
            Touch(k->GetStartSearchTag());
            Touch(k->GetEndSearchTag());
            Touch(k->IsFreqInfo());
        }
        if (auto* k = dynamic_cast<COptCalcLogFieldNum*>(op)) {
            Touch(k->GetFieldID());
            for (int n : {0, -1, 1, 0x7FFFFFFF, COptCalcLogFieldNum::kInfiniteNum})
                Touch(k->IsNumSatisfy(n));
        }
        if (auto* k = dynamic_cast<COptMsgFieldFollowedBySomeFieldConfg*>(op)) {
            Probe([&](int id) { return k->InMsgList(id); });
            Touch(k->GetKeyName());
            Touch(k->GetContainField());
        }
        if (auto* k = dynamic_cast<COptPSCAndRLNumNotChangeCofnig*>(op)) {
            Probe([&](int id) { return k->InMsgList(id); });
            Touch(k->GetRLTag());
            Touch(k->GetRLMetaInfoTag());
            Touch(k->GetPSCTag());
            Touch(k->GetPSCMetaInfoTag());
        }
    }

    // ---- Actions ------------------------------------------------------------------

    static int ActionKindID(const CActionConfig& action) {
        static const std::map<std::type_index, int> ids = {
            {typeid(CActionConfig), 0},
            {typeid(CActGenEventConfig), 1},
            {typeid(CActTranSysStateConfig), 2},
            {typeid(CActInitActiveEventStateConfig), 3},
            {typeid(CActInitMsgFieldConfig), 4},
            {typeid(CActTranEventStateConfig), 5},
            {typeid(CActDelEventStateConfig), 6},
            {typeid(CActTranRuleConfig), 7},
            {typeid(CActRecordTimeConfig), 11},
            {typeid(CActGenEventByTimeConfig), 12},
            {typeid(CActSaveSumOfMsgFieldsConfig), 13},
            {typeid(CActAcitveRulesConfig), 14},
            {typeid(CActInActiveRulesConfig), 15},
            {typeid(CActClearTickTimeConfig), 16},
            {typeid(CActInitLogCodeFieldConfig), 17},
            {typeid(CActDelInitialLogFieldConfig), 18},
            {typeid(CActRecordInfoForRule), 20},
            {typeid(CActSaveEventIDConfig), 21},
            {typeid(CActDeleteEventIDConfig), 22},
            {typeid(CActResetWaitingEventStateConfig), 23},
            {typeid(CAction_Record_RL_And_PSCConfig), 24},
            {typeid(CAct_Update_RL_And_PSCConfig), 25},
            {typeid(CAct_UpdateLogFieldConfig), 26},
            {typeid(CAct_DelValueOfLogFieldConfig), 27},
            {typeid(CActUpdateLogFieldByRuleInit), 28},
            {typeid(CActSwitchProtocol), 29},
            {typeid(CAct_EnterIntoProtocalSwitchModeConfig), 30},
            {typeid(CActRecordInfoForRule_ReverseFind), 31},
            {typeid(CAct_AddPauseTimeConfig), 32},
            {typeid(CAct_DelPauseTimeConfig), 33},
            {typeid(CActGenEventWithLogFieldInfo), 34},
            {typeid(CActActiveEventStateAndPrcPacket), 35},
            {typeid(CAct_GenEvent_InfoFromMsgConfig), 36},
            {typeid(CAct_UpdateLogField_ForEventInfo_Config), 37},
            {typeid(CAct_UpdateLogField_B_From_A_Config), 38},
            {typeid(CAct_DelLogFieldValue_B_By_A_Config), 39},
            {typeid(CActGenSystemEventConfig), 40},
            {typeid(CActResetStateMachineConfig), 41},
        };
        const auto it = ids.find(typeid(action));
        return it == ids.end() ? -1 : it->second;
    }

    void WalkAction(CActionConfig* action) {
        if (!action) return;
        // A sub-document that is not well-formed leaves the type 0 unless
        // the kind sets its own id.
        const int type = static_cast<int>(action->GetActionType());
        const int kind = ActionKindID(*action);
        Check(kind >= 0 && (type == kind || type == 0), "an action reports another kind's type id");
        Touch(action->GetActionInfo());
        delete action->Clone(std::wstring());

        if (auto* k = dynamic_cast<CActGenEventConfig*>(action)) Touch(k->GetEventID());
        if (auto* k = dynamic_cast<CActGenEventByTimeConfig*>(action)) Touch(k->GetEventID());
        if (auto* k = dynamic_cast<CActSaveEventIDConfig*>(action)) Touch(k->GetEventID());
        if (auto* k = dynamic_cast<CActDeleteEventIDConfig*>(action)) Touch(k->GetEventID());
        if (auto* k = dynamic_cast<CActGenSystemEventConfig*>(action)) {
            Touch(k->GetEventID());
            Touch(k->GetEventInfo());
        }
        if (auto* k = dynamic_cast<CActGenEventWithLogFieldInfo*>(action)) {
            Touch(k->GetEventID());
            Touch(k->GetInfoName());
            Touch(k->GetLogFieldID());
        }
        if (auto* k = dynamic_cast<CAct_GenEvent_InfoFromMsgConfig*>(action)) {
            Touch(k->GetEventID());
            Probe([&](int id) { return k->InMsgIDList(id); });
            Touch(k->GetToSaveFieldName());
            Touch(k->GetLength());
            Touch(k->GetOffset());
        }
        WalkLogFieldAction(action);
        WalkRadioLinkAction(action);
        WalkRuleRecordAction(action);
        WalkStateAction(action);
    }

    void WalkLogFieldAction(CActionConfig* action) {
        if (auto* k = dynamic_cast<CActLogFieldLocatorMapConfig*>(action)) {
            Touch(k->GetToUpdateFieldID());
            WalkFieldConfigs(k->GetMsgFieldConfigList());
            Touch(k->NeededReverseFind());
        }
        if (auto* k = dynamic_cast<CAct_UpdateLogFieldConfig*>(action))
            CheckCopies(*k, [](CAct_UpdateLogFieldConfig& o) { return o.GetMsgFieldConfigList(); });
        if (auto* k = dynamic_cast<CAct_UpdateLogField_ForEventInfo_Config*>(action))
            CheckCopies(*k, [](CAct_UpdateLogField_ForEventInfo_Config& o) {
                return o.GetMsgFieldConfigList();
            });
        if (auto* k = dynamic_cast<CAct_DelValueOfLogFieldConfig*>(action))
            CheckCopies(*k,
                        [](CAct_DelValueOfLogFieldConfig& o) { return o.GetMsgFieldConfigList(); });
        if (auto* k = dynamic_cast<CActUpdateLogFieldByRuleInit*>(action)) {
            Touch(k->GetFieldID());
            Touch(k->GetFieldName());
        }
        if (auto* k = dynamic_cast<CActLogFieldPairConfig*>(action)) {
            Touch(k->GetSrcFieldID());
            Touch(k->GetDesFieldID());
        }
        if (auto* k = dynamic_cast<CActLogFieldIDConfig*>(action)) Touch(k->GetFieldID());
        if (auto* k = dynamic_cast<CActInitMsgFieldConfig*>(action)) {
            Probe([&](int id) { return k->InMsgIDList(id); });
            Touch(k->GetToSaveFieldName());
            Touch(k->GetLength());
            Touch(k->GetOffset());
        }
        if (auto* k = dynamic_cast<CActSaveSumOfMsgFieldsConfig*>(action)) {
            Touch(k->GetMsgID());
            WalkRecords(k->GetAddFieldList());
            CheckCopies(*k, [](CActSaveSumOfMsgFieldsConfig& o) { return o.GetAddFieldList(); });
        }
    }

    void WalkRadioLinkAction(CActionConfig* action) {
        if (auto* k = dynamic_cast<CActRuleFieldNamesConfig*>(action)) {
            std::vector<int> ids{7};
            k->GetRuleIDList(ids);
            Touch(ids);
        }
        if (auto* k = dynamic_cast<CAction_Record_RL_And_PSCConfig*>(action)) {
            Touch(k->GetRLTag());
            Touch(k->GetRLMetaInfoTag());
            Touch(k->GetPSCTag());
            Touch(k->GetPSCMetaInfoTag());
        }
        if (auto* k = dynamic_cast<CAct_Update_RL_And_PSCConfig*>(action)) {
            Touch(k->GetAddPSCTag());
            Touch(k->GetAddPSCMetaInfoTag());
            Touch(k->GetDelPSCTag());
            Touch(k->GetDelPSCMetaInfoTag());
        }
        if (auto* k = dynamic_cast<CActSwitchProtocol*>(action)) {
            Touch(k->GetProtocol());
            Touch(k->GetNeedActiveList());
            Touch(k->GetNeedInactiveList());
            Touch(k->GetSysID());
        }
        if (auto* k = dynamic_cast<CAct_EnterIntoProtocalSwitchModeConfig*>(action))
            Touch(k->GetRunningWaitingEventStateList());
    }

    void WalkRuleRecordAction(CActionConfig* action) {
        if (auto* k = dynamic_cast<CActRuleFieldRecordConfig*>(action)) {
            std::vector<int> ids{7};
            k->GetRuleIDList(ids);
            Touch(ids);
            WalkFieldConfigs(k->GetMsgFieldConfigList());
        }
        if (auto* k = dynamic_cast<CActRecordInfoForRule*>(action))
            CheckCopies(*k, [](CActRecordInfoForRule& o) { return o.GetMsgFieldConfigList(); });
        if (auto* k = dynamic_cast<CActRecordInfoForRule_ReverseFind*>(action)) {
            Touch(k->GetEventStateID());
            CheckCopies(
                *k, [](CActRecordInfoForRule_ReverseFind& o) { return o.GetMsgFieldConfigList(); });
        }
    }

    void WalkStateAction(CActionConfig* action) {
        if (auto* k = dynamic_cast<CActInitActiveEventStateConfig*>(action))
            Touch(k->GetToActivateEventStateList());
        if (auto* k = dynamic_cast<CActTranEventStateConfig*>(action))
            Touch(k->GetToTranEventStateList());
        if (auto* k = dynamic_cast<CActDelEventStateConfig*>(action))
            Touch(k->GetToDelEventStateList());
        if (auto* k = dynamic_cast<CActAcitveRulesConfig*>(action))
            Touch(k->GetToActiveRulesList());
        if (auto* k = dynamic_cast<CActInActiveRulesConfig*>(action))
            Touch(k->GetToInActiveRulesList());
        if (auto* k = dynamic_cast<CActResetWaitingEventStateConfig*>(action))
            Touch(k->GetToResetRulesList());
        if (auto* k = dynamic_cast<CActActiveEventStateAndPrcPacket*>(action))
            Touch(k->GetToActiveEventStateList());
        if (auto* k = dynamic_cast<CActTranSysStateConfig*>(action)) Touch(k->GetTranSysState());
        if (auto* k = dynamic_cast<CActTranRuleConfig*>(action)) Touch(k->GetTranRuleID());
        if (auto* k = dynamic_cast<CActResetStateMachineConfig*>(action))
            Touch(static_cast<int>(k->GetResetTime()));
        if (auto* k = dynamic_cast<CActRecordTimeConfig*>(action))
            Touch(k->GetWaitEventStateList());
        if (auto* k = dynamic_cast<CActClearTickTimeConfig*>(action))
            Touch(k->GetWaitEventStateList());
        if (auto* k = dynamic_cast<CAct_AddPauseTimeConfig*>(action)) Touch(k->GetRulesList());
    }

    std::vector<std::string> m_problems;
    std::size_t m_sum = 0;
    int m_models = 0;
};

}  // namespace modelwalk
