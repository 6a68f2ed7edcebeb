#pragma once

// The model fuzzer's seeds of the kinds: for every row of both tables a small
// whole configuration whose one rule holds the kind's element, written from
// the kind's grammar, so the fuzzer reaches each kind's reader at once.
// model_seeds writes them into fuzz/corpus/model; a regression test keeps the
// files equal to the tables.

#include <cstdio>
#include <map>
#include <string>

#include "actions/ActionRegistry.h"
#include "operations/OperationRegistry.h"
#include "reading/GrammarWriter.h"

namespace kindseeds {

// Values that name what the seed's document defines (message 1A, event
// state 1, rule 1, event 5, system state 1), and varied numbers and words.
class SeedValues : public ecfg::GrammarValues {
public:
    std::string Value(const std::wstring& name, ecfg::Num num, ecfg::Ref ref) override {
        using ecfg::Num;
        using ecfg::Ref;
        ++m_count;
        switch (ref) {
            case Ref::Msg:
                return num == Num::HexList ? "1A/2B" : "1A";
            case Ref::EventState:
            case Ref::Rule:
            case Ref::SysState:
                return num == Num::DecList ? "1/2" : "1";
            case Ref::Event:
                return "5";
            case Ref::None:
                break;
        }
        switch (num) {
            case Num::Text:
                return name == L"StartSearchTag" || name == L"StartReverseSearchTag" ? "Cause : "
                       : name == L"EndSearchTag" || name == L"EndReverseSearchTag"   ? ","
                       : m_count % 2                                                 ? "Cause"
                                                                                     : "RSCP";
            case Num::Hex:
                return m_count % 2 ? "2A" : "0x1f";
            case Num::HexList:
                return "2A/3B";
            case Num::DecList:
                return "1/2";
            case Num::DecOrInfin:
                return "Infin";
            case Num::DecOrAll:
                return "all";
            case Num::Flag:
                return "TRUE";
            default:
                return std::to_string(m_count % 7 + 1);
        }
    }
    int Repeats() override { return 2; }

private:
    int m_count = 0;
};

inline std::string Document(const std::string& rule) {
    return "<EventConfig><Protocol><P ProtocolType=\"1\"><StateMachineConfig>"
           "<SystemState ID=\"1\" Name=\"Idle\">"
           "<MsgList><Msg MsgID=\"1A\" LogCode=\"4125\" Name=\"Setup\"/></MsgList>"
           "<LogFieldList><Field_IEID CanActiveSysState=\"1\">2A</Field_IEID></LogFieldList>"
           "<WaitingEventStateList>"
           "<WaitingEventState ID=\"1\" InitialActivated=\"1\" NeedProcessLogField=\"TRUE\">" +
           rule +
           "</WaitingEventState></WaitingEventStateList></SystemState></StateMachineConfig>"
           "<EventInfoList><Event ID=\"5\" Name=\"Drop\"/></EventInfoList>"
           "<LogCodeFieldList><Code>4125</Code><Code>0x1f</Code></LogCodeFieldList></P>"
           "</Protocol><MsgParserConfig><Parser Name=\"p\"/></MsgParserConfig>"
           "<GenMessageInfoString><Info ID=\"1\">x</Info></GenMessageInfoString></EventConfig>\n";
}

inline std::string Rule(const std::string& operation, const std::string& action) {
    return "<Rule ID=\"1\" InitialActivated=\"1\" PlatType=\"0\">" + operation +
           "<ActionList><Result Type=\"TRUE\">" + action +
           "</Result><Result Type=\"FALSE\"><Action Type=\"0\" Info=\"f\"/></Result>"
           "</ActionList></Rule>";
}

inline std::string Element(const wchar_t* name, const ecfg::KindRow& row, const char* info) {
    SeedValues values;
    return ecfg::WriteElement(
        name, *row.grammar, values,
        " Type=\"" + std::to_string(row.nTypeID) + "\" Info=\"" + info + "\"");
}

inline std::string FileName(const char* family, int id) {
    char name[32];
    std::snprintf(name, sizeof name, "%s-%02d.xml", family, id);
    return name;
}

// File name -> configuration, for every row of both tables.
inline std::map<std::string, std::string> Seeds() {
    std::map<std::string, std::string> seeds;
    const std::string plainAction = "<Action Type=\"0\" Info=\"note\"/>";
    const std::string plainOperation = "<Operation Type=\"0\" Info=\"always\"/>";
    for (const ecfg::KindRow& row : ecfg::OperationKindRows())
        seeds[FileName("operation", row.nTypeID)] =
            Document(Rule(Element(L"Operation", row, "seed"), plainAction));
    for (const ecfg::KindRow& row : ecfg::ActionKindRows())
        seeds[FileName("action", row.nTypeID)] =
            Document(Rule(plainOperation, Element(L"Action", row, "seed")));
    return seeds;
}

}  // namespace kindseeds
