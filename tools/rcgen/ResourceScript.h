// What the generator keeps of a resource script.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "RcError.h"

namespace rcgen {

struct StringEntry {
  std::string text;
  SourceLocation where;
};

struct VersionValue {
  std::string block;  // "040904b0"
  std::string name;
  std::string value;
};

struct VersionInfo {
  std::array<std::uint16_t, 4> fileVersion{};
  std::array<std::uint16_t, 4> productVersion{};
  std::uint32_t fileFlagsMask = 0;
  std::uint32_t fileFlags = 0;
  std::uint32_t fileOS = 0;
  std::uint32_t fileType = 0;
  std::uint32_t fileSubtype = 0;
  std::vector<VersionValue> values;
};

struct DialogControl {
  int id = 0;
  std::string className;
  std::string text;
  std::uint16_t imageId = 0;  // a control that names an image by id instead of a text
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
};

struct Dialog {
  std::uint16_t id = 0;
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
  std::string caption;
  std::string fontName;
  std::uint16_t pointSize = 0;
  std::uint16_t weight = 0;
  std::uint8_t italic = 0;
  std::vector<DialogControl> controls;
  SourceLocation where;
};

enum class ImageKind { kIcon, kBitmap };

struct Image {
  ImageKind kind = ImageKind::kIcon;
  std::uint16_t id = 0;
  std::string file;
};

// A REGISTRY statement: the registrar's script, read from its file (relative to the
// resource script's folder) before the output is written.
struct RegistryScript {
  std::uint16_t id = 0;
  std::string file;
  std::string text;
  SourceLocation where;
};

struct ResourceScript {
  std::map<std::uint16_t, StringEntry> strings;
  std::optional<VersionInfo> version;
  std::vector<Dialog> dialogs;
  std::vector<Image> images;
  std::vector<RegistryScript> registryScripts;
};

}  // namespace rcgen
