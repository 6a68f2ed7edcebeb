#include "reading/Grammar.h"

namespace ecfg {

namespace {

using namespace grammar;

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

}  // namespace ecfg
