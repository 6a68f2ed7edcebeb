#pragma once

#include <string>

#include "eventconfig/EventConfigExport.h"

// Receives the library's one message (the missing-file message). The default
// shows a modal message box on Windows and writes one UTF-8 line to standard
// error elsewhere.
typedef void (*EventConfigMessageHandler)(const std::wstring& text);

// Installs a handler and returns the previous one; null restores the default.
EVENTCONFIG_API EventConfigMessageHandler
SetEventConfigMessageHandler(EventConfigMessageHandler handler);

// The configuration file's path for a given executable path: cut at the last
// separator twice, then append <sep>EventConfig<sep>EventConfig.xml.
EVENTCONFIG_API std::wstring EventConfigPathForExecutable(const std::wstring& exePath,
                                                          wchar_t separator);

// The host executable's full path ("" when it cannot be found).
EVENTCONFIG_API std::wstring EventConfigExecutablePath();

// The path CEventConfig() loads: EventConfigPathForExecutable of the host
// executable with the platform's separator.
EVENTCONFIG_API std::wstring EventConfigDefaultPath();
