// The Outlook folder of a wizard's first page: where it starts, the session's folder
// picker, and what the explorer's selection offers. A choice is made for one kind of
// folder (contacts or calendar). Failures of Outlook are logged under the calling
// page's function name and leave the choice as it was.
#pragma once

#include <string>

#include "outlook/outlook.h"

class OutlookFolderChoice {
 public:
  struct Kind {
    Outlook::OlItemType itemType;
    Outlook::OlDefaultFolders defaultFolder;
    // The language key of the message for a folder of another kind.
    const char* wrongFolderKey;
    // True: without an active explorer (or its current folder) no folder is chosen
    // at the start; false: the default folder is taken then too.
    bool needsExplorer;
  };
  static const Kind kContacts;
  static const Kind kCalendar;

  struct Start {
    Outlook::MAPIFolderPtr folder;
    // True when the folder is the active explorer's current folder.
    bool isExplorerFolder = false;
    // That explorer's selected items of the kind, counted up to 2 (0 otherwise).
    int selectedItems = 0;
  };

  explicit OutlookFolderChoice(const Kind& kind) : m_kind(kind) {}

  // The given folder when it is of the kind, else the active explorer's current folder
  // when it is, else the session's default folder of the kind.
  Start Initial(Outlook::_Application* app, const char* function,
                Outlook::MAPIFolder* given = nullptr) const;
  // The folder chosen in the session's folder picker; null when the user cancelled,
  // or chose a folder of another kind, which the user is told about in a message box
  // owned by dlg.
  Outlook::MAPIFolderPtr Pick(HWND dlg, Outlook::_Application* app, const char* function) const;
  // The items of the kind selected in the active explorer when it shows folder,
  // counted up to 2; 0 for another folder or without an explorer.
  int SelectedItemsIn(Outlook::_Application* app, Outlook::MAPIFolder* folder,
                      const char* function) const;
  // Whether the folder's default item type is the kind's.
  bool Holds(Outlook::MAPIFolder* folder) const;
  // The folder's full path ("\\Personal Folders\Contacts"); "" without a folder.
  static std::string PathOf(Outlook::MAPIFolder* folder);

 private:
  // The active explorer (null when there is none) and its current folder when that
  // is of the kind.
  Start FromExplorer(Outlook::_Application* app, const char* function, bool& haveExplorer) const;
  static Outlook::_ExplorerPtr ActiveExplorer(Outlook::_Application* app, const char* function);
  int SelectedItems(Outlook::_Explorer* explorer) const;

  const Kind& m_kind;
};
