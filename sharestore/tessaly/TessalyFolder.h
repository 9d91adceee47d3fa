// One watched folder of the file-share index: the caller's key, the folder on disk, its
// file masks and number, with its files and subfolders (relative paths, a\b).
#pragma once

#include <string>

#include "sharestore/common/EntryTable.h"

struct TessalyFolder {
  std::string key;
  std::string path;
  std::string mask;
  unsigned number = 0;
  EntryTable files;
  EntryTable subfolders;
};
