#pragma once

// One export macro for every public class. The library itself is built with
// EVENTCONFIG_BUILD; hosts see the import side. EVENTCONFIG_STATIC turns the
// macro off for code linked straight against the object files.
#if defined(EVENTCONFIG_STATIC)
#define EVENTCONFIG_API
#elif defined(_WIN32) || defined(__CYGWIN__)
#if defined(EVENTCONFIG_BUILD)
#define EVENTCONFIG_API __declspec(dllexport)
#else
#define EVENTCONFIG_API __declspec(dllimport)
#endif
#else
#define EVENTCONFIG_API __attribute__((visibility("default")))
#endif

// Windows-style truth values used by the module object's interface.
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
