// The one object through which the add-in reaches the four format converters: it owns
// them, holds the open options key and offers the four wizard entry points.
#pragma once

#include <atomic>

#include "addin/RegKey.h"
#include "calendar/CvCalExport.h"
#include "calendar/CvCalImport.h"
#include "contacts/CvCardExport.h"
#include "contacts/CvCardImport.h"
#include "win32/base.h"

class CDovantEngine {
 public:
  // app is borrowed: the connection object holds its reference.
  CDovantEngine(Outlook::_Application* app, int outlookVersion);
  virtual ~CDovantEngine();
  CDovantEngine(const CDovantEngine&) = delete;
  CDovantEngine& operator=(const CDovantEngine&) = delete;

  // Each runs its wizard with dialogs owned by parent and returns the run's result;
  // -1 while another run is active.
  int ImportContacts(HWND parent);
  int ExportContacts(HWND parent);
  int ImportCalendar(HWND parent);
  int ExportCalendar(HWND parent);

 private:
  friend class EngineTestAccess;

  template <class Converter>
  int Run(const char* function, Converter& converter, HWND parent);

  CvCardImport m_vCardImport;
  CvCardExport m_vCardExport;
  CvCalImport m_vCalImport;
  CvCalExport m_vCalExport;
  // Declared after the converters so that it is closed before they go.
  RegKey m_optionsKey;
  Outlook::_Application* m_application;
  std::atomic<bool> m_running{false};
};
