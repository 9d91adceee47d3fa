// The host's root folder: drive C:, the registry file and the application data.
#pragma once

#include <string>

namespace host {

class HostRoot {
 public:
  // Creates the folder (and C:\AppData, C:\Temp in it), makes it drive C:, loads the
  // registry saved there before and seeds the Windows zone list under
  // HKEY_LOCAL_MACHINE. Throws std::runtime_error when the folder cannot be made or the
  // saved registry cannot be read.
  explicit HostRoot(const std::string& linuxFolder);

  // Writes the whole registry back; throws std::runtime_error on failure.
  void SaveRegistry() const;

  const std::string& folder() const { return folder_; }
  std::string RegistryFile() const;

 private:
  std::string folder_;
};

}  // namespace host
