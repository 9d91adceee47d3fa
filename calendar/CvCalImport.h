// The calendar reader and the calendar import run. The run itself is not part of this build
// yet: Execute reports that and refuses.
#pragma once

#include "outlook/Application.h"
#include "win32/base.h"

class CvCalImport {
 public:
  CvCalImport();

  // Runs the wizard over the options key (borrowed, never closed) with its dialogs owned
  // by parent; -1 when the run cannot take place.
  int Execute(Outlook::_Application* app, HKEY* optionsKey, HWND parent);
};
