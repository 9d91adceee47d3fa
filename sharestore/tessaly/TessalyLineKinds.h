// The two entry kinds of a watched folder, files and subfolders, share their index
// operations; they differ in their map, their line prefixes, whether a time is written,
// and their log tags.
#pragma once

#include "sharestore/tessaly/TessalyFolder.h"

struct TessalyLineKinds {
  EntryTable TessalyFolder::*table;
  const char* setPrefix;
  const char* removePrefix;
  bool timed;
  const char* findTag;
  const char* findNextTag;
  const char* setTag;
  const char* removeChangeTag;
  const char* removeTag;
};

inline constexpr TessalyLineKinds kFileKinds{&TessalyFolder::files,
                                             "File=",
                                             "RemoveFile=",
                                             true,
                                             "CTessaly::FindFile",
                                             "CTessaly::_FindNextFile",
                                             "CTessaly::SetFile",
                                             "CTessaly::RemoveChange",
                                             "CTessaly::RemoveFile"};
inline constexpr TessalyLineKinds kSubfolderKinds{&TessalyFolder::subfolders,
                                                  "Subfolder=",
                                                  "RemoveSubfolder=",
                                                  false,
                                                  "CTessaly::FindSubfolder",
                                                  "CTessaly::_FindNextSubfolder",
                                                  "CTessaly::SetSubfolder",
                                                  "CTessaly::RemoveSubfolderChange",
                                                  "CTessaly::RemoveSubfolder"};
