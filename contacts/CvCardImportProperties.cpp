// The vCard reader's properties: each one read into the card being built.
#include <algorithm>
#include <cstdlib>
#include <new>

#include "addin/AsciiText.h"
#include "addin/CLang.h"
#include "addin/CLogTimer.h"
#include "addin/ListSeparator.h"
#include "contacts/CvCardImport.h"
#include "contacts/DovantCharConverter.h"
#include "contacts/VCardReaderPicture.h"
#include "contacts/WideToAnsi.h"
#include "win32/windows.h"

namespace {

constexpr const char* kPhotoTag = "CvCardImport::doPHOTO";
constexpr const char* kBinaryTag = "CvCardImport::get_Binary";

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

// The same text, a "," and a ";" counting as one: a ";" of a structured value may
// have come back as ",".
bool SameLabel(const std::basic_string<WCHAR>& left, const std::basic_string<WCHAR>& right) {
  const auto separator = [](WCHAR c) { return c == u',' || c == u';'; };
  return left.size() == right.size() &&
         std::equal(left.begin(), left.end(), right.begin(), [&separator](WCHAR a, WCHAR b) {
           return a == b || (separator(a) && separator(b));
         });
}

}  // namespace

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
  std::basic_string<WCHAR>* const fields[] = {&m_card.lastName, &m_card.firstName,
                                              &m_card.middleName, &m_card.namePrefix,
                                              &m_card.nameSuffix};
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
  const DATE date = ParseDate(AsciiText::Trim(text, AsciiText::kWhiteSpace));
  if (date != 0) field = date;
}

void CvCardImport::doADR() {
  std::basic_string<WCHAR> value;
  if (!_ReadTextValue(value)) return;
  const bool home = _HasType("HOME");
  const bool postal = _HasType("POSTAL");
  const bool work = _HasType("WORK") || (!home && !postal);
  bool placed = false;
  bool toOther = postal;
  if (work) {
    const bool filled = _FillAddress(m_card.business, &m_card.officeLocation, value);
    placed |= filled;
    toOther |= !filled;
  }
  if (home) {
    const bool filled = _FillAddress(m_card.home, nullptr, value);
    placed |= filled;
    toOther |= !filled;
  }
  if (toOther) placed |= _FillAddress(m_card.other, nullptr, value);
  if (!placed && !_HoldsAddress(value)) m_dropped.push_back({_PropertyText(), value});
}

bool CvCardImport::_FillAddress(ParsedAddress& address, std::basic_string<WCHAR>* officeLocation,
                                const std::basic_string<WCHAR>& value) {
  if (!address.IsEmpty() || (officeLocation && !officeLocation->empty())) return false;
  std::basic_string<WCHAR> extended;
  std::basic_string<WCHAR>* const fields[] = {
      &address.postOfficeBox, &extended,           &address.street, &address.city,
      &address.region,        &address.postalCode, &address.country};
  _StoreParts(value, fields, 7);
  if (officeLocation) {
    *officeLocation = std::move(extended);
  } else if (!extended.empty()) {
    address.street = address.street.empty() ? extended : extended + u" " + address.street;
  }
  return true;
}

bool CvCardImport::_HoldsAddress(const std::basic_string<WCHAR>& value) {
  ParsedAddress business;
  std::basic_string<WCHAR> officeLocation;
  _FillAddress(business, &officeLocation, value);
  ParsedAddress address;
  _FillAddress(address, nullptr, value);
  return address.IsEmpty() ||
         (business == m_card.business && officeLocation == m_card.officeLocation) ||
         address == m_card.home || address == m_card.other;
}

void CvCardImport::doTEL() {
  std::basic_string<WCHAR> value;
  std::basic_string<WCHAR> number;
  if (!_ReadTextValue(value) || !_StoreValue(number, value, false)) return;
  // The types that say where a number goes; VOICE only says it is no fax.
  static constexpr const char* kPlacing[] = {"WORK",  "HOME", "CELL", "FAX",        "CAR",
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
  bool placed = false;
  if (work)
    placed |= _PutLinePhone(fax, ParsedCard::kBusinessFax, ParsedCard::kBusinessPhone, number);
  if (home) placed |= _PutLinePhone(fax, ParsedCard::kHomeFax, ParsedCard::kHomePhone, number);
  static constexpr struct {
    const char* type;
    ParsedCard::Phone phone;
  } kSingle[] = {
      {"CELL", ParsedCard::kMobilePhone},  {"CAR", ParsedCard::kCarPhone},
      {"PAGER", ParsedCard::kPager},       {"ISDN", ParsedCard::kIsdn},
      {"PREF", ParsedCard::kPrimaryPhone}, {"COMPANYMAIN", ParsedCard::kCompanyMainPhone}};
  for (const auto& single : kSingle) {
    if (_HasType(single.type)) placed |= _PutPhone(single.phone, number);
  }
  // A number that no type places (VOICE, or no known type at all) is the other one.
  if (placing == 0) placed |= _PutPhone(ParsedCard::kOtherPhone, number);
  if (fax && !work && !home) placed |= _PutPhone(ParsedCard::kOtherFax, number);
  if (!placed) m_sparePhones.push_back({{_PropertyText(), number}, fax});
}

bool CvCardImport::_PutLinePhone(bool fax, int faxIndex, int firstIndex,
                                 const std::basic_string<WCHAR>& number) {
  // faxIndex's slots: fax; firstIndex's: telephone, then telephone 2 right after it.
  if (fax && _PutPhone(faxIndex, number)) return true;
  return _PutPhone(firstIndex, number) || _PutPhone(firstIndex + 1, number);
}

bool CvCardImport::_PutPhone(int index, const std::basic_string<WCHAR>& number) {
  if (!m_card.phones[index].empty()) return false;
  m_card.phones[index] = number;
  return true;
}

void CvCardImport::_PlaceSparePhones() {
  const auto& phones = m_card.phones;
  for (SparePhone& spare : m_sparePhones) {
    const std::basic_string<WCHAR>& number = spare.number.value;
    if (std::find(phones.begin(), phones.end(), number) != phones.end()) continue;
    if (spare.fax && _PutPhone(ParsedCard::kOtherFax, number)) continue;
    if (!_PutPhone(ParsedCard::kOtherPhone, number)) m_dropped.push_back(std::move(spare.number));
  }
  m_sparePhones.clear();
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
    DroppedValue pushedOut;
    if (!emails[1].address.empty()) {
      pushedOut = {m_emailProperties[2], emails[2].address};
      _MoveEmail(1, 2);
    }
    _MoveEmail(0, 1);
    emails[0] = std::move(email);
    m_emailProperties[0] = _PropertyText();
    if (!_HoldsEmail(pushedOut.value)) m_dropped.push_back(std::move(pushedOut));
    return;
  }
  for (int i = 0; i < ParsedCard::kEmailCount; ++i) {
    if (emails[i].address.empty()) {
      emails[i] = std::move(email);
      m_emailProperties[i] = _PropertyText();
      return;
    }
  }
  if (!_HoldsEmail(email.address)) m_dropped.push_back({_PropertyText(), email.address});
}

void CvCardImport::_MoveEmail(int from, int to) {
  m_card.emails[to] = m_card.emails[from];
  m_emailProperties[to] = m_emailProperties[from];
}

bool CvCardImport::_HoldsEmail(const std::basic_string<WCHAR>& address) const {
  // An empty address is nothing to keep.
  return address.empty() ||
         std::any_of(m_card.emails.begin(), m_card.emails.end(),
                     [&address](const ParsedEmail& email) { return email.address == address; });
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
  value = AsciiText::Trim(value, AsciiText::kWhiteSpace);
  if (AsciiText::IEquals(value, "CONFIDENTIAL"))
    m_card.sensitivity = ParsedCard::kSensitivityConfidential;
  if (AsciiText::IEquals(value, "PRIVATE")) m_card.sensitivity = ParsedCard::kSensitivityPrivate;
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
    if (AsciiText::IEquals(name, "ENCODING") ||
        (name.empty() && AsciiText::IEquals(value, "BASE64"))) {
      if (!AsciiText::IEquals(value, "BASE64") && !AsciiText::IEquals(value, "B")) {
        g_LogTimer.Err(kPhotoTag, 0, "Unsupported ENCODING in \"%s\"", line.c_str());
        return false;
      }
      haveEncoding = true;
    } else if (AsciiText::IEquals(name, "TYPE") || name.empty()) {
      const bool known =
          std::any_of(std::begin(kImageTypes), std::end(kImageTypes),
                      [&value](const char* type) { return AsciiText::IEquals(value, type); });
      if (!known && !value.empty()) {
        g_LogTimer.War(kPhotoTag, 0, "image type(%s) is unsupported (by outlook)", value.c_str());
      }
    } else if (AsciiText::IEquals(name, "VALUE")) {
      if (AsciiText::IEquals(value, "URL")) {
        g_LogTimer.Err(kPhotoTag, 0, "Unsupported PHOTO by URL");
        return false;
      }
      g_LogTimer.War(kPhotoTag, 0, "Ignoring VALUE=%s", value.c_str());
    } else {
      g_LogTimer.War(kPhotoTag, 0, "Skipping unknown ParamName(%s) & ParamValue(%s)", name.c_str(),
                     value.c_str());
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
  name = equals == std::string_view::npos
             ? std::string()
             : AsciiText::Trim(parameter.substr(0, equals), AsciiText::kWhiteSpace);
  value =
      AsciiText::Trim(equals == std::string_view::npos ? parameter : parameter.substr(equals + 1),
                      AsciiText::kWhiteSpace);
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
  if (AsciiText::Trim(text, AsciiText::kWhiteSpace).empty()) {
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
// The finished card

void CvCardImport::_ForgetLabelFullName() {
  // A card must carry a formatted name: one without a person's name gives its company
  // or its e-mail address there, which Outlook would take apart into a name. A name
  // prefix alone is no name of a person.
  ParsedCard& card = m_card;
  if (card.fullName.empty() || !card.firstName.empty() || !card.middleName.empty() ||
      !card.lastName.empty() || !card.nameSuffix.empty()) {
    return;
  }
  const auto repeats = [&card](const std::basic_string<WCHAR>& text) {
    return SameLabel(card.fullName, text);
  };
  if (repeats(card.companyName) ||
      std::any_of(card.emails.begin(), card.emails.end(),
                  [&repeats](const ParsedEmail& email) { return repeats(email.address); })) {
    card.fullName.clear();
  }
}

void CvCardImport::_LogDroppedValues() const {
  if (m_dropped.empty()) return;
  std::basic_string<WCHAR> name = m_card.fullName;
  if (name.empty()) name = m_card.JoinedName();
  if (name.empty()) name = m_card.companyName;
  const std::string card = WideToAnsi(name);
  for (const DroppedValue& dropped : m_dropped) {
    g_LogTimer.War("CvCardImport::ParseCards", 0,
                   "%s:%s of card(%s) in file(%s) has no free field: it is not imported",
                   dropped.property.c_str(), WideToAnsi(dropped.value).c_str(), card.c_str(),
                   m_fileName.c_str());
  }
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
  all = AsciiText::Trim(all, AsciiText::kWhiteSpace);
  const std::size_t blank = all.find(u' ');
  if (blank == std::basic_string<WCHAR>::npos) return;
  emails[0].address = all.substr(0, blank);
  std::basic_string<WCHAR> rest = AsciiText::Trim(all.substr(blank + 1), AsciiText::kWhiteSpace);
  const std::size_t second = rest.find(u' ');
  emails[1] = {rest.substr(0, second), emails[0].addressType};
  if (second != std::basic_string<WCHAR>::npos) {
    emails[2] = {AsciiText::Trim(rest.substr(second + 1), AsciiText::kWhiteSpace),
                 emails[0].addressType};
  }
}
