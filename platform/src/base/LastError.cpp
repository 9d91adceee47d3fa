#include "win32/base.h"

namespace {

thread_local DWORD t_lastError = ERROR_SUCCESS;

}  // namespace

DWORD WINAPI GetLastError() { return t_lastError; }

void WINAPI SetLastError(DWORD code) { t_lastError = code; }
