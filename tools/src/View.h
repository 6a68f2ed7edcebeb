#pragma once

// One operation or action as the engine sees it: its class, type id, info
// text and the value of every getter, plus the ids it names (for the
// reference checks). Membership tests (InMsgList and the like) are shown as
// the ids, among those the caller offers, for which they answer 1.

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

class COperationTypeConfig;
class CActionConfig;

namespace ectool {

typedef nlohmann::ordered_json Json;

struct NamedIds {
    std::vector<int> eventStates;
    std::vector<int> rules;
    int ruleEventState = -1;  // the event state the rules belong to, when named; -1: the rule's own
    bool hasRuleEventState = false;
    std::vector<int> sysStates;
    std::vector<int> events;
    std::vector<int> msgs;
};

struct ObjectView {
    std::string className;
    int typeId = 0;
    std::string info;
    Json getters = Json::object();
    NamedIds named;
};

std::string ClassNameOf(const COperationTypeConfig& op);
std::string ClassNameOf(const CActionConfig& action);

ObjectView ViewOperation(COperationTypeConfig& op, const std::vector<int>& msgCandidates);
ObjectView ViewAction(CActionConfig& action, const std::vector<int>& msgCandidates);

}  // namespace ectool
