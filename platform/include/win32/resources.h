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

// One control of a dialog template, with the style the resource compiler gives it
// (its statement's default style with the script's additions and NOT removals).
struct DialogControl {
  int id = 0;
  std::string_view className;  // "Static", "Button", "Edit", "ComboBox", or a class name
  std::string_view text;
  // A control naming an image by resource id (CONTROL 272, -1, "Static", SS_BITMAP ...)
  // instead of by text; 0 when it names none.
  WORD imageId = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0;
  short y = 0;
  short cx = 0;
  short cy = 0;
};

// A DIALOG or DIALOGEX template; positions in dialog units.
struct DialogResource {
  WORD id = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0;
  short y = 0;
  short cx = 0;
  short cy = 0;
  std::string_view caption;
  std::string_view fontName;  // "" without a FONT statement
  WORD pointSize = 0;
  WORD weight = 0;
  BYTE italic = 0;
  std::span<const DialogControl> controls{};
};

// An ICON or BITMAP statement: the id and the file the script names.
enum class ImageKind { kIcon, kBitmap };
struct ImageResource {
  ImageKind kind = ImageKind::kIcon;
  WORD id = 0;
  std::string_view file;
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
  std::span<const DialogResource> dialogs{};
  std::span<const ImageResource> images{};
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
