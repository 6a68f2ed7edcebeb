// Writes a realistic EventConfig.xml of a given size for the load benchmark.
//
//   gen_config RULES OUT [--protocols P] [--seed S]
//
// P protocols share the rules evenly; each protocol has system states with
// messages, log fields and about ten event states of about five rules each,
// and the first protocol also has a special event state list. Operations and
// actions are drawn over every kind of the registries' tables, each written
// from its kind's grammar. With one build, the same arguments always give the
// same bytes.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "actions/ActionRegistry.h"
#include "operations/OperationRegistry.h"
#include "reading/GrammarWriter.h"

namespace {

class Generator {
public:
    explicit Generator(unsigned seed) : m_rng(seed) {}

    std::string Build(long rules, int protocols);

private:
    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    bool Chance(int percent) { return Pick(1, 100) <= percent; }

    void Line(int depth, const std::string& text) {
        m_out.append(static_cast<std::size_t>(depth), '\t');
        m_out += text;
        m_out += '\n';
    }
    std::string Hex(int value) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%X", value);
        return buf;
    }
    std::string MsgID() { return Hex(Pick(0x10, 0x3FF)); }
    std::string FieldID() { return Hex(Pick(0x100, 0xFFF)); }
    std::string Num(int lo, int hi) { return std::to_string(Pick(lo, hi)); }
    const char* FieldName() {
        static const char* const names[] = {
            "Cause",  "RRC_TransactionID",  "RSCP",     "EcNo",   "PSC",
            "RL_Num", "EstablishmentCause", "UE_Id",    "Timer",  "CellId",
            "LAC",    "MeasResult",         "PathLoss", "TxPower"};
        return names[Pick(0, 13)];
    }
    std::string Info() {
        static const char* const infos[] = {"呼叫建立检测", "check setup",    "掉话判断",
                                            "wait release", "handover guard", "切换失败"};
        return infos[Pick(0, 5)];
    }
    std::string Locator() {
        return std::string("Name=\"") + FieldName() + "\" Length=\"" + Num(1, 8) +
               "\" StartOffset=\"" + Num(0, 64) + "\"";
    }
    std::string TagLocator(bool reverse) {
        const char* start = reverse ? "StartReverseSearchTag" : "StartSearchTag";
        const char* end = reverse ? "EndReverseSearchTag" : "EndSearchTag";
        const char* name = FieldName();
        return std::string("Name=\"") + name + "\" " + start + "=\"" + name + " : \" " + end +
               "=\",\" StartOffset=\"" + Num(0, 4) + "\"";
    }
    std::string IdList(int n) {
        std::string ids;
        for (int i = 0; i < n; ++i) ids += (i ? "/" : "") + MsgID();
        return ids;
    }
    void Children(int depth, const char* tag, int n, bool hex) {
        for (int i = 0; i < n; ++i)
            Line(depth,
                 std::string("<") + tag + ">" + (hex ? MsgID() : Num(1, 400)) + "</" + tag + ">");
    }

    class Values;
    void Kind(int depth, const wchar_t* element, const ecfg::KindRow& row,
              const std::string& header);
    void Rule(int depth, int id);
    void EventState(int depth, int id, int rules);
    void SystemState(int depth, int id, long& rulesLeft);
    void SpecialList(int depth);
    void Protocol(int depth, int type, long rules);

    std::mt19937 m_rng;
    std::string m_out;
};

// Values for a kind's element as its grammar writes it: ids, numbers and
// names in the ranges configurations use. A locator's search tags follow its
// field's name.
class Generator::Values : public ecfg::GrammarValues {
public:
    explicit Values(Generator& gen) : m_gen(gen) {}

    std::string Value(const std::wstring& name, ecfg::Num num, ecfg::Ref ref) override {
        using ecfg::Num;
        using ecfg::Ref;
        switch (num) {
            case Num::Hex:
                return ref == Ref::Msg ? m_gen.MsgID() : m_gen.FieldID();
            case Num::HexList:
                return m_gen.IdList(m_gen.Pick(1, 3));
            case Num::DecList:
                return m_gen.Num(1, 400) + "/" + m_gen.Num(1, 400);
            case Num::DecOrInfin:
                return m_gen.Chance(30) ? "Infin" : m_gen.Num(4, 20);
            case Num::DecOrAll:
                return m_gen.Chance(30) ? "all" : m_gen.Num(1, 5);
            case Num::Text:
                return Text(name);
            default:
                return Number(name, ref);
        }
    }
    int Repeats() override { return m_gen.Pick(1, 3); }

private:
    std::string Number(const std::wstring& name, ecfg::Ref ref) {
        using ecfg::Ref;
        if (ref == Ref::Event) return m_gen.Num(1, 200);
        if (ref == Ref::SysState) return m_gen.Num(1, 40);
        if (ref != Ref::None) return m_gen.Num(1, 400);
        if (name == L"Length") return m_gen.Num(1, 8);
        if (name == L"StartOffset") return m_gen.Num(0, 64);
        if (name == L"NeedMeetedNum") return m_gen.Num(1, 5);
        if (name == L"ReverseFind" || name == L"IsFreq") return m_gen.Num(0, 1);
        if (name == L"MinNum") return m_gen.Num(0, 3);
        if (name == L"Value") return m_gen.Num(-110, 30);
        if (name == L"Count") return m_gen.Num(1, 9);
        return m_gen.Num(100, 9000);  // times
    }
    std::string Text(const std::wstring& name) {
        if (name == L"StartSearchTag" || name == L"StartReverseSearchTag") return m_name + " : ";
        if (name == L"EndSearchTag" || name == L"EndReverseSearchTag") return ",";
        if (name == L"MetaInfoName") return "rl";
        if (name == L"Value" || name == L"Field")  // candidate values, contained fields
            return m_gen.Chance(50) ? std::string("Success") : m_gen.Num(0, 40);
        m_name = m_gen.FieldName();
        return m_name;
    }

    Generator& m_gen;
    std::string m_name = "Cause";
};

// A kind's element, children in the order its reader searches them.
void Generator::Kind(int d, const wchar_t* element, const ecfg::KindRow& row,
                     const std::string& header) {
    Values values(*this);
    m_out += ecfg::WriteElement(element, *row.grammar, values,
                                " Type=\"" + std::to_string(row.nTypeID) + "\"" + header, d);
}

void Generator::Rule(int d, int id) {
    const std::vector<ecfg::KindRow>& operations = ecfg::OperationKindRows();
    const std::vector<ecfg::KindRow>& actions = ecfg::ActionKindRows();
    auto action = [&](int depth) {
        const ecfg::KindRow& row =
            actions[static_cast<std::size_t>(Pick(0, static_cast<int>(actions.size()) - 1))];
        Kind(depth, L"Action", row, Chance(40) ? " Info=\"" + Info() + "\"" : std::string());
    };
    Line(d, "<Rule ID=\"" + std::to_string(id) + "\" InitialActivated=\"" +
                (Chance(80) ? "1" : "0") + "\" PlatType=\"" + Num(0, 2) + "\">");
    Kind(d + 1, L"Operation",
         operations[static_cast<std::size_t>(Pick(0, static_cast<int>(operations.size()) - 1))],
         " Info=\"" + Info() + "\"");
    Line(d + 1, "<ActionList>");
    Line(d + 2, "<Result Type=\"TRUE\">");
    for (int i = Pick(1, 2); i > 0; --i) action(d + 3);
    Line(d + 2, "</Result>");
    if (Chance(50)) {
        Line(d + 2, "<Result Type=\"FALSE\">");
        action(d + 3);
        Line(d + 2, "</Result>");
    }
    Line(d + 1, "</ActionList>");
    Line(d, "</Rule>");
}

void Generator::EventState(int d, int id, int rules) {
    Line(d, "<WaitingEventState ID=\"" + std::to_string(id) + "\" InitialActivated=\"" +
                (Chance(70) ? "1" : "0") + "\" NeedProcessLogField=\"" +
                (Chance(30) ? "TRUE" : "FALSE") + "\">");
    for (int r = 1; r <= rules; ++r) Rule(d + 1, r);
    Line(d, "</WaitingEventState>");
}

void Generator::SystemState(int d, int id, long& rulesLeft) {
    Line(d, "<SystemState ID=\"" + std::to_string(id) + "\" Name=\"State " + std::to_string(id) +
                "\">");
    Line(d + 1, "<MsgList>");
    for (int i = Pick(4, 12); i > 0; --i)
        Line(d + 2, "<Msg MsgID=\"" + MsgID() + "\"" +
                        (Chance(70) ? " LogCode=\"" + Hex(Pick(0x4000, 0x4FFF)) + "\"" : "") +
                        " Name=\"RRC Message " + std::to_string(Pick(1, 300)) + "\"/>");
    Line(d + 1, "</MsgList>");
    Line(d + 1, "<LogFieldList>");
    for (int i = Pick(2, 6); i > 0; --i)
        Line(d + 2, std::string("<Field_IEID") + (Chance(50) ? " CanActiveSysState=\"1\"" : "") +
                        ">" + FieldID() + "</Field_IEID>");
    Line(d + 1, "</LogFieldList>");
    Line(d + 1, "<WaitingEventStateList>");
    for (int e = 1; e <= 10 && rulesLeft > 0; ++e) {
        const int rules = static_cast<int>(std::min<long>(rulesLeft, Pick(3, 7)));
        EventState(d + 2, e, rules);
        rulesLeft -= rules;
    }
    Line(d + 1, "</WaitingEventStateList>");
    Line(d, "</SystemState>");
}

void Generator::SpecialList(int d) {
    Line(d, "<SpecialEventStateList>");
    Line(d + 1, "<MsgList>");
    for (int i = 0; i < 4; ++i)
        Line(d + 2, "<Msg MsgID=\"" + MsgID() + "\" LogCode=\"4125\" Name=\"Paging\"/>");
    Line(d + 1, "</MsgList>");
    Line(d + 1,
         "<LogFieldList><Field_IEID>1F</Field_IEID><Field_IEID>2A</Field_IEID></LogFieldList>");
    Line(d + 1, "<WaitingEventStateList>");
    for (int e = 900; e < 903; ++e) EventState(d + 2, e, 5);
    Line(d + 1, "</WaitingEventStateList>");
    Line(d + 1, "<Relationship>");
    for (int s = 1; s <= 3; ++s) {
        Line(d + 2, "<SystemState ID=\"" + std::to_string(s) + "\">");
        Line(d + 3, "<WaitingEventStateID>" + std::to_string(899 + s) + "</WaitingEventStateID>");
        Line(d + 2, "</SystemState>");
    }
    Line(d + 1, "</Relationship>");
    Line(d, "</SpecialEventStateList>");
}

void Generator::Protocol(int d, int type, long rules) {
    Line(d,
         "<Protocol_" + std::to_string(type) + " ProtocolType=\"" + std::to_string(type) + "\">");
    Line(d + 1, "<StateMachineConfig>");
    // The special list's fifteen rules count towards the protocol's total.
    if (type == 1 && rules > 15) {
        SpecialList(d + 2);
        rules -= 15;
    }
    for (int id = 1; rules > 0; ++id) SystemState(d + 2, id, rules);
    Line(d + 1, "</StateMachineConfig>");
    Line(d + 1, "<EventInfoList>");
    for (int e = 1; e <= 200; ++e)
        Line(d + 2, "<Event ID=\"" + std::to_string(e) + "\" Name=\"" +
                        (e % 3 ? "Event " : "事件 ") + std::to_string(e) + "\"/>");
    Line(d + 1, "</EventInfoList>");
    Line(d + 1, "<LogCodeFieldList>");
    for (int i = 0; i < 16; ++i) Line(d + 2, "<LogCode>" + Hex(0x4100 + i) + "</LogCode>");
    Line(d + 1, "</LogCodeFieldList>");
    Line(d, "</Protocol_" + std::to_string(type) + ">");
}

std::string Generator::Build(long rules, int protocols) {
    m_out.clear();
    m_out.reserve(static_cast<std::size_t>(rules) * 900 + 65536);
    m_out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    Line(0, "<EventConfig>");
    Line(1, "<Protocol>");
    for (int p = 1; p <= protocols; ++p) {
        const long share = rules / protocols + (p <= rules % protocols ? 1 : 0);
        Protocol(2, p, share);
    }
    Line(1, "</Protocol>");
    Line(1, "<MsgParserConfig>");
    for (int i = 0; i < 50; ++i)
        Line(2, "<Parser Name=\"msg" + std::to_string(i) + "\" MsgID=\"" + MsgID() +
                    "\" Decoder=\"asn1\"/>");
    Line(1, "</MsgParserConfig>");
    Line(1, "<GenMessageInfoString>");
    for (int i = 0; i < 50; ++i)
        Line(2, "<Info MsgID=\"" + MsgID() + "\" Text=\"消息 " + std::to_string(i) + "\"/>");
    Line(1, "</GenMessageInfoString>");
    Line(0, "</EventConfig>");
    return m_out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s RULES OUT [--protocols P] [--seed S]\n", argv[0]);
        return 2;
    }
    const long rules = std::atol(argv[1]);
    const char* out = argv[2];
    int protocols = 2;
    unsigned seed = 7;
    for (int i = 3; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--protocols")) protocols = std::max(1, std::atoi(argv[i + 1]));
        if (!std::strcmp(argv[i], "--seed"))
            seed = static_cast<unsigned>(std::strtoul(argv[i + 1], nullptr, 10));
    }
    Generator gen(seed);
    const std::string text = gen.Build(rules, protocols);
    FILE* f = std::fopen(out, "wb");
    if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size() || std::fclose(f) != 0) {
        std::perror(out);
        return 1;
    }
    std::printf("%s: %ld rules, %d protocols, %zu bytes\n", out, rules, protocols, text.size());
    return 0;
}
