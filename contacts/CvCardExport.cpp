#include "contacts/CvCardExport.h"

#include "addin/CLogTimer.h"

CvCardExport::CvCardExport() = default;

int CvCardExport::Execute(Outlook::_Application* /*app*/, HKEY* /*optionsKey*/, HWND /*parent*/) {
  g_LogTimer.Err("CvCardExport::Execute", 0, "Not available in this build");
  return -1;
}
