// The user's trash folder in the freedesktop layout, where deleting with undo puts items:
// "files/<name>" holds the item, "info/<name>.trashinfo" where it came from and when.
#pragma once

#include <string>

#include "win32/base.h"

namespace kelvra::platform {

class TrashFolder {
 public:
  // The Linux folder: the one a test set, else "Trash" in the host root folder.
  static std::string Get();
  // "" goes back to the default.
  static void Set(const std::string& linuxFolder);

  // Moves the file or folder at linuxPath into the trash: ERROR_SUCCESS or the error.
  static DWORD Put(const std::string& linuxPath);
};

}  // namespace kelvra::platform
