#include "addin/GetModuleVersion.h"

#include "addin/Application.h"
#include "addin/ModuleVersion.h"

bool GetModuleVersion(int& major, int& minor, int& revision) {
  major = 1;
  minor = 0;
  revision = 0;
  VS_FIXEDFILEINFO info{};
  if (!ReadModuleVersion(g_hInstance, 512, info)) return false;
  major = HIWORD(info.dwProductVersionMS);
  minor = LOWORD(info.dwProductVersionMS);
  revision = LOWORD(info.dwProductVersionLS);
  return true;
}
