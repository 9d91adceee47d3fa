// The vCard writer and the contact export run. The run itself is not part of this build
// yet: Execute reports that and refuses.
#pragma once

#include "outlook/Application.h"
#include "win32/base.h"

class CvCardExport {
 public:
  CvCardExport();

  // The Outlook major version, for version-dependent choices of the run.
  void SetOutlookVersion(int version) { m_outlookVersion = version; }
  int OutlookVersion() const { return m_outlookVersion; }

  // Runs the wizard over the options key (borrowed, never closed) with its dialogs owned
  // by parent; -1 when the run cannot take place.
  int Execute(Outlook::_Application* app, HKEY* optionsKey, HWND parent);

 private:
  int m_outlookVersion = 0;
};
