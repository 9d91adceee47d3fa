// Export and annotation decorations of the modules' functions, in one place. The
// Windows build exports through __declspec and the modules' .def files; this platform
// marks the same functions visible. Nothing else in the system spells a compiler
// attribute.
#pragma once

#if defined(_WIN32)
#define KELVRA_DLL_EXPORT __declspec(dllexport)
#elif defined(__GNUC__)
#define KELVRA_DLL_EXPORT __attribute__((visibility("default")))
#else
#define KELVRA_DLL_EXPORT
#endif

// printf-style checking of a function's format argument and the arguments after it.
#if defined(__GNUC__) && !defined(_WIN32)
#define KELVRA_PRINTF_FORMAT(formatIndex, firstArg) \
  __attribute__((format(printf, formatIndex, firstArg)))
#else
#define KELVRA_PRINTF_FORMAT(formatIndex, firstArg)
#endif
