#include "eventconfig/model/SystemStateConfig.h"

#include <algorithm>

#include "model/StateLists.h"

CSystemStateConfig::CSystemStateConfig() : m_nSystemStateID(-1) {}

CSystemStateConfig::CSystemStateConfig(const std::wstring& subDoc) : CSystemStateConfig() {
    ecfg::XmlReader reader(subDoc);
    reader.Find();
    Read(reader);
}

CSystemStateConfig::CSystemStateConfig(ecfg::XmlReader& element) : CSystemStateConfig() {
    ecfg::ReadCurrentElement(element, [this](ecfg::XmlReader& reader) { Read(reader); });
}

void CSystemStateConfig::Read(ecfg::XmlReader& reader) {
    m_nSystemStateID = reader.AttrDec(L"ID");
    m_strSystemStateName = reader.Attr(L"Name");
    reader.Into();
    ecfg::ReadMsgList(reader, m_mapMsgList);
    ecfg::ReadLogFieldList(reader, [&](int id) {
        m_vecLogFieldList.push_back(id);
        m_mapLogFieldCanActiveSysState[id] = reader.AttrDec(L"CanActiveSysState");
    });
    ecfg::ReadEventStateList(reader, m_mapEventStateList);
    reader.Out();
}

CSystemStateConfig::~CSystemStateConfig() {
    m_mapMsgList.clear();
    m_mapEventStateList.clear();
}

int CSystemStateConfig::IsInMsgList(int msgID) {
    return m_mapMsgList.contains(msgID) ? 1 : 0;
}

int CSystemStateConfig::IsInLogFieldList(int logFieldID) {
    return ecfg::InList(m_vecLogFieldList, logFieldID);
}

int CSystemStateConfig::GetLogFiedCanActiveSysState(int logFieldID) {
    auto it = m_mapLogFieldCanActiveSysState.find(logFieldID);
    return it == m_mapLogFieldCanActiveSysState.end() ? 0 : it->second;
}

void CSystemStateConfig::GetLogFieldList(std::vector<int>& logFields) {
    logFields = m_vecLogFieldList;
}
