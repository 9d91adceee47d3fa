// The items of a watched folder as an entry kind of the shared index: "Item=" and
// "RemoveItem=" lines with a time, and the log tags of their operations.
#pragma once

#include "sharestore/common/EntryKind.h"
#include "sharestore/morvane/MorvaneFolder.h"

inline constexpr EntryKind<MorvaneFolder> kItemKinds{&MorvaneFolder::items,
                                                     "Item=",
                                                     "RemoveItem=",
                                                     true,
                                                     "CMorvane::FindItem",
                                                     "CMorvane::_FindNextItem",
                                                     "CMorvane::SetItem",
                                                     "CMorvane::RemoveChange",
                                                     "CMorvane::RemoveItem",
                                                     "CMorvane::GetItemCount",
                                                     "CMorvane::_ChangeType2Char"};
