#include <cstdio>
#include <cstring>
#include <iostream>

#include "Check.h"
#include "Commands.h"
#include "Loaded.h"
#include "Model.h"

namespace ectool {

namespace {

// Getters whose values the file writes in hexadecimal: message ids, log
// codes and log field ids, and the protocol switch's two attributes.
bool HexKey(const std::string& key) {
    for (const char* part : {"MsgID", "MsgList", "MsgIDList", "FieldID", "LogCode", "LogField"})
        if (key.find(part) != std::string::npos) return true;
    return key == "GetProtocol" || key == "GetSysID" || key == "logField";
}

std::string Scalar(const Json& value, bool hex) {
    if (hex && value.is_number_integer()) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "0x%X", static_cast<unsigned>(value.get<int>()));
        return buffer;
    }
    return value.dump();
}

std::string List(const Json& items, bool hex) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) out += (i ? ", " : "") + Scalar(items[i], hex);
    return out + "]";
}

bool AllScalars(const Json& array) {
    for (const Json& item : array)
        if (item.is_object() || item.is_array()) return false;
    return true;
}

// "COptWaitMsgConfig (4: wait for a message)": the class with its id and the
// kind table's description.
std::string KindLine(const Json& object) {
    if (!object.contains("class")) return std::string();
    std::string name = object["class"].get<std::string>();
    if (!object.contains("typeId")) return name;
    std::string description = KindDescription(name);
    return name + " (" + std::to_string(object["typeId"].get<int>()) +
           (description == name ? ")" : ": " + description + ")");
}

// The value as an indented tree: one line per scalar, objects under their
// kind. No line ends in a space.
void Tree(const Json& value, const std::string& indent, std::string& out) {
    for (auto it = value.begin(); it != value.end(); ++it) {
        const std::string& key = it.key();
        const Json& item = it.value();
        if (key == "class" || key == "typeId") continue;
        if (item.is_object()) {
            std::string kind = KindLine(item);
            out += indent + key + ":" + (kind.empty() ? "" : " " + kind) + "\n";
            Tree(item, indent + "  ", out);
        } else if (item.is_array() && !AllScalars(item)) {
            out += indent + key + ":" + (item.empty() ? " []" : "") + "\n";
            for (const Json& element : item) {
                if (element.is_null()) {
                    out += indent + "  - null\n";
                    continue;
                }
                std::string kind = KindLine(element);
                out += indent + "  -" + (kind.empty() ? "" : " " + kind) + "\n";
                Tree(element, indent + "    ", out);
            }
        } else if (item.is_array()) {
            out += indent + key + ": " + List(item, HexKey(key)) + "\n";
        } else {
            out += indent + key + ": " + Scalar(item, HexKey(key)) + "\n";
        }
    }
}

// The fields of an object other than the lists printed under their own
// context lines.
Json Without(const Json& object, std::initializer_list<const char*> keys) {
    Json out = object;
    for (const char* key : keys) out.erase(key);
    return out;
}

// Each object starts with a line, at the left margin, naming where it stands
// ("protocol 1 / system state 2 / event state 200 / rule 10"): diff takes such
// lines for its hunk headers, so every hunk says where it is.
void EventStates(const Json& states, const std::string& context, std::string& out) {
    for (const Json& state : states) {
        std::string where = context + " / event state " + std::to_string(state["GetID"].get<int>());
        out += where + "\n";
        Tree(Without(state, {"GetRuleList"}), "  ", out);
        for (const Json& rule : state["GetRuleList"]) {
            out += where + " / rule " + std::to_string(rule["GetRuleID"].get<int>()) + "\n";
            Tree(rule, "  ", out);
        }
    }
}

std::string Text(const Json& protocol) {
    std::string out;
    const std::string where = "protocol " + std::to_string(protocol["protocolType"].get<int>());
    out += where + "\n";
    Tree(Without(protocol,
                 {"protocolType", "GetSysStateConfigList", "GetSpecialEventStateListConfig"}),
         "  ", out);
    const Json& special = protocol["GetSpecialEventStateListConfig"];
    if (!special.is_null()) {
        out += where + " / special event states\n";
        Tree(Without(special, {"GetEventStateList"}), "  ", out);
        EventStates(special["GetEventStateList"], where + " / special event states", out);
    }
    for (const Json& state : protocol["GetSysStateConfigList"]) {
        std::string at =
            where + " / system state " + std::to_string(state["GetSystemStateID"].get<int>());
        out += at + "\n";
        Tree(Without(state, {"GetEventStateList"}), "  ", out);
        EventStates(state["GetEventStateList"], at, out);
    }
    return out;
}

std::string IdList(const std::vector<int>& ids) {
    std::string out;
    for (std::size_t i = 0; i < ids.size(); ++i) out += (i ? ", " : "") + std::to_string(ids[i]);
    return out.empty() ? "none" : out;
}

}  // namespace

int RunDump(const Options& options) {
    Loaded loaded(options.file);
    if (!loaded.Readable()) return Unreadable(loaded, options);
    MsgCandidates candidates;
    std::vector<Finding> findings = CheckFile(loaded, &candidates);
    if (ReportXmlErrors(loaded, findings, options, "dump")) return kErrors;
    loaded.BuildModels();
    Json protocols = Json::array();
    std::vector<int> types;
    for (LoadedProtocol& protocol : loaded.Protocols()) {
        types.push_back(protocol.type);
        if (!options.hasProtocol || protocol.type == options.protocol)
            protocols.push_back(ProtocolJson(protocol, candidates));
    }
    if (options.hasProtocol && protocols.empty()) {
        std::fprintf(stderr, "eventconfig dump: %s has no protocol %d (its protocols: %s)\n",
                     loaded.ShownPath().c_str(), options.protocol, IdList(types).c_str());
        return kUsage;
    }
    Json dump = {{"schema", "eventconfig-dump/1"}};
    if (!options.noPath) dump["file"] = options.file;
    dump["protocols"] = protocols;
    if (options.format == "json") {
        std::cout << dump.dump(2) << "\n";
    } else {
        std::string out;
        if (!options.noPath) out += "file " + loaded.ShownPath() + "\n";
        for (const Json& protocol : protocols) out += Text(protocol);
        std::cout << out;
    }
    return kClean;
}

}  // namespace ectool
