#include "contacts/CvCardImport.h"

#include "addin/CLogTimer.h"

CvCardImport::CvCardImport() = default;

int CvCardImport::Execute(Outlook::_Application* /*app*/, HKEY* /*optionsKey*/, HWND /*parent*/) {
  g_LogTimer.Err("CvCardImport::Execute", 0, "Not available in this build");
  return -1;
}
