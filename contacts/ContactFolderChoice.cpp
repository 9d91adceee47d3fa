#include "contacts/ContactFolderChoice.h"

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

}  // namespace

bool ContactFolderChoice::HoldsContacts(Outlook::MAPIFolder* folder) {
  return folder != nullptr && folder->GetDefaultItemType() == Outlook::olContactItem;
}

std::string ContactFolderChoice::PathOf(Outlook::MAPIFolder* folder) {
  if (folder == nullptr) return std::string();
  COLFolder path(folder);
  return path.GetPath();
}

// A missing explorer is no failure: Outlook may run without a window.
Outlook::_ExplorerPtr ContactFolderChoice::ActiveExplorer(Outlook::_Application* app,
                                                          const char* function) {
  if (app == nullptr) return nullptr;
  try {
    return app->ActiveExplorer();
  } catch (const _com_error& error) {
    LogComError(function, error);
    return nullptr;
  }
}

int ContactFolderChoice::SelectedContacts(Outlook::_Explorer* explorer) {
  Outlook::SelectionPtr selection = explorer->GetSelection();
  const long count = selection ? selection->GetCount() : 0;
  int contacts = 0;
  for (long i = 1; i <= count && contacts < kSelectionLimit; ++i) {
    Outlook::_ContactItemPtr contact(selection->Item(_variant_t(i)));
    if (contact) ++contacts;
  }
  return contacts;
}

ContactFolderChoice::Start ContactFolderChoice::FromExplorer(Outlook::_Application* app,
                                                             const char* function) {
  Start start;
  try {
    Outlook::_ExplorerPtr explorer = ActiveExplorer(app, function);
    Outlook::MAPIFolderPtr current = explorer ? explorer->GetCurrentFolder() : nullptr;
    if (!HoldsContacts(current)) return start;
    start.folder = current;
    start.isExplorerFolder = true;
    start.selectedContacts = SelectedContacts(explorer);
  } catch (const _com_error& error) {
    LogComError(function, error);
  }
  return start;
}

ContactFolderChoice::Start ContactFolderChoice::Initial(Outlook::_Application* app,
                                                        const char* function) {
  Start start = FromExplorer(app, function);
  if (start.folder || app == nullptr) return start;
  try {
    start.folder = app->GetSession()->GetDefaultFolder(Outlook::olFolderContacts);
  } catch (const _com_error& error) {
    LogComError(function, error);
  }
  return start;
}

Outlook::MAPIFolderPtr ContactFolderChoice::Pick(HWND dlg, Outlook::_Application* app,
                                                 const char* function) {
  if (app == nullptr) return nullptr;
  try {
    Outlook::MAPIFolderPtr chosen = app->GetSession()->PickFolder();
    if (!chosen || HoldsContacts(chosen)) return chosen;
    MessageBoxA(dlg, g_Lang.GetText("IDS_ERR_CFOLDER").c_str(),
                g_Lang.GetText("IDS_APP_TITLE").c_str(), MB_ICONERROR);
  } catch (const _com_error& error) {
    LogComError(function, error);
  }
  return nullptr;
}

int ContactFolderChoice::SelectedContactsIn(Outlook::_Application* app,
                                            Outlook::MAPIFolder* folder, const char* function) {
  try {
    Outlook::_ExplorerPtr explorer = ActiveExplorer(app, function);
    if (!explorer || !SameFolder(explorer->GetCurrentFolder(), folder)) return 0;
    return SelectedContacts(explorer);
  } catch (const _com_error& error) {
    LogComError(function, error);
    return 0;
  }
}
