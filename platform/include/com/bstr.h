// BSTR: a length-prefixed UTF-16 string. The 32-bit byte length sits right before the
// characters, which are followed by a NUL; embedded NULs are allowed. A NULL BSTR
// counts as the empty string everywhere.
#pragma once

#include "win32/base.h"

using BSTR = OLECHAR*;
using LPOLESTR = OLECHAR*;
using LPCOLESTR = const OLECHAR*;

// A copy of the NUL-terminated text; NULL for NULL text or when memory runs out.
BSTR WINAPI SysAllocString(const OLECHAR* text);
// length characters copied from text, or left zero when text is NULL.
BSTR WINAPI SysAllocStringLen(const OLECHAR* text, UINT length);
// bytes bytes copied from text (or zero when text is NULL); the byte length may be odd.
BSTR WINAPI SysAllocStringByteLen(LPCSTR text, UINT bytes);
// Replaces *target with a copy of text (which may point into *target); FALSE when
// memory runs out, *target then unchanged.
INT WINAPI SysReAllocString(BSTR* target, const OLECHAR* text);
void WINAPI SysFreeString(BSTR text);
// In characters (the byte length halved) and in bytes; 0 for NULL.
UINT WINAPI SysStringLen(BSTR text);
UINT WINAPI SysStringByteLen(BSTR text);
