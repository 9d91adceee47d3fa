#include "contacts/ContactPictureFile.h"

#include "win32/files.h"
#include "win32/owners.h"
#include "win32/shell.h"

namespace {

// Below the user's application-data folder, beside the add-in's logs.
constexpr const char* kSubfolders[] = {"Ostrane", "Kelvra", "Pictures"};

bool MakeFolder(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace

ContactPictureFile::~ContactPictureFile() {
  if (!m_path.empty()) DeleteFileA(m_path.c_str());
}

std::string ContactPictureFile::_Folder() {
  char appData[MAX_PATH] = "";
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, appData)) ||
      !appData[0]) {
    return std::string();
  }
  std::string folder = appData;
  for (const char* subfolder : kSubfolders) {
    if (folder.back() != '\\') folder += '\\';
    folder += subfolder;
    if (!MakeFolder(folder)) return std::string();
  }
  return folder;
}

bool ContactPictureFile::Create(const std::vector<unsigned char>& bytes,
                                const std::string& extension) {
  const std::string folder = _Folder();
  if (folder.empty() || bytes.empty()) return false;
  const std::string path = folder + "\\ContactPicture." + extension;
  // A file left over from an earlier run goes first; the new one is made only if
  // nothing stands at the name.
  DeleteFileA(path.c_str());
  UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  m_path = path;
  DWORD written = 0;
  const auto size = static_cast<DWORD>(bytes.size());
  if (!WriteFile(file.Get(), bytes.data(), size, &written, nullptr) || written != size) {
    file.Reset();
    DeleteFileA(m_path.c_str());
    m_path.clear();
    return false;
  }
  return true;
}
