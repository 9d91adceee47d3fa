#include "addin/CDovantEngine.h"

#include "addin/Application.h"
#include "addin/CLogTimer.h"
#include "addin/ExclusiveRun.h"
#include "addin/OptionsKeyPath.h"
#include "win32/registry.h"

CDovantEngine::CDovantEngine(Outlook::_Application* app, int outlookVersion) : m_application(app) {
  // A key that cannot be created leaves every wizard working on its defaults.
  m_optionsKey.Create(HKEY_CURRENT_USER, OptionsKeyPath(g_hInstance).c_str(), KEY_READ | KEY_WRITE);
  m_vCardImport.SetOutlookVersion(outlookVersion);
  m_vCardExport.SetOutlookVersion(outlookVersion);
  m_vCalExport.SetOutlookVersion(outlookVersion);
}

CDovantEngine::~CDovantEngine() = default;

template <class Converter>
int CDovantEngine::Run(const char* function, Converter& converter, HWND parent) {
  ExclusiveRun run(m_running);
  if (!run.Entered()) {
    g_LogTimer.War(function, 0, "A wizard is already running");
    return -1;
  }
  return converter.Execute(m_application, m_optionsKey.Address(), parent);
}

int CDovantEngine::ImportContacts(HWND parent) {
  return Run("CDovantEngine::ImportContacts", m_vCardImport, parent);
}

int CDovantEngine::ExportContacts(HWND parent) {
  return Run("CDovantEngine::ExportContacts", m_vCardExport, parent);
}

int CDovantEngine::ImportCalendar(HWND parent) {
  return Run("CDovantEngine::ImportCalendar", m_vCalImport, parent);
}

int CDovantEngine::ExportCalendar(HWND parent) {
  return Run("CDovantEngine::ExportCalendar", m_vCalExport, parent);
}
