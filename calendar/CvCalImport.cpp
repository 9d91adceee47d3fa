#include "calendar/CvCalImport.h"

#include "addin/CLogTimer.h"

CvCalImport::CvCalImport() = default;

int CvCalImport::Execute(Outlook::_Application* /*app*/, HKEY* /*optionsKey*/, HWND /*parent*/) {
  g_LogTimer.Err("CvCalImport::Execute", 0, "Not available in this build");
  return -1;
}
