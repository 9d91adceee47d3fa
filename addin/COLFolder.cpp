#include "addin/COLFolder.h"

#include <algorithm>
#include <cstring>

COLFolder::COLFolder(Outlook::MAPIFolder* folder) : m_folder(folder) {}

// A folder below another folder takes its path from it; a store's top folder, whose
// parent is the session, begins with "\\". A step whose name, parent or parent's class
// cannot be read has an empty path.
_bstr_t COLFolder::PathOf(Outlook::MAPIFolder* folder) {
  if (!folder) return _bstr_t();
  try {
    _bstr_t name = folder->GetName();
    Outlook::MAPIFolderPtr parent(folder->GetParent());
    if (parent && parent->GetClass() == Outlook::olFolder)
      return PathOf(parent) + _bstr_t(u"\\") + name;
    return u"\\\\" + name;
  } catch (const _com_error&) {
    return _bstr_t();
  }
}

const char* COLFolder::GetPath() {
  _bstr_t path = PathOf(m_folder);
  const char* text = path;
  m_path = text ? text : "";
  return m_path.c_str();
}

void COLFolder::CopyPath(char* buffer, int size) {
  if (!buffer || size <= 0) return;
  const char* path = GetPath();
  size_t n = std::min(std::strlen(path), static_cast<size_t>(size - 1));
  std::memcpy(buffer, path, n);
  buffer[n] = '\0';
}
