// The registry of the stand-in: an in-memory tree under HKEY_CLASSES_ROOT,
// HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE. Names compare without regard to case and
// keep the case they were created with; subkeys enumerate in sorted order; each handle
// carries the access it was opened with and the calls check it. The calls return the
// Windows error code and leave GetLastError alone, as on Windows.
#pragma once

#include "win32/base.h"

using REGSAM = DWORD;
using PHKEY = HKEY*;

#define HKEY_CLASSES_ROOT \
  (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(0x80000000))))
#define HKEY_CURRENT_USER \
  (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(0x80000001))))
#define HKEY_LOCAL_MACHINE \
  (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(0x80000002))))

#define DELETE 0x00010000L
#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_CREATE_LINK 0x0020
#define KEY_READ 0x20019
#define KEY_WRITE 0x20006
#define KEY_EXECUTE KEY_READ
#define KEY_ALL_ACCESS 0xF003F

#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4

#define REG_OPTION_NON_VOLATILE 0x00000000L

#define REG_CREATED_NEW_KEY 0x00000001L
#define REG_OPENED_EXISTING_KEY 0x00000002L

// A call on a handle whose key was deleted meanwhile.
#define ERROR_KEY_DELETED 1018L

// Paths name several levels, separated by "\"; an empty or NULL path is the key itself.
LONG WINAPI RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result);
// Creates the missing levels; disposition (optional) tells whether the key was new.
LONG WINAPI RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options,
                            REGSAM access, LPSECURITY_ATTRIBUTES security, PHKEY result,
                            LPDWORD disposition);
LONG WINAPI RegCloseKey(HKEY key);

// A NULL data buffer asks only for the type and size; a buffer smaller than the value
// gives ERROR_MORE_DATA with the size needed. A NULL or empty name is the default value.
LONG WINAPI RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type,
                             LPBYTE data, LPDWORD dataSize);
LONG WINAPI RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                           DWORD dataSize);
LONG WINAPI RegDeleteValueA(HKEY key, LPCSTR valueName);

// nameLength holds the buffer size in characters on entry and the name's length
// without the NUL on return.
LONG WINAPI RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, LPDWORD nameLength, LPDWORD reserved,
                          LPSTR keyClass, LPDWORD classLength, FILETIME* lastWriteTime);
// Values come in the order they were first set.
LONG WINAPI RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameLength, LPDWORD reserved,
                          LPDWORD type, LPBYTE data, LPDWORD dataSize);

// Deletes a key that has no subkeys.
LONG WINAPI RegDeleteKeyA(HKEY key, LPCSTR subKey);
// Deletes a key with everything below it; a NULL subKey empties the key itself.
LONG WINAPI RegDeleteTreeA(HKEY key, LPCSTR subKey);
