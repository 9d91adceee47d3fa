#include "addin/OutlookFolderChoice.h"

#include <string>

#include "addin/CLang.h"
#include "addin/COLFolder.h"
#include "addin/LogComError.h"
#include "win32/windows.h"

namespace {

constexpr int kSelectionLimit = 2;

bool SameFolder(Outlook::MAPIFolder* a, Outlook::MAPIFolder* b) {
  return a != nullptr && b != nullptr && a->GetEntryID() == b->GetEntryID();
}

// Whether the selected item answers to the item interface of the type.
bool IsItemOf(Outlook::OlItemType type, const IDispatchPtr& item) {
  if (type == Outlook::olAppointmentItem) return Outlook::_AppointmentItemPtr(item) != nullptr;
  return Outlook::_ContactItemPtr(item) != nullptr;
}

}  // namespace

const OutlookFolderChoice::Kind OutlookFolderChoice::kContacts = {
    Outlook::olContactItem, Outlook::olFolderContacts, "IDS_ERR_CFOLDER", false};
const OutlookFolderChoice::Kind OutlookFolderChoice::kCalendar = {
    Outlook::olAppointmentItem, Outlook::olFolderCalendar, "IDS_ERR_AFOLDER", true};

bool OutlookFolderChoice::Holds(Outlook::MAPIFolder* folder) const {
  return folder != nullptr && folder->GetDefaultItemType() == m_kind.itemType;
}

std::string OutlookFolderChoice::PathOf(Outlook::MAPIFolder* folder) {
  if (folder == nullptr) return std::string();
  COLFolder path(folder);
  return path.GetPath();
}

// A missing explorer is no failure: Outlook may run without a window.
Outlook::_ExplorerPtr OutlookFolderChoice::ActiveExplorer(Outlook::_Application* app,
                                                          const char* function) {
  if (app == nullptr) return nullptr;
  try {
    return app->ActiveExplorer();
  } catch (const _com_error& error) {
    LogComError(function, error);
    return nullptr;
  }
}

int OutlookFolderChoice::SelectedItems(Outlook::_Explorer* explorer) const {
  Outlook::SelectionPtr selection = explorer->GetSelection();
  const long count = selection ? selection->GetCount() : 0;
  int found = 0;
  for (long i = 1; i <= count && found < kSelectionLimit; ++i)
    if (IsItemOf(m_kind.itemType, selection->Item(_variant_t(i)))) ++found;
  return found;
}

OutlookFolderChoice::Start OutlookFolderChoice::FromExplorer(Outlook::_Application* app,
                                                             const char* function,
                                                             bool& haveExplorer) const {
  Start start;
  haveExplorer = false;
  try {
    Outlook::_ExplorerPtr explorer = ActiveExplorer(app, function);
    Outlook::MAPIFolderPtr current = explorer ? explorer->GetCurrentFolder() : nullptr;
    haveExplorer = current != nullptr;
    if (!Holds(current)) return start;
    start.folder = current;
    start.isExplorerFolder = true;
    start.selectedItems = SelectedItems(explorer);
  } catch (const _com_error& error) {
    haveExplorer = false;
    LogComError(function, error);
  }
  return start;
}

OutlookFolderChoice::Start OutlookFolderChoice::Initial(Outlook::_Application* app,
                                                        const char* function,
                                                        Outlook::MAPIFolder* given) const {
  bool haveExplorer = false;
  Start start = FromExplorer(app, function, haveExplorer);
  if (m_kind.needsExplorer && !haveExplorer) return Start{};
  if (Holds(given)) {
    const bool shown = start.folder && SameFolder(start.folder, given);
    if (!shown) start = Start{};
    start.folder = given;
    start.isExplorerFolder = shown;
    return start;
  }
  if (start.folder || app == nullptr) return start;
  try {
    start.folder = app->GetSession()->GetDefaultFolder(m_kind.defaultFolder);
  } catch (const _com_error& error) {
    LogComError(function, error);
  }
  return start;
}

Outlook::MAPIFolderPtr OutlookFolderChoice::Pick(HWND dlg, Outlook::_Application* app,
                                                 const char* function) const {
  if (app == nullptr) return nullptr;
  try {
    Outlook::MAPIFolderPtr chosen = app->GetSession()->PickFolder();
    if (!chosen || Holds(chosen)) return chosen;
    MessageBoxA(dlg, g_Lang.GetText(m_kind.wrongFolderKey).c_str(),
                g_Lang.GetText("IDS_APP_TITLE").c_str(), MB_ICONERROR);
  } catch (const _com_error& error) {
    LogComError(function, error);
  }
  return nullptr;
}

int OutlookFolderChoice::SelectedItemsIn(Outlook::_Application* app, Outlook::MAPIFolder* folder,
                                         const char* function) const {
  try {
    Outlook::_ExplorerPtr explorer = ActiveExplorer(app, function);
    if (!explorer || !SameFolder(explorer->GetCurrentFolder(), folder)) return 0;
    return SelectedItems(explorer);
  } catch (const _com_error& error) {
    LogComError(function, error);
    return 0;
  }
}
