#include "files/TempFolder.h"

#include <filesystem>
#include <mutex>

#include "files/PathView.h"

namespace kelvra::platform {
namespace {

std::mutex g_mutex;
std::string g_folder;  // empty: the system temp folder

std::string WithTrailingSeparator(std::string folder) {
  if (folder.empty() || (folder.back() != '\\' && folder.back() != '/')) folder += '\\';
  return folder;
}

std::string SystemTempFolder() {
  std::error_code error;
  std::filesystem::path temp = std::filesystem::temp_directory_path(error);
  return ToWindowsPath(error ? std::string("/tmp") : temp.string());
}

}  // namespace

std::string TempFolder::WindowsPath() {
  std::lock_guard lock(g_mutex);
  return WithTrailingSeparator(g_folder.empty() ? SystemTempFolder() : g_folder);
}

void TempFolder::Set(const std::string& windowsFolder) {
  std::lock_guard lock(g_mutex);
  g_folder = windowsFolder;
}

void TempFolder::Reset() { Set(""); }

}  // namespace kelvra::platform
