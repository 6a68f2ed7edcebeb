#pragma once

#include <string>
#include <vector>

#include "eventconfig/config/Platform.h"

// Collects the library's messages while in scope (and keeps a missing file
// from opening a modal message box under Windows).
class MessageCapture {
public:
    MessageCapture() : m_previous(SetEventConfigMessageHandler(&MessageCapture::Record)) {
        Messages().clear();
    }
    ~MessageCapture() { SetEventConfigMessageHandler(m_previous); }
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;

    static std::vector<std::wstring>& Messages() {
        static std::vector<std::wstring> messages;
        return messages;
    }

private:
    static void Record(const std::wstring& text) { Messages().push_back(text); }
    EventConfigMessageHandler m_previous;
};

// "配置文件:" + path + "不存在", spelled out independently of the library.
inline std::wstring ExpectedMissingFileMessage(const std::wstring& path) {
    return std::wstring(L"\u914D\u7F6E\u6587\u4EF6:") + path + L"\u4E0D\u5B58\u5728";
}
