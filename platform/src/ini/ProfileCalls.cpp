// GetPrivateProfileStringA over ProfileFile and the Windows path view.
#include <cstring>
#include <string_view>

#include "files/PathView.h"
#include "ini/ProfileFile.h"
#include "store/FaultPlan.h"
#include "win32/ini.h"

using kelvra::platform::ProfileFile;

namespace {

DWORD CopyCut(std::string_view text, LPSTR buffer, DWORD size) {
  std::size_t count = text.size() < size - 1 ? text.size() : size - 1;
  if (count > 0) std::memcpy(buffer, text.data(), count);
  buffer[count] = '\0';
  return static_cast<DWORD>(count);
}

std::string_view DefaultText(LPCSTR defaultValue) {
  std::string_view text = defaultValue != nullptr ? defaultValue : "";
  std::size_t last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

}  // namespace

DWORD WINAPI GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer,
                                      DWORD size, LPCSTR fileName) {
  if (buffer == nullptr || size == 0) return 0;
  if (section == nullptr || key == nullptr || fileName == nullptr) {
    buffer[0] = '\0';
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  HRESULT planned = S_OK;
  if (kelvra::store::FaultPlan::Hit("GetPrivateProfileStringA", &planned)) {
    SetLastError(static_cast<DWORD>(planned) & 0xFFFFu);  // the Windows error inside the HRESULT
    return CopyCut(DefaultText(defaultValue), buffer, size);
  }
  std::string linuxPath = kelvra::platform::ToLinuxPath(fileName);
  std::optional<ProfileFile> file = linuxPath.empty() ? std::nullopt : ProfileFile::Read(linuxPath);
  std::optional<std::string> value = file ? file->Find(section, key) : std::nullopt;
  if (!value) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return CopyCut(DefaultText(defaultValue), buffer, size);
  }
  SetLastError(ERROR_SUCCESS);
  return CopyCut(*value, buffer, size);
}
