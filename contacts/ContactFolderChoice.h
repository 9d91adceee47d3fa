// The Outlook folder of the contact pages: where they start, the session's folder
// picker, and what the explorer's selection offers. Failures of Outlook are logged
// under the calling page's function name and leave the choice as it was.
#pragma once

#include <string>

#include "outlook/outlook.h"

class ContactFolderChoice {
 public:
  struct Start {
    Outlook::MAPIFolderPtr folder;
    // True when the folder is the active explorer's current folder.
    bool isExplorerFolder = false;
    // That explorer's selected contacts, counted up to 2 (0 otherwise).
    int selectedContacts = 0;
  };

  // The active explorer's current folder when it holds contacts, else the session's
  // default contacts folder (also without an active explorer).
  static Start Initial(Outlook::_Application* app, const char* function);
  // The folder chosen in the session's folder picker; null when the user cancelled,
  // or chose a folder that does not hold contacts, which the user is told about in a
  // message box owned by dlg.
  static Outlook::MAPIFolderPtr Pick(HWND dlg, Outlook::_Application* app, const char* function);
  // The contacts selected in the active explorer when it shows folder, counted up to
  // 2; 0 for another folder or without an explorer.
  static int SelectedContactsIn(Outlook::_Application* app, Outlook::MAPIFolder* folder,
                                const char* function);
  // Whether the folder's default item type is contact.
  static bool HoldsContacts(Outlook::MAPIFolder* folder);
  // The folder's full path ("\\Personal Folders\Contacts"); "" without a folder.
  static std::string PathOf(Outlook::MAPIFolder* folder);

 private:
  // The active explorer's current folder when it holds contacts; no folder otherwise.
  static Start FromExplorer(Outlook::_Application* app, const char* function);
  static Outlook::_ExplorerPtr ActiveExplorer(Outlook::_Application* app, const char* function);
  static int SelectedContacts(Outlook::_Explorer* explorer);
};
