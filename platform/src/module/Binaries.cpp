#include "module/Binaries.h"

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

namespace kelvra::platform {
namespace {

std::string ExecutablePath() {
  char path[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
}

// The main program's link map has an empty name; a library's name may be relative to
// the working folder it was loaded from.
std::string PathOf(const link_map* map) {
  if (map->l_name == nullptr || map->l_name[0] == '\0') return ExecutablePath();
  char* resolved = realpath(map->l_name, nullptr);
  if (resolved == nullptr) return map->l_name;
  std::string path(resolved);
  std::free(resolved);
  return path;
}

}  // namespace

BinaryLocation LocateBinary(const void* address) {
  Dl_info info;
  void* extra = nullptr;
  if (dladdr1(address, &info, &extra, RTLD_DL_LINKMAP) == 0 || extra == nullptr) return {};
  const auto* map = static_cast<const link_map*>(extra);
  return {map, PathOf(map)};
}

const void* BinaryIdentity(void* loaderHandle) {
  link_map* map = nullptr;
  if (dlinfo(loaderHandle, RTLD_DI_LINKMAP, &map) != 0) return nullptr;
  return map;
}

BinaryLocation HostProgram() {
  void* self = dlopen(nullptr, RTLD_NOW);
  const void* identity = self != nullptr ? BinaryIdentity(self) : nullptr;
  if (self != nullptr) dlclose(self);
  return {identity, ExecutablePath()};
}

}  // namespace kelvra::platform
