#include "sharestore/common/LibraryModule.h"

#include "win32/module.h"

namespace {

kelvra::resources::VersionResource Version() {
  kelvra::resources::VersionResource version;
  version.fileVersion[0] = version.productVersion[0] = 1;
  version.fileVersion[3] = version.productVersion[3] = 1;
  version.fileFlagsMask = VS_FFI_FILEFLAGSMASK;
  version.fileOS = VOS_NT_WINDOWS32;
  version.fileType = VFT_DLL;
  return version;
}

// Made on first use, whichever global asks first; it lies inside the library's own
// image, so it also anchors the module to the library's file.
const kelvra::resources::VersionResource& TheVersion() {
  static const kelvra::resources::VersionResource version = Version();
  return version;
}

}  // namespace

kelvra::resources::ModuleResources LibraryModuleResources(const char* fileName) {
  kelvra::resources::ModuleResources resources;
  resources.name = fileName;
  resources.anchor = &TheVersion();
  resources.version = &TheVersion();
  return resources;
}
