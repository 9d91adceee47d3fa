// Common controls need no loading here: their classes are built in.
#include "sync/CreationFaults.h"
#include "win32/commctrl.h"

BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
  if (init == nullptr || init->dwSize != sizeof(INITCOMMONCONTROLSEX) ||
      kelvra::platform::CreationFaults::Instance().CommonControlsFail())
    return FALSE;
  return TRUE;
}
