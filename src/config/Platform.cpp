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

const wchar_t kReplacement = 0xFFFD;

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

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsSurrogate(char32_t cp) {
    return cp >= 0xD800 && cp <= 0xDFFF;
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

std::wstring Utf8ToWide(const std::string& bytes) {
    // The navigator's decoder: one rule for invalid bytes in the library.
    std::wstring out;
    DecodeUtf8(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), out);
    return out;
}

std::string WideToUtf8(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        char32_t cp = static_cast<char32_t>(text[i]);
        if (sizeof(wchar_t) == 2 && cp >= 0xD800 && cp <= 0xDBFF && i + 1 < n) {
            const char32_t low = static_cast<char32_t>(text[i + 1]);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (IsSurrogate(cp) || cp > 0x10FFFF) cp = kReplacement;
        AppendUtf8(out, cp);
    }
    return out;
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
