#include "contacts/CvCardImport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "addin/CLang.h"
#include "addin/CLib.h"
#include "addin/CLogTimer.h"
#include "addin/CMultiPath.h"
#include "addin/ListSeparator.h"
#include "addin/ReadWholeFile.h"
#include "win32/owners.h"
#include "contacts/CDlgVCardImport.h"
#include "contacts/CDlgVCardImportFinish.h"
#include "contacts/DovantCharConverter.h"
#include "contacts/VCardReaderDecoder.h"
#include "contacts/VCardReaderPicture.h"
#include "resource.h"
#include "win32/windows.h"

namespace {

constexpr const char* kPhotoTag = "CvCardImport::doPHOTO";
constexpr const char* kBinaryTag = "CvCardImport::get_Binary";

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), AsciiUpper);
  return text;
}

bool IEquals(std::string_view left, std::string_view right) {
  return left.size() == right.size() &&
         std::equal(left.begin(), left.end(), right.begin(),
                    [](char a, char b) { return AsciiUpper(a) == AsciiUpper(b); });
}

bool IStartsWith(std::string_view text, std::string_view start) {
  return text.size() >= start.size() && IEquals(text.substr(0, start.size()), start);
}

template <typename Char>
bool IsSpace(Char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

template <typename String>
String Trim(const String& text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsSpace(text[first])) ++first;
  while (last > first && IsSpace(text[last - 1])) --last;
  return text.substr(first, last - first);
}

// Plain ASCII text compared with UTF-16 text, without regard to case.
bool IEquals16(const std::basic_string<WCHAR>& text, std::string_view ascii) {
  if (text.size() != ascii.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] > 0x7F || AsciiUpper(static_cast<char>(text[i])) != AsciiUpper(ascii[i])) {
      return false;
    }
  }
  return true;
}

// Days from 1899-12-30 (the OLE automation date's day 0) to the given day.
long long DaysSinceOleEpoch(int year, int month, int day) {
  const int y = year - (month <= 2 ? 1 : 0);
  const int era = y / 400;
  const int yearOfEra = y - era * 400;
  const int shiftedMonth = month + (month > 2 ? -3 : 9);
  const int dayOfYear = (153 * shiftedMonth + 2) / 5 + day - 1;
  const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  const long long unixDays = static_cast<long long>(era) * 146097 + dayOfEra - 719468;
  return unixDays + 25569;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// A signed decimal number as "%d" reads it (leading blanks skipped), of at most width
// characters when width is not 0; a number too large for long saturates.
bool ReadNumber(const char*& p, std::size_t width, long& value) {
  while (*p == ' ' || *p == '\t') ++p;
  std::string number;
  if (*p == '-' || *p == '+') number += *p++;
  while (*p >= '0' && *p <= '9' && (width == 0 || number.size() < width)) number += *p++;
  if (number.empty() || number.back() < '0' || number.back() > '9') return false;
  value = std::strtol(number.c_str(), nullptr, 10);
  return true;
}

bool ReadDashedDate(const char* p, long& year, long& month, long& day) {
  return ReadNumber(p, 0, year) && *p == '-' && ReadNumber(++p, 0, month) && *p == '-' &&
         ReadNumber(++p, 0, day);
}

bool ReadCompactDate(const char* p, long& year, long& month, long& day) {
  return ReadNumber(p, 4, year) && ReadNumber(p, 2, month) && ReadNumber(p, 2, day);
}

// YYYY-MM-DD or YYYYMMDD (anything may follow) as an OLE date at midnight; 0 when the
// text holds no possible day.
DATE ParseDate(const std::string& text) {
  long year = 0;
  long month = 0;
  long day = 0;
  const bool read = text.find('-') != std::string::npos
                        ? ReadDashedDate(text.c_str(), year, month, day)
                        : ReadCompactDate(text.c_str(), year, month, day);
  if (!read || year < 100 || year > 9999 || month < 1 || month > 12) return 0;
  if (day < 1 || day > DaysInMonth(static_cast<int>(year), static_cast<int>(month))) return 0;
  return static_cast<DATE>(
      DaysSinceOleEpoch(static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)));
}

std::basic_string<WCHAR> ToU16(const _bstr_t& text) {
  const WCHAR* data = text;
  return data ? std::basic_string<WCHAR>(data, text.length()) : std::basic_string<WCHAR>();
}

}  // namespace

CvCardImport::CvCardImport() = default;
CvCardImport::~CvCardImport() = default;

// ---------------------------------------------------------------------------------------
// The run

int CvCardImport::Execute(Outlook::_Application* app, HKEY* optionsKey, HWND parent) {
  if (!app) {
    g_LogTimer.Err("CvCardImport::Execute", 0, "no Outlook application");
    return -1;
  }
  ContactImportChoices choices;
  {
    CDlgVCardImport page(app, optionsKey);
    if (page.DoModal(parent) != IDOK) return 0;
    choices.folder = page.GetFolderObject();
    choices.files = page.m_files;
    choices.conflictResolution = page.m_conflictResolution;
    choices.filter = page.GetFilter();
  }
  const int ran = Run(choices, parent);
  if (ran < 0) return -1;
  if (ran == 0) {
    CDlgVCardImportFinish finish(optionsKey, m_counts.files, m_counts.cards, m_counts.imported,
                                 m_counts.failed, m_counts.skipped, choices.folder);
    finish.DoModal(parent);
  }
  return 0;
}

int CvCardImport::Run(const ContactImportChoices& choices, HWND parent) {
  m_counts = ContactImportCounts();
  if (!choices.folder) {
    g_LogTimer.Err("CvCardImport::Execute", 0, "no Outlook folder");
    return -1;
  }
  const std::vector<std::string> files = _CollectFiles(choices.files);
  if (files.empty()) {
    MessageBoxA(parent, g_Lang.GetText("IDS_ERR_IMPORT_VCARD_FILES_NOT_FOUND").c_str(),
                g_Lang.GetText("IDS_APP_TITLE").c_str(), MB_ICONEXCLAMATION);
    return 1;
  }
  if (!m_progress.Start(parent, IDD_VCARD_IMPORT_PROGRESS)) {
    g_LogTimer.Err("CvCardImport::Execute", 0, "progress dialog cannot start");
    return -1;
  }
  m_progressUp = true;
  m_progress.SetName(g_Lang.GetText("IDS_PROGR_IMPORT").c_str());
  m_progress.SetTotal(m_counts.cards);
  m_saver.Begin(choices, m_outlookVersion, &m_counts);
  for (const std::string& file : files) {
    if (_ImportFile(file) < 0) {
      // Every card not handled counts as skipped.
      m_counts.skipped = std::max(0, m_counts.cards - m_counts.failed - m_counts.imported);
      break;
    }
  }
  m_saver.End();
  m_progressUp = false;
  m_progress.Close();
  return 0;
}

std::vector<std::string> CvCardImport::_CollectFiles(const std::string& text) {
  CMultiPath paths;
  paths.Parse(text.c_str(), false);
  std::vector<std::string> files;
  for (int i = 0; i < paths.GetCount(); ++i) {
    const std::string& path = paths.GetAt(i);
    if (!PathIsDirectoryA(path.c_str())) {
      _AddFile(path, files);
      continue;
    }
    const std::string folder =
        path.back() == '\\' || path.back() == '/' ? path : path + "\\";
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "*.vcf").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) continue;
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) _AddFile(folder + found.cFileName, files);
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  m_counts.files = static_cast<int>(files.size());
  return files;
}

void CvCardImport::_AddFile(const std::string& path, std::vector<std::string>& files) {
  files.push_back(path);
  m_counts.cards += _CountCards(path.c_str());
}

int CvCardImport::_CountCards(const char* path) {
  const UniqueFile file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file || !_ReadFile(file.Get(), path)) return 0;
  // Every BEGIN:VCARD starts a card: one cut off before its END is counted, as it fails.
  int count = 0;
  while (_NextProperty()) count += _IsBeginProperty();
  return count;
}

int CvCardImport::_ImportFile(const std::string& path) {
  const UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = GetLastError();
    const std::string text = path + g_Lang.GetText("IDS_ERR_CANNOT_OPEN_FILE");
    const int answer = MessageBoxA(GetActiveWindow(), text.c_str(),
                                   g_Lang.GetText("IDS_ERR_TITLE").c_str(),
                                   MB_OKCANCEL | MB_ICONEXCLAMATION);
    if (answer != IDCANCEL) return 0;
    return error != 0 ? HRESULT_FROM_WIN32(error) : E_FAIL;
  }
  if (!_ReadFile(file.Get(), nullptr)) return 0;
  // Messages about the file's values name it.
  m_fileName = path;
  return ParseCards();
}

int CvCardImport::putContactItem(const ParsedCard& card) {
  if (!m_saver.Active()) return 0;
  try {
    return m_saver.SaveContact(card);
  } catch (const _com_error& error) {
    const _bstr_t description = error.Description();
    const char* text = description;
    g_LogTimer.Err("CvCardImport::putContactItem", error.Error(), "Exception: %s",
                   text ? text : static_cast<const char*>(_bstr_t(error.ErrorMessage())));
    return FAILED(error.Error()) ? error.Error() : E_FAIL;
  } catch (...) {
    g_LogTimer.Err("CvCardImport::putContactItem", 0, "Exception");
    return -1;
  }
}

bool CvCardImport::_AfterCard() {
  if (!m_progressUp) return true;
  m_progress.Step();
  if (m_progress.IsHelpPressed()) g_Lib.ShowContextHelp("Import_Contacts_from_Files_with_Kelvra.htm");
  return !m_progress.m_bCancel;
}

// ---------------------------------------------------------------------------------------
// The file text

bool CvCardImport::_ReadFile(HANDLE file, const char* fileName) {
  LoadBytes(nullptr, 0, nullptr);
  std::vector<unsigned char> bytes;
  const bool read = ReadWholeFile(file, kMaxFileSize, bytes);
  if (read) {
    LoadBytes(bytes.data(), bytes.size(), fileName);
  } else {
    g_LogTimer.Err("CvCardImport::_ReadFile", 0, "File(%s) cannot be read", fileName ? fileName : "");
  }
  return read;
}

void CvCardImport::LoadBytes(const void* data, std::size_t size, const char* fileName) {
  VCardReaderDecoder::Result decoded =
      VCardReaderDecoder::Decode(static_cast<const unsigned char*>(data), size);
  if (decoded.nulCount > 0 && fileName) {
    g_LogTimer.Err("CvCardImport::_ReadFile", 0,
                   "File(%s) contains unencoded binary data(%d bad symbols)! It cannot be "
                   "imported correctly.",
                   fileName, decoded.nulCount);
  }
  m_text = std::move(decoded.text);
  m_converted = decoded.converted;
  m_fileName = fileName ? fileName : "";
  m_cursor = 0;
  m_lineStart = 0;
}

int CvCardImport::ParseBytes(const void* data, std::size_t size) {
  LoadBytes(data, size, nullptr);
  return ParseCards();
}

// ---------------------------------------------------------------------------------------
// Lines and properties

bool CvCardImport::_NextLine() {
  m_lineStart = m_cursor;
  while (m_cursor < m_text.size() && m_text[m_cursor] == ' ') ++m_cursor;
  return _ReadRawLine();
}

bool CvCardImport::_ReadRawLine() {
  if (m_cursor >= m_text.size()) return false;
  std::size_t end = m_text.find('\n', m_cursor);
  const std::size_t next = end == std::string::npos ? m_text.size() : end + 1;
  if (end == std::string::npos) end = m_text.size();
  if (end > m_cursor && m_text[end - 1] == '\r' && end < m_text.size()) --end;
  m_line.assign(m_text, m_cursor, end - m_cursor);
  m_cursor = next;
  return true;
}

bool CvCardImport::_NextProperty() {
  while (_NextLine()) {
    const std::size_t separator = m_line.find_first_of(":;");
    if (separator == std::string::npos) continue;
    std::string_view name(m_line.data(), separator);
    const std::size_t dot = name.find('.');
    if (dot != std::string_view::npos) name.remove_prefix(dot + 1);
    m_name = Upper(std::string(name));
    m_pos = separator;
    g_CharConverter->SetCurrentByCharset(_ParseCharset().c_str());
    return true;
  }
  return false;
}

std::string CvCardImport::_ParseCharset() {
  for (std::size_t start = m_pos; start < m_line.size() && m_line[start] == ';';) {
    std::size_t end = m_line.find_first_of(";:", start + 1);
    if (end == std::string::npos) end = m_line.size();
    const std::string_view parameter(m_line.data() + start + 1, end - start - 1);
    const std::size_t equals = parameter.find('=');
    if (equals != std::string_view::npos && equals >= 7 &&
        Trim(parameter.substr(0, equals)) == "CHARSET") {
      std::string charset(Trim(parameter.substr(equals + 1)));
      m_line.erase(start, end - start);
      return charset;
    }
    start = end;
  }
  return std::string();
}

bool CvCardImport::_RestStartsWith(const char* text) const {
  return IStartsWith(std::string_view(m_line).substr(m_pos), text);
}

bool CvCardImport::_IsBeginProperty() const {
  return m_name == "BEGIN" && _RestStartsWith(":VCARD");
}

bool CvCardImport::_IsBegin() {
  while (_NextProperty()) {
    if (_IsBeginProperty()) {
      m_version = kVCard21;
      return true;
    }
  }
  return false;
}

bool CvCardImport::_IsEnd() const { return _RestStartsWith(":VCARD"); }

// ---------------------------------------------------------------------------------------
// Parameters and values

bool CvCardImport::_GetTypes() {
  m_types.clear();
  m_quotedPrintable = false;
  while (m_pos < m_line.size() && m_line[m_pos] == ';') {
    std::size_t end = m_line.find_first_of(";:", m_pos + 1);
    if (end == std::string::npos) end = m_line.size();
    m_param.assign(m_line, m_pos + 1, end - m_pos - 1);
    if (m_param.size() > 5 && IStartsWith(m_param, "TYPE=")) m_param.erase(0, 5);
    m_param = Upper(std::move(m_param));
    if (m_param == "ENCODING=QUOTED-PRINTABLE" || m_param == "QUOTED-PRINTABLE") {
      m_quotedPrintable = true;
    } else if (m_param.find('=') == std::string::npos) {
      // A parameter of another name (a slot, a label) says nothing about the type.
      _AddTypes(m_param);
    }
    m_pos = end;
  }
  return m_pos < m_line.size() && m_line[m_pos] == ':';
}

void CvCardImport::_AddTypes(std::string_view list) {
  while (!list.empty()) {
    const std::size_t comma = std::min(list.find(','), list.size());
    std::string type(Trim(list.substr(0, comma)));
    if (!type.empty()) m_types.push_back(std::move(type));
    list.remove_prefix(std::min(comma + 1, list.size()));
  }
}

bool CvCardImport::_HasType(const char* type) const {
  return std::find(m_types.begin(), m_types.end(), type) != m_types.end();
}

std::string CvCardImport::_CollectValue() {
  std::string value = m_line.substr(m_pos + 1);
  if (m_quotedPrintable) {
    while (!value.empty() && value.back() == '=' && _ReadRawLine()) {
      value += "\r\n";
      value += m_line;
    }
  } else if (m_version == kVCard30) {
    // A continuation line gives up exactly the one blank that folded it.
    while (m_cursor < m_text.size() && m_text[m_cursor] == ' ') {
      ++m_cursor;
      _ReadRawLine();
      value += m_line;
    }
  } else {
    // 2.1 folds at white space: only the line break goes, the blank or tab is text.
    while (m_cursor < m_text.size() && (m_text[m_cursor] == ' ' || m_text[m_cursor] == '\t')) {
      _ReadRawLine();
      value += m_line;
    }
  }
  return value;
}

std::string CvCardImport::_DecodeValue(const std::string& raw) const {
  std::string decoded;
  if (DovantCharConverter::DecodeQuotedPrintable(raw, decoded, true)) return decoded;
  const std::string text = FormatLangMessage(g_Lang.GetText("IDS_ERR_INVALID_FORMAT"));
  const std::string caption = g_Lang.GetText("IDS_APP_TITLE");
  MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), MB_ICONEXCLAMATION);
  return raw;
}

std::string CvCardImport::FormatLangMessage(const std::string& text) const {
  // One pass, so that a "%2" inside the file name stays as it is.
  std::string message;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == '1' || text[i + 1] == '2')) {
      message += text[++i] == '1' ? m_fileName : m_name;
    } else {
      message += text[i];
    }
  }
  return message;
}

std::basic_string<WCHAR> CvCardImport::_ReadText() {
  const std::string raw = _CollectValue();
  const std::string bytes = m_quotedPrintable ? _DecodeValue(raw) : raw;
  if (bytes.empty()) return std::basic_string<WCHAR>();
  // Text that came converted is ANSI already; quoted-printable bytes were never touched
  // by that conversion and still stand in their CHARSET.
  const char* charset =
      m_converted && !m_quotedPrintable ? "" : g_CharConverter->GetCurrentCharset();
  _bstr_t wide;
  g_CharConverter->DecodeByCharset(charset, bytes, wide);
  return ToU16(wide);
}

std::basic_string<WCHAR> CvCardImport::_Unescape(const std::basic_string<WCHAR>& text, bool structured) const {
  std::basic_string<WCHAR> result;
  result.reserve(text.size());
  const bool v30 = m_version == kVCard30;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const WCHAR next = i + 1 < text.size() ? text[i + 1] : u'\0';
    if (text[i] != u'\\' || next == u'\0') {
      result += text[i];
    } else if (structured && next == u';') {
      result += text[++i];
    } else if (v30 && (next == u',' || next == u'\\')) {
      result += text[++i];
    } else if (v30 && (next == u'n' || next == u'N')) {
      result += u"\r\n";
      ++i;
    } else {
      result += text[i];
    }
  }
  return result;
}

bool CvCardImport::_StoreValue(std::basic_string<WCHAR>& field, const std::basic_string<WCHAR>& text,
                               bool structured) const {
  std::basic_string<WCHAR> value = _Unescape(Trim(text), structured);
  if (value.empty()) return false;
  field = std::move(value);
  return true;
}

std::basic_string<WCHAR> CvCardImport::_NextPart(const std::basic_string<WCHAR>& value, std::size_t& pos,
                                       bool rest) const {
  const std::size_t start = std::min(pos, value.size());
  std::size_t end = start;
  for (; !rest && end < value.size() && value[end] != u';'; ++end) {
    // In 3.0 a backslash always escapes the next character ("\\;" ends a component);
    // in 2.1 only "\;" is an escape.
    if (value[end] == u'\\' && end + 1 < value.size() &&
        (m_version == kVCard30 || value[end + 1] == u';')) {
      ++end;
    }
  }
  if (rest) end = value.size();
  pos = end + 1;
  return value.substr(start, end - start);
}

void CvCardImport::_StoreParts(const std::basic_string<WCHAR>& value, std::basic_string<WCHAR>* const* fields,
                               int count) {
  std::size_t pos = 0;
  for (int i = 0; i < count; ++i) {
    if (pos > value.size()) break;
    _StoreValue(*fields[i], _NextPart(value, pos, i == count - 1), true);
  }
}

bool CvCardImport::_ReadTextValue(std::basic_string<WCHAR>& value) {
  if (!_GetTypes()) return false;
  value = _ReadText();
  return true;
}

// ---------------------------------------------------------------------------------------
// Cards

void CvCardImport::_ResetCard() {
  m_card = ParsedCard();
  m_foreignCard = false;
}

int CvCardImport::ParseCards() {
  bool open = _IsBegin();
  while (open) {
    _ResetCard();
    const CardEnd end = _ReadCard();
    if (end != CardEnd::kEnd) {
      // Saving a card that never ended could merge two people or keep half of one.
      if (!_CardCutOff(end == CardEnd::kBegin ? "the next BEGIN:VCARD" : "the end of the file")) return -1;
      if (end == CardEnd::kText) break;
      m_version = kVCard21;
      continue;
    }
    if (m_foreignCard) _FixSkypeCard();
    const int saved = putContactItem(m_card);
    _ResetCard();
    if (!_AfterCard() || saved < 0) return -1;
    open = _IsBegin();
  }
  return 0;
}

bool CvCardImport::_CardCutOff(const char* where) {
  g_LogTimer.Err("CvCardImport::ParseCards", 0,
                 "a card of file(%s) has no END:VCARD before %s; it is not imported",
                 m_fileName.c_str(), where);
  if (m_saver.Active()) ++m_counts.failed;
  return _AfterCard();
}

CvCardImport::CardEnd CvCardImport::_ReadCard() {
  while (_NextProperty()) {
    if (_IsBeginProperty()) return CardEnd::kBegin;
    if (m_name == "END") {
      if (_IsEnd()) return CardEnd::kEnd;
      continue;
    }
    _Dispatch();
  }
  return CardEnd::kText;
}

void CvCardImport::_Dispatch() {
  struct KeptText {
    const char* name;
    std::basic_string<WCHAR> ParsedCard::*field;
  };
  static constexpr KeptText kKeptTexts[] = {
      {"FN", &ParsedCard::fullName},
      {"NICKNAME", &ParsedCard::nickName},
      {"ROLE", &ParsedCard::profession},
      {"TITLE", &ParsedCard::jobTitle},
      {"NOTE", &ParsedCard::notes},
      {"X-OUTL-MANAGERNAME", &ParsedCard::managerName},
      {"X-OUTL-ASSISTANTNAME", &ParsedCard::assistantName},
      {"X-OUTL-SPOUSE", &ParsedCard::spouse},
      {"X-OUTL-NMSERVER", &ParsedCard::netMeetingServer},
      {"X-OUTL-NMALIAS", &ParsedCard::netMeetingAlias},
      {"X-OUTL-IFBADDRESS", &ParsedCard::freeBusyAddress},
  };
  struct Handler {
    const char* name;
    void (CvCardImport::*run)();
  };
  static constexpr Handler kHandlers[] = {
      {"VERSION", &CvCardImport::doVERSION},
      {"N", &CvCardImport::doN},
      {"ORG", &CvCardImport::doORG},
      {"BDAY", &CvCardImport::doBDAY},
      {"ADR", &CvCardImport::doADR},
      {"TEL", &CvCardImport::doTEL},
      {"EMAIL", &CvCardImport::doEMAIL},
      {"X-OUTL-IMADDRESS", &CvCardImport::doIMADDRESS},
      {"X-OUTL-CATEGORIES", &CvCardImport::doCATEGORIES},
      {"CATEGORIES", &CvCardImport::doCATEGORIES},
      {"X-OUTL-ANNIVERSARY", &CvCardImport::doANNIVERSARY},
      {"URL", &CvCardImport::doURL},
      {"CLASS", &CvCardImport::doCLASS},
      {"X-OUTL-CLASS", &CvCardImport::doCLASS},
      {"PHOTO", &CvCardImport::doPHOTO},
  };
  for (const KeptText& kept : kKeptTexts) {
    if (m_name == kept.name) return doKeptText(m_card.*kept.field);
  }
  for (const Handler& handler : kHandlers) {
    if (m_name == handler.name) return (this->*handler.run)();
  }
  if (m_name.compare(0, 8, "X-SKYPE-") == 0) m_foreignCard = true;
  _SkipValue();
}

void CvCardImport::_SkipValue() {
  // The value's continuation lines must not be taken for properties of their own.
  if (_GetTypes()) _CollectValue();
}

// ---------------------------------------------------------------------------------------
// Handlers

void CvCardImport::doVERSION() {
  m_version = _RestStartsWith(":3.0") ? kVCard30 : kVCard21;
  if (!_RestStartsWith(":4.0")) return;
  // 4.0 folds and escapes as 3.0 does; its other novelties are not read.
  m_version = kVCard30;
  g_LogTimer.War("CvCardImport::doVERSION", 0, "vCard 4.0 is read as vCard 3.0 in file(%s)",
                 m_fileName.c_str());
}

void CvCardImport::doN() {
  std::basic_string<WCHAR> value;
  if (!_ReadTextValue(value)) return;
  std::basic_string<WCHAR>* const fields[] = {&m_card.lastName, &m_card.firstName, &m_card.middleName,
                                    &m_card.namePrefix, &m_card.nameSuffix};
  _StoreParts(value, fields, 5);
}

void CvCardImport::doKeptText(std::basic_string<WCHAR>& field) {
  std::basic_string<WCHAR> value;
  if (!_ReadTextValue(value) || !field.empty()) return;
  _StoreValue(field, value, false);
}

void CvCardImport::doORG() {
  std::basic_string<WCHAR> value;
  if (!_ReadTextValue(value)) return;
  if (!m_card.companyName.empty() || !m_card.department.empty()) return;
  std::basic_string<WCHAR>* const fields[] = {&m_card.companyName, &m_card.department};
  _StoreParts(value, fields, 2);
}

void CvCardImport::doBDAY() { _ReadDate(m_card.birthday); }

void CvCardImport::doANNIVERSARY() { _ReadDate(m_card.anniversary); }

void CvCardImport::_ReadDate(DATE& field) {
  std::basic_string<WCHAR> value;
  if (!_ReadTextValue(value)) return;
  std::string text;
  for (const WCHAR c : value) text += c < 0x80 ? static_cast<char>(c) : '?';
  const DATE date = ParseDate(Trim(text));
  if (date != 0) field = date;
}

void CvCardImport::doADR() {
  std::basic_string<WCHAR> value;
  if (!_ReadTextValue(value)) return;
  const bool home = _HasType("HOME");
  const bool postal = _HasType("POSTAL");
  const bool work = _HasType("WORK") || (!home && !postal);
  bool toOther = postal;
  if (work) toOther |= !_FillAddress(m_card.business, &m_card.officeLocation, value);
  if (home) toOther |= !_FillAddress(m_card.home, nullptr, value);
  if (toOther) _FillAddress(m_card.other, nullptr, value);
}

bool CvCardImport::_FillAddress(ParsedAddress& address, std::basic_string<WCHAR>* officeLocation,
                                const std::basic_string<WCHAR>& value) {
  if (!address.IsEmpty() || (officeLocation && !officeLocation->empty())) return false;
  std::basic_string<WCHAR> extended;
  std::basic_string<WCHAR>* const fields[] = {&address.postOfficeBox, &extended,       &address.street,
                                    &address.city,          &address.region, &address.postalCode,
                                    &address.country};
  _StoreParts(value, fields, 7);
  if (officeLocation) {
    *officeLocation = std::move(extended);
  } else if (!extended.empty()) {
    address.street = address.street.empty() ? extended : extended + u" " + address.street;
  }
  return true;
}

void CvCardImport::doTEL() {
  std::basic_string<WCHAR> value;
  std::basic_string<WCHAR> number;
  if (!_ReadTextValue(value) || !_StoreValue(number, value, false)) return;
  // The types that say where a number goes; VOICE only says it is no fax.
  static constexpr const char* kPlacing[] = {"WORK", "HOME",  "CELL", "FAX",        "CAR",
                                             "PAGER", "ISDN", "PREF", "COMPANYMAIN"};
  const auto has = [this](const char* type) { return _HasType(type); };
  const auto placing = std::count_if(std::begin(kPlacing), std::end(kPlacing), has);
  const bool fax = _HasType("FAX");
  bool work = _HasType("WORK");
  const bool home = _HasType("HOME");
  // A fax number without another type is a business fax while there is none yet.
  if (fax && m_card.phones[ParsedCard::kBusinessFax].empty() && placing + _HasType("VOICE") == 1) {
    work = true;
  }
  if (work) _PutLinePhone(fax, ParsedCard::kBusinessFax, ParsedCard::kBusinessPhone, number);
  if (home) _PutLinePhone(fax, ParsedCard::kHomeFax, ParsedCard::kHomePhone, number);
  static constexpr struct {
    const char* type;
    ParsedCard::Phone phone;
  } kSingle[] = {{"CELL", ParsedCard::kMobilePhone},  {"CAR", ParsedCard::kCarPhone},
                 {"PAGER", ParsedCard::kPager},       {"ISDN", ParsedCard::kIsdn},
                 {"PREF", ParsedCard::kPrimaryPhone}, {"COMPANYMAIN", ParsedCard::kCompanyMainPhone}};
  for (const auto& single : kSingle) {
    if (_HasType(single.type)) _PutPhone(single.phone, number);
  }
  // A number that no type places (VOICE, or no known type at all) is the other one.
  if (placing == 0) _PutPhone(ParsedCard::kOtherPhone, number);
  if (fax && !work && !home) _PutPhone(ParsedCard::kOtherFax, number);
}

void CvCardImport::_PutLinePhone(bool fax, int faxIndex, int firstIndex,
                                 const std::basic_string<WCHAR>& number) {
  // faxIndex's slots: fax; firstIndex's: telephone, then telephone 2 right after it.
  if (fax && m_card.phones[faxIndex].empty()) {
    m_card.phones[faxIndex] = number;
  } else if (m_card.phones[firstIndex].empty()) {
    m_card.phones[firstIndex] = number;
  } else {
    _PutPhone(firstIndex + 1, number);
  }
}

void CvCardImport::_PutPhone(int index, const std::basic_string<WCHAR>& number) {
  if (m_card.phones[index].empty()) m_card.phones[index] = number;
}

void CvCardImport::doEMAIL() {
  std::basic_string<WCHAR> value;
  ParsedEmail email;
  if (!_ReadTextValue(value) || !_StoreValue(email.address, value, false)) return;
  bool internet = false;
  bool otherType = false;
  for (const std::string& type : m_types) {
    if (type == "INTERNET") {
      internet = true;
    } else if (type != "PREF" && type != "WORK" && type != "HOME") {
      otherType = true;
    }
  }
  if (internet || !otherType) email.addressType = u"SMTP";
  auto& emails = m_card.emails;
  if (_HasType("PREF") && !emails[0].address.empty()) {
    if (!emails[1].address.empty()) emails[2] = emails[1];
    emails[1] = emails[0];
    emails[0] = std::move(email);
    return;
  }
  for (ParsedEmail& slot : emails) {
    if (slot.address.empty()) {
      slot = std::move(email);
      return;
    }
  }
}

void CvCardImport::doURL() {
  std::basic_string<WCHAR> value;
  if (!_ReadTextValue(value)) return;
  const bool personal = _HasType("HOME") && !_HasType("WORK");
  _StoreValue(personal ? m_card.personalHomePage : m_card.businessHomePage, value, false);
}

void CvCardImport::doCATEGORIES() {
  std::basic_string<WCHAR> value;
  if (!_ReadTextValue(value) || !m_card.categories.empty()) return;
  if (!_StoreValue(m_card.categories, value, false) || m_version != kVCard30) return;
  const std::basic_string<WCHAR> separator = GetListSeparatorW();
  std::basic_string<WCHAR> joined;
  for (const WCHAR c : m_card.categories) {
    if (c == u',') {
      joined += separator;
    } else {
      joined += c;
    }
  }
  m_card.categories = std::move(joined);
}

void CvCardImport::doIMADDRESS() {
  std::basic_string<WCHAR> value;
  if (!_ReadTextValue(value) || m_outlookVersion == 9 || !m_card.imAddress.empty()) return;
  _StoreValue(m_card.imAddress, value, false);
}

void CvCardImport::doCLASS() {
  std::basic_string<WCHAR> value;
  if (!_ReadTextValue(value)) return;
  value = Trim(value);
  if (IEquals16(value, "CONFIDENTIAL")) m_card.sensitivity = ParsedCard::kSensitivityConfidential;
  if (IEquals16(value, "PRIVATE")) m_card.sensitivity = ParsedCard::kSensitivityPrivate;
}

// ---------------------------------------------------------------------------------------
// The picture

void CvCardImport::doPHOTO() {
  const std::string line = m_line;
  bool haveEncoding = false;
  if (!_ReadPhotoParams(line, haveEncoding)) return;
  if (!haveEncoding) {
    g_LogTimer.Err(kPhotoTag, 0, "No ENCODING param in \"%s\"", line.c_str());
    return;
  }
  std::vector<unsigned char> data;
  if (!get_Binary(data)) return;
  const char* extension = VCardReaderPicture::DetectExtension(data);
  if (!extension) {
    std::string start;
    for (std::size_t i = 0; i < data.size() && i < 16; ++i) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "%s0x%x", i == 0 ? "" : ",", data[i]);
      start += hex;
    }
    g_LogTimer.Err(kPhotoTag, 0, "cant detect image type; data starts with{%s}", start.c_str());
    return;
  }
  m_card.picture = std::move(data);
  m_card.pictureExtension = extension;
}

bool CvCardImport::_ReadPhotoParams(const std::string& line, bool& haveEncoding) {
  static constexpr const char* kImageTypes[] = {"JPEG", "JPG", "GIF", "BMP", "TIFF",
                                                "TIF",  "PNG", "WMF", "EMF", "ICO"};
  haveEncoding = false;
  std::string name;
  std::string value;
  while (_NextParam(name, value)) {
    if (IEquals(name, "ENCODING") || (name.empty() && IEquals(value, "BASE64"))) {
      if (!IEquals(value, "BASE64") && !IEquals(value, "B")) {
        g_LogTimer.Err(kPhotoTag, 0, "Unsupported ENCODING in \"%s\"", line.c_str());
        return false;
      }
      haveEncoding = true;
    } else if (IEquals(name, "TYPE") || name.empty()) {
      const bool known = std::any_of(std::begin(kImageTypes), std::end(kImageTypes),
                                     [&value](const char* type) { return IEquals(value, type); });
      if (!known && !value.empty()) {
        g_LogTimer.War(kPhotoTag, 0, "image type(%s) is unsupported (by outlook)", value.c_str());
      }
    } else if (IEquals(name, "VALUE")) {
      if (IEquals(value, "URL")) {
        g_LogTimer.Err(kPhotoTag, 0, "Unsupported PHOTO by URL");
        return false;
      }
      g_LogTimer.War(kPhotoTag, 0, "Ignoring VALUE=%s", value.c_str());
    } else {
      g_LogTimer.War(kPhotoTag, 0, "Skipping unknown ParamName(%s) & ParamValue(%s)",
                     name.c_str(), value.c_str());
    }
  }
  return true;
}

bool CvCardImport::_NextParam(std::string& name, std::string& value) {
  if (m_pos >= m_line.size() || m_line[m_pos] != ';') return false;
  std::size_t end = m_line.find_first_of(";:", m_pos + 1);
  if (end == std::string::npos) end = m_line.size();
  const std::string_view parameter(m_line.data() + m_pos + 1, end - m_pos - 1);
  const std::size_t equals = parameter.find('=');
  name = equals == std::string_view::npos ? std::string() : Trim(std::string(parameter.substr(0, equals)));
  value = Trim(std::string(equals == std::string_view::npos ? parameter : parameter.substr(equals + 1)));
  m_pos = end;
  return true;
}

bool CvCardImport::get_Binary(std::vector<unsigned char>& data) {
  if (m_pos >= m_line.size() || m_line[m_pos] != ':') {
    g_LogTimer.Err(kBinaryTag, 0, "Error - cant find ':' in \"%s\"", m_line.c_str());
    return false;
  }
  std::string text = m_line.substr(m_pos + 1);
  while (_NextLine() && !m_line.empty()) {
    if (m_line.find(':') != std::string::npos) {
      g_LogTimer.War(kBinaryTag, 0,
                     "no end empty line, end detected by occur symbol ':'(not allowed in "
                     "base64 encoding)");
      m_cursor = m_lineStart;
      break;
    }
    text += m_line;
  }
  if (Trim(text).empty()) {
    g_LogTimer.Err(kBinaryTag, 0, "no data(in vcf)");
    return false;
  }
  if (!VCardReaderPicture::DecodeBase64(text, data)) {
    g_LogTimer.Err(kBinaryTag, 0, "Base64Decode failed");
    return false;
  }
  if (data.empty()) {
    g_LogTimer.Err(kBinaryTag, 0, "cant read binary data");
    return false;
  }
  return true;
}

// ---------------------------------------------------------------------------------------
// Cards of a program that puts its own shapes into standard properties

void CvCardImport::_FixSkypeCard() {
  ParsedCard& card = m_card;
  if (!card.fullName.empty() && !card.lastName.empty() && card.firstName.empty() &&
      card.middleName.empty() && card.namePrefix.empty() && card.nameSuffix.empty()) {
    card.lastName.clear();
  }
  auto& emails = card.emails;
  if (emails[0].address.empty() || !emails[1].address.empty() || !emails[2].address.empty()) {
    return;
  }
  std::basic_string<WCHAR> all = emails[0].address;
  std::replace(all.begin(), all.end(), u'\t', u' ');
  all = Trim(all);
  const std::size_t blank = all.find(u' ');
  if (blank == std::basic_string<WCHAR>::npos) return;
  emails[0].address = all.substr(0, blank);
  std::basic_string<WCHAR> rest = Trim(all.substr(blank + 1));
  const std::size_t second = rest.find(u' ');
  emails[1] = {rest.substr(0, second), emails[0].addressType};
  if (second != std::basic_string<WCHAR>::npos) {
    emails[2] = {Trim(rest.substr(second + 1)), emails[0].addressType};
  }
}
