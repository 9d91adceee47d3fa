// An Outlook folder and its full path ("\\Personal Folders\Contacts").
#pragma once

#include <string>

#include "outlook/MAPIFolder.h"

class COLFolder {
 public:
  // The folder is borrowed: no reference is taken or released.
  explicit COLFolder(Outlook::MAPIFolder* folder);
  virtual ~COLFolder() = default;
  COLFolder(const COLFolder&) = delete;
  COLFolder& operator=(const COLFolder&) = delete;

  // The full path in the ANSI code page, read anew; valid until the next call or the
  // object's end.
  const char* GetPath();
  // The full path cut to size - 1 characters and NUL-terminated.
  void CopyPath(char* buffer, int size);

 private:
  static _bstr_t PathOf(Outlook::MAPIFolder* folder);

  std::string m_path;
  Outlook::MAPIFolder* m_folder;
};
