#include "sharestore/tessaly/FolderSearch.h"

#include <cstring>

FolderSearch::FolderSearch(const std::string& pattern) : handle_(FindFirstFileA(pattern.c_str(), &entry_)) {
  if (!found()) error_ = GetLastError();
}

FolderSearch::~FolderSearch() {
  if (found()) FindClose(handle_);
}

bool FolderSearch::Next() { return FindNextFileA(handle_, &entry_) != FALSE; }

bool FolderSearch::IsDots(const WIN32_FIND_DATAA& entry) {
  return std::strcmp(entry.cFileName, ".") == 0 || std::strcmp(entry.cFileName, "..") == 0;
}
