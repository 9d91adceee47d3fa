// What the first page of the export wizard hands the export run, and what the run
// counts.
#pragma once

#include <string>

#include "contacts/ContactFilter.h"
#include "outlook/outlook.h"

struct ContactExportChoices {
  // The folder whose contacts go out; its name names the one file.
  Outlook::MAPIFolderPtr folder;
  // The Windows folder that receives the files.
  std::string exportFolder;
  // 21 or 30.
  int format = 21;
  // An encoding's Name from the encodings list; "" for the system code page.
  std::string encoding;
  bool oneFile = true;
  // The active explorer's selection instead of the folder's items.
  bool selectedOnly = false;
  bool overwrite = false;
  ContactFilter filter;
};

struct ContactExportCounts {
  int exported = 0;
  int failed = 0;
  int skipped = 0;

  int Total() const { return exported + failed + skipped; }
};
