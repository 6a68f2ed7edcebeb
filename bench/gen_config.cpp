// Writes a realistic EventConfig.xml of a given size for the load benchmark.
//
//   gen_config RULES OUT [--protocols P] [--seed S]
//
// P protocols share the rules evenly; each protocol has system states with
// messages, log fields and about ten event states of about five rules each,
// and the first protocol also has a special event state list. Operations and
// actions are drawn over every kind, each written in the shape its reader
// expects. With one build, the same arguments always give the same bytes.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

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

    void Operation(int depth, int type);
    void Action(int depth, int type);
    void Rule(int depth, int id);
    void EventState(int depth, int id, int rules);
    void SystemState(int depth, int id, long& rulesLeft);
    void SpecialList(int depth);
    void Protocol(int depth, int type, long rules);

    std::mt19937 m_rng;
    std::string m_out;
};

// The operation element of each kind, children in the order its reader
// searches them.
void Generator::Operation(int d, int type) {
    const std::string open =
        "<Operation Type=\"" + std::to_string(type) + "\" Info=\"" + Info() + "\"";
    const int c = d + 1;
    if (type == 0) {
        Line(d, open + "/>");
        return;
    }
    Line(d, open + ">");
    switch (type) {
        case 1:
            Line(c, "<TimeLimit>" + Num(100, 9000) + "</TimeLimit>");
            break;
        case 2:
            Line(c, "<Time>" + Num(100, 9000) + "</Time>");
            Line(c, "<MsgID>" + MsgID() + "</MsgID>");
            break;
        case 3:
            Line(c, "<Count>" + Num(1, 9) + "</Count>");
            Line(c, "<MsgList>");
            Children(c + 1, "MsgID", Pick(1, 3), true);
            Line(c, "</MsgList>");
            break;
        case 4:
            Children(c, "MsgID", Pick(1, 4), true);
            break;
        case 5:
            Line(c, "<FieldID>" + FieldID() + "</FieldID>");
            break;
        case 6:
        case 7:
        case 10:
        case 11:
            Line(c, "<MsgID>" + (type >= 10 ? IdList(Pick(1, 3)) : MsgID()) + "</MsgID>");
            Line(c, "<Field " + Locator() + ">");
            Line(c + 1, "<Value>Normal</Value>");
            Line(c + 1, "<Value>" + Num(0, 40) + "</Value>");
            Line(c, "</Field>");
            break;
        case 8:
        case 9:
            Line(c, "<MsgList>");
            Children(c + 1, "MsgID", Pick(1, 3), true);
            Line(c, "</MsgList>");
            Line(c, std::string("<Field Name=\"") + FieldName() + "\" Value=\"" + Num(-110, 30) +
                        "\"/>");
            break;
        case 12:
            for (const char* side : {"Source", "Destination"}) {
                Line(c, std::string("<") + side + ">");
                Line(c + 1, "<MsgID>" + MsgID() + "</MsgID>");
                Line(c + 1, std::string("<Field Name=\"") + FieldName() + "\"/>");
                Line(c, std::string("</") + side + ">");
            }
            break;
        case 13:
        case 14:
        case 15:
        case 16:
        case 17:
            if (type == 16) {
                Line(c, "<InitialMsg ID=\"" + MsgID() + "\">");
                Line(c + 1, std::string("<Field Name=\"") + FieldName() + "\"/>");
                Line(c + 1, std::string("<Field Name=\"") + FieldName() + "\"/>");
            } else {
                Line(c, "<InitialMsg " +
                            (type == 15 ? std::string("Name=\"") + FieldName() + "\"" : Locator()) +
                            ">");
                Children(c + 1, "MsgID", Pick(1, 2), true);
            }
            Line(c, "</InitialMsg>");
            Line(c, "<ReceiveMsg " + Locator() + ">");
            Children(c + 1, "MsgID", Pick(1, 2), true);
            Line(c, "</ReceiveMsg>");
            break;
        case 18:
        case 20:
            Line(c, "<InitialField ID=\"" + FieldID() + "\"/>");
            Line(c, "<ReceiveMsg " + Locator() + ">");
            Children(c + 1, "MsgID", Pick(1, 2), true);
            Line(c, "</ReceiveMsg>");
            break;
        case 19:
            Line(c, "<Field ID=\"" + FieldID() + "\">");
            Children(c + 1, "Value", Pick(1, 3), false);
            Line(c, "</Field>");
            break;
        case 21:
        case 22:
            Line(c, "<InitialField ID=\"" + FieldID() + "\"/>");
            Line(c, "<ReceiveMsg>");
            Line(c + 1, "<MsgList>");
            Children(c + 2, "ID", Pick(1, 3), true);
            Line(c + 1, "</MsgList>");
            Line(c + 1, "<MsgFieldList>");
            for (int i = Pick(1, 3); i > 0; --i) Line(c + 2, "<Field " + Locator() + "/>");
            Line(c + 1, "</MsgFieldList>");
            Line(c, "</ReceiveMsg>");
            break;
        case 23:
            Children(c, "EventID", Pick(1, 3), false);
            break;
        case 24:
        case 25:
        case 41:
            Line(c, "<InitialField ID=\"" + FieldID() + "\" IsFreq=\"" + Num(0, 1) + "\"/>");
            Line(c, "<ReceiveMsg " + TagLocator(false) + ">");
            Children(c + 1, "MsgID", Pick(1, 2), true);
            Line(c, "</ReceiveMsg>");
            break;
        case 26:
            Line(c, "<Field ID=\"" + FieldID() + "\" MinNum=\"" + Num(0, 3) + "\" MaxNum=\"" +
                        (Chance(30) ? std::string("Infin") : Num(4, 20)) + "\"/>");
            break;
        case 27:
        case 28:
        case 29:
        case 30:
        case 35:
        case 38:
            Line(c, "<Msg ID=\"" + IdList(Pick(1, 2)) + "\">");
            if (type >= 35) {
                Line(c + 1,
                     "<Field " + TagLocator(false) + " NeedMeetedNum=\"" + Num(1, 5) + "\"/>");
            } else {
                Line(c + 1, "<Field " + TagLocator(false) + " NeedMeetedNum=\"" +
                                (type == 29 && Chance(30) ? std::string("all") : Num(1, 5)) +
                                "\">");
                Line(c + 2, "<Value>Success</Value>");
                Line(c + 2, "<Value>0x" + Hex(Pick(0, 255)) + "</Value>");
                Line(c + 1, "</Field>");
            }
            Line(c, "</Msg>");
            break;
        case 31:
        case 32:
        case 33:
        case 34:
            if (type >= 33) Line(c, "<InitialField ID=\"" + FieldID() + "\"/>");
            Line(c, "<Msg ID=\"" + IdList(Pick(1, 2)) + "\"" +
                        (type == 34 ? std::string() : " ReverseFind=\"" + Num(0, 1) + "\"") + ">");
            Line(c + 1, "<Field " + TagLocator(false) + "/>");
            Line(c, "</Msg>");
            break;
        case 36:
            Line(c, "<Msg ID=\"" + IdList(Pick(1, 2)) + "\">");
            Line(c + 1, std::string("<KeyField Name=\"") + FieldName() + "\">");
            Line(c + 2, std::string("<Field>") + FieldName() + "</Field>");
            Line(c + 2, std::string("<Field>") + FieldName() + "</Field>");
            Line(c + 1, "</KeyField>");
            Line(c, "</Msg>");
            break;
        case 37:
            Line(c, "<MsgList>");
            Children(c + 1, "MsgID", Pick(1, 3), true);
            Line(c, "</MsgList>");
            Line(c, "<MsgField>");
            Line(c + 1, "<RadioLink FieldName=\"RL_Num\" MetaInfoName=\"rl\"/>");
            Line(c + 1, "<PSC FieldName=\"PrimaryScramblingCode\" MetaInfoName=\"psc\"/>");
            Line(c, "</MsgField>");
            break;
        case 39:
        case 40:
            Line(c, "<Field ID=\"" + FieldID() + "\" IsFreq=\"" + Num(0, 1) + "\"/>");
            break;
        case 42:
            Line(c, "<MsgID>" + IdList(Pick(1, 3)) + "</MsgID>");
            Line(c, "<Field " + Locator() + "/>");
            Line(c, "<AddTime>" + Num(100, 5000) + "</AddTime>");
            break;
        case 43:
            Line(c, "<SrcField>" + FieldID() + "</SrcField>");
            Line(c, "<DesField>" + FieldID() + "</DesField>");
            break;
        case 44:
            Line(c, "<InitialField ID=\"" + FieldID() + "\"/>");
            Line(c, "<Field ID=\"" + FieldID() + "\"/>");
            break;
        default:
            break;
    }
    Line(d, "</Operation>");
}

// The action element of each kind.
void Generator::Action(int d, int type) {
    const std::string open = "<Action Type=\"" + std::to_string(type) + "\"" +
                             (Chance(40) ? " Info=\"" + Info() + "\"" : std::string());
    const int c = d + 1;
    if (type == 0 || type == 33) {
        Line(d, open + "/>");
        return;
    }
    Line(d, open + ">");
    switch (type) {
        case 3:
        case 5:
        case 6:
        case 11:
        case 14:
        case 15:
        case 16:
        case 23:
        case 32:
        case 35:
            Children(c, "ID", Pick(1, 3), false);
            break;
        case 2:
            Line(c, "<SystemStateID>" + Num(1, 40) + "</SystemStateID>");
            break;
        case 7:
            Line(c, "<RuleID>" + Num(1, 400) + "</RuleID>");
            break;
        case 41:
            Line(c, "<ResetTime>" + Num(100, 9000) + "</ResetTime>");
            break;
        case 1:
        case 12:
        case 21:
        case 22:
        case 40:
            Line(c, "<EventID>" + Num(1, 200) + "</EventID>");
            break;
        case 34:
            Line(c, "<EventID>" + Num(1, 200) + "</EventID>");
            Line(c, "<LogFieldID>" + FieldID() + "</LogFieldID>");
            Line(c, std::string("<InfoName>") + FieldName() + "</InfoName>");
            break;
        case 4:
        case 36:
            Line(c, "<Msg " + Locator() + ">");
            Children(c + 1, "MsgID", Pick(1, 2), true);
            Line(c, "</Msg>");
            if (type == 36) Line(c, "<EventID>" + Num(1, 200) + "</EventID>");
            break;
        case 26:
        case 27:
        case 37:
            Line(c, "<LogField ID=\"" + FieldID() + "\"/>");
            Line(c, "<Msg ReverseFind=\"" + Num(0, 1) + "\">");
            for (int i = type == 27 ? 1 : Pick(1, 3); i > 0; --i)
                Line(c + 1,
                     "<Field " + TagLocator(true) +
                         (type == 27 ? std::string()
                                     : std::string(" EventInfoName=\"") + FieldName() + "\"") +
                         "/>");
            Line(c, "</Msg>");
            break;
        case 28:
            Line(c, "<LogField ID=\"" + FieldID() + "\"/>");
            Line(c, std::string("<RuleInitial FieldName=\"") + FieldName() + "\"/>");
            break;
        case 38:
        case 39:
            Line(c, "<LogFieldSrc>" + FieldID() + "</LogFieldSrc>");
            Line(c, "<LogFieldDes>" + FieldID() + "</LogFieldDes>");
            break;
        case 17:
        case 18:
            Line(c, "<FieldID>" + FieldID() + "</FieldID>");
            break;
        case 13:
            Line(c, "<Msg ID=\"" + MsgID() + "\">");
            for (int i = Pick(2, 3); i > 0; --i) Line(c + 1, "<Field " + Locator() + "/>");
            Line(c, "</Msg>");
            break;
        case 20:
            Line(c, "<Rule ID=\"" + Num(1, 400) + "/" + Num(1, 400) + "\">");
            for (int i = Pick(1, 2); i > 0; --i) Line(c + 1, "<Field " + TagLocator(false) + "/>");
            Line(c, "</Rule>");
            break;
        case 31:
            Line(c, "<EventState ID=\"" + Num(1, 400) + "\">");
            Line(c + 1, "<Rule ID=\"" + Num(1, 400) + "\">");
            for (int i = Pick(1, 2); i > 0; --i) Line(c + 2, "<Field " + TagLocator(true) + "/>");
            Line(c + 1, "</Rule>");
            Line(c, "</EventState>");
            break;
        case 24:
        case 25:
            Line(c, "<Rule ID=\"" + Num(1, 400) + "/" + Num(1, 400) + "\">");
            Line(c + 1, std::string("<") + (type == 24 ? "RadioLink" : "AddInfo") +
                            " FieldName=\"RL_Num\" MetaInfoName=\"RadioLinks\"/>");
            Line(c + 1, std::string("<") + (type == 24 ? "PSC" : "RemoveInfo") +
                            " FieldName=\"PrimaryScramblingCode\" MetaInfoName=\"PSC\"/>");
            Line(c, "</Rule>");
            break;
        case 29:
            Line(c, "<SwitchToProtocol ID=\"0x" + Hex(Pick(1, 4)) + "\">");
            Line(c + 1, "<SystemState ID=\"" + Hex(Pick(1, 40)) + "\"/>");
            Line(c + 1, "<NeededActiveWaitingEventState>");
            Children(c + 2, "ID", Pick(1, 3), false);
            Line(c + 1, "</NeededActiveWaitingEventState>");
            Line(c + 1, "<NeededInActiveWaitingEventState>");
            Children(c + 2, "ID", Pick(0, 2), false);
            Line(c + 1, "</NeededInActiveWaitingEventState>");
            Line(c, "</SwitchToProtocol>");
            break;
        case 30:
            Line(c, "<NeedRunningWaitingEventState>");
            Children(c + 1, "WaitingEventSate", Pick(1, 3), false);
            Line(c, "</NeedRunningWaitingEventState>");
            break;
        default:
            break;
    }
    Line(d, "</Action>");
}

void Generator::Rule(int d, int id) {
    static const int kActionTypes[] = {0,  1,  2,  3,  4,  5,  6,  7,  11, 12, 13, 14, 15,
                                       16, 17, 18, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29,
                                       30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41};
    const int nActionTypes = sizeof kActionTypes / sizeof kActionTypes[0];
    Line(d, "<Rule ID=\"" + std::to_string(id) + "\" InitialActivated=\"" +
                (Chance(80) ? "1" : "0") + "\" PlatType=\"" + Num(0, 2) + "\">");
    Operation(d + 1, Pick(0, 44));
    Line(d + 1, "<ActionList>");
    Line(d + 2, "<Result Type=\"TRUE\">");
    for (int i = Pick(1, 2); i > 0; --i) Action(d + 3, kActionTypes[Pick(0, nActionTypes - 1)]);
    Line(d + 2, "</Result>");
    if (Chance(50)) {
        Line(d + 2, "<Result Type=\"FALSE\">");
        Action(d + 3, kActionTypes[Pick(0, nActionTypes - 1)]);
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
