// The two entry kinds of a watched folder, files and subfolders, share their index
// operations; they differ in their map, their line prefixes, whether a time is written,
// and their log tags.
#pragma once

#include "sharestore/common/EntryKind.h"
#include "sharestore/tessaly/TessalyFolder.h"

using TessalyLineKinds = EntryKind<TessalyFolder>;

inline constexpr TessalyLineKinds kFileKinds{&TessalyFolder::files,
                                             "File=",
                                             "RemoveFile=",
                                             true,
                                             "CTessaly::FindFile",
                                             "CTessaly::_FindNextFile",
                                             "CTessaly::SetFile",
                                             "CTessaly::RemoveChange",
                                             "CTessaly::RemoveFile",
                                             "CTessaly::GetFileCount",
                                             "CTessaly::_ChangeType2Char"};
inline constexpr TessalyLineKinds kSubfolderKinds{
    &TessalyFolder::subfolders,  "Subfolder=",
    "RemoveSubfolder=",          false,
    "CTessaly::FindSubfolder",   "CTessaly::_FindNextSubfolder",
    "CTessaly::SetSubfolder",    "CTessaly::RemoveSubfolderChange",
    "CTessaly::RemoveSubfolder", "CTessaly::GetFileCount",
    "CTessaly::_ChangeType2Char"};
