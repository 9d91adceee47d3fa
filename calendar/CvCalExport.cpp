#include "calendar/CvCalExport.h"

#include "addin/CLogTimer.h"

CvCalExport::CvCalExport() = default;

int CvCalExport::Execute(Outlook::_Application* /*app*/, HKEY* /*optionsKey*/, HWND /*parent*/) {
  g_LogTimer.Err("CvCalExport::Execute", 0, "Not available in this build");
  return -1;
}
