#include "module/VersionInfo.h"

#include <cstring>

#include "base/AsciiCase.h"

namespace kelvra::platform {
namespace {

// Marks a block that came from VersionInfo::Block(): callers pass it back as an opaque
// pointer, so the query checks that it is one before reading further.
constexpr DWORD kBlockMagic = 0x4952564B;

struct BlockHeader {
  DWORD magic;
  DWORD size;
};

constexpr std::size_t kFixedOffset = sizeof(BlockHeader);
constexpr std::size_t kValuesOffset = kFixedOffset + sizeof(VS_FIXEDFILEINFO);

DWORD Join(WORD high, WORD low) { return (static_cast<DWORD>(high) << 16) | low; }

std::vector<std::string_view> Components(std::string_view path) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

// Reads the NUL-terminated text at offset, staying inside size; false past the end.
bool ReadText(const char* base, std::size_t size, std::size_t& offset, std::string_view& text) {
  const void* end = offset < size ? std::memchr(base + offset, '\0', size - offset) : nullptr;
  if (end == nullptr) return false;
  std::size_t length = static_cast<const char*>(end) - (base + offset);
  text = std::string_view(base + offset, length);
  offset += length + 1;
  return true;
}

bool QueryString(const char* base, std::size_t size, const std::vector<std::string_view>& parts,
                 const void** value, UINT* length) {
  if (parts.size() != 3 || !EqualsIgnoringAsciiCase(parts[0], "StringFileInfo")) return false;
  std::size_t offset = kValuesOffset;
  std::string_view block, name, text;
  while (ReadText(base, size, offset, block) && !block.empty()) {
    if (!ReadText(base, size, offset, name)) return false;
    const char* start = base + offset;
    if (!ReadText(base, size, offset, text)) return false;
    if (EqualsIgnoringAsciiCase(block, parts[1]) && EqualsIgnoringAsciiCase(name, parts[2])) {
      *value = start;
      *length = static_cast<UINT>(text.size() + 1);
      return true;
    }
  }
  return false;
}

}  // namespace

VersionInfo::VersionInfo(const resources::VersionResource& resource) : fixed_{} {
  fixed_.dwSignature = VS_FFI_SIGNATURE;
  fixed_.dwStrucVersion = VS_FFI_STRUCVERSION;
  fixed_.dwFileVersionMS = Join(resource.fileVersion[0], resource.fileVersion[1]);
  fixed_.dwFileVersionLS = Join(resource.fileVersion[2], resource.fileVersion[3]);
  fixed_.dwProductVersionMS = Join(resource.productVersion[0], resource.productVersion[1]);
  fixed_.dwProductVersionLS = Join(resource.productVersion[2], resource.productVersion[3]);
  fixed_.dwFileFlagsMask = resource.fileFlagsMask;
  fixed_.dwFileFlags = resource.fileFlags;
  fixed_.dwFileOS = resource.fileOS;
  fixed_.dwFileType = resource.fileType;
  fixed_.dwFileSubtype = resource.fileSubtype;
  for (const resources::VersionString& s : resource.strings)
    values_.push_back({std::string(s.block), std::string(s.name), std::string(s.value)});
}

// Layout: header, VS_FIXEDFILEINFO, then "block\0name\0value\0" per value and a final
// "\0". Values are cut at their first NUL, as a reader of the text would see them.
std::vector<char> VersionInfo::Block() const {
  std::vector<char> bytes(kValuesOffset);
  for (const Value& v : values_) {
    for (const std::string& text : {v.block, v.name, v.value}) {
      const char* s = text.c_str();
      bytes.insert(bytes.end(), s, s + std::strlen(s) + 1);
    }
  }
  bytes.push_back('\0');
  BlockHeader header{kBlockMagic, static_cast<DWORD>(bytes.size())};
  std::memcpy(bytes.data(), &header, sizeof header);
  std::memcpy(bytes.data() + kFixedOffset, &fixed_, sizeof fixed_);
  return bytes;
}

bool VersionInfo::Query(const void* block, std::string_view subBlock, const void** value,
                        UINT* length) {
  BlockHeader header;
  std::memcpy(&header, block, sizeof header);
  if (header.magic != kBlockMagic || header.size < kValuesOffset) return false;
  const char* base = static_cast<const char*>(block);
  std::vector<std::string_view> parts = Components(subBlock);
  if (parts.empty()) {
    if (subBlock.empty()) return false;
    *value = base + kFixedOffset;
    *length = sizeof(VS_FIXEDFILEINFO);
    return true;
  }
  return QueryString(base, header.size, parts, value, length);
}

}  // namespace kelvra::platform
