#include "contacts/CvCardExport.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "addin/BstrView.h"
#include "addin/CDlgProgress.h"
#include "addin/CLang.h"
#include "addin/CLib.h"
#include "addin/CLogTimer.h"
#include "addin/CreateByProgId.h"
#include "addin/GetModuleVersion.h"
#include "addin/GetOutlookVersion.h"
#include "addin/GetTempFileName2.h"
#include "addin/ListSeparator.h"
#include "addin/LogComError.h"
#include "addin/MakeExportFileName.h"
#include "com/objbase.h"
#include "contacts/CDlgVCardExport.h"
#include "contacts/CDlgVCardExportFinish.h"
#include "contacts/ContactFilterCheck.h"
#include "contacts/DovantCharConverter.h"
#include "contacts/FoldedBase64.h"
#include "contacts/VCardDate.h"
#include "resource.h"
#include "win32/crt.h"
#include "win32/files.h"
#include "win32/owners.h"

namespace {

using Outlook::_ContactItem;
using Redemption::ISafeContactItem;
using ContactText = _bstr_t (_ContactItem::*)();
using FileRemoval = std::unique_ptr<const char, BOOL (*)(LPCSTR)>;

// The MAPI flag that marks the attachment holding the contact's picture.
constexpr long kContactPhotoTag = 0x7FFF000B;
// Every photo step logs under the group's name.
constexpr const char* kPhotoFunction = "CvCardExport::addPHOTO";

struct TelephoneField {
  ContactText read;
  const char* type;
  const char* secondType;
};

constexpr TelephoneField kTelephones[] = {
    {&_ContactItem::GetBusinessTelephoneNumber, "WORK", nullptr},
    {&_ContactItem::GetBusiness2TelephoneNumber, "WORK", nullptr},
    {&_ContactItem::GetBusinessFaxNumber, "WORK", "FAX"},
    {&_ContactItem::GetHomeTelephoneNumber, "HOME", nullptr},
    {&_ContactItem::GetHome2TelephoneNumber, "HOME", nullptr},
    {&_ContactItem::GetHomeFaxNumber, "HOME", "FAX"},
    {&_ContactItem::GetMobileTelephoneNumber, "CELL", nullptr},
    {&_ContactItem::GetCarTelephoneNumber, "CAR", nullptr},
    {&_ContactItem::GetOtherTelephoneNumber, "VOICE", nullptr},
    {&_ContactItem::GetOtherFaxNumber, "FAX", nullptr},
    {&_ContactItem::GetPagerNumber, "PAGER", nullptr},
    {&_ContactItem::GetISDNNumber, "ISDN", nullptr},
    {&_ContactItem::GetPrimaryTelephoneNumber, "PREF", nullptr},
    {&_ContactItem::GetCompanyMainTelephoneNumber, "COMPANYMAIN", nullptr},
};

constexpr int kAddressParts = 7;

// A null reader stands for a part that is always empty.
struct AddressFields {
  const char* type;
  ContactText parts[kAddressParts];
};

constexpr AddressFields kAddresses[] = {
    {"WORK",
     {&_ContactItem::GetBusinessAddressPostOfficeBox, &_ContactItem::GetOfficeLocation,
      &_ContactItem::GetBusinessAddressStreet, &_ContactItem::GetBusinessAddressCity,
      &_ContactItem::GetBusinessAddressState, &_ContactItem::GetBusinessAddressPostalCode,
      &_ContactItem::GetBusinessAddressCountry}},
    {"HOME",
     {&_ContactItem::GetHomeAddressPostOfficeBox, nullptr, &_ContactItem::GetHomeAddressStreet,
      &_ContactItem::GetHomeAddressCity, &_ContactItem::GetHomeAddressState,
      &_ContactItem::GetHomeAddressPostalCode, &_ContactItem::GetHomeAddressCountry}},
    {"POSTAL",
     {&_ContactItem::GetOtherAddressPostOfficeBox, nullptr, &_ContactItem::GetOtherAddressStreet,
      &_ContactItem::GetOtherAddressCity, &_ContactItem::GetOtherAddressState,
      &_ContactItem::GetOtherAddressPostalCode, &_ContactItem::GetOtherAddressCountry}},
};

struct EmailSlot {
  HRESULT (STDMETHODCALLTYPE ISafeContactItem::*address)(BSTR*);
  HRESULT (STDMETHODCALLTYPE ISafeContactItem::*type)(BSTR*);
  HRESULT (STDMETHODCALLTYPE ISafeContactItem::*entryId)(BSTR*);
};

constexpr EmailSlot kEmailSlots[] = {
    {&ISafeContactItem::get_Email1Address, &ISafeContactItem::get_Email1AddressType,
     &ISafeContactItem::get_Email1EntryID},
    {&ISafeContactItem::get_Email2Address, &ISafeContactItem::get_Email2AddressType,
     &ISafeContactItem::get_Email2EntryID},
    {&ISafeContactItem::get_Email3Address, &ISafeContactItem::get_Email3AddressType,
     &ISafeContactItem::get_Email3EntryID},
};

_bstr_t MakeBstr(std::basic_string_view<WCHAR> text) {
  _bstr_t made(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())), false);
  if (!made) _com_issue_error(E_OUTOFMEMORY);
  return made;
}

bool OnlyOf(std::basic_string_view<WCHAR> text, std::basic_string_view<WCHAR> blanks) {
  return text.find_first_not_of(blanks) == std::basic_string_view<WCHAR>::npos;
}

// Every character a space or a TAB; the empty value too.
bool IsBlank(const _bstr_t& value) { return OnlyOf(BstrView(value), u" \t"); }

// The notes text may also hold nothing but line ends.
bool IsBlankNote(const _bstr_t& value) { return OnlyOf(BstrView(value), u" \t\r\n"); }

bool EqualsAsciiNoCase(std::basic_string_view<WCHAR> text, std::string_view ascii) {
  if (text.size() != ascii.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    const WCHAR c = text[i] >= u'a' && text[i] <= u'z' ? text[i] - (u'a' - u'A') : text[i];
    if (c != static_cast<unsigned char>(ascii[i])) return false;
  }
  return true;
}

bool NeedsQuotedPrintable(const std::string& bytes) {
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte >= 0x80) return true;
  }
  return false;
}

// Only JPEG pictures are written; another name is logged as a warning.
bool HasJpegExtension(const _bstr_t& fileName) {
  const char* text = fileName;
  const std::string name = text ? text : "";
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot + 1 == name.size()) {
    g_LogTimer.War(kPhotoFunction, 0, "Attachment.Filename(%s) has no ext", name.c_str());
    return false;
  }
  const char* extension = name.c_str() + dot + 1;
  if (_stricmp(extension, "jpg") != 0 && _stricmp(extension, "jpeg") != 0) {
    g_LogTimer.War(kPhotoFunction, 0, "Attachment.Filename(%s) has unsupported ext", name.c_str());
    return false;
  }
  return true;
}

}  // namespace

CvCardExport::CvCardExport()
    : m_safeContact(CreateByProgId<Redemption::ISafeContactItemPtr>(u"Redemption.SafeContactItem")),
      m_mapiUtils(CreateByProgId<Redemption::IMAPIUtilsPtr>(u"Redemption.MapiUtils")) {}

CvCardExport::~CvCardExport() = default;

// --- The run ------------------------------------------------------------------------

int CvCardExport::Execute(Outlook::_Application* app, HKEY* optionsKey, HWND parent) {
  if (!app) {
    g_LogTimer.Err("CvCardExport::Execute", 0, "no Outlook application");
    return -1;
  }
  m_sink.ClearWritten();
  ContactExportChoices choices;
  {
    CDlgVCardExport page(app, optionsKey);
    if (page.DoModal(parent) != IDOK) return 0;
    choices.folder = page.GetFolderObject();
    choices.exportFolder = page.m_windowsFolder;
    choices.format = page.m_formatChoice == CDlgVCardExport::kVCard30 ? kVCard30 : kVCard21;
    choices.encoding = page.m_encoding;
    choices.oneFile = page.m_oneFile;
    choices.selectedOnly = page.m_exportSelected;
    choices.overwrite = page.m_overwrite;
    choices.filter = page.GetFilter();
  }
  if (Run(app, choices, parent) < 0) return -1;
  {
    CDlgVCardExportFinish finish(app, optionsKey, m_counts.Total(), m_counts.exported,
                                 m_counts.failed, m_counts.skipped, choices.exportFolder.c_str(),
                                 &m_sink.Written());
    finish.DoModal(parent);
  }
  m_sink.ClearWritten();
  return 0;
}

int CvCardExport::Run(Outlook::_Application* app, const ContactExportChoices& choices,
                      HWND parent) {
  m_counts = ContactExportCounts();
  m_missingSafeContactLogged = false;
  m_sink.Begin(choices.exportFolder, choices.oneFile, choices.overwrite);
  g_CharConverter->SetCurrentByName(choices.encoding.c_str());
  m_format = choices.format == kVCard30 ? kVCard30 : kVCard21;
  m_filter = choices.filter;
  m_oneFile = choices.oneFile;
  long count = 0;
  ItemAt itemAt;
  bool ran = _OpenItems(app, choices, count, itemAt);
  if (ran && count > 0) ran = _ExportItems(parent, count, itemAt);
  m_sink.Close();
  // The run keeps no Outlook item once it is over.
  m_contact = nullptr;
  if (m_safeContact) m_safeContact->put_Item(nullptr);
  return ran ? 0 : -1;
}

bool CvCardExport::_OpenItems(Outlook::_Application* app, const ContactExportChoices& choices,
                              long& count, ItemAt& itemAt) {
  try {
    m_singleFileName.clear();
    if (choices.oneFile && choices.folder) {
      const _bstr_t name = choices.folder->GetName();
      const char* text = name;
      m_singleFileName = text ? text : "";
    }
    if (choices.selectedOnly) {
      const Outlook::_ExplorerPtr explorer = app ? app->ActiveExplorer() : nullptr;
      if (!explorer) {
        g_LogTimer.Err("CvCardExport::Execute", 0, "no active explorer");
        return false;
      }
      const Outlook::SelectionPtr selection = explorer->GetSelection();
      count = selection->GetCount();
      itemAt = [selection](long i) { return selection->Item(i); };
      return true;
    }
    if (!choices.folder) {
      g_LogTimer.Err("CvCardExport::Execute", 0, "no Outlook folder");
      return false;
    }
    const Outlook::_ItemsPtr items = choices.folder->GetItems();
    count = items->GetCount();
    itemAt = [items](long i) { return items->Item(i); };
    return true;
  } catch (const _com_error& error) {
    LogComError("CvCardExport::Execute", error);
    return false;
  }
}

bool CvCardExport::_ExportItems(HWND parent, long count, const ItemAt& itemAt) {
  CDlgProgress progress;
  if (!progress.Start(parent, IDD_VCARD_EXPORT_PROGRESS)) {
    g_LogTimer.Err("CvCardExport::Execute", 0, "progress dialog cannot start");
    return false;
  }
  progress.SetName(g_Lang.GetText("IDS_PROGR_EXPORT").c_str());
  progress.SetTotal(static_cast<int>(count));
  long i = 1;
  bool fileFailed = false;
  for (; i <= count && !progress.m_bCancel && !fileFailed; ++i) {
    if (progress.IsHelpPressed()) g_Lib.ShowContextHelp("Export_Contacts_to_Files_with_Kelvra.htm");
    IDispatchPtr item;
    try {
      item = itemAt(i);
    } catch (const _com_error& error) {
      g_LogTimer.Err("CvCardExport::Execute", error.Error(), "cannot fetch item %ld", i);
    }
    const Outcome outcome = item ? _ExportItem(item) : Outcome::kFailed;
    switch (outcome) {
      case Outcome::kPassedOver:
        continue;
      case Outcome::kSkipped:
        ++m_counts.skipped;
        continue;
      case Outcome::kExported:
        ++m_counts.exported;
        break;
      case Outcome::kFailed:
        ++m_counts.failed;
        break;
      case Outcome::kFileFailed:
        // Without its one file the run cannot write any other contact either.
        m_counts.failed += static_cast<int>(count - i + 1);
        fileFailed = true;
        break;
    }
    progress.Step();
  }
  if (!fileFailed && i <= count) m_counts.skipped += static_cast<int>(count - i + 1);
  progress.Close();
  return true;
}

CvCardExport::Outcome CvCardExport::_ExportItem(const IDispatchPtr& item) {
  const Outlook::_ContactItemPtr contact = item;
  if (!contact) return Outcome::kPassedOver;
  if (!m_safeContact) {
    if (!m_missingSafeContactLogged) {
      g_LogTimer.Err("CvCardExport::Execute", 0,
                     "Redemption.SafeContactItem cannot be created: no contact is exported");
      m_missingSafeContactLogged = true;
    }
    return Outcome::kFailed;
  }
  try {
    SetContact(contact);
    if (!FilterContact()) return Outcome::kSkipped;
    const int written = WriteContactFile();
    if (written == 0) return Outcome::kExported;
    return written == VCardFileSink::kNotCreated && m_oneFile ? Outcome::kFileFailed
                                                              : Outcome::kFailed;
  } catch (const _com_error& error) {
    LogComError("CvCardExport::Execute", error);
    return Outcome::kFailed;
  }
}

bool CvCardExport::FilterContact() {
  return ContactFilterCheck::Accepts(
      m_filter, [this] { return static_cast<long>(m_contact->GetSensitivity()); },
      [this] {
        const _bstr_t categories = m_contact->GetCategories();
        const char* text = categories;
        return std::string(text ? text : "");
      },
      "CvCardExport::FilterContact");
}

int CvCardExport::WriteContactFile() {
  if (WriteContact() < 0) return -1;
  const std::string path = m_sink.NeedsPath() ? _MakeFilePath() : std::string();
  return m_sink.Write(m_card, path);
}

std::string CvCardExport::_MakeFilePath() {
  std::string base = m_singleFileName;
  if (!m_oneFile) {
    const _bstr_t fileAs = m_contact->GetFileAs();
    const char* text = fileAs;
    base = text ? text : "";
  }
  // A name of two lines becomes "first (second)".
  const size_t lineEnd = base.find("\r\n");
  if (lineEnd != std::string::npos) {
    base = base.substr(0, lineEnd) + " (" + base.substr(lineEnd + 2) + ")";
  }
  return m_sink.MakeFilePath(MakeExportFileName(base.c_str()));
}

void CvCardExport::SetContact(const Outlook::_ContactItemPtr& contact) {
  m_contact = contact;
  if (m_safeContact) m_safeContact->PutItem(m_contact);
}

int CvCardExport::WriteContact() {
  m_card.clear();
  m_charset = g_CharConverter->GetCurrentCharset();
  // Read first: a card without a name may be known by its address.
  _ReadEmails();
  addHeader();
  addN();
  addFN();
  addNICKNAME();
  addORG();
  addTITLE();
  if (addNOTE() < 0) return -1;
  addTEL();
  addADR();
  addURL();
  addROLE();
  addBDAY();
  if (addEMAIL() < 0 || addNSFields() < 0) return -1;
  addCATEGORIES();
  addREV();
  addCLASS();
  addPHOTO();
  addEnd();
  return 0;
}

// --- Property lines ---------------------------------------------------------------

void CvCardExport::_AppendType(const char* type) {
  _Append(m_format == kVCard30 ? ";TYPE=" : ";");
  _Append(type);
}

void CvCardExport::_AppendCharset() {
  if (!*m_charset) return;
  _Append(";CHARSET=");
  _Append(m_charset);
}

void CvCardExport::WritePropertyLine(const _bstr_t& value, bool forceQuotedPrintable) {
  if (m_format == kVCard30) {
    // The escapes go into the text before it is encoded: in a double-byte or shifting
    // charset a character's own bytes may be a backslash or a comma.
    _Append(":");
    _Append(_Encode(_Escape3x(value)));
  } else {
    _Encode(value);
    if (forceQuotedPrintable || NeedsQuotedPrintable(m_value)) {
      _Append(";ENCODING=QUOTED-PRINTABLE:");
      _Append(_EncodeQP(m_value));
    } else {
      _Append(":");
      _Append(m_value);
    }
  }
  _AppendCRLF();
}

const std::string& CvCardExport::_Encode(const _bstr_t& value) {
  m_value.clear();
  if (g_CharConverter->EncodeByCharset(m_charset, value, m_value) < 0 && value.length() > 0) {
    // The system cannot write this encoding: the value goes out in the ANSI code page
    // rather than being dropped.
    const char* ansi = value;
    m_value = ansi ? ansi : "";
  }
  return m_value;
}

_bstr_t CvCardExport::_Escape3x(const _bstr_t& value) {
  const std::basic_string_view<WCHAR> text = BstrView(value);
  const auto escaped = [](WCHAR c) { return c == u'\\' || c == u',' || c == u'\r' || c == u'\n'; };
  if (std::none_of(text.begin(), text.end(), escaped)) return value;
  m_escaped.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    const WCHAR c = text[i];
    if (c == u'\\') {
      m_escaped += u"\\\\";
    } else if (c == u',') {
      m_escaped += u"\\,";
    } else if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      m_escaped += u"\\n";
    } else {
      m_escaped += c;
    }
  }
  return MakeBstr(m_escaped);
}

void CvCardExport::WriteStructuredValue(const _bstr_t* parts, int count, bool forceQuotedPrintable,
                                        bool escape) {
  m_text.clear();
  for (int i = 0; i < count; ++i) {
    if (i > 0) m_text += u';';
    const size_t start = m_text.size();
    m_text += BstrView(parts[i]);
    // A ";" inside a part would split it in two.
    if (escape)
      std::replace(m_text.begin() + static_cast<std::ptrdiff_t>(start), m_text.end(), u';', u',');
  }
  WritePropertyLine(MakeBstr(m_text), forceQuotedPrintable);
}

const std::string& CvCardExport::_EncodeQP(const std::string& text) {
  DovantCharConverter::EncodeQuotedPrintable(text, m_encoded);
  return m_encoded;
}

void CvCardExport::_AppendHead(const char* name, const char* type, const char* secondType) {
  _Append(name);
  _AppendCharset();
  if (type) _AppendType(type);
  if (secondType) _AppendType(secondType);
}

void CvCardExport::_WriteProperty(const char* name, const _bstr_t& value, const char* type,
                                  const char* secondType, bool forceQuotedPrintable) {
  _AppendHead(name, type, secondType);
  WritePropertyLine(value, forceQuotedPrintable);
}

void CvCardExport::_WriteTextProperty(const char* name, const _bstr_t& value, const char* type,
                                      const char* secondType) {
  if (!IsBlank(value)) _WriteProperty(name, value, type, secondType, false);
}

void CvCardExport::_WriteStructuredProperty(const char* name, const _bstr_t* parts, int count,
                                            const char* type) {
  if (std::all_of(parts, parts + count, IsBlank)) return;
  _AppendHead(name, type);
  WriteStructuredValue(parts, count, false, true);
}

void CvCardExport::_WriteDateProperty(const char* name, DATE date, bool withTime) {
  m_value.clear();
  if (!VCardDate::Append(date, withTime, m_value)) return;
  _AppendHead(name);
  _Append(":");
  _Append(m_value);
  _AppendCRLF();
}

HRESULT CvCardExport::_ReadSafeText(SafeTextRead read, _bstr_t& value, const char* function,
                                    const char* message) {
  ISafeContactItem& safeContact = *m_safeContact;
  const HRESULT result = (safeContact.*read)(value.GetAddress());
  if (FAILED(result)) g_LogTimer.Err(function, result, "%s", message);
  return result;
}

// --- Groups -------------------------------------------------------------------------

void CvCardExport::addHeader() {
  _Append("BEGIN:VCARD\r\n");
  if (m_format != kVCard30) {
    _Append("VERSION:2.1\r\n");
    return;
  }
  int major = 1, minor = 0, revision = 0;
  GetModuleVersion(major, minor, revision);
  char prodId[80];
  const int length = std::snprintf(
      prodId, sizeof prodId, "PRODID:-//Ostrane Corporation//Kelvra %d.%d//EN\r\n", major, minor);
  _Append(std::string_view(prodId, static_cast<size_t>(length)));
  _Append("VERSION:3.0\r\n");
}

void CvCardExport::addN() {
  const _bstr_t parts[] = {m_contact->GetLastName(), m_contact->GetFirstName(),
                           m_contact->GetMiddleName(), m_contact->GetTitle(),
                           m_contact->GetSuffix()};
  // Both versions require N: a contact without a name gets an empty one.
  _AppendHead("N");
  WriteStructuredValue(parts, std::size(parts), false, true);
}

void CvCardExport::addFN() {
  const _bstr_t parts[] = {m_contact->GetFirstName(), m_contact->GetMiddleName(),
                           m_contact->GetLastName(), m_contact->GetSuffix()};
  m_text.clear();
  for (const _bstr_t& part : parts) {
    if (part.length() == 0) continue;
    if (!m_text.empty()) m_text += u' ';
    m_text += BstrView(part);
  }
  if (m_format != kVCard30) {
    _WriteTextProperty("FN", MakeBstr(m_text));
    return;
  }
  // 3.0 requires FN as well.
  if (OnlyOf(m_text, u" \t")) m_text.assign(BstrView(_NameLabel()));
  _WriteProperty("FN", MakeBstr(m_text), nullptr, nullptr, false);
}

_bstr_t CvCardExport::_NameLabel() {
  for (const _bstr_t& text : {m_contact->GetCompanyName(), m_contact->GetFileAs()})
    if (!IsBlank(text)) return text;
  for (const CardEmail& email : m_emails)
    if (!IsBlank(email.value)) return email.value;
  return _bstr_t();
}

void CvCardExport::addNICKNAME() { _WriteTextProperty("NICKNAME", m_contact->GetNickName()); }

void CvCardExport::addORG() {
  const _bstr_t parts[] = {m_contact->GetCompanyName(), m_contact->GetDepartment()};
  _WriteStructuredProperty("ORG", parts, std::size(parts));
}

void CvCardExport::addTITLE() { _WriteTextProperty("TITLE", m_contact->GetJobTitle()); }

int CvCardExport::addNOTE() {
  _bstr_t body;
  if (FAILED(_ReadSafeText(&ISafeContactItem::get_Body, body, "CvCardExport::addNOTE",
                           "SafeContactItem->get_Body failed"))) {
    return -1;
  }
  if (!IsBlankNote(body)) _WriteProperty("NOTE", body, nullptr, nullptr, true);
  return 0;
}

void CvCardExport::addTEL() {
  for (const TelephoneField& field : kTelephones)
    _WriteTextProperty("TEL", (*m_contact.*field.read)(), field.type, field.secondType);
}

void CvCardExport::addADR() {
  for (const AddressFields& address : kAddresses) {
    _bstr_t parts[kAddressParts];
    for (int i = 0; i < kAddressParts; ++i)
      if (address.parts[i]) parts[i] = (*m_contact.*address.parts[i])();
    _WriteStructuredProperty("ADR", parts, kAddressParts, address.type);
  }
}

void CvCardExport::addURL() {
  _WriteTextProperty("URL", m_contact->GetPersonalHomePage(), "HOME");
  _WriteTextProperty("URL", m_contact->GetBusinessHomePage(), "WORK");
}

void CvCardExport::addROLE() { _WriteTextProperty("ROLE", m_contact->GetProfession()); }

void CvCardExport::addBDAY() { _WriteDateProperty("BDAY", m_contact->GetBirthday(), false); }

void CvCardExport::_ReadEmails() {
  static_assert(std::size(kEmailSlots) == kEmailCount);
  for (int i = 0; i < kEmailCount; ++i) {
    const EmailSlot& slot = kEmailSlots[i];
    _bstr_t address;
    if (FAILED(_ReadSafeText(slot.address, address, "CvCardExport::addEMAIL",
                             "SafeContactItem->get_EmailAddress failed"))) {
      address = _bstr_t();
    }
    const _bstr_t smtp =
        IsBlank(address) ? _bstr_t() : _SmtpAddress(address, slot.type, slot.entryId);
    m_emails[i].internet = smtp.length() > 0;
    m_emails[i].value = m_emails[i].internet ? smtp : address;
  }
}

int CvCardExport::addEMAIL() {
  for (int i = 0; i < kEmailCount; ++i) {
    const CardEmail& email = m_emails[i];
    if (email.value.length() == 0) continue;
    _WriteProperty("EMAIL", email.value, i == 0 ? "PREF" : nullptr,
                   email.internet ? "INTERNET" : nullptr, false);
  }
  return 0;
}

_bstr_t CvCardExport::_SmtpAddress(const _bstr_t& address, SafeTextRead readType,
                                   SafeTextRead readEntryId) {
  ISafeContactItem& safeContact = *m_safeContact;
  _bstr_t type;
  if (SUCCEEDED((safeContact.*readType)(type.GetAddress())) &&
      EqualsAsciiNoCase(BstrView(type), "SMTP"))
    return address;
  _bstr_t entryId;
  if (!m_mapiUtils || FAILED((safeContact.*readEntryId)(entryId.GetAddress())) ||
      entryId.length() == 0) {
    return _bstr_t();
  }
  // An address that cannot be resolved is written as Outlook holds it.
  Redemption::IAddressEntryPtr entry;
  _bstr_t smtp;
  if (FAILED(m_mapiUtils->raw_GetAddressEntryFromID(_variant_t(entryId), &entry)) || !entry ||
      FAILED(entry->get_SMTPAddress(smtp.GetAddress()))) {
    return _bstr_t();
  }
  return smtp;
}

int CvCardExport::addNSFields() {
  const _bstr_t manager = m_contact->GetManagerName();
  const _bstr_t assistant = m_contact->GetAssistantName();
  const _bstr_t spouse = m_contact->GetSpouse();
  _bstr_t server;
  if (FAILED(m_contact->get_NetMeetingServer(server.GetAddress()))) return -1;
  _bstr_t alias;
  if (FAILED(_ReadSafeText(&ISafeContactItem::get_NetMeetingAlias, alias,
                           "CvCardExport::addNSFields",
                           "SafeContactItem->get_NetMeetingAlias failed"))) {
    return -1;
  }
  const _bstr_t freeBusy = m_contact->GetInternetFreeBusyAddress();
  m_value.clear();
  VCardDate::Append(m_contact->GetAnniversary(), false, m_value);
  const _bstr_t anniversary(m_value.c_str());

  if (m_outlookVersion > 9) {
    _bstr_t imAddress;
    if (FAILED(_ReadSafeText(&ISafeContactItem::get_IMAddress, imAddress,
                             "CvCardExport::addNSFields",
                             "SafeContactItem->get_IMAddress failed"))) {
      return -1;
    }
    _WriteTextProperty("X-OUTL-IMADDRESS", imAddress);
  }
  _WriteTextProperty("X-OUTL-MANAGERNAME", manager);
  _WriteTextProperty("X-OUTL-ASSISTANTNAME", assistant);
  _WriteTextProperty("X-OUTL-SPOUSE", spouse);
  _WriteTextProperty("X-OUTL-ANNIVERSARY", anniversary);
  _WriteTextProperty("X-OUTL-NMSERVER", server);
  _WriteTextProperty("X-OUTL-NMALIAS", alias);
  _WriteTextProperty("X-OUTL-IFBADDRESS", freeBusy);
  return 0;
}

void CvCardExport::addCATEGORIES() {
  const _bstr_t categories = m_contact->GetCategories();
  if (IsBlank(categories)) return;
  if (m_format != kVCard30) {
    _WriteProperty("X-OUTL-CATEGORIES", categories, nullptr, nullptr, false);
    return;
  }
  // A list: the names separated by plain commas, each name escaped as a text of its own.
  m_text = JoinCategoryNames(BstrView(categories), GetListSeparatorW(), u',',
                             [this](std::basic_string_view<WCHAR> name) {
                               return std::basic_string<WCHAR>(BstrView(_Escape3x(MakeBstr(name))));
                             });
  _AppendHead("CATEGORIES");
  _Append(":");
  _Append(_Encode(MakeBstr(m_text)));
  _AppendCRLF();
}

void CvCardExport::addREV() {
  _WriteDateProperty("REV", m_contact->GetLastModificationTime(), true);
}

void CvCardExport::addCLASS() {
  const Outlook::OlSensitivity sensitivity = m_contact->GetSensitivity();
  if (sensitivity != Outlook::olPrivate && sensitivity != Outlook::olConfidential) return;
  _Append(m_format == kVCard30 ? "CLASS:" : "X-OUTL-CLASS:");
  _Append(sensitivity == Outlook::olPrivate ? "PRIVATE" : "CONFIDENTIAL");
  _AppendCRLF();
}

void CvCardExport::addEnd() { _Append("END:VCARD\r\n"); }

// --- Photo --------------------------------------------------------------------------

void CvCardExport::addPHOTO() {
  // A photo that cannot be had leaves the card without one: nothing half written.
  const size_t mark = m_card.size();
  try {
    if (GetOutlookVersion() < 11 || m_contact->GetHasPicture() == VARIANT_FALSE) return;
    _WritePhotos();
  } catch (const _com_error& error) {
    m_card.resize(mark);
    g_LogTimer.Err(kPhotoFunction, error.Error(), "exception occured");
  } catch (...) {
    m_card.resize(mark);
    g_LogTimer.Err(kPhotoFunction, 0, "exception occured");
  }
}

void CvCardExport::_WritePhotos() {
  Redemption::IAttachmentsPtr attachments;
  HRESULT result = m_safeContact->get_Attachments(&attachments);
  if (FAILED(result)) {
    g_LogTimer.Err(kPhotoFunction, result, "SafeItem->Attachmens failed");
    return;
  }
  long count = 0;
  result = attachments->get_Count(&count);
  if (FAILED(result)) {
    g_LogTimer.Err(kPhotoFunction, result, "spAttaches->get_Count failed");
    return;
  }
  for (long i = 1; i <= count; ++i) {
    Redemption::IAttachmentPtr attachment;
    result = attachments->raw_Item(_variant_t(i), &attachment);
    if (FAILED(result)) {
      g_LogTimer.Err(kPhotoFunction, result, "spAttaches->Item failed");
      return;
    }
    const _variant_t isPhoto = attachment->GetFields(kContactPhotoTag);
    if (isPhoto.vt == VT_BOOL && isPhoto.boolVal != VARIANT_FALSE &&
        _WritePhotoAttachment(attachment)) {
      return;
    }
  }
}

bool CvCardExport::_WritePhotoAttachment(const Redemption::IAttachmentPtr& attachment) {
  if (attachment->GetType() != Outlook::olByValue) {
    g_LogTimer.Err(kPhotoFunction, 0, "Attachment.Type != olByValue");
    return false;
  }
  _bstr_t fileName;
  const HRESULT result = attachment->get_FileName(fileName.GetAddress());
  if (FAILED(result)) {
    g_LogTimer.Err(kPhotoFunction, result, "spAttach->get_FileName failed");
    return false;
  }
  return HasJpegExtension(fileName) && _AppendPhotoFile(attachment);
}

bool CvCardExport::_AppendPhotoFile(const Redemption::IAttachmentPtr& attachment) {
  const std::string path = GetTempFileName2(nullptr, "tmp");
  if (path.empty()) return false;
  const FileRemoval removal(path.c_str(), &DeleteFileA);

  HRESULT result = attachment->raw_SaveAsFile(_bstr_t(path.c_str()));
  if (FAILED(result)) {
    g_LogTimer.Err(kPhotoFunction, result, "Attach->SaveAsFile");
    return false;
  }
  const UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    g_LogTimer.Err(kPhotoFunction, static_cast<int>(GetLastError()), "cant open temp file");
    return false;
  }
  const DWORD size = GetFileSize(file.Get(), nullptr);
  if (size == INVALID_FILE_SIZE || size == 0) {
    g_LogTimer.Err(kPhotoFunction, static_cast<int>(GetLastError()), "SavedFile.Len <= 0");
    return false;
  }
  std::vector<unsigned char> bytes(size);
  DWORD read = 0;
  if (!ReadFile(file.Get(), bytes.data(), size, &read, nullptr) || read != size) {
    g_LogTimer.Err(kPhotoFunction, static_cast<int>(GetLastError()), "f.Read");
    return false;
  }
  std::string encoded;
  if (!FoldedBase64::Append(bytes.data(), bytes.size(), encoded)) {
    g_LogTimer.Err(kPhotoFunction, 0, "Base64Encode failed");
    return false;
  }
  _Append("PHOTO;ENCODING=BASE64;TYPE=JPEG:\r\n ");
  m_card += encoded;
  _Append("\r\n\r\n");
  return true;
}
