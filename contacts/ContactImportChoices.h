// What the first page of the import wizard hands the import run, and what the run
// counts.
#pragma once

#include <string>

#include "contacts/ContactFilter.h"
#include "outlook/outlook.h"

struct ContactImportChoices {
  // The contacts folder that receives the cards.
  Outlook::MAPIFolderPtr folder;
  // One or more file paths (several in double quotes) or a folder, as typed.
  std::string files;
  // 0 import beside a differing duplicate, 1 replace it, 2 leave it and skip the card.
  int conflictResolution = 0;
  ContactFilter filter;
};

struct ContactImportCounts {
  int files = 0;
  int cards = 0;
  int imported = 0;
  int failed = 0;
  int skipped = 0;
};
