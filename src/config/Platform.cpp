#include "eventconfig/config/Platform.h"

#include <atomic>
#include <cstdio>
#include <vector>

#include "config/PlatformInternal.h"
#include "xml/TextDecoding.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

std::atomic<EventConfigMessageHandler> g_messageHandler{nullptr};

void DefaultMessageHandler(const std::wstring& text) {
#if defined(_WIN32)
    MessageBoxW(nullptr, text.c_str(), L"EventConfig", MB_OK);
#else
    std::string line = ecfg::WideToUtf8(text);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
#endif
}

}  // namespace

namespace ecfg {

std::wstring MissingFileMessage(const std::wstring& path) {
    // "配置文件:" + path + "不存在"
    return L"\u914D\u7F6E\u6587\u4EF6:" + path + L"\u4E0D\u5B58\u5728";
}

void ShowEventConfigMessage(const std::wstring& text) {
    EventConfigMessageHandler handler = g_messageHandler.load(std::memory_order_acquire);
    (handler ? handler : DefaultMessageHandler)(text);
}

}  // namespace ecfg

EventConfigMessageHandler SetEventConfigMessageHandler(EventConfigMessageHandler handler) {
    return g_messageHandler.exchange(handler, std::memory_order_acq_rel);
}

std::wstring EventConfigPathForExecutable(const std::wstring& exePath, wchar_t separator) {
    // Twice: drop the file name, then the directory holding it. No separator
    // left leaves nothing, so an executable in a drive's root gives
    // "\EventConfig\EventConfig.xml".
    std::wstring dir = exePath;
    for (int cut = 0; cut < 2; ++cut) {
        const std::size_t pos = dir.rfind(separator);
        dir.resize(pos == std::wstring::npos ? 0 : pos);
    }
    const std::wstring sep(1, separator);
    return dir + sep + L"EventConfig" + sep + L"EventConfig.xml";
}

std::wstring EventConfigExecutablePath() {
#if defined(_WIN32)
    // A path may be longer than MAX_PATH; grow until it fits rather than
    // accept a truncated one.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD got = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (got == 0) return std::wstring();
        if (got < size) return std::wstring(buffer.data(), got);
        if (buffer.size() >= 1u << 20) return std::wstring();
        buffer.resize(buffer.size() * 2);
    }
#else
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t got = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (got < 0) return std::wstring();
        if (static_cast<std::size_t>(got) < buffer.size()) {
            return ecfg::Utf8ToWide(std::string(buffer.data(), static_cast<std::size_t>(got)));
        }
        if (buffer.size() >= 1u << 20) return std::wstring();
        buffer.resize(buffer.size() * 2);
    }
#endif
}

std::wstring EventConfigDefaultPath() {
#if defined(_WIN32)
    const wchar_t separator = L'\\';
#else
    const wchar_t separator = L'/';
#endif
    return EventConfigPathForExecutable(EventConfigExecutablePath(), separator);
}
