// The last page of the export-events wizard: what the run did, a link to the Windows
// folder, and the choices to open that folder and to mail the files.
#pragma once

#include "addin/ExportFinishPage.h"
#include "addin/LinkCommands.h"
#include "resource.h"

class CDlgVCalExportFinish : public ExportFinishPage<CDlgVCalExportFinish> {
 public:
  enum { IDD = IDD_VCAL_EXPORT_FINISH };
  static constexpr const char* kSection = "IDD_VCAL_EXPORT_FINISH";
  static constexpr const char* kOpenFolderValue = "Appointments.Export.OpenFolder";
  static constexpr const char* kOpenMailValue = "Appointments.Export.OpenMail";
  static constexpr const char* kHelpTopic = help_topics::kExportEvents;
  static constexpr const char* kMailFunction = "CDlgVCalExportFinish::OpenMail";

  using ExportFinishPage::ExportFinishPage;
};
