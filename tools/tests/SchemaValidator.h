#pragma once

// The part of JSON Schema that docs/dump-schema.json uses: type, const,
// properties, required, additionalProperties, items, anyOf and local $ref.

#include <nlohmann/json.hpp>
#include <string>

namespace tooltest {

class SchemaValidator {
public:
    explicit SchemaValidator(nlohmann::json schema) : m_root(std::move(schema)) {}

    // Empty when the value is valid; otherwise where and why it is not.
    std::string Validate(const nlohmann::json& value) const { return Check(m_root, value, "$"); }

private:
    const nlohmann::json& Resolve(const nlohmann::json& schema) const {
        if (!schema.contains("$ref")) return schema;
        std::string ref = schema["$ref"].get<std::string>();  // "#/$defs/name"
        return Resolve(m_root["$defs"][ref.substr(ref.rfind('/') + 1)]);
    }

    static bool IsType(const nlohmann::json& value, const std::string& type) {
        if (type == "object") return value.is_object();
        if (type == "array") return value.is_array();
        if (type == "string") return value.is_string();
        if (type == "integer") return value.is_number_integer();
        if (type == "null") return value.is_null();
        return false;
    }

    std::string Check(const nlohmann::json& raw, const nlohmann::json& value,
                      const std::string& at) const {
        const nlohmann::json& schema = Resolve(raw);
        if (schema.contains("const") && schema["const"] != value)
            return at + ": not " + schema["const"].dump();
        if (schema.contains("type") && !IsType(value, schema["type"].get<std::string>()))
            return at + ": not of type " + schema["type"].get<std::string>();
        if (schema.contains("anyOf")) {
            for (const auto& option : schema["anyOf"])
                if (Check(option, value, at).empty()) return "";
            return at + ": matches none of anyOf";
        }
        if (value.is_object()) {
            if (schema.contains("required"))
                for (const auto& name : schema["required"])
                    if (!value.contains(name.get<std::string>()))
                        return at + ": lacks " + name.get<std::string>();
            for (auto it = value.begin(); it != value.end(); ++it) {
                const std::string path = at + "." + it.key();
                if (schema.contains("properties") && schema["properties"].contains(it.key())) {
                    std::string error = Check(schema["properties"][it.key()], it.value(), path);
                    if (!error.empty()) return error;
                } else if (schema.contains("additionalProperties")) {
                    const auto& extra = schema["additionalProperties"];
                    if (extra.is_boolean() && !extra.get<bool>()) return path + ": not allowed";
                    if (extra.is_object()) {
                        std::string error = Check(extra, it.value(), path);
                        if (!error.empty()) return error;
                    }
                }
            }
        }
        if (value.is_array() && schema.contains("items"))
            for (std::size_t i = 0; i < value.size(); ++i) {
                std::string error =
                    Check(schema["items"], value[i], at + "[" + std::to_string(i) + "]");
                if (!error.empty()) return error;
            }
        return "";
    }

    nlohmann::json m_root;
};

}  // namespace tooltest
