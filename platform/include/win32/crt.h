// The Microsoft C runtime extras the system calls, over Windows paths.
#pragma once

#include <cstddef>
#include <cstdio>

#include "win32/export.h"

using errno_t = int;

// Opens a stream with a Windows mode: "r", "w" or "a", optionally "+", then "t" or
// "b". Text mode (the default) writes "\n" as CR LF and reads CR LF as "\n"; ftell
// and fseek work on byte offsets of the file. Binary mode leaves the bytes alone.
// Returns 0 and the stream, or an errno value and *stream = NULL.
errno_t fopen_s(FILE** stream, const char* fileName, const char* mode);

// Closes `stream` and opens the file again on *newStream with the mode, as above. The
// stream is always closed, so *newStream is the only stream afterwards (NULL on failure).
errno_t freopen_s(FILE** newStream, const char* fileName, const char* mode, FILE* stream);

// 0 when the path exists with the access of mode (0 existence, 2 write, 4 read, 6 both),
// else -1 and errno.
int _access(const char* path, int mode);

// Compare lower-cased ASCII, byte values unsigned.
int _stricmp(const char* a, const char* b);
int _strnicmp(const char* a, const char* b, std::size_t count);

// Windows semantics: a text of count characters or more is stored cut to count
// characters WITHOUT a terminating NUL, and the result is -1 (count when the text is
// exactly count long). Callers must terminate the buffer themselves. With a NULL
// buffer and count 0 the result is the length the text needs.
int _snprintf(char* buffer, std::size_t count, const char* format, ...) KELVRA_PRINTF_FORMAT(3, 4);
