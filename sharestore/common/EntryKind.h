// One kind of entry of a watched folder (files, subfolders, items): its map in the
// folder, its line prefixes, whether a time is written, and the log tags of the
// operations over it.
#pragma once

#include "sharestore/common/EntryTable.h"

template <class Folder>
struct EntryKind {
  EntryTable Folder::*table;
  const char* setPrefix;
  const char* removePrefix;
  bool timed;
  const char* findTag;
  const char* findNextTag;
  const char* setTag;
  const char* removeChangeTag;
  const char* removeTag;
  const char* countTag;
  const char* charTag;  // converting an unknown change type to its character
};
