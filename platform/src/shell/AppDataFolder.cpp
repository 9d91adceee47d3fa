#include "shell/AppDataFolder.h"

#include <filesystem>
#include <mutex>
#include <optional>

#include "files/PathView.h"

namespace kelvra::platform {
namespace {

constexpr const char* kDefaultFolder = "C:\\Users\\kelvra\\AppData\\Roaming";

std::mutex g_mutex;
std::optional<std::string> g_folder;  // empty: the default folder
bool g_fail = false;

}  // namespace

HRESULT AppDataFolder::Get(std::string& windowsFolder) {
  std::lock_guard lock(g_mutex);
  windowsFolder.clear();
  if (g_fail) return E_FAIL;
  if (g_folder) {
    windowsFolder = *g_folder;
    return S_OK;
  }
  std::error_code ignored;  // a folder that cannot be made is the caller's to find out
  std::filesystem::create_directories(ToLinuxPath(kDefaultFolder), ignored);
  windowsFolder = kDefaultFolder;
  return S_OK;
}

bool AppDataFolder::Contains(const std::string& linuxPath) {
  std::string root;
  {
    std::lock_guard lock(g_mutex);
    if (g_fail || (g_folder && g_folder->empty())) return false;
    root = ToLinuxPath(g_folder ? *g_folder : std::string(kDefaultFolder));
  }
  while (root.size() > 1 && root.back() == '/') root.pop_back();
  return linuxPath.size() > root.size() && linuxPath.compare(0, root.size(), root) == 0 &&
         linuxPath[root.size()] == '/';
}

void AppDataFolder::Set(const std::string& windowsFolder) {
  std::lock_guard lock(g_mutex);
  g_folder = windowsFolder;
}

void AppDataFolder::Fail(bool fail) {
  std::lock_guard lock(g_mutex);
  g_fail = fail;
}

void AppDataFolder::Reset() {
  std::lock_guard lock(g_mutex);
  g_folder.reset();
  g_fail = false;
}

}  // namespace kelvra::platform
