// A kind built by a rule, from its element read in place, against the same
// element handed to the registry as a text: same class, same values.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <typeinfo>
#include <vector>

#include "actions/ActionRegistry.h"
#include "actions/ProtocolSwitchMode.h"
#include "eventconfig/EventConfig.h"
#include "operations/OperationRegistry.h"
#include "reading/Reading.h"

using ecfg::XmlReader;

namespace {

std::wstring Ids(const std::vector<int>& ids) {
    std::wstring out = L"[";
    for (int id : ids) out += std::to_wstring(id) + L",";
    return out + L"]";
}

std::wstring Texts(const std::vector<std::wstring>& texts) {
    std::wstring out = L"[";
    for (const std::wstring& text : texts) out += text + L",";
    return out + L"]";
}

std::wstring Fields(const std::map<std::wstring, CMessageFieldConfig*>& fields) {
    std::wstring out = L"{";
    for (const auto& entry : fields) {
        const CMessageFieldConfig& f = *entry.second;
        out += entry.first + L"=" + f.GetKeyWordName() + L"/" + std::to_wstring(f.GetOffset()) +
               L"/" + f.GetStartSearchTag() + L"/" + f.GetEndSearchTag() + L"/" +
               f.GetEventInfoName() + L",";
    }
    return out + L"}";
}

template <class Record>
std::wstring Records(const std::vector<Record*>& records) {
    std::wstring out = L"[";
    for (const Record* r : records)
        out += r->strName + L"/" + std::to_wstring(r->nLength) + L"/" +
               std::to_wstring(r->nStartOffset) + L",";
    return out + L"]";
}

std::wstring Num(int value) {
    return std::to_wstring(value);
}

// The class, type and info every kind has.
template <class Base>
std::wstring Header(Base& object, int type, const std::wstring& info) {
    const std::string name = typeid(object).name();
    return std::wstring(name.begin(), name.end()) + L"|" + Num(type) + L"|" + info;
}

// Appends describe(kind) when the object is of that kind (or built on it).
template <class Kind, class Base, class Describe>
void Add(Base* object, std::wstring& out, Describe describe) {
    if (Kind* kind = dynamic_cast<Kind*>(object)) out += L"|" + describe(*kind);
}

// The class, type and info of every kind, and the other getters of a
// handful of shapes: id lists, locator maps and message-field lists.
std::wstring Values(COperationTypeConfig* op) {
    if (!op) return L"none";
    std::wstring out = Header(*op, op->GetOperationType(), op->GetOperationInfo());
    Add<COptCheckFieldConfig>(op, out, [](COptCheckFieldConfig& k) {
        return Num(k.GetMsgID()) + k.GetFieldName() + Num(k.GetFieldLength()) + Num(k.GetOffset()) +
               Texts(k.GetValueList());
    });
    Add<COptStartTimer_By_MsgField_Config>(op, out, [](COptStartTimer_By_MsgField_Config& k) {
        return Ids(k.GetMsgIDs()) + k.GetFieldName() + Num(k.GetFieldLength()) +
               Num(k.GetOffset()) + Num(k.GetAddedTime());
    });
    Add<ecfg::InitialMsgFieldShape>(op, out, [](ecfg::InitialMsgFieldShape& k) {
        return Ids(k.GetInitialMsgID()) + k.GetInitialKeywordName() + k.GetKeywordName() +
               Num(k.GetLength()) + Num(k.GetOffset());
    });
    Add<COptInitFieldBellowSumOfFields>(op, out, [](COptInitFieldBellowSumOfFields& k) {
        return Num(k.GetInitialMsgID()) + Texts(k.GetSumOfFieldsList()) +
               Ids(k.GetReceiveMsgList()) + k.GetKeywordName() + Num(k.GetLength()) +
               Num(k.GetOffset());
    });
    Add<ecfg::LogInitMultiMsgFieldShape>(op, out, [](ecfg::LogInitMultiMsgFieldShape& k) {
        return Num(k.GetFieldID()) + Records(k.GetMsgFieldList());
    });
    Add<ecfg::MsgFieldRuleInitShape>(op, out, [](ecfg::MsgFieldRuleInitShape& k) {
        return Fields(k.GetMsgFieldConfigList()) + Num(k.NeededReverseFind());
    });
    Add<COptMsgFieldUnEqualLogFieldInitConfig>(
        op, out, [](COptMsgFieldUnEqualLogFieldInitConfig& k) {
            return Num(k.GetInitialFieldID()) + Fields(k.GetMsgFieldConfigList()) +
                   Num(k.NeededReverseFind());
        });
    Add<ecfg::MsgSatisFieldCountShape>(op, out, [](ecfg::MsgSatisFieldCountShape& k) {
        return k.GetKeywordName() + Num(k.GetOffset()) + k.GetStartSearchTag() +
               k.GetEndSearchTag() + Num(k.GetNeedMeetedNum()) + Texts(k.GetCandidateValue());
    });
    Add<COptWaitEventConfig>(op, out,
                             [](COptWaitEventConfig& k) { return Ids(k.GetEventIDList()); });
    return out;
}

std::wstring Values(CActionConfig* action) {
    if (!action) return L"none";
    std::wstring out = Header(*action, action->GetActionType(), action->GetActionInfo());
    Add<CActTranEventStateConfig>(
        action, out, [](CActTranEventStateConfig& k) { return Ids(k.GetToTranEventStateList()); });
    Add<CActAcitveRulesConfig>(
        action, out, [](CActAcitveRulesConfig& k) { return Ids(k.GetToActiveRulesList()); });
    Add<CActLogFieldLocatorMapConfig>(action, out, [](CActLogFieldLocatorMapConfig& k) {
        return Num(k.GetToUpdateFieldID()) + Fields(k.GetMsgFieldConfigList()) +
               Num(k.NeededReverseFind());
    });
    Add<CActRuleFieldRecordConfig>(action, out, [](CActRuleFieldRecordConfig& k) {
        std::vector<int> rules;
        k.GetRuleIDList(rules);
        return Ids(rules) + Fields(k.GetMsgFieldConfigList());
    });
    Add<CActSwitchProtocol>(action, out, [](CActSwitchProtocol& k) {
        return Num(k.GetProtocol()) + Num(k.GetSysID()) + Ids(k.GetNeedActiveList()) +
               Ids(k.GetNeedInactiveList());
    });
    Add<CActSaveSumOfMsgFieldsConfig>(action, out, [](CActSaveSumOfMsgFieldsConfig& k) {
        return Num(k.GetMsgID()) + Records(k.GetAddFieldList());
    });
    Add<CActGenEventWithLogFieldInfo>(action, out, [](CActGenEventWithLogFieldInfo& k) {
        return Num(k.GetEventID()) + k.GetInfoName() + Num(k.GetLogFieldID());
    });
    Add<CAct_EnterIntoProtocalSwitchModeConfig>(action, out,
                                                [](CAct_EnterIntoProtocalSwitchModeConfig& k) {
                                                    return Ids(k.GetRunningWaitingEventStateList());
                                                });
    return out;
}

// The type ids of the kinds compared.
struct Seen {
    std::set<int> operations;
    std::set<int> actions;
};

// The rule's operation and actions against the ones the registry makes from
// the texts of the rule's elements, selected as the rule selects them.
void ExpectBuiltAlike(CRuleConfig& rule, const std::wstring& ruleText, Seen& seen) {
    SCOPED_TRACE(std::string(ruleText.begin(), ruleText.end()));
    XmlReader reader(ruleText);
    reader.Find();
    reader.Into();
    reader.Find(L"Operation");
    std::unique_ptr<COperationTypeConfig> operation(
        COperationTypeConfigFactory::GetInstance()->CreateOperation(reader.SubDoc()));
    EXPECT_EQ(Values(rule.GetOperationType()), Values(operation.get()));
    if (operation) seen.operations.insert(operation->GetOperationType());

    std::vector<std::unique_ptr<CActionConfig>> lists[2];
    reader.Find(L"ActionList");
    reader.EachChild(L"Result", [&] {
        const bool isTrue = reader.AttrIs(L"Type", L"TRUE");
        if (!isTrue && !reader.AttrIs(L"Type", L"FALSE")) return;
        reader.EachChild(L"Action", [&] {
            lists[isTrue ? 0 : 1].emplace_back(
                CActionTypeFactory::GetInstance()->CreateAction(reader.SubDoc()));
        });
    });
    const std::vector<CActionConfig*>* built[2] = {&rule.GetTrueActionList(),
                                                   &rule.GetFalseActionList()};
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(built[i]->size(), lists[i].size());
        for (std::size_t a = 0; a < lists[i].size(); ++a) {
            EXPECT_EQ(Values((*built[i])[a]), Values(lists[i][a].get()));
            if (lists[i][a]) seen.actions.insert(lists[i][a]->GetActionType());
        }
    }
}

// Every rule of the bundled example, read in place from the whole document
// as the model's levels read it; and rules the example lacks: the base kinds,
// a missing operation, an unregistered action type, and a text that is not
// well-formed (read from a copy, not through the index).
TEST(KindSource, RulesBuildTheKindsTheRegistryBuildsFromText) {
    CEventConfig root(EVENTCONFIG_SOURCE_DIR L"/examples/EventConfig.xml");
    const std::wstring doc = root.GetEventConfig();
    ASSERT_FALSE(doc.empty());
    Seen seen;
    XmlReader walk(doc);
    int depth = 0, rules = 0;
    for (;;) {
        if (walk.Find()) {
            const std::wstring sub = walk.SubDoc();
            if (sub.compare(0, 6, L"<Rule ") == 0) {
                CRuleConfig rule(walk);
                ExpectBuiltAlike(rule, sub, seen);
                ++rules;
            }
            walk.Into();
            ++depth;
        } else if (depth > 0) {
            walk.Out();
            --depth;
        } else {
            break;
        }
    }
    EXPECT_GT(rules, 40);

    const wchar_t* const extra[] = {
        L"<Rule ID='1'><Operation Type='0' Info='i'/><ActionList><Result Type='FALSE'>"
        L"<Action Type='0' Info='a'/><Action Type='8'/></Result></ActionList></Rule>",
        L"<Rule ID='2'><ActionList><Result Type='TRUE'><Action Type='6'><S>4</S></Action>"
        L"</Result><Result Type='x'><Action Type='1'/></Result></ActionList></Rule>",
        L"<Rule ID='3'><Operation Type='6' Info='i'><MsgID>1A</MsgID><Field Name='F' "
        L"Length='1' StartOffset='2'><V>A</V></Operation><ActionList><Result Type='TRUE'>"
        L"<Action Type='4' Info='b'><Msg Name='n' Length='1' StartOffset='0'><ID>1F</ID></Msg>"
        L"</Action><Action Type='1'><EventID>3</Action></Result></ActionList></Rule>",
    };
    for (const wchar_t* text : extra) {
        CRuleConfig rule{std::wstring(text)};
        ExpectBuiltAlike(rule, text, seen);
    }

    // Every registered kind was among them.
    for (int id : COperationTypeConfigFactory::GetInstance()->GetRegisteredTypes())
        EXPECT_EQ(seen.operations.count(id), 1u) << "operation " << id;
    for (int id : CActionTypeFactory::GetInstance()->GetRegisteredTypes())
        EXPECT_EQ(seen.actions.count(id), 1u) << "action " << id;
}

}  // namespace
