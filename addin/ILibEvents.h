// What the command link asks of the connection object when the Kelvra application
// sends a command to the add-in's events window.
#pragma once

#include "win32/base.h"

class ILibEvents {
 public:
  // Opens the action-choice dialog and the wizard chosen in it.
  virtual void ShowSelectAction() = 0;
  // The application's profiles changed: the profile menus are rebuilt.
  virtual void OnProfilesChanged() = 0;
  // Runs one of the four wizards owned by parent; returns the wizard's result.
  virtual int OnOpenWizard(HWND parent, bool exportItems, bool contacts) = 0;

 protected:
  ~ILibEvents() = default;
};
