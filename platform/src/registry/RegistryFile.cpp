#include "registry/RegistryFile.h"

#include <cstdio>
#include <string_view>

#include "base/AsciiCase.h"

namespace kelvra::platform {
namespace {

constexpr std::string_view kHeader = "KELVRA REGISTRY 1";
constexpr const char* kRootNames[Registry::kRootCount] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",
                                                          "HKEY_LOCAL_MACHINE"};

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string Escape(std::string_view name) {
  std::string out;
  for (unsigned char c : name) {
    if (c < 0x20 || c > 0x7E || c == '%' || c == '"' || c == '\\' || c == '[' || c == ']') {
      char code[4];
      std::snprintf(code, sizeof code, "%%%02X", c);
      out += code;
    } else {
      out.push_back(static_cast<char>(c));
    }
  }
  return out;
}

bool Unescape(std::string_view text, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out.push_back(text[i]);
      continue;
    }
    if (i + 2 >= text.size()) return false;
    int high = HexValue(text[i + 1]), low = HexValue(text[i + 2]);
    if (high < 0 || low < 0) return false;
    out.push_back(static_cast<char>(high * 16 + low));
    i += 2;
  }
  return true;
}

std::string Hex(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02X", c);
    out += pair;
  }
  return out;
}

bool Unhex(std::string_view text, std::string& out) {
  if (text.size() % 2 != 0) return false;
  out.clear();
  for (std::size_t i = 0; i < text.size(); i += 2) {
    int high = HexValue(text[i]), low = HexValue(text[i + 1]);
    if (high < 0 || low < 0) return false;
    out.push_back(static_cast<char>(high * 16 + low));
  }
  return true;
}

void WriteKey(const std::string& path, const RegistryKey& key, std::string& out) {
  out += "[" + path + "]\n";
  for (const RegistryValue& v : key.values())
    out += "\"" + Escape(v.name) + "\"=" + std::to_string(v.type) + ":" + Hex(v.data) + "\n";
  for (const auto& [name, child] : key.children())
    WriteKey(path + "\\" + Escape(child->name()), *child, out);
}

// "[ROOT\a\b]": the key, created with its missing levels.
std::shared_ptr<RegistryKey> ReadKeyLine(std::string_view line, Registry::Roots& roots) {
  if (line.size() < 2 || line.back() != ']') return nullptr;
  std::string_view path = line.substr(1, line.size() - 2);
  std::size_t end = path.find('\\');
  std::string_view rootName = path.substr(0, end);
  std::shared_ptr<RegistryKey> node;
  for (std::size_t i = 0; i < Registry::kRootCount; ++i)
    if (EqualsIgnoringAsciiCase(rootName, kRootNames[i])) node = roots[i];
  while (node != nullptr && end != std::string_view::npos) {
    std::size_t start = end + 1;
    end = path.find('\\', start);
    std::string name;
    if (!Unescape(path.substr(start, end == std::string_view::npos ? end : end - start), name) ||
        name.empty())
      return nullptr;
    bool created = false;
    node = node->AddChild(name, created);
  }
  return node;
}

// "\"name\"=type:hex" into key.
bool ReadValueLine(std::string_view line, RegistryKey& key) {
  std::size_t close = line.find('"', 1);
  if (close == std::string_view::npos || line.substr(close + 1, 1) != "=") return false;
  std::size_t colon = line.find(':', close);
  if (colon == std::string_view::npos) return false;
  std::string_view type = line.substr(close + 2, colon - close - 2);
  if (type.empty() || type.size() > 10 ||
      type.find_first_not_of("0123456789") != std::string_view::npos)
    return false;
  unsigned long long typeValue = std::stoull(std::string(type));
  std::string name, data;
  if (typeValue > 0xFFFFFFFFull || !Unescape(line.substr(1, close - 1), name) ||
      !Unhex(line.substr(colon + 1), data))
    return false;
  key.SetValue(name, static_cast<DWORD>(typeValue), std::move(data));
  return true;
}

}  // namespace

std::string RegistryFile::Write(const Registry::Roots& roots) {
  std::string out = std::string(kHeader) + "\n";
  for (std::size_t i = 0; i < Registry::kRootCount; ++i) WriteKey(kRootNames[i], *roots[i], out);
  return out;
}

bool RegistryFile::Read(const std::string& text, Registry::Roots& roots) {
  for (auto& root : roots) root = std::make_shared<RegistryKey>("");
  std::shared_ptr<RegistryKey> current;
  bool header = false;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!header) {
      if (line != kHeader) return false;
      header = true;
    } else if (line.empty()) {
      continue;
    } else if (line.front() == '[') {
      if ((current = ReadKeyLine(line, roots)) == nullptr) return false;
    } else if (line.front() != '"' || current == nullptr || !ReadValueLine(line, *current)) {
      return false;
    }
  }
  return header;
}

}  // namespace kelvra::platform
