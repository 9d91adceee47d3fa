#include "addin/GetOutlookVersion.h"

#include <string>

#include "addin/Application.h"
#include "com/comdef.h"
#include "win32/files.h"

int g_nOutlookVersion = -1;

int GetOutlookVersion() {
  if (g_nOutlookVersion != -1) return g_nOutlookVersion;
  // Nothing is cached before an application is connected: the version would stick.
  if (!g_Application) return 0;
  _bstr_t version;
  try {
    version = g_Application->GetVersion();
  } catch (const _com_error&) {
    return 0;
  }
  const char* text = version;
  std::string major = text ? text : "";
  size_t dot = major.find('.');
  g_nOutlookVersion = dot == std::string::npos ? 0 : StrToIntA(major.substr(0, dot).c_str());
  return g_nOutlookVersion;
}
