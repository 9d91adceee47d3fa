#include "contacts/CvCardImport.h"

#include <algorithm>

#include "addin/AsciiText.h"
#include "addin/BstrView.h"
#include "addin/CLang.h"
#include "addin/CLogTimer.h"
#include "addin/ReadWholeFile.h"
#include "addin/TakePhysicalLine.h"
#include "contacts/DovantCharConverter.h"
#include "contacts/VCardReaderDecoder.h"
#include "win32/windows.h"

CvCardImport::CvCardImport() = default;
CvCardImport::~CvCardImport() = default;

// ---------------------------------------------------------------------------------------
// The file text

bool CvCardImport::_ReadFile(HANDLE file, const char* fileName) {
  LoadBytes(nullptr, 0, nullptr);
  std::vector<unsigned char> bytes;
  const bool read = ReadWholeFile(file, kMaxFileSize, bytes);
  if (read) {
    LoadBytes(bytes.data(), bytes.size(), fileName);
  } else {
    g_LogTimer.Err("CvCardImport::_ReadFile", 0, "File(%s) cannot be read",
                   fileName ? fileName : "");
  }
  return read;
}

void CvCardImport::LoadBytes(const void* data, std::size_t size, const char* fileName) {
  VCardReaderDecoder::Result decoded =
      VCardReaderDecoder::Decode(static_cast<const unsigned char*>(data), size);
  VCardReaderDecoder::LogNuls(decoded, "CvCardImport::_ReadFile", fileName);
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
  const char* cursor = m_text.data() + m_cursor;
  m_line = TakePhysicalLine(cursor, m_text.data() + m_text.size());
  m_cursor = static_cast<std::size_t>(cursor - m_text.data());
  return true;
}

bool CvCardImport::_NextProperty() {
  while (_NextLine()) {
    const std::size_t separator = m_line.find_first_of(":;");
    if (separator == std::string::npos) continue;
    std::string_view name(m_line.data(), separator);
    const std::size_t dot = name.find('.');
    if (dot != std::string_view::npos) name.remove_prefix(dot + 1);
    m_name = AsciiText::Uppercase(std::string(name));
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
        AsciiText::Trim(parameter.substr(0, equals), AsciiText::kWhiteSpace) == "CHARSET") {
      std::string charset(AsciiText::Trim(parameter.substr(equals + 1), AsciiText::kWhiteSpace));
      m_line.erase(start, end - start);
      return charset;
    }
    start = end;
  }
  return std::string();
}

bool CvCardImport::_RestStartsWith(const char* text) const {
  return AsciiText::IStartsWith(std::string_view(m_line).substr(m_pos), text);
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
    if (m_param.size() > 5 && AsciiText::IStartsWith(m_param, "TYPE=")) m_param.erase(0, 5);
    m_param = AsciiText::Uppercase(std::move(m_param));
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
    std::string type(AsciiText::Trim(list.substr(0, comma), AsciiText::kWhiteSpace));
    if (!type.empty()) m_types.push_back(std::move(type));
    list.remove_prefix(std::min(comma + 1, list.size()));
  }
}

bool CvCardImport::_HasType(const char* type) const {
  return std::find(m_types.begin(), m_types.end(), type) != m_types.end();
}

std::string CvCardImport::_PropertyText() const {
  std::string text = m_name;
  for (const std::string& type : m_types) text += ";" + type;
  return text;
}

std::string CvCardImport::_CollectValue() {
  std::string value = m_line.substr(m_pos + 1);
  if (m_quotedPrintable) {
    while (!value.empty() && value.back() == '=' && _ReadRawLine()) {
      value += "\r\n";
      value += m_line;
    }
  } else if (m_version == kVCard30) {
    // A continuation line gives up exactly the one blank or tab that folded it.
    while (m_cursor < m_text.size() && (m_text[m_cursor] == ' ' || m_text[m_cursor] == '\t')) {
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
  return std::basic_string<WCHAR>(BstrView(wide));
}

std::basic_string<WCHAR> CvCardImport::_Unescape(const std::basic_string<WCHAR>& text,
                                                 bool structured) const {
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

bool CvCardImport::_StoreValue(std::basic_string<WCHAR>& field,
                               const std::basic_string<WCHAR>& text, bool structured) const {
  std::basic_string<WCHAR> value =
      _Unescape(AsciiText::Trim(text, AsciiText::kWhiteSpace), structured);
  if (value.empty()) return false;
  field = std::move(value);
  return true;
}

std::basic_string<WCHAR> CvCardImport::_NextPart(const std::basic_string<WCHAR>& value,
                                                 std::size_t& pos, bool rest) const {
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

void CvCardImport::_StoreParts(const std::basic_string<WCHAR>& value,
                               std::basic_string<WCHAR>* const* fields, int count) {
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
  m_emailProperties = {};
  m_sparePhones.clear();
  m_dropped.clear();
}

int CvCardImport::ParseCards() {
  bool open = _IsBegin();
  while (open) {
    _ResetCard();
    const CardEnd end = _ReadCard();
    if (end != CardEnd::kEnd) {
      // Saving a card that never ended could merge two people or keep half of one.
      if (!_CardCutOff(end == CardEnd::kBegin ? "the next BEGIN:VCARD" : "the end of the file"))
        return -1;
      if (end == CardEnd::kText) break;
      m_version = kVCard21;
      continue;
    }
    _FinishCard();
    const int saved = putContactItem(m_card);
    _ResetCard();
    if (!_AfterCard() || saved < 0) return -1;
    open = _IsBegin();
  }
  return 0;
}

void CvCardImport::_FinishCard() {
  _PlaceSparePhones();
  _LogDroppedValues();
  _ForgetLabelFullName();
  if (m_foreignCard) _FixSkypeCard();
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
