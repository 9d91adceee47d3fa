// What the ribbon, the command bars, the action-choice dialog and the Kelvra application
// ask of the connection object: wizards through the engine, commands over the link.
#include <atomic>
#include <string>

#include "addin/CConnect.h"
#include "addin/CDlgDebug.h"
#include "addin/CDlgSelectAction.h"
#include "addin/CLib.h"
#include "addin/CLogTimer.h"
#include "addin/ExclusiveRun.h"
#include "addin/GetOutlookVersion.h"
#include "addin/LinkCommands.h"
#include "addin/RunExeCmd.h"
#include "win32/window.h"

namespace {

// Outlook 2010 has the ribbon; older versions have the command bars.
constexpr int kRibbonVersion = 14;

// Set while the action-choice dialog (and the wizard chosen in it) runs: the Kelvra
// application can ask for the dialog again from inside its modal loop.
std::atomic<bool> selectActionOpen{false};

bool Send(const LinkCommand& command) {
  return RunExeCmd(command.text, command.foreground, command.timeout);
}

}  // namespace

int CConnect::RunWizard(int (CDovantEngine::*entry)(HWND), HWND parent, const char* function) {
  if (m_pEngine == nullptr) {
    g_LogTimer.Err(function, 0, "The engine is not started");
    return -1;
  }
  return ((*m_pEngine).*entry)(parent);
}

int CConnect::ShowContactExportWizard() {
  return RunWizard(&CDovantEngine::ExportContacts, GetActiveWindow(),
                   "CConnect::ShowContactExportWizard");
}

int CConnect::ShowContactImportWizard() {
  return RunWizard(&CDovantEngine::ImportContacts, GetActiveWindow(),
                   "CConnect::ShowContactImportWizard");
}

int CConnect::ShowCalendarExportWizard() {
  return RunWizard(&CDovantEngine::ExportCalendar, GetActiveWindow(),
                   "CConnect::ShowCalendarExportWizard");
}

int CConnect::ShowCalendarImportWizard() {
  return RunWizard(&CDovantEngine::ImportCalendar, GetActiveWindow(),
                   "CConnect::ShowCalendarImportWizard");
}

bool CConnect::ShowOpenMain() { return Send(link_commands::kShowMain); }

bool CConnect::SyncAll() { return Send(link_commands::kSyncAll); }

bool CConnect::NewProfile() { return Send(link_commands::kNewProfile); }

bool CConnect::ShowHelp() { return Send(link_commands::kShowHelp); }

bool CConnect::ShowAbout() { return Send(link_commands::kShowAbout); }

bool CConnect::OnClickSync(const char* profileKey) {
  const LinkCommand& sync = link_commands::kSync;
  if (profileKey == nullptr || *profileKey == '\0') {
    g_LogTimer.Err("CConnect::OnClickSync", 0, "szProfileKey is empty");
    return Send(sync);
  }
  const std::string command = std::string(sync.text) + "," + profileKey;
  return RunExeCmd(command.c_str(), sync.foreground, sync.timeout);
}

void CConnect::ShowDebugDialog() {
  if (m_spApp != nullptr) {
    Outlook::_ExplorerPtr explorer = m_spApp->ActiveExplorer();
    if (explorer != nullptr) explorer->Activate();
  }
  CDlgDebug dialog;
  dialog.DoModal(GetActiveWindow());
}

void CConnect::ShowSelectAction() {
  const char* function = "CConnect::ShowSelectAction";
  g_Lib.Log(0, function, LOG_INF, 1, "->(Locked=%s)", selectActionOpen ? "true" : "false");
  ExclusiveRun open(selectActionOpen);
  if (!open.Entered()) return;
  CDlgSelectAction dialog;
  const INT_PTR result = dialog.DoModal(GetActiveWindow());
  if (result == -1) {
    g_Lib.Log(static_cast<int>(GetLastError()), function, LOG_ERR, 1, "Cant show dialog");
  } else if (result != IDOK) {
    g_Lib.Log(static_cast<int>(result), function, LOG_INF, 1, "DoModal return");
  } else {
    RunChosenAction(dialog.m_action);
  }
}

int CConnect::RunChosenAction(int action) {
  switch (action) {
    case CDlgSelectAction::kExportContacts:
      return ShowContactExportWizard();
    case CDlgSelectAction::kImportContacts:
      return ShowContactImportWizard();
    case CDlgSelectAction::kExportEvents:
      return ShowCalendarExportWizard();
    case CDlgSelectAction::kImportEvents:
      return ShowCalendarImportWizard();
    default:
      g_Lib.Log(action, "CConnect::ShowSelectAction", LOG_ERR, 1, "invalid action");
      return -1;
  }
}

void CConnect::OnProfilesChanged() {
  if (GetOutlookVersion() < kRibbonVersion) {
    for (const std::unique_ptr<CExplorer>& explorer : m_explorers)
      if (explorer->GetExplorer() != nullptr) explorer->RebuildProfilesMenu();
    return;
  }
  if (m_spRibbonUI != nullptr)
    m_spRibbonUI->InvalidateControl(_bstr_t("Ostrane.Kelvra.mnuProfiles"));
}

int CConnect::OnOpenWizard(HWND parent, bool exportItems, bool contacts) {
  const char* function = "CConnect::OnOpenWizard";
  if (contacts)
    return RunWizard(exportItems ? &CDovantEngine::ExportContacts : &CDovantEngine::ImportContacts,
                     parent, function);
  return RunWizard(exportItems ? &CDovantEngine::ExportCalendar : &CDovantEngine::ImportCalendar,
                   parent, function);
}
