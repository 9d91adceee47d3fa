// ATL's Base64 coder: RFC 4648 alphabet with "=" padding, written in lines of 76
// characters joined by CR LF (none after the last line) unless ATL_BASE64_FLAG_NOCRLF.
#pragma once

#include "win32/base.h"

#define ATL_BASE64_FLAG_NONE 0
#define ATL_BASE64_FLAG_NOPAD 1
#define ATL_BASE64_FLAG_NOCRLF 2

// Characters Base64Encode needs for nSrcLen bytes with these flags.
int Base64EncodeGetRequiredLength(int nSrcLen, DWORD dwFlags = ATL_BASE64_FLAG_NONE);

// Writes the text into szDest (not terminated). *pnDestLen holds the room on entry and
// the characters written on return; FALSE (with the room needed) when it does not fit.
BOOL Base64Encode(const BYTE* pbSrcData, int nSrcLen, LPSTR szDest, int* pnDestLen,
                  DWORD dwFlags = ATL_BASE64_FLAG_NONE);

// Bytes Base64Decode may write for nSrcLen characters.
int Base64DecodeGetRequiredLength(int nSrcLen);

// Blanks, tabs and line ends are skipped and "=" padding is optional; FALSE for any
// other character outside the alphabet, a character after padding, a dangling single
// character, or too little room (*pnDestLen then holds the bytes needed).
BOOL Base64Decode(LPCSTR szSrc, int nSrcLen, BYTE* pbDest, int* pnDestLen);
