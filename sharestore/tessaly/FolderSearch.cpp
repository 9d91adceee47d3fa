#include "sharestore/tessaly/FolderSearch.h"

#include <cstring>

FolderSearch::FolderSearch(const std::string& pattern)
    : handle_(FindFirstFileA(pattern.c_str(), &entry_)) {
  if (!found()) error_ = GetLastError();
}

bool FolderSearch::Next() { return FindNextFileA(handle_.Get(), &entry_) != FALSE; }

bool FolderSearch::IsDots(const WIN32_FIND_DATAA& entry) {
  return std::strcmp(entry.cFileName, ".") == 0 || std::strcmp(entry.cFileName, "..") == 0;
}
