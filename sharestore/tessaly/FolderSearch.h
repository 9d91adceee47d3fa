// One FindFirstFileA search over a pattern; its handle is closed when it ends.
#pragma once

#include <string>

#include "win32/files.h"
#include "win32/owners.h"

class FolderSearch {
 public:
  explicit FolderSearch(const std::string& pattern);

  // False when the search found nothing or failed; error() tells which.
  bool found() const { return static_cast<bool>(handle_); }
  DWORD error() const { return error_; }
  const WIN32_FIND_DATAA& entry() const { return entry_; }
  // The next entry; false at the end.
  bool Next();

  static bool IsFolder(const WIN32_FIND_DATAA& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }
  static bool IsDots(const WIN32_FIND_DATAA& entry);

 private:
  WIN32_FIND_DATAA entry_{};  // before the handle: the search fills it
  UniqueFind handle_;
  DWORD error_ = ERROR_SUCCESS;
};
