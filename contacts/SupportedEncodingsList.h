// The encodings the add-in offers, read once from "supportedEncodings.txt" beside the
// add-in: one encoding a line, "Name|Charset|CodePage". A missing file or a bad line
// leaves the single UTF-8 entry and warns the user.
#pragma once

#include <list>
#include <memory>
#include <string>

#include "contacts/EncodingEntry.h"
#include "win32/base.h"

class SupportedEncodingsList {
 public:
  using EntryList = std::list<std::unique_ptr<EncodingEntry>>;

  static constexpr const char* kFileName = "supportedEncodings.txt";

  // Reads the file beside the add-in; may show the warning box.
  SupportedEncodingsList();
  virtual ~SupportedEncodingsList() = default;
  SupportedEncodingsList(const SupportedEncodingsList&) = delete;
  SupportedEncodingsList& operator=(const SupportedEncodingsList&) = delete;

  // Appends an entry for every good line of the file. 0 when every line was good, the
  // HRESULT of the system error when the file cannot be read, else the number of bad
  // lines.
  DWORD Load(const char* path);

  // Takes the next line of data from position (skipping the line ends before and after
  // it) and returns its length; 0 when no line is left.
  static size_t _ReadLine(const char* data, size_t& position, size_t length, std::string& line);

  // In the order of the file's lines.
  const EntryList& GetList() const { return m_List; }

 private:
  static std::string _FilePath();
  // Appends the line's entry; false when the line is bad.
  bool _AddLine(const std::string& line);
  void _FallBackToUtf8();

  EntryList m_List;
};
