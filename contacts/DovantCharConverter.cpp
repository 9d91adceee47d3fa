#include "contacts/DovantCharConverter.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "addin/CLogTimer.h"
#include "win32/nls.h"

DovantCharConverter* g_CharConverter = nullptr;

namespace {

constexpr char kUpperHex[] = "0123456789ABCDEF";

// What the quoted-printable encoder writes for a byte: up to three characters, their
// count in the last slot. Blanks hold their literal form and are marked, since whether
// they stay literal depends on where the line stands.
struct QpCode {
  static constexpr char kBlankMark = static_cast<char>(0x80);
  char text[4];

  int Length() const { return text[3] & 0x0F; }
  bool IsBlank() const { return (text[3] & kBlankMark) != 0; }
};

constexpr QpCode EscapedQpCode(int byte) {
  return QpCode{{'=', kUpperHex[byte >> 4], kUpperHex[byte & 0x0F], 3}};
}

constexpr std::array<QpCode, 256> kQpCodes = [] {
  std::array<QpCode, 256> table{};
  for (int byte = 0; byte < 256; ++byte) {
    const char c = static_cast<char>(byte);
    const bool literal = (byte >= 33 && byte <= 60) || (byte >= 62 && byte <= 126);
    const bool blank = byte == ' ' || byte == '\t';
    table[byte] = literal ? QpCode{{c, 0, 0, 1}}
                  : blank ? QpCode{{c, 0, 0, static_cast<char>(1 | QpCode::kBlankMark)}}
                          : EscapedQpCode(byte);
  }
  return table;
}();

// The value of a hexadecimal digit (either case), -1 for any other byte.
constexpr std::array<std::int8_t, 256> kHexValue = [] {
  std::array<std::int8_t, 256> table{};
  for (int byte = 0; byte < 256; ++byte) {
    table[byte] = byte >= '0' && byte <= '9'   ? static_cast<std::int8_t>(byte - '0')
                  : byte >= 'A' && byte <= 'F' ? static_cast<std::int8_t>(byte - 'A' + 10)
                  : byte >= 'a' && byte <= 'f' ? static_cast<std::int8_t>(byte - 'a' + 10)
                                               : std::int8_t{-1};
  }
  return table;
}();

// Bytes the decoder copies as they are: all but "=", CR and LF.
constexpr std::array<bool, 256> kQpPlain = [] {
  std::array<bool, 256> table{};
  for (int byte = 0; byte < 256; ++byte) table[byte] = byte != '=' && byte != '\r' && byte != '\n';
  return table;
}();

// A line is broken once it holds this many characters.
constexpr int kQpLineLimit = 65;
// From this column on a blank is escaped, so that no line ends in white space.
constexpr int kQpBlankLimit = 64;

bool IsHexPair(const unsigned char* p) { return kHexValue[p[0]] >= 0 && kHexValue[p[1]] >= 0; }

// Text up to its first NUL, as the system's 8-bit and wide strings end there.
template <typename Char>
size_t LengthToNul(const Char* text, size_t size) {
  const Char* nul = std::char_traits<Char>::find(text, size, Char{});
  return nul ? static_cast<size_t>(nul - text) : size;
}

// Decodes the whole source or nothing; false on an "=" that starts neither an escape
// nor a soft break.
bool DecodeQp(const std::string& source, std::string& decoded) {
  decoded.resize(source.size());
  char* out = decoded.data();
  const auto* p = reinterpret_cast<const unsigned char*>(source.data());
  const unsigned char* end = p + source.size();
  while (p < end) {
    if (kQpPlain[*p]) {
      *out++ = static_cast<char>(*p++);
    } else if (*p != '=') {
      ++p;  // a bare line end belongs to the file's layout, not to the value
    } else if (end - p >= 3 && IsHexPair(p + 1)) {
      *out++ = static_cast<char>(kHexValue[p[1]] << 4 | kHexValue[p[2]]);
      p += 3;
    } else if (end - p >= 3 && p[1] == '\r' && p[2] == '\n') {
      p += 3;
    } else {
      return false;
    }
  }
  decoded.resize(LengthToNul(decoded.data(), static_cast<size_t>(out - decoded.data())));
  return true;
}

}  // namespace

DovantCharConverter::DovantCharConverter()
    : m_EncodingsList(std::make_unique<SupportedEncodingsList>()) {
  _BuildMaps();
}

void DovantCharConverter::_BuildMaps() {
  for (const auto& entry : m_EncodingsList->GetList()) {
    m_CodePageMap[entry->CodePage] = entry.get();
    m_NameMap[entry->Name] = entry.get();
    m_CharsetMap[entry->Charset] = entry.get();
  }
}

UINT DovantCharConverter::_SystemCodePage(int codePage) {
  return codePage == kAnsiCodePage ? GetACP() : static_cast<UINT>(codePage);
}

int DovantCharConverter::EncodeByCharset(const char* charset, const _bstr_t& source,
                                         std::string& destination) const {
  return EncodeByCodePage(CharsetToCodePage(charset), source, destination);
}

int DovantCharConverter::EncodeByCodePage(int codePage, const _bstr_t& source,
                                          std::string& destination) const {
  if (codePage == kNoConversion) return kNoConversion;
  const UINT page = _SystemCodePage(codePage);
  const WCHAR* text = source;
  const int units = static_cast<int>(source.length());
  if (units < 1) return kNoConversion;

  const int size = WideCharToMultiByte(page, 0, text, units, nullptr, 0, nullptr, nullptr);
  if (size < 1) return kNoConversion;
  std::string buffer(static_cast<size_t>(size), '\0');
  const int written =
      WideCharToMultiByte(page, 0, text, units, buffer.data(), size, nullptr, nullptr);
  if (written < 1) return kNoConversion;
  buffer.resize(LengthToNul(buffer.data(), static_cast<size_t>(written)));
  destination = std::move(buffer);
  return written;
}

int DovantCharConverter::DecodeByCharset(const char* charset, const std::string& source,
                                         _bstr_t& destination) const {
  return DecodeByCodePage(CharsetToCodePage(charset), source, destination);
}

int DovantCharConverter::DecodeByCodePage(int codePage, const std::string& source,
                                          _bstr_t& destination) const {
  if (codePage == kNoConversion || source.empty()) return kNoConversion;
  const UINT page = _SystemCodePage(codePage);
  if (_Widen(page, source, destination) || codePage == kAnsiCodePage) return kNoConversion;

  // Dropping the value would lose the user's data; the ANSI reading keeps at least
  // its ASCII part.
  const UINT ansi = GetACP();
  g_LogTimer.War("DovantCharConverter::DecodeByCodePage", codePage,
                 "code page %d cannot be converted; the text is read in the ANSI code page %u",
                 codePage, ansi);
  _Widen(ansi, source, destination);
  return kNoConversion;
}

bool DovantCharConverter::_Widen(UINT codePage, const std::string& source, _bstr_t& destination) {
  const int bytes = static_cast<int>(source.size());
  const int size = MultiByteToWideChar(codePage, 0, source.data(), bytes, nullptr, 0);
  if (size < 1) return false;
  _bstr_t buffer(SysAllocStringLen(nullptr, static_cast<UINT>(size)), false);
  if (!buffer) _com_issue_error(E_OUTOFMEMORY);
  WCHAR* text = buffer.GetBSTR();
  const int written = MultiByteToWideChar(codePage, 0, source.data(), bytes, text, size);
  if (written < 1) return false;
  const size_t length = LengthToNul(text, static_cast<size_t>(written));
  if (length < static_cast<size_t>(size)) {
    buffer = _bstr_t(SysAllocStringLen(text, static_cast<UINT>(length)), false);
  }
  destination = std::move(buffer);
  return true;
}

const char* DovantCharConverter::GetCurrentCharset() const {
  return CodePageToCharset(m_CurrentCodePage);
}

int DovantCharConverter::SetCurrentByCharset(const char* charset) {
  m_CurrentCodePage = CharsetToCodePage(charset);
  return m_CurrentCodePage;
}

int DovantCharConverter::SetCurrentByName(const char* name) {
  m_CurrentCodePage = NameToCodePage(name);
  return m_CurrentCodePage;
}

bool DovantCharConverter::IsEmptyName(const char* name) const {
  return name == nullptr || name[0] == '\0';
}

const char* DovantCharConverter::CodePageToCharset(int codePage) const {
  if (codePage == kAnsiCodePage) return "";
  auto found = m_CodePageMap.find(codePage);
  return found == m_CodePageMap.end() ? "" : found->second->Charset.c_str();
}

int DovantCharConverter::CharsetToCodePage(const char* charset) const {
  return _LookupCodePage(charset, m_CharsetMap);
}

int DovantCharConverter::NameToCodePage(const char* name) const {
  return _LookupCodePage(name, m_NameMap);
}

int DovantCharConverter::_LookupCodePage(const char* name, const NameMap& map) {
  if (name == nullptr || name[0] == '\0') return kAnsiCodePage;
  auto found = map.find(std::string_view(name));
  return found == map.end() ? kNoConversion : found->second->CodePage;
}

int DovantCharConverter::WideToCharset(const _bstr_t& source, std::string& destination,
                                       const char* charset) const {
  destination.clear();
  return EncodeByCharset(charset ? charset : GetCurrentCharset(), source, destination);
}

int DovantCharConverter::BstrToCharset(BSTR source, std::string& destination,
                                       const char* charset) const {
  const _bstr_t owned(source, false);
  return WideToCharset(owned, destination, charset);
}

namespace {

// Calendar escapes over any kind of text: bytes of an 8-bit text, or UTF-16 units.
template <class Text>
Text EscapedText(const Text& text) {
  Text escaped;
  escaped.reserve(text.size() + text.size() / 8 + 8);
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = text[i];
    if (c == '\\' || c == ';' || c == ',') {
      escaped += '\\';
      escaped += c;
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      escaped += '\\';
      escaped += 'n';
    } else {
      escaped += c;
    }
  }
  return escaped;
}

}  // namespace

std::string DovantCharConverter::EscapeText(const std::string& text) { return EscapedText(text); }

std::basic_string<WCHAR> DovantCharConverter::EscapeText(const std::basic_string<WCHAR>& text) {
  return EscapedText(text);
}

std::basic_string<WCHAR> DovantCharConverter::UnescapeText(const std::basic_string<WCHAR>& text) {
  std::basic_string<WCHAR> plain;
  plain.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const WCHAR next = i + 1 < text.size() ? text[i + 1] : u'\0';
    if (text[i] == u'\\' && (next == u'\\' || next == u';' || next == u',' || next == u'n')) {
      plain += next == u'n' ? u'\n' : next;
      ++i;
    } else {
      plain += text[i];
    }
  }
  return plain;
}

void DovantCharConverter::EncodeQuotedPrintable(const std::string& source,
                                                std::string& destination) {
  // At most three characters a byte, a three-character soft break per full line, and
  // room for the last code's four-byte store.
  const size_t longest = 3 * source.size();
  std::string encoded(longest + 3 * (longest / kQpLineLimit + 1) + 1, '\0');
  char* const begin = encoded.data();
  char* out = begin;
  int column = 0;
  const auto* p = reinterpret_cast<const unsigned char*>(source.data());
  const unsigned char* const end = p + source.size();
  while (p < end) {
    const unsigned char c = *p++;
    QpCode code = kQpCodes[c];
    // Readers drop the blanks that open a continuation line, so those are escaped too.
    if (code.IsBlank() && (column >= kQpBlankLimit || (column == 0 && out != begin)))
      code = EscapedQpCode(c);
    std::memcpy(out, code.text, sizeof code.text);
    out += code.Length();
    column += code.Length();
    if (column >= kQpLineLimit && p < end) {
      std::memcpy(out, "=\r\n", 3);
      out += 3;
      column = 0;
    }
  }
  encoded.resize(static_cast<size_t>(out - begin));
  destination = std::move(encoded);
}

bool DovantCharConverter::DecodeQuotedPrintable(const std::string& source, std::string& destination,
                                                bool repair) {
  std::string decoded;
  if (DecodeQp(source, decoded) || (repair && DecodeQp(_RepairSoftBreaks(source), decoded))) {
    destination = std::move(decoded);
    return true;
  }
  return false;
}

std::string DovantCharConverter::_RepairSoftBreaks(const std::string& text) {
  // An "=" stays when it starts an escape or a line end; any other is made a literal
  // "=" ("=3D"). "=" CR followed by anything stays, so that such text still fails.
  std::string repaired;
  repaired.reserve(text.size() + 16);
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  for (size_t i = 0; i < text.size(); ++i) {
    repaired += text[i];
    if (text[i] != '=') continue;
    const bool twoFollow = i + 2 < text.size();
    if (!twoFollow || !(IsHexPair(bytes + i + 1) || text[i + 1] == '\r')) repaired += "3D";
  }
  return repaired;
}

_bstr_t DovantCharConverter::CleanText(const _bstr_t& text) {
  if (!text) return _bstr_t();
  const WCHAR* source = text;
  std::basic_string<WCHAR> clean;
  clean.reserve(text.length());
  for (unsigned int i = 0; i < text.length(); ++i) {
    const WCHAR c = source[i];
    if (c == u'\t' || (c >= 32 && c != 127)) clean += c == u'"' ? u'\'' : c;
  }
  _bstr_t result(SysAllocStringLen(clean.data(), static_cast<UINT>(clean.size())), false);
  if (!result) _com_issue_error(E_OUTOFMEMORY);
  return result;
}
