// Reading INI ("profile") files with the Windows rules. The file is read as bytes,
// without code-page conversion; lines may end with CR LF or LF.
#pragma once

#include "win32/base.h"

// The value of key in section (both compared without regard to case; the first
// section of that name and the first such key in it count), with the blanks around it
// and one pair of surrounding double or single quotes removed. A key that is missing
// (or whose section or file is) gives the default, with its trailing blanks removed,
// NULL being "". The text is cut to size - 1 characters and NUL terminated; the result
// is the number of characters copied. A present but empty value gives "".
// The lists of section or key names (NULL section or key) are not served: they give ""
// and ERROR_INVALID_PARAMETER.
DWORD WINAPI GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer,
                                      DWORD size, LPCSTR fileName);
