// The last page of the import-events wizard: what the run did, a link that shows the
// target calendar in Outlook, and the choice to show it on closing.
#pragma once

#include "addin/ImportFinishPage.h"
#include "addin/LinkCommands.h"
#include "resource.h"

class CDlgVCalImportFinish : public ImportFinishPage<CDlgVCalImportFinish> {
 public:
  enum { IDD = IDD_VCAL_IMPORT_FINISH };
  static constexpr const char* kSection = "IDD_VCAL_IMPORT_FINISH";
  static constexpr const char* kOpenFolderValue = "Appointments.Import.OpenFolder";
  static constexpr const char* kHelpTopic = help_topics::kImportEvents;
  static constexpr const char* kShowFolderFunction = "CDlgVCalImportFinish::_ShowFolder";

  using ImportFinishPage::ImportFinishPage;
};
