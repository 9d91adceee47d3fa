// The library's module: its version resource, its handle and its log, made in this
// order when the library loads.
#include "sharestore/common/CLog.h"
#include "win32/module.h"
#include "win32/resources.h"

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

const kelvra::resources::VersionResource kVersion = Version();

kelvra::resources::ModuleResources Resources() {
  kelvra::resources::ModuleResources resources;
  resources.name = "Tessaly.dll";
  resources.anchor = &kVersion;
  resources.version = &kVersion;
  return resources;
}

const kelvra::resources::ModuleRegistration kRegistration(Resources());

}  // namespace

HMODULE g_hModule = kRegistration.module();
CLog g_Log;
