#include "HostRoot.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "ReplaceFile.h"
#include "testkit/Files.h"
#include "testkit/Registry.h"
#include "testkit/ZoneList.h"

namespace host {

namespace fs = std::filesystem;

HostRoot::HostRoot(const std::string& linuxFolder) {
  std::error_code error;
  fs::path folder = fs::absolute(linuxFolder, error);
  if (!error) fs::create_directories(folder / "AppData", error);
  if (!error) fs::create_directories(folder / "Temp", error);
  if (error)
    throw std::runtime_error("cannot create the root folder " + linuxFolder + ": " +
                             error.message());
  folder_ = folder.lexically_normal().string();
  testkit::SetHostRoot(folder_);
  testkit::SetAppDataFolder("C:\\AppData");
  testkit::SetTempPath("C:\\Temp");
  if (fs::exists(RegistryFile()) && !testkit::LoadRegistry(RegistryFile()))
    throw std::runtime_error("the saved registry " + RegistryFile() + " cannot be read");
  testkit::SeedZoneList();
}

std::string HostRoot::RegistryFile() const { return (fs::path(folder_) / "registry.txt").string(); }

void HostRoot::SaveRegistry() const {
  ReplaceFile(RegistryFile(), [](const std::string& temporary) {
    if (!testkit::SaveRegistry(temporary))
      throw std::runtime_error("the registry cannot be written");
  });
}

}  // namespace host
