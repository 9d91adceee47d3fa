// Folder names compare as Outlook compares them: without regard to ASCII case.
#pragma once

#include <string_view>
#include <vector>

#include "store/Nodes.h"

namespace kelvra::store {

bool SameName(std::u16string_view a, std::u16string_view b);
// The first of the folders with that name; null when none has it.
FolderPtr FolderNamed(const std::vector<FolderPtr>& folders, std::u16string_view name);

}  // namespace kelvra::store
