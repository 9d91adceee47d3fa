// The vCard writer and the contact export run. The writer builds the card of one
// contact in vCard 2.1 or 3.0, its text values in the character converter's current
// encoding; the run walks a folder's contacts (or the explorer's selection), filters
// them and writes their cards to files.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "contacts/ContactExportChoices.h"
#include "contacts/VCardFileSink.h"
#include "outlook/outlook.h"
#include "redemption/redemption.h"
#include "win32/base.h"

class CvCardExport {
 public:
  static constexpr int kVCard21 = 21;
  static constexpr int kVCard30 = 30;

  // Creates the Redemption safe contact and MAPI utilities; either one that cannot be
  // created stays null, which is not reported here.
  CvCardExport();
  virtual ~CvCardExport();
  CvCardExport(const CvCardExport&) = delete;
  CvCardExport& operator=(const CvCardExport&) = delete;

  // The Outlook major version, for version-dependent choices of the run.
  void SetOutlookVersion(int version) { m_outlookVersion = version; }
  int OutlookVersion() const { return m_outlookVersion; }

  // Runs the wizard over the options key (borrowed, never closed) with its dialogs owned
  // by parent: the first page, the run, the finish page. 0 also when the user left the
  // first page; -1 when the run cannot take place.
  int Execute(Outlook::_Application* app, HKEY* optionsKey, HWND parent);

  // The run of the first page's choices, with its progress dialog owned by parent: 0,
  // or -1 (nothing counted) when the explorer, the folder or the progress dialog cannot
  // be had. The counts and the written files stay for the finish page.
  int Run(Outlook::_Application* app, const ContactExportChoices& choices, HWND parent);
  const ContactExportCounts& Counts() const { return m_counts; }
  const WrittenFilesMap& WrittenFiles() const { return m_sink.Written(); }

  // True when the current contact passes the run's filter.
  bool FilterContact();
  // Builds the current contact's card and writes it: 0 written; -1 the card could not
  // be built; VCardFileSink::kNotCreated (-2) the file could not be created;
  // VCardFileSink::kNotWritten (-3) the card was not written whole.
  int WriteContactFile();

  // The contact the next card is built from; the safe contact is pointed at it too.
  void SetContact(const Outlook::_ContactItemPtr& contact);
  // kVCard21 or kVCard30.
  void SetFormat(int format) { m_format = format; }

  // Builds the current contact's card in the converter's current encoding. Returns 0,
  // or -1 when the card had to be abandoned because the body, the IM address or the
  // NetMeeting server or alias could not be read; the card text is then incomplete
  // and must not be written.
  //
  // A COM error raised by any other read of the contact or of the safe contact is not
  // caught here (the photo excepted, whose failures are logged and leave the card
  // without a photo): the caller counts that contact as failed and goes on.
  int WriteContact();

  // The card the last WriteContact built: bytes for the file as they stand.
  const std::string& GetCard() const { return m_card; }

 private:
  enum class Outcome { kPassedOver, kSkipped, kExported, kFailed, kFileFailed };
  using ItemAt = std::function<IDispatchPtr(long)>;

  // The item count and the fetch of item i (1-based) of the selection or the folder;
  // false when they cannot be had.
  bool _OpenItems(Outlook::_Application* app, const ContactExportChoices& choices, long& count,
                  ItemAt& itemAt);
  // The loop over the items under the progress dialog; false when it cannot start.
  bool _ExportItems(HWND parent, long count, const ItemAt& itemAt);
  Outcome _ExportItem(const IDispatchPtr& item);
  // The path of the file for the current contact (or for the one file).
  std::string _MakeFilePath();

  // Raw reader of one text property of the safe contact.
  using SafeTextRead = HRESULT (STDMETHODCALLTYPE Redemption::ISafeContactItem::*)(BSTR*);

  void _Append(std::string_view text) { m_card.append(text); }
  void _AppendType(const char* type);
  void _AppendCharset();
  void _AppendCRLF() { m_card.append("\r\n"); }
  // The value part of a property line, line end included.
  void WritePropertyLine(const _bstr_t& value, bool forceQuotedPrintable);
  void WriteStructuredValue(const _bstr_t* parts, int count, bool forceQuotedPrintable,
                            bool escape);
  // The quoted-printable form of the text; valid until the next call.
  const std::string& _EncodeQP(const std::string& text);

  // Name, CHARSET and up to two types: what precedes a property's value.
  void _AppendHead(const char* name, const char* type = nullptr, const char* secondType = nullptr);
  // The head and the value part.
  void _WriteProperty(const char* name, const _bstr_t& value, const char* type,
                      const char* secondType, bool forceQuotedPrintable);
  // The same, unless the value is blank.
  void _WriteTextProperty(const char* name, const _bstr_t& value, const char* type = nullptr,
                          const char* secondType = nullptr);
  // A structured property with its types, written unless every part is blank.
  void _WriteStructuredProperty(const char* name, const _bstr_t* parts, int count,
                                const char* type = nullptr);
  void _WriteDateProperty(const char* name, DATE date, bool withTime);
  // The value in the card's encoding (in m_value).
  const std::string& _Encode(const _bstr_t& value);
  // The text with the backslash escapes of version 3.0.
  _bstr_t _Escape3x(const _bstr_t& value);
  // Reads one text of the safe contact; logs message with the HRESULT when that fails.
  HRESULT _ReadSafeText(SafeTextRead read, _bstr_t& value, const char* function,
                        const char* message);
  // The SMTP address behind an e-mail address of the safe contact: the address itself
  // when its type is SMTP, else its entry resolved through the MAPI utilities; empty
  // when none is found.
  _bstr_t _SmtpAddress(const _bstr_t& address, SafeTextRead readType, SafeTextRead readEntryId);
  // The safe contact's e-mail addresses as the card writes them (into m_emails).
  void _ReadEmails();
  // What a 3.0 card without a person's name gives as its formatted name: the company,
  // else the file-as text, else the first e-mail address (empty without any).
  _bstr_t _NameLabel();

  void addHeader();
  void addN();
  void addFN();
  void addNICKNAME();
  void addORG();
  void addTITLE();
  int addNOTE();
  void addTEL();
  void addADR();
  void addURL();
  void addROLE();
  void addBDAY();
  int addEMAIL();
  int addNSFields();
  void addCATEGORIES();
  void addREV();
  void addCLASS();
  void addPHOTO();
  void addEnd();

  // Walks the safe contact's attachments up to the first picture written.
  void _WritePhotos();
  // True when the attachment's picture was written.
  bool _WritePhotoAttachment(const Redemption::IAttachmentPtr& attachment);
  // Saves the attachment into a temporary file, removed again, and appends its bytes
  // as the PHOTO property; false, after logging why, when nothing was appended.
  bool _AppendPhotoFile(const Redemption::IAttachmentPtr& attachment);

  Outlook::_ContactItemPtr m_contact;
  Redemption::ISafeContactItemPtr m_safeContact;
  Redemption::IMAPIUtilsPtr m_mapiUtils;
  int m_outlookVersion = 9;
  int m_format = kVCard21;
  std::string m_card;

  // An e-mail address of the card: the SMTP address when one was found (Internet),
  // else the address as read; empty when there is none.
  struct CardEmail {
    _bstr_t value;
    bool internet = false;
  };
  static constexpr int kEmailCount = 3;
  CardEmail m_emails[kEmailCount];

  // Kept between properties so that their buffers are reused card after card.
  std::string m_value;
  std::string m_encoded;
  std::basic_string<WCHAR> m_text;
  std::basic_string<WCHAR> m_escaped;
  // The converter's charset name, taken once per card.
  const char* m_charset = "";

  // The run.
  ContactFilter m_filter;
  bool m_oneFile = false;
  // The Outlook folder's name: the one file's name.
  std::string m_singleFileName;
  VCardFileSink m_sink;
  ContactExportCounts m_counts;
  // A run without the safe contact logs that once.
  bool m_missingSafeContactLogged = false;
};
