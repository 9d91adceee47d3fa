#include "contacts/VCardFileSink.h"

#include <algorithm>
#include <cstdio>

#include "addin/FitExportFilePath.h"
#include "win32/files.h"

namespace {

std::string Folded(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return text;
}

}  // namespace

void VCardFileSink::Begin(const std::string& folder, bool oneFile, bool overwrite) {
  Close();
  ClearWritten();
  m_folder = folder;
  m_nextNumber.clear();
  m_oneFile = oneFile;
  m_overwrite = overwrite;
}

std::string VCardFileSink::MakeFilePath(const std::string& name) {
  std::string stem = m_folder;
  if (!stem.empty() && stem.back() != '\\' && stem.back() != '/') stem += '\\';
  stem += name;
  // Names found taken stay taken during the run: the search goes on where the last one
  // for this name stopped, so many contacts of one name do not try all earlier numbers.
  int& n = m_nextNumber[Folded(stem)];
  for (;; ++n) {
    std::string tail;
    if (n > 0) {
      char suffix[16];
      std::snprintf(suffix, sizeof suffix, "(%d)", n);
      tail = suffix;
    }
    tail += ".vcf";
    // A name too long for the folder is shortened, keeping its number.
    const std::string path = FitExportFilePath(m_folder, name, 1, tail);
    if (path.empty()) return path;
    const bool free = m_overwrite ? !_TakenInThisRun(path)
                                  : !_TakenInThisRun(path) && !PathFileExistsA(path.c_str());
    if (free) return path;
  }
}

bool VCardFileSink::_TakenInThisRun(const std::string& path) const {
  return m_writtenFolded.count(Folded(path)) != 0;
}

int VCardFileSink::Write(const std::string& card, const std::string& path) {
  // An empty path is a name that did not fit its folder.
  if (NeedsPath() && (path.empty() || !_Open(path))) return kNotCreated;
  DWORD written = 0;
  const auto size = static_cast<DWORD>(card.size());
  if (!WriteFile(m_file.Get(), card.data(), size, &written, nullptr) || written != size) {
    _Discard();
    return kNotWritten;
  }
  m_size += size;
  if (!m_oneFile) Close();
  return kWritten;
}

bool VCardFileSink::_Open(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  m_file.Reset(file);
  m_path = path;
  m_size = 0;
  AddWrittenFile(m_written, path);
  m_writtenFolded.insert(Folded(path));
  return true;
}

void VCardFileSink::_Discard() {
  if (m_size > 0) {
    // Earlier cards of the one file stay; only the broken one is cut off.
    SetFilePointer(m_file.Get(), static_cast<LONG>(m_size), nullptr, FILE_BEGIN);
    SetEndOfFile(m_file.Get());
    return;
  }
  Close();
  DeleteFileA(m_path.c_str());
  m_written.erase(m_path);
  m_writtenFolded.erase(Folded(m_path));
}

void VCardFileSink::Close() { m_file.Reset(); }

void VCardFileSink::ClearWritten() {
  m_written.clear();
  m_writtenFolded.clear();
}
