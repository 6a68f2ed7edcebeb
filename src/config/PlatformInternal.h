#pragma once

// Platform pieces the configuration root uses but hosts do not see.

#include <string>

namespace ecfg {

// The missing-file message for a path: "配置文件:" + path + "不存在".
std::wstring MissingFileMessage(const std::wstring& path);

// Hands the text to the installed message handler, or to the default one
// (a modal message box on Windows, one UTF-8 line on standard error elsewhere).
void ShowEventConfigMessage(const std::wstring& text);

}  // namespace ecfg
