#include "addin/BrowseFolderCallback.h"

int CALLBACK BrowseFolderCallback(HWND wnd, UINT message, LPARAM /*param*/, LPARAM data) {
  if (message == BFFM_INITIALIZED) SendMessageA(wnd, BFFM_SETSELECTIONA, TRUE, data);
  return 0;
}
