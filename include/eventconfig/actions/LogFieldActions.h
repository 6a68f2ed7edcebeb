#pragma once

#include <map>
#include <string>
#include <vector>

#include "eventconfig/Owned.h"
#include "eventconfig/actions/ActionConfig.h"
#include "eventconfig/messages/MsgConfig.h"

// ---- Log field updated from located message fields (26, 37, 27) -------------

// "LogField" ("ID", hex), then "Msg" ("ReverseFind") holding reverse tag-form
// "Field" locators, kept by lower-cased name. The fields are owned and copied
// deeply.
class EVENTCONFIG_API CActLogFieldLocatorMapConfig : public CActionConfig {
public:
    int GetToUpdateFieldID() { return m_nToUpdateFieldID; }
    // The pointers stay owned by the action.
    std::map<std::wstring, CMessageFieldConfig*> GetMsgFieldConfigList() {
        return m_mapMsgFieldConfig.get();
    }
    int NeededReverseFind() { return m_nReverseFind; }

protected:
    enum class FieldRead {
        // Every "Field", with "EventInfoName"; only "Name" lower-cased.
        EveryWithEventInfo,
        // Exactly one entry (from empty attributes when there is no "Field");
        // "Name" and both tags lower-cased.
        OneLowered
    };
    explicit CActLogFieldLocatorMapConfig(Action_Type_Enum type);
    CActLogFieldLocatorMapConfig(const ecfg::XmlSource& source, Action_Type_Enum type,
                                 FieldRead read);

private:
    int m_nToUpdateFieldID = -1;
    OwnedPtrMap<std::wstring, CMessageFieldConfig> m_mapMsgFieldConfig;
    int m_nReverseFind = 0;
};

class EVENTCONFIG_API CAct_UpdateLogFieldConfig : public CActLogFieldLocatorMapConfig {
public:
    CAct_UpdateLogFieldConfig();
    explicit CAct_UpdateLogFieldConfig(std::wstring subDoc);
    explicit CAct_UpdateLogFieldConfig(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;
};

class EVENTCONFIG_API CAct_UpdateLogField_ForEventInfo_Config
    : public CActLogFieldLocatorMapConfig {
public:
    CAct_UpdateLogField_ForEventInfo_Config();
    explicit CAct_UpdateLogField_ForEventInfo_Config(std::wstring subDoc);
    explicit CAct_UpdateLogField_ForEventInfo_Config(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;
};

class EVENTCONFIG_API CAct_DelValueOfLogFieldConfig : public CActLogFieldLocatorMapConfig {
public:
    CAct_DelValueOfLogFieldConfig();
    explicit CAct_DelValueOfLogFieldConfig(std::wstring subDoc);
    explicit CAct_DelValueOfLogFieldConfig(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;
};

// ---- Log field from a rule's initial field (28) -----------------------------

// "LogField" ("ID", hex), then "RuleInitial" ("FieldName", lower-cased).
class EVENTCONFIG_API CActUpdateLogFieldByRuleInit : public CActionConfig {
public:
    CActUpdateLogFieldByRuleInit();
    explicit CActUpdateLogFieldByRuleInit(std::wstring subDoc);
    explicit CActUpdateLogFieldByRuleInit(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;

    int GetFieldID() { return m_nFieldID; }
    std::wstring GetFieldName() { return m_strFieldName; }

private:
    int m_nFieldID = 0;
    std::wstring m_strFieldName;
};

// ---- Log field B from log field A (38, 39) ----------------------------------

// Children "LogFieldSrc" and "LogFieldDes" (texts, hex); an absent one leaves
// its id at -1.
class EVENTCONFIG_API CActLogFieldPairConfig : public CActionConfig {
public:
    int GetSrcFieldID() { return m_nSrcFieldID; }
    int GetDesFieldID() { return m_nDesFieldID; }

protected:
    explicit CActLogFieldPairConfig(Action_Type_Enum type);
    explicit CActLogFieldPairConfig(const ecfg::XmlSource& source);

private:
    int m_nSrcFieldID = -1;
    int m_nDesFieldID = -1;
};

class EVENTCONFIG_API CAct_UpdateLogField_B_From_A_Config : public CActLogFieldPairConfig {
public:
    CAct_UpdateLogField_B_From_A_Config();
    explicit CAct_UpdateLogField_B_From_A_Config(std::wstring subDoc);
    explicit CAct_UpdateLogField_B_From_A_Config(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;
};

class EVENTCONFIG_API CAct_DelLogFieldValue_B_By_A_Config : public CActLogFieldPairConfig {
public:
    CAct_DelLogFieldValue_B_By_A_Config();
    explicit CAct_DelLogFieldValue_B_By_A_Config(std::wstring subDoc);
    explicit CAct_DelLogFieldValue_B_By_A_Config(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;
};

// ---- One log field id (17, 18) ----------------------------------------------

// "FieldID" (text, hex).
class EVENTCONFIG_API CActLogFieldIDConfig : public CActionConfig {
public:
    int GetFieldID() { return m_nFieldID; }

protected:
    explicit CActLogFieldIDConfig(Action_Type_Enum type);
    explicit CActLogFieldIDConfig(const ecfg::XmlSource& source);

private:
    int m_nFieldID = 0;
};

class EVENTCONFIG_API CActInitLogCodeFieldConfig : public CActLogFieldIDConfig {
public:
    CActInitLogCodeFieldConfig();
    explicit CActInitLogCodeFieldConfig(std::wstring subDoc);
    explicit CActInitLogCodeFieldConfig(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;
};

class EVENTCONFIG_API CActDelInitialLogFieldConfig : public CActLogFieldIDConfig {
public:
    CActDelInitialLogFieldConfig();
    explicit CActDelInitialLogFieldConfig(std::wstring subDoc);
    explicit CActDelInitialLogFieldConfig(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;
};

// ---- Message fields saved under a name (4, 13) ------------------------------

// "Msg" carrying a fixed-position locator ("Name" as written, "Length",
// "StartOffset"), one child per message id (hex text, any name).
class EVENTCONFIG_API CActInitMsgFieldConfig : public CActionConfig {
public:
    CActInitMsgFieldConfig();
    explicit CActInitMsgFieldConfig(std::wstring subDoc);
    explicit CActInitMsgFieldConfig(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;

    int InMsgIDList(int id);
    std::wstring GetToSaveFieldName() { return m_strToSaveFieldName; }
    int GetLength() const { return m_nLength; }
    int GetOffset() const { return m_nOffset; }

private:
    std::vector<int> m_vecMsgIDList;
    std::wstring m_strToSaveFieldName;
    int m_nLength = 0;
    int m_nOffset = 0;
};

// "Msg" ("ID", hex), one child per field to add ("Name", "Length",
// "StartOffset"). The records are owned and copied deeply.
class EVENTCONFIG_API CActSaveSumOfMsgFieldsConfig : public CActionConfig {
public:
    CActSaveSumOfMsgFieldsConfig();
    explicit CActSaveSumOfMsgFieldsConfig(const std::wstring& subDoc);
    explicit CActSaveSumOfMsgFieldsConfig(const ecfg::XmlSource& source);
    CActionConfig* Clone(std::wstring subDoc) override;

    int GetMsgID() const { return m_nMsgID; }
    // The records stay owned by the action.
    std::vector<MsgFieldConfig*> GetAddFieldList() const { return m_vecAddFieldList.get(); }

private:
    int m_nMsgID = -1;
    OwnedPtrVector<MsgFieldConfig> m_vecAddFieldList;
};
