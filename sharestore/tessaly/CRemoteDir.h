// One folder on disk and the file operations the file-share library performs in it.
// Every file path is the folder, a backslash and the name.
#pragma once

#include <string>
#include <vector>

#include "win32/files.h"

class CRemoteDir {
 public:
  CRemoteDir() = default;
  virtual ~CRemoteDir() = default;

  // 0, -1 for a null or empty path, or the Windows error of listing the folder (-1 when
  // there is none). The path is kept only when the folder can be listed.
  int Open(const char* path);
  void Close() { path_.clear(); }

  // The files (not folders) matching the ";"-separated masks (null: "*.*"), mask after
  // mask in search order; an empty piece ends the list. 0 or the listing's error.
  int ReadContext(std::vector<WIN32_FIND_DATAA>& files, const char* masks) const;
  // The subfolders as relative paths (a\b), parents before their children; an excluded
  // path (compared without case) is skipped with everything below it.
  int ReadFolders(std::vector<std::string>& folders, bool recursive, const char** excluded,
                  int excludedCount) const;

  // 0 when the folder holds nothing, else 1 (or the listing's error).
  int IsEmptyDir() const;
  // 0 when the folder holds a subfolder, else 1.
  int HasDirs() const;
  // 0 when a file matches one of the masks (null: "*.*"), else 1.
  int HasFiles(const char* masks) const;

  int DeleteFile(const char* name, bool isFolder) const;
  int DownloadFile(const char* name, const char* localPath) const;
  int GetFileLMT(const char* name, FILETIME* time) const;
  int UploadFile(const char* localFile, const char* targetName, FILETIME* time, bool unique,
                 char* outName, int outNameLength, bool recycle) const;

 private:
  std::string PathOf(const std::string& name) const { return path_ + "\\" + name; }
  int ReadLevel(const std::string& relative, std::vector<std::string>& folders, bool recursive,
                const char** excluded, int excludedCount) const;
  int CopyUnique(const std::string& localFile, const std::string& targetName,
                 std::string& finalName) const;

  std::string path_;
};
