#pragma once

// Platform pieces the configuration root uses but hosts do not see.

#include <string>

namespace ecfg {

// The missing-file message for a path: "配置文件:" + path + "不存在".
std::wstring MissingFileMessage(const std::wstring& path);

// Hands the text to the installed message handler, or to the default one
// (a modal message box on Windows, one UTF-8 line on standard error elsewhere).
void ShowEventConfigMessage(const std::wstring& text);

// UTF-8 <-> wide text (UTF-16 where wchar_t has 16 bits, UTF-32 elsewhere).
// Invalid bytes decode to U+FFFD as the navigator decodes files; encoding
// replaces unpaired surrogates the same way.
std::wstring Utf8ToWide(const std::string& bytes);
std::string WideToUtf8(const std::wstring& text);

}  // namespace ecfg
