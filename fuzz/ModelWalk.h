#pragma once

// A whole configuration text through the root, a model built from every
// protocol document it serves, every getter of every object read (operations
// and actions through their kinds' views), copies of every copyable kind
// made and compared, then everything destroyed. Used by the model
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
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "actions/ActionRegistry.h"
#include "eventconfig/EventConfig.h"
#include "operations/OperationRegistry.h"
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

    // ---- Operations and actions, through their kinds' views -------------------------

    // Reads every getter a kind's view reports, asks its questions, and keeps
    // what it saw as text (addresses apart) and the addresses of its field
    // locators and records, so that copies can be compared.
    class KindWalk : public ecfg::KindVisitor {
    public:
        explicit KindWalk(Walker& walker) : m_walker(walker) {}

        std::wstring seen;
        std::vector<const void*> owned;

        void Number(const char* getter, long long value) override {
            Note(getter, std::to_wstring(value));
        }
        void Id(const char* getter, int id, ecfg::Ref) override { Number(getter, id); }
        void Text(const char* getter, const std::wstring& value) override { Note(getter, value); }
        void Texts(const char* getter, const std::vector<std::wstring>& values) override {
            m_texts = values;
            for (const std::wstring& value : values) Text(getter, value);
        }
        void Ids(const char* getter, const std::vector<int>& ids, ecfg::Ref ref) override {
            for (int id : ids) Id(getter, id, ref);
        }
        void Members(const char* getter, const ecfg::IdTest& test, ecfg::Ref) override {
            for (int id : {0, -1, 0x7FFFFFFF}) Number(getter, test(id));
        }
        void Locators(const char* getter, const std::vector<ecfg::LocatorView>& locators) override {
            m_locators = locators;
            for (const ecfg::LocatorView& f : locators) {
                m_walker.Check(f.address != nullptr, "null field locator");
                owned.push_back(f.address);
                Note(getter, f.key + L"|" + f.keyWordName + L"|" + std::to_wstring(f.offset) +
                                 L"|" + f.startSearchTag + L"|" + f.endSearchTag + L"|" +
                                 f.eventInfoName);
            }
        }
        void Records(const char* getter, const std::vector<ecfg::RecordView>& records) override {
            for (const ecfg::RecordView& r : records) {
                m_walker.Check(r.address != nullptr, "null field record");
                owned.push_back(r.address);
                Note(getter,
                     r.name + L"|" + std::to_wstring(r.length) + L"|" + std::to_wstring(r.offset));
            }
        }
        void ListTest(const char* getter, const std::vector<int>& ids,
                      const ecfg::IdTest& test) override {
            for (int id : ids) m_walker.Check(test(id) == 1, "a listed id is not in its list");
            Members(getter, test, ecfg::Ref::None);
        }
        void NumberTest(const char* getter, const ecfg::IdTest& test) override {
            for (int n : {0, -1, 1, 0x7FFFFFFF, 0x7F7F7F7F}) Number(getter, test(n));
        }
        void TextTest(const char* getter, const ecfg::TextTest& test) override {
            for (const std::wstring& value : m_texts) Number(getter, test(value));
            for (const wchar_t* value : {L"", L"0x10", L"12", L"abc", L"-5", L"0X1F"})
                Number(getter, test(value));
        }
        void Lookup(const char* getter, const ecfg::LocatorLookup& lookup) override {
            for (const ecfg::LocatorView& f : m_locators)
                m_walker.Check(lookup(f.key) == f.address,
                               "a field locator is not found under its own name");
            Number(getter, lookup(L"") != nullptr ? 1 : 0);
        }

    private:
        void Note(const char* getter, const std::wstring& value) {
            seen += std::wstring(getter, getter + std::char_traits<char>::length(getter));
            seen += L"=" + value + L"\n";
            m_walker.Touch(value);
        }

        Walker& m_walker;
        std::vector<std::wstring> m_texts;
        std::vector<ecfg::LocatorView> m_locators;
    };

    // A copy (by construction, and by assignment over an object holding
    // records, which it must free) shows what its source shows and shares
    // none of its field locators or records.
    template <class Base, class View, class Copy>
    void CheckCopies(Base& object, const KindWalk& source, View view, Copy copy) {
        for (bool byAssignment : {false, true}) {
            std::unique_ptr<Base> copied = copy(object, byAssignment);
            if (!copied) return;  // a kind that cannot be copied
            KindWalk walk(*this);
            view(*copied, walk);
            Check(walk.seen == source.seen, "a copy shows other values than its source");
            const std::set<const void*> mine(source.owned.begin(), source.owned.end());
            for (const void* address : walk.owned)
                Check(!address || !mine.count(address),
                      "a copied field locator or record is shared");
        }
    }

    void WalkOperation(COperationTypeConfig* op) {
        if (!op) return;
        const ecfg::KindRow* row = ecfg::OperationRowOf(*op);
        Check(row && row->nTypeID == static_cast<int>(op->GetOperationType()),
              "an operation does not report its kind's type id");
        Touch(op->GetOperationInfo());
        delete op->Clone(std::wstring());
        KindWalk walk(*this);
        ecfg::ViewOperationKind(*op, walk);
        CheckCopies(*op, walk, ecfg::ViewOperationKind, ecfg::CopyOperationKind);
    }

    void WalkAction(CActionConfig* action) {
        if (!action) return;
        // A sub-document that is not well-formed leaves the type 0 unless
        // the kind sets its own id.
        const int type = static_cast<int>(action->GetActionType());
        const ecfg::KindRow* row = ecfg::ActionRowOf(*action);
        Check(row && (type == row->nTypeID || type == 0),
              "an action reports another kind's type id");
        Touch(action->GetActionInfo());
        delete action->Clone(std::wstring());
        KindWalk walk(*this);
        ecfg::ViewActionKind(*action, walk);
        CheckCopies(*action, walk, ecfg::ViewActionKind, ecfg::CopyActionKind);
    }

    std::vector<std::string> m_problems;
    std::size_t m_sum = 0;
    int m_models = 0;
};

}  // namespace modelwalk
