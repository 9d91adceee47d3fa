#include "addin/CLang.h"

#include <cstring>
#include <memory>
#include <optional>

#include "addin/AsciiText.h"
#include "addin/CLogTimer.h"
#include "win32/crt.h"
#include "win32/files.h"
#include "win32/ini.h"
#include "win32/owners.h"
#include "win32/window.h"

CLang g_Lang;

namespace {

constexpr DWORD kValueBytes = 4096;
constexpr DWORD kVersionBytes = 128;
constexpr const char* kVersionSection = "version";

// The value of key, or nullopt when the file, section or key is missing.
std::optional<std::string> ReadIniValue(const char* section, const char* key,
                                        const std::string& path, DWORD bytes) {
  std::unique_ptr<char[]> buf(new char[bytes]);
  buf[0] = '\0';
  GetPrivateProfileStringA(section, key, CLang::kMissingValue, buf.get(), bytes, path.c_str());
  if (std::strcmp(buf.get(), CLang::kMissingValue) == 0) return std::nullopt;
  return std::string(buf.get());
}

// "\n", "\r" and "\t" become their control characters, a backslash before any other
// character stands for that character, and one at the very end ends the text.
std::string ResolveEscapes(const std::string& raw) {
  std::string text;
  text.reserve(raw.size());
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != '\\') {
      text += raw[i];
      continue;
    }
    if (++i == raw.size()) break;
    switch (raw[i]) {
      case 'n':
        text += '\n';
        break;
      case 'r':
        text += '\r';
        break;
      case 't':
        text += '\t';
        break;
      default:
        text += raw[i];
    }
  }
  return text;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

enum class ParseResult { kValue, kNoDigits, kInvalid };

// Reads text as a sum of signed decimal terms. A term is a digit run; the non-digits
// before it flip its sign once per "-". Two runs split by blanks alone, a run beyond
// 32 bits or a sum beyond 32 bits make the text invalid.
ParseResult ParseSum(const std::string& text, int& value) {
  constexpr long long kMaxMagnitude = 2147483648LL;
  long long sum = 0;
  bool sawTerm = false;
  bool separated = true;
  bool negative = false;
  for (size_t i = 0; i < text.size();) {
    char c = text[i];
    if (IsBlank(c)) {
      ++i;
    } else if (!IsDigit(c)) {
      if (c == '-') negative = !negative;
      separated = true;
      ++i;
    } else {
      if (!separated) return ParseResult::kInvalid;
      long long term = 0;
      for (; i < text.size() && IsDigit(text[i]); ++i) {
        term = term * 10 + (text[i] - '0');
        if (term > kMaxMagnitude) return ParseResult::kInvalid;
      }
      sum += negative ? -term : term;
      sawTerm = true;
      separated = false;
      negative = false;
    }
  }
  if (!sawTerm) return ParseResult::kNoDigits;
  if (sum > kMaxMagnitude - 1 || sum < -kMaxMagnitude) return ParseResult::kInvalid;
  value = static_cast<int>(sum);
  return ParseResult::kValue;
}

bool IsButtonKind(UINT kind) {
  return kind == LOCALIZE_BUTTON || kind == LOCALIZE_CHECKBOX || kind == LOCALIZE_OPTION;
}

// Controls whose text the page fills in itself: a missing caption is no fault.
bool IsFilledByPage(UINT kind) { return kind == 2 || (kind >= 7 && kind <= 13); }

}  // namespace

bool CLang::LoadFile(const char* path, const char* baseSection) {
  // The arguments may point into this object, which Clear empties.
  std::string file = path ? path : "";
  std::string section = baseSection ? baseSection : "";
  Clear();
  FileInfo info;
  if (file.empty() || !ReadVersion(file, info)) return false;
  m_path = file;
  m_lang = info.lang;
  m_langId = info.langId;
  m_baseSection = section;
  return true;
}

bool CLang::Load(const char* langId, const char* folder, const char* pattern,
                 const char* baseSection) {
  std::string wanted = langId ? langId : "";
  std::string dir = folder ? folder : "";
  std::string mask = pattern ? pattern : "";
  std::string section = baseSection ? baseSection : "";
  Clear();
  for (const FileInfo& info : ListFiles(dir.c_str(), mask.c_str()))
    if (_stricmp(info.langId.c_str(), wanted.c_str()) == 0)
      return LoadFile(info.path.c_str(), section.c_str());
  return false;
}

void CLang::Clear() {
  m_path.clear();
  m_lang.clear();
  m_langId.clear();
  m_baseSection.clear();
}

std::vector<CLang::FileInfo> CLang::ListFiles(const char* folder, const char* pattern) {
  std::vector<FileInfo> files;
  std::string dir = folder ? folder : "";
  const std::string search = dir + "\\" + (pattern ? pattern : "");
  WIN32_FIND_DATAA entry{};
  const UniqueFind found(FindFirstFileA(search.c_str(), &entry));
  if (!found) return files;
  do {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    FileInfo info;
    if (ReadVersion(dir + "\\" + entry.cFileName, info)) files.push_back(info);
  } while (FindNextFileA(found.Get(), &entry));
  return files;
}

bool CLang::ReadVersion(const std::string& path, FileInfo& info) {
  auto signature = ReadIniValue(kVersionSection, "signature", path, kVersionBytes);
  if (!signature || _stricmp(signature->c_str(), kSignature) != 0) return false;
  info.lang = ReadIniValue(kVersionSection, "lang", path, kVersionBytes).value_or("");
  info.langId = ReadIniValue(kVersionSection, "langid", path, kVersionBytes).value_or("");
  if (info.lang.empty() || info.langId.empty()) return false;
  info.path = path;
  return true;
}

const char* CLang::GetFileName() const { return m_path.empty() ? nullptr : m_path.c_str(); }

const char* CLang::GetSection() const {
  return m_baseSection.empty() ? nullptr : m_baseSection.c_str();
}

const char* CLang::GetFileTitle() const {
  size_t cut = m_path.find_last_of("\\/");
  return m_path.c_str() + (cut == std::string::npos ? 0 : cut + 1);
}

std::string CLang::SectionFor(const char* dlgSection) const {
  if (dlgSection && *dlgSection) return m_baseSection + "." + dlgSection;
  return m_baseSection;
}

bool CLang::Lookup(const char* key, const char* dlgSection, std::string& text) const {
  if (m_path.empty() || !key) return false;
  auto raw = ReadIniValue(SectionFor(dlgSection).c_str(), key, m_path, kValueBytes);
  if (!raw) return false;
  text = ResolveEscapes(*raw);
  return true;
}

std::string CLang::GetText(const char* key, const char* dlgSection) const {
  std::string text;
  if (!Lookup(key, dlgSection, text))
    g_LogTimer.War("CLang.text", 0, "value(key=\"%s\", section=\"%s\") is not exists",
                   key ? key : "", SectionFor(dlgSection).c_str());
  return text;
}

int CLang::integer(const char* key, const char* dlgSection, int defaultValue) const {
  std::string text;
  if (!Lookup(key, dlgSection, text) || text.empty()) return defaultValue;
  int value = defaultValue;
  switch (ParseSum(text, value)) {
    case ParseResult::kValue:
      return value;
    case ParseResult::kNoDigits:
      return defaultValue;
    case ParseResult::kInvalid:
      break;
  }
  g_LogTimer.Err("CLang::integer", 0, "Invalid value(%s) for \"%s\"::[%s]\\%s", text.c_str(),
                 m_path.c_str(), dlgSection ? dlgSection : "", key);
  return defaultValue;
}

void CLang::LocalizeDlg(HWND dlg, int count, const LocalizeRecord* records, const char* dlgSection,
                        UINT option) const {
  if (!dlgSection || !*dlgSection) {
    g_LogTimer.Err("CLang::LocalizeDlg", 0, "szDlgSection cant be empty");
    return;
  }
  LocalizeDlgCtrl(dlg, dlg, dlgSection, "", LOCALIZE_DIALOG, option);
  for (int i = 0; i < count; ++i) {
    const LocalizeRecord& r = records[i];
    if (r.id == 0 || !r.key || !*r.key) {
      g_LogTimer.Err("CLang::LocalizeDlg", 0, "arControl[i].ID & arControl[i].Key cant be empty");
      continue;
    }
    HWND ctrl = GetDlgItem(dlg, r.id);
    if (!ctrl) {
      g_LogTimer.Err("CLang::LocalizeDlg", 0, "Control(%s\\%s) is not exists in dialog", dlgSection,
                     r.key);
      continue;
    }
    LocalizeDlgCtrl(dlg, ctrl, dlgSection, r.key, r.kind, r.option);
  }
}

void CLang::LocalizeDlgCtrl(HWND dlg, HWND ctrl, const char* dlgSection, const char* key, UINT kind,
                            UINT option) const {
  std::string keyBase = key ? key : "";
  std::string text = ControlText(dlgSection, keyBase.c_str());
  if (text.empty() && !IsFilledByPage(kind) && !(option & LOCALIZE_RUNTIME_TEXT))
    g_LogTimer.War("CLang::LocalizeDlgCtrl", 0, "CAPTION is empty or not exists for %s::%s%s%s",
                   GetFileTitle(), dlgSection ? dlgSection : "", keyBase.empty() ? "" : "\\",
                   keyBase.c_str());
  SetWindowTextA(ctrl, text.c_str());
  ApplyLayout(dlg, ctrl, dlgSection, keyBase);
  if (!keyBase.empty()) ApplyVisibility(ctrl, dlgSection, keyBase);
  if (IsButtonKind(kind)) ApplyMultiLine(ctrl, dlgSection, keyBase);
}

std::string CLang::ControlText(const char* dlgSection, const char* key) const {
  std::string text;
  if (!Lookup(*key ? key : "CAPTION", dlgSection, text))
    Lookup((std::string(key) + ".CAPTION").c_str(), dlgSection, text);
  return AsciiText::Trim(text, AsciiText::kWhiteSpace);
}

void CLang::ApplyLayout(HWND dlg, HWND ctrl, const char* dlgSection,
                        const std::string& keyBase) const {
  int dLeft = integer((keyBase + ".DLEFT").c_str(), dlgSection, 0);
  int dTop = integer((keyBase + ".DTOP").c_str(), dlgSection, 0);
  int dWidth = integer((keyBase + ".DWIDTH").c_str(), dlgSection, 0);
  int dHeight = integer((keyBase + ".DHEIGHT").c_str(), dlgSection, 0);
  if (!dLeft && !dTop && !dWidth && !dHeight) return;
  RECT rc{};
  if (!GetWindowRect(ctrl, &rc)) {
    g_LogTimer.Assert(false, "CLang::LocalizeDlgCtrl", __LINE__);
    return;
  }
  // A control moves in its dialog's client coordinates, the dialog itself on the screen.
  POINT corners[2] = {{rc.left, rc.top}, {rc.right, rc.bottom}};
  if (ctrl != dlg) MapWindowPoints(nullptr, dlg, corners, 2);
  MoveWindow(ctrl, corners[0].x + dLeft, corners[0].y + dTop, corners[1].x - corners[0].x + dWidth,
             corners[1].y - corners[0].y + dHeight, TRUE);
}

void CLang::ApplyVisibility(HWND ctrl, const char* dlgSection, const std::string& keyBase) const {
  int visible = integer((keyBase + ".VISIBLE").c_str(), dlgSection, -1);
  if (visible != -1) ShowWindow(ctrl, visible ? SW_SHOW : SW_HIDE);
}

void CLang::ApplyMultiLine(HWND ctrl, const char* dlgSection, const std::string& keyBase) const {
  int multiLine = integer((keyBase + ".MULTILINE").c_str(), dlgSection, -1);
  if (multiLine == -1) return;
  LONG_PTR style = GetWindowLongPtrA(ctrl, GWL_STYLE);
  style = multiLine ? (style | BS_MULTILINE) : (style & ~static_cast<LONG_PTR>(BS_MULTILINE));
  SetWindowLongPtrA(ctrl, GWL_STYLE, style);
}
