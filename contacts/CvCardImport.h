// The vCard reader and the contact import run: the run collects the .vcf files the
// first page names, reads their cards and saves each one as an Outlook contact
// (ContactImportSaver), under its progress dialog.
//
// Callers that hold a whole .vcf file in memory (a fuzz target, a benchmark) call
// ParseBytes(data, size): the decoding _ReadFile applies to a file, then ParseCards;
// every finished card goes to putContactItem, which a subclass overrides to see it.
// Values are converted through g_CharConverter, which must exist while cards are read.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "addin/CDlgProgress.h"
#include "contacts/ContactImportChoices.h"
#include "contacts/ContactImportSaver.h"
#include "contacts/ParsedCard.h"
#include "outlook/Application.h"
#include "win32/base.h"

class CvCardImport {
 public:
  static constexpr int kVCard21 = 21;
  static constexpr int kVCard30 = 30;
  // Larger files are refused as unreadable: their text could not be converted whole.
  static constexpr DWORD kMaxFileSize = 0x3FFFFFFF;

  CvCardImport();
  virtual ~CvCardImport();
  CvCardImport(const CvCardImport&) = delete;
  CvCardImport& operator=(const CvCardImport&) = delete;

  // The Outlook major version, for version-dependent choices of the run.
  void SetOutlookVersion(int version) { m_outlookVersion = version; }
  int OutlookVersion() const { return m_outlookVersion; }

  // Runs the wizard over the options key (borrowed, never closed) with its dialogs owned
  // by parent: the first page, the run, the finish page. 0 also when the user left the
  // first page; -1 when the run cannot take place.
  int Execute(Outlook::_Application* app, HKEY* optionsKey, HWND parent);

  // The run of the first page's choices, with its dialogs owned by parent: 0 when the
  // files were read (the finish page follows), 1 when there was no file to read (the
  // user was told), -1 when the folder or the progress dialog cannot be had.
  int Run(const ContactImportChoices& choices, HWND parent);
  const ContactImportCounts& Counts() const { return m_counts; }

  // The number of complete cards in the file; 0 when it cannot be opened.
  int _CountCards(const char* path);

  // Reads the whole file, decodes it to ANSI text and makes it the text ParseCards
  // reads, from its start; leaves the handle to the caller. False, with nothing to
  // read, when the file is too large or cannot be read. A null file name suppresses
  // the log line about NUL characters.
  bool _ReadFile(HANDLE file, const char* fileName);
  // The same decoding over bytes already in memory.
  void LoadBytes(const void* data, std::size_t size, const char* fileName);
  // Reads every card of the current text through putContactItem: 0 at the end of the
  // text, -1 when putContactItem stopped it.
  int ParseCards();
  // LoadBytes (without a file name) and ParseCards.
  int ParseBytes(const void* data, std::size_t size);

 protected:
  // Receives each finished card; a negative result stops ParseCards. During a run it
  // saves the card into the target folder; outside a run it does nothing.
  virtual int putContactItem(const ParsedCard& card);

 private:
  enum class CardEnd { kEnd, kBegin, kText };

  // A value the card has no free field for: the property it came from (its name and
  // types, "TEL;CELL") and its text.
  struct DroppedValue {
    std::string property;
    std::basic_string<WCHAR> value;
  };
  // A telephone number whose types found their fields taken; once the card's other
  // numbers have their places it may still take the other telephone (or other fax).
  struct SparePhone {
    DroppedValue number;
    bool fax;
  };

  // The .vcf files of the paths (a folder gives its own, not those of subfolders),
  // each counted into m_counts.
  std::vector<std::string> _CollectFiles(const std::string& text);
  void _AddFile(const std::string& path, std::vector<std::string>& files);
  // Reads and parses one file; negative to stop the run.
  int _ImportFile(const std::string& path);
  // After each saved card: the progress bar and the user's Help and Cancel.
  bool _AfterCard();

  bool _NextLine();
  // The line at the cursor as it stands, leading blanks included.
  bool _ReadRawLine();
  bool _NextProperty();
  // Cuts the CHARSET parameter out of the line and returns its value ("" without one).
  std::string _ParseCharset();
  bool _IsBegin();
  bool _IsBeginProperty() const;
  bool _IsEnd() const;
  bool _RestStartsWith(const char* text) const;

  // False when no ":" follows the parameters.
  bool _GetTypes();
  void _AddTypes(std::string_view list);
  bool _HasType(const char* type) const;
  // The property's name and its types as the card gives them: "TEL;WORK;FAX".
  std::string _PropertyText() const;
  // The value's bytes with its quoted-printable or folded continuation lines.
  std::string _CollectValue();
  std::string _DecodeValue(const std::string& raw) const;
  std::string FormatLangMessage(const std::string& text) const;
  // The value converted to UTF-16, still escaped and untrimmed.
  std::basic_string<WCHAR> _ReadText();
  bool _ReadTextValue(std::basic_string<WCHAR>& value);
  void _SkipValue();
  std::basic_string<WCHAR> _Unescape(const std::basic_string<WCHAR>& text, bool structured) const;
  // Trims and unescapes the text into the field unless that leaves it empty.
  bool _StoreValue(std::basic_string<WCHAR>& field, const std::basic_string<WCHAR>& text,
                   bool structured) const;
  // The next component of a structured value from pos on; with rest, all the rest.
  std::basic_string<WCHAR> _NextPart(const std::basic_string<WCHAR>& value, std::size_t& pos,
                                     bool rest) const;
  void _StoreParts(const std::basic_string<WCHAR>& value, std::basic_string<WCHAR>* const* fields,
                   int count);

  void _ResetCard();
  CardEnd _ReadCard();
  // What is settled once the whole card has been read, before it is saved.
  void _FinishCard();
  // A card that has no END:VCARD before where fails; false to stop.
  bool _CardCutOff(const char* where);
  void _Dispatch();

  void doVERSION();
  void doN();
  void doKeptText(std::basic_string<WCHAR>& field);
  void doORG();
  void doBDAY();
  void doANNIVERSARY();
  void _ReadDate(DATE& field);
  void doADR();
  // False when the address (with its office location) holds text already.
  bool _FillAddress(ParsedAddress& address, std::basic_string<WCHAR>* officeLocation,
                    const std::basic_string<WCHAR>& value);
  // True when the card holds the address already, or it has no text.
  bool _HoldsAddress(const std::basic_string<WCHAR>& value);
  void doTEL();
  // These two are true when the number took the field.
  bool _PutLinePhone(bool fax, int faxIndex, int firstIndex,
                     const std::basic_string<WCHAR>& number);
  bool _PutPhone(int index, const std::basic_string<WCHAR>& number);
  void _PlaceSparePhones();
  void doEMAIL();
  void _MoveEmail(int from, int to);
  bool _HoldsEmail(const std::basic_string<WCHAR>& address) const;
  void doURL();
  void doCATEGORIES();
  void doIMADDRESS();
  void doCLASS();
  void doPHOTO();
  bool _ReadPhotoParams(const std::string& line, bool& haveEncoding);
  bool _NextParam(std::string& name, std::string& value);
  bool get_Binary(std::vector<unsigned char>& data);
  // Logs each value without a free field, naming the card by its FN, else its name
  // parts, else its company.
  void _LogDroppedValues() const;
  // Clears a full name that only repeats the company or an e-mail address of a card
  // without first, middle or last name or suffix: such a card names no person.
  void _ForgetLabelFullName();
  void _FixSkypeCard();

  int m_outlookVersion = 0;

  std::string m_text;
  std::size_t m_cursor = 0;
  std::size_t m_lineStart = 0;
  // The text came converted from UTF-8 or UTF-16: its values are ANSI already.
  bool m_converted = false;
  std::string m_line;
  std::size_t m_pos = 0;
  std::string m_name;
  std::string m_param;
  std::vector<std::string> m_types;
  bool m_quotedPrintable = false;
  int m_version = kVCard21;
  bool m_foreignCard = false;
  std::string m_fileName;
  ParsedCard m_card;
  // The properties the card's e-mail addresses came from, slot by slot.
  std::array<std::string, ParsedCard::kEmailCount> m_emailProperties;
  std::vector<SparePhone> m_sparePhones;
  std::vector<DroppedValue> m_dropped;

  // The run.
  CDlgProgress m_progress;
  bool m_progressUp = false;
  ContactImportCounts m_counts;
  ContactImportSaver m_saver;
};
