// One FindFirstFileA search over a pattern, owned: the handle is closed when it ends.
#pragma once

#include <string>

#include "win32/files.h"

class FolderSearch {
 public:
  explicit FolderSearch(const std::string& pattern);
  ~FolderSearch();
  FolderSearch(const FolderSearch&) = delete;
  FolderSearch& operator=(const FolderSearch&) = delete;

  // False when the search found nothing or failed; error() tells which.
  bool found() const { return handle_ != INVALID_HANDLE_VALUE; }
  DWORD error() const { return error_; }
  const WIN32_FIND_DATAA& entry() const { return entry_; }
  // The next entry; false at the end.
  bool Next();

  static bool IsFolder(const WIN32_FIND_DATAA& entry) { return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
  static bool IsDots(const WIN32_FIND_DATAA& entry);

 private:
  WIN32_FIND_DATAA entry_{};  // before the handle: the search fills it
  HANDLE handle_;
  DWORD error_ = ERROR_SUCCESS;
};
