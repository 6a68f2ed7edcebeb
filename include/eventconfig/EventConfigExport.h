#pragma once

// One export macro for every public class: exported while the shared library
// is built (EVENTCONFIG_BUILD), imported by hosts of the shared library, and
// empty (EVENTCONFIG_STATIC) for code linked straight against the library's
// object files.
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
