// The last page of the export-contacts wizard: what the run did, a link to the
// Windows folder, and the choices to open that folder and to mail the files.
#pragma once

#include "addin/ExportFinishPage.h"
#include "addin/LinkCommands.h"
#include "resource.h"

class CDlgVCardExportFinish : public ExportFinishPage<CDlgVCardExportFinish> {
 public:
  enum { IDD = IDD_VCARD_EXPORT_FINISH };
  static constexpr const char* kSection = "IDD_VCARD_EXPORT_FINISH";
  static constexpr const char* kOpenFolderValue = "Contacts.Export.OpenFolder";
  static constexpr const char* kOpenMailValue = "Contacts.Export.OpenMail";
  static constexpr const char* kHelpTopic = help_topics::kExportContacts;
  static constexpr const char* kMailFunction = "CDlgVCardExportFinish::OpenMail";

  using ExportFinishPage::ExportFinishPage;
};
