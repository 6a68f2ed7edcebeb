#include <climits>
#include <typeinfo>

#include "ViewHelpers.h"

namespace ectool {

using namespace view;

ObjectView ViewOperation(COperationTypeConfig& op, const std::vector<int>& msgs) {
    ObjectView v = NewView(op, op.GetOperationType(), op.GetOperationInfo());
    Json& g = v.getters;
    std::vector<int>& named = v.named.msgs;
    // A membership test, shown as the offered ids it accepts.
    auto members = [&](const char* getter, auto test) {
        std::vector<int> ids = Members(msgs, test);
        g[getter] = ids;
        Append(named, ids);
    };
    auto msg = [&](const char* getter, int id) {
        g[getter] = id;
        named.push_back(id);
    };
    bool done = false;
    done = done || As<COptFieldEqualConfig, COptFieldNotEqualConfig, COptFieldExistConfig,
                      COptFieldNotExistConfig>(op, [&](auto& o) {
               msg("GetMsgID", o.GetMsgID());
               g["GetFieldName"] = Utf8(o.GetFieldName());
               g["GetFieldLength"] = o.GetFieldLength();
               g["GetOffset"] = o.GetOffset();
               g["GetValueList"] = Strings(o.GetValueList());
           });
    As<COptFieldExistConfig, COptFieldNotExistConfig>(
        op, [&](auto& o) { members("InMsgList", [&](int id) { return o.InMsgList(id); }); });
    done = done ||
           As<COptFieldGreatConfig, COptFieldBellowConfig>(
               op,
               [&](auto& o) {
                   members("InMsgList", [&](int id) { return o.InMsgList(id); });
                   g["GetFieldName"] = Utf8(o.GetFieldName());
                   g["GetIEValue"] = o.GetIEValue();
               }) ||
           As<COptFieldCmpConfig>(op,
                                  [&](auto& o) {
                                      msg("GetSrcMsgID", o.GetSrcMsgID());
                                      g["GetSrcFieldName"] = Utf8(o.GetSrcFieldName());
                                      msg("GetDesMsgID", o.GetDesMsgID());
                                      g["GetDesFieldName"] = Utf8(o.GetDesFieldName());
                                  }) ||
           As<COptTwoFieldValuesEqual_Config>(op, [&](auto& o) {
               g["GetSrcFieldID"] = o.GetSrcFieldID();
               g["GetDesFieldID"] = o.GetDesFieldID();
           });
    done =
        done ||
        As<COptStartTimerConfig>(op, [&](auto& o) { g["GetTimeLimited"] = o.GetTimeLimited(); }) ||
        As<COptStartTimerAndWaitMsgConfig>(op,
                                           [&](auto& o) {
                                               g["GetTime"] = o.GetTime();
                                               msg("GetMsgID", o.GetMsgID());
                                           }) ||
        As<COptStartCounterAndWaitMsgConfig>(op,
                                             [&](auto& o) {
                                                 g["GetCount"] = o.GetCount();
                                                 members("InMsgList",
                                                         [&](int id) { return o.InMsgList(id); });
                                             }) ||
        As<COptWaitMsgConfig>(
            op, [&](auto& o) { members("InMsgList", [&](int id) { return o.InMsgList(id); }); }) ||
        As<COptWaitLogConfig>(op,
                              [&](auto& o) { g["GetLogCodeFieldID"] = o.GetLogCodeFieldID(); }) ||
        As<COptWaitLog_FieldEqualConfig>(op,
                                         [&](auto& o) {
                                             g["GetFieldID"] = o.GetFieldID();
                                             g["GetValueList"] = Strings(o.GetValueList());
                                         }) ||
        As<COptWaitEventConfig>(op,
                                [&](auto& o) {
                                    g["GetEventIDList"] = o.GetEventIDList();
                                    Append(v.named.events, o.GetEventIDList());
                                }) ||
        As<COptStartTimer_By_MsgField_Config>(op, [&](auto& o) {
            g["GetMsgIDs"] = o.GetMsgIDs();
            Append(named, o.GetMsgIDs());
            g["GetFieldName"] = Utf8(o.GetFieldName());
            g["GetFieldLength"] = o.GetFieldLength();
            g["GetOffset"] = o.GetOffset();
            g["GetAddedTime"] = o.GetAddedTime();
        });
    done =
        done || As<COptInitialFieldUnEqualConfig, COptInitialFieldEqualConfig,
                   COptInitFieldEqualWithOneRecvValue, COptInitFieldGreatOrEqual>(op, [&](auto& o) {
            members("InReceiveMsgList", [&](int id) { return o.InReceiveMsgList(id); });
            g["GetKeywordName"] = Utf8(o.GetKeywordName());
            g["GetLength"] = o.GetLength();
            g["GetOffset"] = o.GetOffset();
            g["GetInitialMsgID"] = o.GetInitialMsgID();
            Append(named, o.GetInitialMsgID());
            g["GetInitialKeywordName"] = Utf8(o.GetInitialKeywordName());
        });
    As<COptInitialFieldUnEqualConfig, COptInitialFieldEqualConfig,
       COptInitFieldEqualWithOneRecvValue>(op, [&](auto& o) {
        g["GetInitialLength"] = o.GetInitialLength();
        g["GetInitialOffset"] = o.GetInitialOffset();
    });
    As<COptInitFieldGreatOrEqual>(op, [&](auto& o) {
        members("InInitialMsgList", [&](int id) { return o.InInitialMsgList(id); });
    });
    done = done ||
           As<COptInitFieldBellowSumOfFields>(op,
                                              [&](auto& o) {
                                                  msg("GetInitialMsgID", o.GetInitialMsgID());
                                                  g["GetSumOfFieldsList"] =
                                                      Strings(o.GetSumOfFieldsList());
                                                  g["GetReceiveMsgList"] = o.GetReceiveMsgList();
                                                  Append(named, o.GetReceiveMsgList());
                                                  g["GetKeywordName"] = Utf8(o.GetKeywordName());
                                                  g["GetLength"] = o.GetLength();
                                                  g["GetOffset"] = o.GetOffset();
                                              }) ||
           As<COptInitLogFieldBelongFieldConfig>(op, [&](auto& o) {
               g["GetFieldID"] = o.GetFieldID();
               g["GetInitFieldID"] = o.GetInitFieldID();
           });
    done = done ||
           As<COptLogInitFieldEqualWithMsgField, COptLogInitFieldUnEqualMsgFieldConfig>(
               op,
               [&](auto& o) {
                   members("InReceiveMsgList", [&](int id) { return o.InReceiveMsgList(id); });
                   g["GetKeywordName"] = Utf8(o.GetKeywordName());
                   g["GetLength"] = o.GetLength();
                   g["GetOffset"] = o.GetOffset();
                   g["GetFieldID"] = o.GetFieldID();
               }) ||
           As<COptLogInitFieldEqualMultiMsgFieldConfig, COptLogInitFieldUnEqualMultiMsgFieldConfig>(
               op,
               [&](auto& o) {
                   members("InReceiveMsgList", [&](int id) { return o.InReceiveMsgList(id); });
                   g["GetMsgFieldList"] = Records(o.GetMsgFieldList());
                   g["GetFieldID"] = o.GetFieldID();
               }) ||
           As<COptMsgFieldUnEqualRuleInitConfig, COptMsgFieldEqualRuleInitConfig>(
               op,
               [&](auto& o) {
                   members("InMsgList", [&](int id) { return o.InMsgList(id); });
                   g["GetMsgFieldConfigList"] = Locators(o.GetMsgFieldConfigList());
                   g["NeededReverseFind"] = o.NeededReverseFind();
               }) ||
           As<COptMsgFieldUnEqualLogFieldInitConfig>(
               op,
               [&](auto& o) {
                   members("InMsgList", [&](int id) { return o.InMsgList(id); });
                   g["GetMsgFieldConfigList"] = Locators(o.GetMsgFieldConfigList());
                   g["GetInitialFieldID"] = o.GetInitialFieldID();
                   g["NeededReverseFind"] = o.NeededReverseFind();
               }) ||
           As<COptMsgFieldEqualLogFieldInitConfig>(
               op,
               [&](auto& o) {
                   members("InMsgList", [&](int id) { return o.InMsgList(id); });
                   g["GetKeywordName"] = Utf8(o.GetKeywordName());
                   g["GetOffset"] = o.GetOffset();
                   g["GetStartSearchTag"] = Utf8(o.GetStartSearchTag());
                   g["GetEndSearchTag"] = Utf8(o.GetEndSearchTag());
                   g["GetInitialFieldID"] = o.GetInitialFieldID();
               }) ||
           As<COptLogFieldEqualRecordedConfig, COptLogFieldUnEqualRecordedConfig>(op, [&](auto& o) {
               g["GetFieldID"] = o.GetFieldID();
               g["IsFreq"] = o.IsFreq();
           });
    auto tagged = [&](auto& o) {
        members("InMsgList", [&](int id) { return o.InMsgList(id); });
        g["GetKeywordName"] = Utf8(o.GetKeywordName());
        g["GetOffset"] = o.GetOffset();
        g["GetStartSearchTag"] = Utf8(o.GetStartSearchTag());
        g["GetEndSearchTag"] = Utf8(o.GetEndSearchTag());
        g["GetNeedMeetedNum"] = o.GetNeedMeetedNum();
    };
    done = done || As<COptMsgFieldCountGEConfig, COptMsgFieldCountEqualConfig>(op, tagged) ||
           As<COptMsgSatisFieldCount_GE, COptMsgSatisFieldCount_BE, COptMsgSatisFieldCount_Equal,
              COptMsgSatisFieldCount_UnEqual>(op,
                                              [&](auto& o) {
                                                  tagged(o);
                                                  g["GetCandidateValue"] =
                                                      Strings(o.GetCandidateValue());
                                              }) ||
           As<COptMsgFreqEqualLogFreqConfig, COptMsgFreqUnEqualLogFreqConfig,
              COptMsgFreqEqualLogFreq_OrLogNotExistConfig>(
               op,
               [&](auto& o) {
                   g["GetFieldID"] = o.GetFieldID();
                   members("InReceiveMsgList", [&](int id) { return o.InReceiveMsgList(id); });
                   g["GetKeywordName"] = Utf8(o.GetKeywordName());
                   g["GetOffset"] = o.GetOffset();
                   g["GetStartSearchTag"] = Utf8(o.GetStartSearchTag());
                   g["GetEndSearchTag"] = Utf8(o.GetEndSearchTag());
                   g["IsFreqInfo"] = o.IsFreqInfo();
               }) ||
           As<COptCalcLogFieldNum>(op,
                                   [&](auto& o) {
                                       g["GetFieldID"] = o.GetFieldID();
                                   }) ||
           As<COptMsgFieldFollowedBySomeFieldConfg>(
               op,
               [&](auto& o) {
                   members("InMsgList", [&](int id) { return o.InMsgList(id); });
                   g["GetKeyName"] = Utf8(o.GetKeyName());
                   g["GetContainField"] = Strings(o.GetContainField());
               }) ||
           As<COptPSCAndRLNumNotChangeCofnig>(op, [&](auto& o) {
               members("InMsgList", [&](int id) { return o.InMsgList(id); });
               g["GetRLTag"] = Utf8(o.GetRLTag());
               g["GetRLMetaInfoTag"] = Utf8(o.GetRLMetaInfoTag());
               g["GetPSCTag"] = Utf8(o.GetPSCTag());
               g["GetPSCMetaInfoTag"] = Utf8(o.GetPSCMetaInfoTag());
           });
    (void)done;
    (void)msg;
    (void)members;
    return v;
}

}  // namespace ectool
