#include "operations/OperationRegistry.h"

#include "eventconfig/operations/ComparisonOperations.h"
#include "eventconfig/operations/CountingOperations.h"
#include "eventconfig/operations/FieldCheckOperations.h"
#include "eventconfig/operations/InitialFieldOperations.h"
#include "eventconfig/operations/TimerOperations.h"
#include "reading/Registry.h"

namespace {

#define OPERATION_KIND(id, cls, shape) ECFG_KIND(COperationTypeConfig, id, cls, shape)

// Every operation kind, one line each, in registration order (32 before 31,
// 34 before 33). Adding a kind is adding its line here.
const ecfg::KindEntry<COperationTypeConfig> kOperationKinds[] = {
    OPERATION_KIND(0, COperationTypeConfig, "Operation Type, Info; no children read"),
    OPERATION_KIND(1, COptStartTimerConfig, "1st child text: time limit (dec)"),
    OPERATION_KIND(2, COptStartTimerAndWaitMsgConfig,
                   "1st child text: time (dec); 2nd child text: msg id (hex)"),
    OPERATION_KIND(3, COptStartCounterAndWaitMsgConfig,
                   "\"Count\" text (dec); \"MsgList\" children: msg ids (hex, empty as 0)"),
    OPERATION_KIND(4, COptWaitMsgConfig, "children: msg ids (hex, empty as 0)"),
    OPERATION_KIND(5, COptWaitLogConfig, "child \"FieldID\" text (hex)"),
    OPERATION_KIND(6, COptFieldEqualConfig,
                   "1st child: msg id (hex); 2nd child: Name, Length, StartOffset; its children: "
                   "values (lower-cased)"),
    OPERATION_KIND(7, COptFieldNotEqualConfig, "as 6"),
    OPERATION_KIND(
        8, COptFieldGreatConfig,
        "1st child's children: msg ids (hex, empty skipped); 2nd child: Name, Value (dec)"),
    OPERATION_KIND(9, COptFieldBellowConfig, "as 8"),
    OPERATION_KIND(10, COptFieldExistConfig, "as 6; 1st child also as msg id list (hex / list)"),
    OPERATION_KIND(11, COptFieldNotExistConfig, "as 10"),
    OPERATION_KIND(
        12, COptFieldCmpConfig,
        "\"Source\" then \"Destination\", each: child \"MsgID\" (hex), child \"Field\" Name"),
    OPERATION_KIND(13, COptInitialFieldUnEqualConfig,
                   "\"InitialMsg\" and \"ReceiveMsg\", each: Name, Length, StartOffset; its "
                   "children: msg ids (hex)"),
    OPERATION_KIND(14, COptInitialFieldEqualConfig, "as 13"),
    OPERATION_KIND(15, COptInitFieldGreatOrEqual, "as 13; of \"InitialMsg\" only Name"),
    OPERATION_KIND(
        16, COptInitFieldBellowSumOfFields,
        "\"InitialMsg\" ID (hex); its children: summed field Names; \"ReceiveMsg\" as 13"),
    OPERATION_KIND(17, COptInitFieldEqualWithOneRecvValue, "as 13"),
    OPERATION_KIND(18, COptLogInitFieldEqualWithMsgField,
                   "\"InitialField\" ID (hex); \"ReceiveMsg\" Name, Length, StartOffset; its "
                   "children: msg ids (hex)"),
    OPERATION_KIND(19, COptWaitLog_FieldEqualConfig,
                   "\"Field\" ID (hex); its children: values (as written, empty skipped)"),
    OPERATION_KIND(20, COptLogInitFieldUnEqualMsgFieldConfig, "as 18"),
    OPERATION_KIND(21, COptLogInitFieldEqualMultiMsgFieldConfig,
                   "\"InitialField\" ID (hex); \"ReceiveMsg\" holding \"MsgList\" (\"ID\" "
                   "children, hex) and \"MsgFieldList\" (children: Name, Length, StartOffset)"),
    OPERATION_KIND(22, COptLogInitFieldUnEqualMultiMsgFieldConfig, "as 21"),
    OPERATION_KIND(23, COptWaitEventConfig, "children: event ids (dec, empty as 0)"),
    OPERATION_KIND(24, COptMsgFreqEqualLogFreqConfig,
                   "\"InitialField\" ID (hex), IsFreq; \"ReceiveMsg\" Name, StartSearchTag, "
                   "EndSearchTag, StartOffset; its children: msg ids (hex)"),
    OPERATION_KIND(25, COptMsgFreqUnEqualLogFreqConfig, "as 24"),
    OPERATION_KIND(26, COptCalcLogFieldNum, "\"Field\" ID (hex), MinNum, MaxNum (or \"Infin\")"),
    OPERATION_KIND(27, COptMsgSatisFieldCount_GE,
                   "\"Msg\" ID (hex / list); its \"Field\" Name, StartSearchTag, EndSearchTag, "
                   "StartOffset, NeedMeetedNum; its children: candidate values (lower-cased)"),
    OPERATION_KIND(28, COptMsgSatisFieldCount_BE, "as 27"),
    OPERATION_KIND(29, COptMsgSatisFieldCount_Equal, "as 27; NeedMeetedNum may be \"all\""),
    OPERATION_KIND(30, COptMsgSatisFieldCount_UnEqual, "as 27"),
    OPERATION_KIND(32, COptMsgFieldEqualRuleInitConfig,
                   "\"Msg\" ID (hex / list), ReverseFind; its \"Field\" Name (lower-cased), "
                   "StartSearchTag, EndSearchTag, StartOffset"),
    OPERATION_KIND(31, COptMsgFieldUnEqualRuleInitConfig, "as 32"),
    OPERATION_KIND(34, COptMsgFieldEqualLogFieldInitConfig,
                   "\"InitialField\" ID (hex); \"Msg\" ID (hex / list); its \"Field\" Name, "
                   "StartSearchTag, EndSearchTag, StartOffset"),
    OPERATION_KIND(33, COptMsgFieldUnEqualLogFieldInitConfig,
                   "\"InitialField\" ID (hex); then as 32"),
    OPERATION_KIND(35, COptMsgFieldCountGEConfig,
                   "\"Msg\" ID (hex / list); its \"Field\" Name, StartSearchTag, EndSearchTag, "
                   "StartOffset, NeedMeetedNum"),
    OPERATION_KIND(
        36, COptMsgFieldFollowedBySomeFieldConfg,
        "\"Msg\" ID (hex / list); its \"KeyField\" Name; its children: contained field names"),
    OPERATION_KIND(37, COptPSCAndRLNumNotChangeCofnig,
                   "\"MsgList\" children: msg ids (hex); \"MsgField\" holding \"RadioLink\" and "
                   "\"PSC\", each FieldName, MetaInfoName"),
    OPERATION_KIND(38, COptMsgFieldCountEqualConfig, "as 35"),
    OPERATION_KIND(39, COptLogFieldEqualRecordedConfig, "\"Field\" ID (hex), IsFreq"),
    OPERATION_KIND(40, COptLogFieldUnEqualRecordedConfig, "as 39"),
    OPERATION_KIND(41, COptMsgFreqEqualLogFreq_OrLogNotExistConfig, "as 24"),
    OPERATION_KIND(42, COptStartTimer_By_MsgField_Config,
                   "1st child: msg ids (hex / list); 2nd child: Name, Length, StartOffset; 3rd "
                   "child text: added time (dec)"),
    OPERATION_KIND(43, COptTwoFieldValuesEqual_Config,
                   "child \"SrcField\" text (hex); child \"DesField\" text (hex)"),
    OPERATION_KIND(44, COptInitLogFieldBelongFieldConfig,
                   "\"InitialField\" ID (hex); \"Field\" ID (hex)"),
};

typedef ecfg::ProcessInstance<COperationTypeConfigFactory> Instance;

}  // namespace

COperationTypeConfigFactory::COperationTypeConfigFactory()
    : PrototypeRegistry(kOperationKinds, [](const COperationTypeConfig& prototype) {
          return prototype.GetOperationType();
      }) {}

COperationTypeConfigFactory* COperationTypeConfigFactory::GetInstance() {
    return Instance::Get();
}

void COperationTypeConfigFactory::Release() {
    Instance::Release();
}

const std::vector<EventConfigKindInfo>& EventConfigOperationKinds() {
    static const std::vector<EventConfigKindInfo> kinds = ecfg::KindInfos(kOperationKinds);
    return kinds;
}
