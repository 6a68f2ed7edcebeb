#include "View.h"

#include <typeinfo>

#include "ViewHelpers.h"
#include "actions/ActionRegistry.h"
#include "operations/OperationRegistry.h"

namespace ectool {

using namespace view;

std::string ClassNameOf(const COperationTypeConfig& op) {
    return Demangle(typeid(op).name());
}
std::string ClassNameOf(const CActionConfig& action) {
    return Demangle(typeid(action).name());
}

namespace {

using ecfg::Ref;

// The action whose rules belong to the event state it names, not to the
// rule's own (its "EventState" element holds its "Rule").
constexpr int kRulesOfNamedEventState = 31;

// Every getter as JSON, and the ids each names filed by what they name.
// Membership tests show the offered ids they accept.
class JsonVisitor : public ecfg::KindVisitor {
public:
    JsonVisitor(ObjectView& view, const std::vector<int>& msgs) : m_view(view), m_msgs(msgs) {}

    void Number(const char* getter, long long value) override { m_view.getters[getter] = value; }
    void Id(const char* getter, int id, Ref ref) override {
        m_view.getters[getter] = id;
        Name(ref, {id});
    }
    void Text(const char* getter, const std::wstring& value) override {
        m_view.getters[getter] = Utf8(value);
    }
    void Texts(const char* getter, const std::vector<std::wstring>& values) override {
        m_view.getters[getter] = Strings(values);
    }
    void Ids(const char* getter, const std::vector<int>& ids, Ref ref) override {
        m_view.getters[getter] = ids;
        Name(ref, ids);
    }
    void Members(const char* getter, const ecfg::IdTest& test, Ref ref) override {
        const std::vector<int> ids = view::Members(m_msgs, test);
        m_view.getters[getter] = ids;
        Name(ref, ids);
    }
    void Locators(const char* getter, const std::vector<ecfg::LocatorView>& locators) override {
        Json out = Json::array();
        for (const ecfg::LocatorView& f : locators)
            if (f.address)
                out.push_back({{"key", Utf8(f.key)},
                               {"GetKeyWordName", Utf8(f.keyWordName)},
                               {"GetOffset", f.offset},
                               {"GetStartSearchTag", Utf8(f.startSearchTag)},
                               {"GetEndSearchTag", Utf8(f.endSearchTag)},
                               {"GetEventInfoName", Utf8(f.eventInfoName)}});
        m_view.getters[getter] = out;
    }
    void Records(const char* getter, const std::vector<ecfg::RecordView>& records) override {
        Json out = Json::array();
        for (const ecfg::RecordView& r : records)
            if (r.address)
                out.push_back(
                    {{"strName", Utf8(r.name)}, {"nLength", r.length}, {"nStartOffset", r.offset}});
        m_view.getters[getter] = out;
    }

private:
    void Name(Ref ref, const std::vector<int>& ids) {
        NamedIds& n = m_view.named;
        switch (ref) {
            case Ref::Msg:
                Append(n.msgs, ids);
                break;
            case Ref::EventState:
                Append(n.eventStates, ids);
                break;
            case Ref::Rule:
                Append(n.rules, ids);
                break;
            case Ref::Event:
                Append(n.events, ids);
                break;
            case Ref::SysState:
                Append(n.sysStates, ids);
                break;
            case Ref::None:
                break;
        }
    }

    ObjectView& m_view;
    const std::vector<int>& m_msgs;
};

}  // namespace

ObjectView ViewOperation(COperationTypeConfig& op, const std::vector<int>& msgs) {
    ObjectView v = NewView(op, op.GetOperationType(), op.GetOperationInfo());
    JsonVisitor visitor(v, msgs);
    ecfg::ViewOperationKind(op, visitor);
    return v;
}

ObjectView ViewAction(CActionConfig& a, const std::vector<int>& msgs) {
    ObjectView v = NewView(a, a.GetActionType(), a.GetActionInfo());
    JsonVisitor visitor(v, msgs);
    ecfg::ViewActionKind(a, visitor);
    const ecfg::KindRow* row = ecfg::ActionRowOf(a);
    if (row && row->nTypeID == kRulesOfNamedEventState && !v.named.eventStates.empty()) {
        v.named.ruleEventState = v.named.eventStates.back();
        v.named.hasRuleEventState = true;
    }
    return v;
}

}  // namespace ectool
