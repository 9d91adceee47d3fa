// The last page of the import-contacts wizard: what the run did, a link that shows
// the target folder in Outlook, and the choice to show it on closing.
#pragma once

#include "addin/ImportFinishPage.h"
#include "addin/LinkCommands.h"
#include "resource.h"

class CDlgVCardImportFinish : public ImportFinishPage<CDlgVCardImportFinish> {
 public:
  enum { IDD = IDD_VCARD_IMPORT_FINISH };
  static constexpr const char* kSection = "IDD_VCARD_IMPORT_FINISH";
  static constexpr const char* kOpenFolderValue = "Contacts.Import.OpenFolder";
  static constexpr const char* kHelpTopic = help_topics::kImportContacts;
  static constexpr const char* kShowFolderFunction = "CDlgVCardImportFinish::_ShowFolder";

  using ImportFinishPage::ImportFinishPage;
};
