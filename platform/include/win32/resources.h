// Registration of a module's compiled resources with the stand-in's module table.
//
// On Windows the resources sit in the module file and the loader finds them. Here the
// resource compiler's output is C++ that describes them and registers them, under the
// module's file name, while the binary that holds them is being initialised; the module
// calls (GetModuleHandleA, LoadStringA, the version calls) then serve them. The
// registration ends when that binary is unloaded.
//
// New kinds of resource arrive as new members of ModuleResources with empty defaults,
// so that descriptions written with designated initialisers keep compiling.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "win32/base.h"

namespace kelvra::resources {

// One entry of the string table. The text is 8-bit and may hold NULs.
struct StringResource {
  UINT id = 0;
  std::string_view text;
};

// One VALUE line of a StringFileInfo block ("040904b0", "CompanyName", "Ostrane").
struct VersionString {
  std::string_view block;
  std::string_view name;
  std::string_view value;
};

// The version resource: the fixed part and the StringFileInfo values.
struct VersionResource {
  WORD fileVersion[4] = {0, 0, 0, 0};
  WORD productVersion[4] = {0, 0, 0, 0};
  DWORD fileFlagsMask = 0;
  DWORD fileFlags = 0;
  DWORD fileOS = 0;
  DWORD fileType = 0;
  DWORD fileSubtype = 0;
  std::span<const VersionString> strings;
};

struct ModuleResources {
  // The module's file name as the system knows it ("Kelvra.dll").
  const char* name = nullptr;
  // Any address inside the binary that holds the resources: its folder is the module's
  // folder unless a test moves it.
  const void* anchor = nullptr;
  std::span<const StringResource> strings;
  // Null when the module has no version resource.
  const VersionResource* version = nullptr;
};

// Registers the resources for the lifetime of the object; meant to be a static object
// of the binary that holds them. The description is copied.
class ModuleRegistration {
 public:
  explicit ModuleRegistration(const ModuleResources& resources);
  ~ModuleRegistration();
  ModuleRegistration(const ModuleRegistration&) = delete;
  ModuleRegistration& operator=(const ModuleRegistration&) = delete;

  HMODULE module() const { return module_; }

 private:
  HMODULE module_;
};

}  // namespace kelvra::resources
