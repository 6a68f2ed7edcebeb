#include "Grammar.h"

#include <map>

namespace ectool {

namespace {

// Builds element rules in the order the library reads them.
class G {
public:
    explicit G(Role role = Role::None, const wchar_t* what = L"")
        : m_rule(std::make_shared<ElemRule>()) {
        m_rule->role = role;
        m_rule->what = what;
    }
    G& A(const wchar_t* name, Num num, Ref ref = Ref::None) {
        m_rule->attrs.push_back({name, num, ref});
        return *this;
    }
    G& T(Num num, Ref ref = Ref::None) {
        m_rule->text = num;
        m_rule->textRef = ref;
        return *this;
    }
    // The next element of that name (a forward search).
    G& C(const wchar_t* name, const G& child, bool required = false) {
        return Add(name, false, required, child);
    }
    // Every following element of that name.
    G& Each(const wchar_t* name, const G& child) { return Add(name, true, false, child); }
    // The next element, whatever its name.
    G& Next(const G& child) { return Add(L"", false, false, child); }
    // Every following element, whatever its name.
    G& All(const G& child) { return Add(L"", true, false, child); }
    G& Opaque() {
        m_rule->opaque = true;
        return *this;
    }
    // The fixed-position, forward tag and reverse tag field locators.
    G& Fixed() { return A(L"Name", Num::Text).A(L"Length", Num::Dec).A(L"StartOffset", Num::Dec); }
    G& Forward() {
        return A(L"Name", Num::Text)
            .A(L"StartSearchTag", Num::Text)
            .A(L"EndSearchTag", Num::Text)
            .A(L"StartOffset", Num::Dec);
    }
    G& Reverse() {
        return A(L"Name", Num::Text)
            .A(L"StartReverseSearchTag", Num::Text)
            .A(L"EndReverseSearchTag", Num::Text)
            .A(L"StartOffset", Num::Dec);
    }
    std::shared_ptr<const ElemRule> Rule() const { return m_rule; }

private:
    G& Add(const wchar_t* name, bool repeat, bool required, const G& child) {
        m_rule->children.push_back({name, repeat, required, child.m_rule});
        return *this;
    }
    std::shared_ptr<ElemRule> m_rule;
};

G Text(Num num, Ref ref = Ref::None) {
    return G().T(num, ref);
}
G MsgIds() {
    return G().All(Text(Num::Hex, Ref::Msg));
}

G MsgList() {
    return G().Each(L"Msg", G(Role::Msg, L"message")
                                .A(L"MsgID", Num::Hex)
                                .A(L"LogCode", Num::Hex)
                                .A(L"Name", Num::Text));
}

G WaitingEventStateList() {
    G action = G(Role::Action, L"action").A(L"Type", Num::Type).A(L"Info", Num::Text);
    G result = G(Role::Result, L"result").A(L"Type", Num::ResultType).Each(L"Action", action);
    G operation = G(Role::Operation, L"operation").A(L"Type", Num::Type).A(L"Info", Num::Text);
    G rule = G(Role::Rule, L"rule")
                 .A(L"ID", Num::Dec)
                 .A(L"InitialActivated", Num::Dec)
                 .A(L"PlatType", Num::Dec)
                 .C(L"Operation", operation, true)
                 .C(L"ActionList", G().Each(L"Result", result));
    G state = G(Role::EventState, L"event state")
                  .A(L"ID", Num::Dec)
                  .A(L"InitialActivated", Num::Dec)
                  .A(L"NeedProcessLogField", Num::Flag)
                  .Each(L"Rule", rule);
    return G().Each(L"WaitingEventState", state);
}

std::map<int, std::shared_ptr<const ElemRule>> OperationTable() {
    std::map<int, std::shared_ptr<const ElemRule>> t;
    auto put = [&](std::initializer_list<int> ids, const G& g) {
        for (int id : ids) t[id] = g.Rule();
    };
    G valueField = G().Fixed().All(Text(Num::Text));
    G fixedWithMsgs = G().Fixed().All(Text(Num::Hex, Ref::Msg));
    G initialField = G().A(L"ID", Num::Hex);
    G fwdField = G().Forward();
    put({0}, G());
    put({1}, G().Next(Text(Num::Dec)));
    put({2}, G().Next(Text(Num::Dec)).Next(Text(Num::Hex, Ref::Msg)));
    put({3}, G().C(L"Count", Text(Num::Dec)).C(L"MsgList", MsgIds()));
    put({4}, MsgIds());
    put({5}, G().C(L"FieldID", Text(Num::Hex)));
    put({6, 7}, G().Next(Text(Num::Hex, Ref::Msg)).Next(valueField));
    put({8, 9}, G().Next(MsgIds()).Next(G().A(L"Name", Num::Text).A(L"Value", Num::Dec)));
    put({10, 11}, G().Next(Text(Num::HexList, Ref::Msg)).Next(valueField));
    G end = G().C(L"MsgID", Text(Num::Hex, Ref::Msg)).C(L"Field", G().A(L"Name", Num::Text));
    put({12}, G().C(L"Source", end).C(L"Destination", end));
    put({13, 14, 17}, G().C(L"InitialMsg", fixedWithMsgs).C(L"ReceiveMsg", fixedWithMsgs));
    put({15}, G().C(L"InitialMsg", G().A(L"Name", Num::Text).All(Text(Num::Hex, Ref::Msg)))
                  .C(L"ReceiveMsg", fixedWithMsgs));
    put({16}, G().C(L"InitialMsg", G().A(L"ID", Num::Hex, Ref::Msg).All(G().A(L"Name", Num::Text)))
                  .C(L"ReceiveMsg", fixedWithMsgs));
    put({18, 20}, G().C(L"InitialField", initialField).C(L"ReceiveMsg", fixedWithMsgs));
    put({19}, G().C(L"Field", G().A(L"ID", Num::Hex).All(Text(Num::Text))));
    put({21, 22}, G().C(L"InitialField", initialField)
                      .C(L"ReceiveMsg", G().C(L"MsgList", G().Each(L"ID", Text(Num::Hex, Ref::Msg)))
                                            .C(L"MsgFieldList", G().All(G().Fixed()))));
    put({23}, G().All(Text(Num::Dec, Ref::Event)));
    G frequency = G().C(L"InitialField", G().A(L"ID", Num::Hex).A(L"IsFreq", Num::Dec))
                      .C(L"ReceiveMsg", G().Forward().All(Text(Num::Hex, Ref::Msg)));
    put({24, 25, 41}, frequency);
    put({26}, G().C(L"Field",
                    G().A(L"ID", Num::Hex).A(L"MinNum", Num::Dec).A(L"MaxNum", Num::DecOrInfin)));
    auto counted = [](Num needed, bool candidates) {
        G field = G().Forward().A(L"NeedMeetedNum", needed);
        if (candidates) field.All(Text(Num::Text));
        return G().C(L"Msg", G().A(L"ID", Num::HexList, Ref::Msg).C(L"Field", field));
    };
    put({27, 28, 30}, counted(Num::Dec, true));
    put({29}, counted(Num::DecOrAll, true));
    put({35, 38}, counted(Num::Dec, false));
    G ruleInitMsg =
        G().A(L"ID", Num::HexList, Ref::Msg).A(L"ReverseFind", Num::Dec).C(L"Field", fwdField);
    put({31, 32}, G().C(L"Msg", ruleInitMsg));
    put({33}, G().C(L"InitialField", initialField).C(L"Msg", ruleInitMsg));
    put({34}, G().C(L"InitialField", initialField)
                  .C(L"Msg", G().A(L"ID", Num::HexList, Ref::Msg).C(L"Field", fwdField)));
    put({36}, G().C(L"Msg", G().A(L"ID", Num::HexList, Ref::Msg)
                                .C(L"KeyField", G().A(L"Name", Num::Text).All(Text(Num::Text)))));
    G rlField = G().A(L"FieldName", Num::Text).A(L"MetaInfoName", Num::Text);
    put({37}, G().C(L"MsgList", MsgIds())
                  .C(L"MsgField", G().C(L"RadioLink", rlField).C(L"PSC", rlField)));
    put({39, 40}, G().C(L"Field", G().A(L"ID", Num::Hex).A(L"IsFreq", Num::Dec)));
    put({42}, G().Next(Text(Num::HexList, Ref::Msg)).Next(G().Fixed()).Next(Text(Num::Dec)));
    put({43}, G().C(L"SrcField", Text(Num::Hex)).C(L"DesField", Text(Num::Hex)));
    put({44}, G().C(L"InitialField", initialField).C(L"Field", G().A(L"ID", Num::Hex)));
    return t;
}

std::map<int, std::shared_ptr<const ElemRule>> ActionTable() {
    std::map<int, std::shared_ptr<const ElemRule>> t;
    auto put = [&](std::initializer_list<int> ids, const G& g) {
        for (int id : ids) t[id] = g.Rule();
    };
    put({0, 33}, G());
    put({3, 5, 6, 23, 35, 11, 16}, G().All(Text(Num::Dec, Ref::EventState)));
    put({14, 15, 32}, G().All(Text(Num::Dec, Ref::Rule)));
    put({2}, G().C(L"SystemStateID", Text(Num::Dec, Ref::SysState)));
    put({7}, G().C(L"RuleID", Text(Num::Dec, Ref::Rule)));
    put({41}, G().Next(Text(Num::Dec)));
    put({1, 40, 12, 21, 22}, G().C(L"EventID", Text(Num::Dec, Ref::Event)));
    put({34}, G().C(L"EventID", Text(Num::Dec, Ref::Event))
                  .C(L"LogFieldID", Text(Num::Hex))
                  .C(L"InfoName", Text(Num::Text)));
    put({36}, G().C(L"Msg", G().Fixed().All(Text(Num::Hex, Ref::Msg)))
                  .C(L"EventID", Text(Num::Dec, Ref::Event)));
    G logField = G().A(L"ID", Num::Hex);
    put({26, 37},
        G().C(L"LogField", logField)
            .C(L"Msg", G().A(L"ReverseFind", Num::Dec)
                           .Each(L"Field", G().Reverse().A(L"EventInfoName", Num::Text))));
    put({27}, G().C(L"LogField", logField)
                  .C(L"Msg", G().A(L"ReverseFind", Num::Dec).C(L"Field", G().Reverse())));
    put({28}, G().C(L"LogField", logField).C(L"RuleInitial", G().A(L"FieldName", Num::Text)));
    put({38, 39}, G().C(L"LogFieldSrc", Text(Num::Hex)).C(L"LogFieldDes", Text(Num::Hex)));
    put({17, 18}, G().C(L"FieldID", Text(Num::Hex)));
    put({4}, G().C(L"Msg", G().Fixed().All(Text(Num::Hex, Ref::Msg))));
    put({13}, G().C(L"Msg", G().A(L"ID", Num::Hex, Ref::Msg).All(G().Fixed())));
    G ruleIds = G().A(L"ID", Num::DecList, Ref::Rule);
    put({20}, G().C(L"Rule", G(ruleIds).Each(L"Field", G().Forward())));
    put({31}, G().C(L"EventState",
                    G().A(L"ID", Num::Dec, Ref::EventState)
                        .C(L"Rule",
                           G().A(L"ID", Num::DecList, Ref::Rule).Each(L"Field", G().Reverse()))));
    G rlField = G().A(L"FieldName", Num::Text).A(L"MetaInfoName", Num::Text);
    put({24},
        G().C(L"Rule",
              G().A(L"ID", Num::DecList, Ref::Rule).C(L"RadioLink", rlField).C(L"PSC", rlField)));
    put({25}, G().C(L"Rule", G().A(L"ID", Num::DecList, Ref::Rule)
                                 .C(L"AddInfo", rlField)
                                 .C(L"RemoveInfo", rlField)));
    G ids = G().All(Text(Num::Dec));
    put({29}, G().C(L"SwitchToProtocol", G().A(L"ID", Num::Hex)
                                             .C(L"SystemState", G().A(L"ID", Num::Hex))
                                             .C(L"NeededActiveWaitingEventState", ids)
                                             .C(L"NeededInActiveWaitingEventState", ids)));
    put({30},
        G().C(L"NeedRunningWaitingEventState", G().Each(L"WaitingEventSate", Text(Num::Dec))));
    return t;
}

std::shared_ptr<const ElemRule> Lookup(const std::map<int, std::shared_ptr<const ElemRule>>& table,
                                       int type) {
    auto it = table.find(type);
    return it == table.end() ? nullptr : it->second;
}

}  // namespace

std::shared_ptr<const ElemRule> FileRule() {
    static const std::shared_ptr<const ElemRule> rule = [] {
        G logFields =
            G().Each(L"Field_IEID",
                     G(Role::LogField, L"log field").A(L"CanActiveSysState", Num::Dec).T(Num::Hex));
        G systemState = G(Role::SystemState, L"system state")
                            .A(L"ID", Num::Dec)
                            .A(L"Name", Num::Text)
                            .C(L"MsgList", MsgList())
                            .C(L"LogFieldList", logFields)
                            .C(L"WaitingEventStateList", WaitingEventStateList());
        G relationship = G().Each(L"SystemState", G(Role::RelSystemState, L"relationship entry")
                                                      .A(L"ID", Num::Dec, Ref::SysState)
                                                      .Each(L"WaitingEventStateID",
                                                            G(Role::RelEventStateId).T(Num::Dec)));
        G special = G(Role::SpecialList, L"special event state list")
                        .C(L"MsgList", MsgList())
                        .C(L"LogFieldList",
                           G().Each(L"Field_IEID", G(Role::LogField, L"log field").T(Num::Hex)))
                        .C(L"WaitingEventStateList", WaitingEventStateList())
                        .C(L"Relationship", relationship);
        G machine = G().C(L"SpecialEventStateList", special).All(systemState);
        G eventInfos =
            G().All(G(Role::EventInfo, L"event info").A(L"ID", Num::Dec).A(L"Name", Num::Text));
        G protocol = G(Role::Protocol, L"protocol")
                         .A(L"ProtocolType", Num::Dec)
                         .C(L"StateMachineConfig", machine, true)
                         .C(L"EventInfoList", eventInfos)
                         .C(L"LogCodeFieldList", G().All(Text(Num::Hex)));
        G root = G(Role::Root)
                     .C(L"Protocol", G().All(protocol), true)
                     .C(L"MsgParserConfig", G().Opaque())
                     .C(L"GenMessageInfoString", G().Opaque());
        return root.Rule();
    }();
    return rule;
}

std::shared_ptr<const ElemRule> OperationRule(int type) {
    static const auto table = OperationTable();
    return Lookup(table, type);
}

std::shared_ptr<const ElemRule> ActionRule(int type) {
    static const auto table = ActionTable();
    return Lookup(table, type);
}

}  // namespace ectool
