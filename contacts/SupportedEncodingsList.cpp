#include "contacts/SupportedEncodingsList.h"

#include <climits>
#include <cstdlib>
#include <vector>

#include "addin/CLang.h"
#include "addin/ModulePath.h"
#include "win32/owners.h"
#include "win32/windows.h"

namespace {

constexpr const char* kModuleName = "Kelvra.dll";
constexpr DWORD kModulePathSize = 2048;
constexpr char kSeparator = '|';

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// The code page is read as Windows' strtol reads a base-10 long: leading white space
// and a sign allowed, stopping at the first non-digit, clamped to 32 bits.
int ReadCodePage(const std::string& text) {
  long long value = std::strtoll(text.c_str(), nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

// An error code that never reads as success, even if the system left none.
DWORD LastErrorResult() {
  HRESULT hr = HRESULT_FROM_WIN32(GetLastError());
  return static_cast<DWORD>(hr != S_OK ? hr : E_FAIL);
}

}  // namespace

SupportedEncodingsList::SupportedEncodingsList() {
  if (Load(_FilePath().c_str()) == 0) return;
  _FallBackToUtf8();
  std::string text = g_Lang.GetText("IDS_ERR_ENC_FILE_NOT_FOUND", nullptr);
  std::string caption = g_Lang.GetText("IDS_APP_TITLE", nullptr);
  MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

std::string SupportedEncodingsList::_FilePath() {
  std::string module = ModuleFileName(GetModuleHandleA(kModuleName), kModulePathSize);
  return FolderOf(module) + "\\" + kFileName;
}

DWORD SupportedEncodingsList::Load(const char* path) {
  const UniqueFile file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return LastErrorResult();
  DWORD size = GetFileSize(file.Get(), nullptr);
  if (size == INVALID_FILE_SIZE) return LastErrorResult();
  if (size == 0) return 0;

  std::vector<char> data(size);
  DWORD read = 0;
  if (!ReadFile(file.Get(), data.data(), size, &read, nullptr)) return LastErrorResult();

  DWORD badLines = 0;
  size_t position = 0;
  std::string line;
  while (_ReadLine(data.data(), position, read, line) > 0) {
    if (!_AddLine(line)) ++badLines;
  }
  return badLines;
}

size_t SupportedEncodingsList::_ReadLine(const char* data, size_t& position, size_t length,
                                         std::string& line) {
  line.clear();
  // Line ends before the first line would otherwise read as the end of the file.
  while (position < length && IsLineEnd(data[position])) ++position;
  size_t start = position;
  while (position < length && !IsLineEnd(data[position])) ++position;
  line.assign(data + start, position - start);
  while (position < length && IsLineEnd(data[position])) ++position;
  return line.size();
}

bool SupportedEncodingsList::_AddLine(const std::string& line) {
  // A run of separators counts as one, so a field is never empty.
  std::string fields[3];
  size_t cursor = 0;
  for (std::string& field : fields) {
    cursor = line.find_first_not_of(kSeparator, cursor);
    if (cursor == std::string::npos) return false;
    size_t end = line.find(kSeparator, cursor);
    if (end == std::string::npos) end = line.size();
    field.assign(line, cursor, end - cursor);
    cursor = end;
  }
  int codePage = ReadCodePage(fields[2]);
  if (codePage == 0) return false;
  m_List.push_back(std::make_unique<EncodingEntry>(fields[0].c_str(), fields[1].c_str(), codePage));
  return true;
}

void SupportedEncodingsList::_FallBackToUtf8() {
  m_List.clear();
  m_List.push_back(std::make_unique<EncodingEntry>("UTF-8", "UTF-8", CP_UTF8));
}
