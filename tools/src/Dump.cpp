#include <cstdio>
#include <iostream>

#include "Commands.h"
#include "Loaded.h"
#include "Model.h"

namespace ectool {

namespace {

std::string Scalar(const Json& value) {
    return value.is_string() ? value.dump() : value.dump();
}

bool AllScalars(const Json& array) {
    for (const Json& item : array)
        if (item.is_object() || item.is_array()) return false;
    return true;
}

// The JSON value as an indented tree: one line per scalar, objects under
// their class name.
void Text(const Json& value, const std::string& indent, std::string& out) {
    for (auto it = value.begin(); it != value.end(); ++it) {
        const std::string& key = it.key();
        const Json& item = it.value();
        if (key == "class") continue;
        if (item.is_object()) {
            out += indent + key + ": " +
                   (item.contains("class") ? item["class"].get<std::string>() : "") + "\n";
            Text(item, indent + "  ", out);
        } else if (item.is_array() && !AllScalars(item)) {
            out += indent + key + ":" + (item.empty() ? " []" : "") + "\n";
            for (const Json& element : item) {
                if (element.is_null()) {
                    out += indent + "  - null\n";
                    continue;
                }
                out += indent + "  - " +
                       (element.contains("class") ? element["class"].get<std::string>() : "") +
                       "\n";
                Text(element, indent + "    ", out);
            }
        } else {
            out += indent + key + ": " + Scalar(item) + "\n";
        }
    }
}

}  // namespace

int RunDump(const Options& options) {
    Loaded loaded(options.file);
    if (!loaded.Readable()) return Unreadable(loaded, options);
    MsgCandidates candidates;
    CheckFile(loaded, &candidates);
    loaded.BuildModels();
    Json protocols = Json::array();
    for (LoadedProtocol& protocol : loaded.Protocols())
        if (!options.hasProtocol || protocol.type == options.protocol)
            protocols.push_back(ProtocolJson(protocol, candidates));
    Json dump = {
        {"schema", "eventconfig-dump/1"}, {"file", options.file}, {"protocols", protocols}};
    if (options.format == "json") {
        std::cout << dump.dump(2) << "\n";
    } else {
        std::string out;
        for (const Json& protocol : protocols) {
            out += "protocol " + std::to_string(protocol["protocolType"].get<int>()) + "\n";
            Text(protocol, "  ", out);
        }
        std::cout << out;
    }
    return kClean;
}

}  // namespace ectool
