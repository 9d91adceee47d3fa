#include "addin/GetTempFileName2.h"

#include "addin/CLogTimer.h"
#include "win32/files.h"

std::string GetTempFileName2(const char* folder, const char* prefix) {
  char tempFolder[MAX_PATH] = "";
  if (!folder) {
    GetTempPathA(MAX_PATH, tempFolder);
    folder = tempFolder;
  }
  char name[MAX_PATH] = "";
  if (GetTempFileNameA(folder, prefix, 0, name) == 0) name[0] = '\0';
  if (!name[0]) g_LogTimer.Err("GetTempFileName2", static_cast<int>(GetLastError()), "Failed");
  return name;
}
