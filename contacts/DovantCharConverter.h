// The add-in's one converter between UTF-16 text and 8-bit text in a Windows code page,
// with the text operations both interchange sides share: quoted-printable, calendar
// text escaping and control-character removal.
//
// Code pages: -1 is the ANSI code page (looked up at each conversion), -2 means no
// conversion (the operation does nothing and returns -2), anything else is handed to
// the system's converters as it stands (65001 is UTF-8).
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "com/comutil.h"
#include "contacts/SupportedEncodingsList.h"
#include "win32/base.h"

class DovantCharConverter {
 public:
  static constexpr int kAnsiCodePage = -1;
  static constexpr int kNoConversion = -2;

  // Reads the supported-encodings list (which may warn the user) and indexes it.
  DovantCharConverter();
  virtual ~DovantCharConverter() = default;
  DovantCharConverter(const DovantCharConverter&) = delete;
  DovantCharConverter& operator=(const DovantCharConverter&) = delete;

  // UTF-16 to 8-bit: the number of bytes written, or -2 when nothing was converted
  // (the destination is then left as it was).
  virtual int EncodeByCharset(const char* charset, const _bstr_t& source,
                              std::string& destination) const;
  virtual int EncodeByCodePage(int codePage, const _bstr_t& source, std::string& destination) const;
  // 8-bit to UTF-16. Always -2: callers judge the outcome by the destination, which is
  // left as it was when nothing was converted. Bytes in a code page this system cannot
  // convert are read in the ANSI code page (and a warning logged) rather than lost.
  virtual int DecodeByCharset(const char* charset, const std::string& source,
                              _bstr_t& destination) const;
  virtual int DecodeByCodePage(int codePage, const std::string& source, _bstr_t& destination) const;

  virtual const char* GetCurrentCharset() const;
  // Both return the new current code page.
  virtual int SetCurrentByCharset(const char* charset);
  virtual int SetCurrentByName(const char* name);

  virtual bool IsEmptyName(const char* name) const;
  // "" for -1 and for a code page no entry has; the text lives as long as the converter.
  virtual const char* CodePageToCharset(int codePage) const;
  // "" gives -1, an unknown name -2. Names compare byte by byte, case-sensitively.
  virtual int CharsetToCodePage(const char* charset) const;
  virtual int NameToCodePage(const char* name) const;

  // Empties the destination, then encodes in the named charset (the current one when
  // charset is null).
  int WideToCharset(const _bstr_t& source, std::string& destination,
                    const char* charset = nullptr) const;
  // The same for a BSTR handed over by the caller; it is freed before the call returns.
  int BstrToCharset(BSTR source, std::string& destination, const char* charset = nullptr) const;

  // Calendar text escaping: "\" ";" "," get a backslash, every line end becomes "\n".
  // Text in a double-byte or shifting charset is escaped as UTF-16, before it is
  // converted: a byte inside a character may be a backslash.
  static std::string EscapeText(const std::string& text);
  static std::basic_string<WCHAR> EscapeText(const std::basic_string<WCHAR>& text);
  // Its inverse, on text already decoded from its charset: in a double-byte or
  // shifting charset a byte inside a character may be a backslash.
  static std::basic_string<WCHAR> UnescapeText(const std::basic_string<WCHAR>& text);

  // Replaces the destination with the quoted-printable form of the source.
  static void EncodeQuotedPrintable(const std::string& source, std::string& destination);
  // True on success; on failure the destination is left as it was. With repair, a
  // text whose "=" signs do not all start an escape or a soft break is mended and
  // decoded once more.
  static bool DecodeQuotedPrintable(const std::string& source, std::string& destination,
                                    bool repair);

  // A copy without control characters (tab kept), double quotes turned into apostrophes.
  static _bstr_t CleanText(const _bstr_t& text);

  // The encodings in the file's order, as the wizard pages list them.
  const SupportedEncodingsList& GetEncodingsList() const { return *m_EncodingsList; }

 private:
  using NameMap = std::map<std::string, const EncodingEntry*, std::less<>>;

  void _BuildMaps();
  static int _LookupCodePage(const char* name, const NameMap& map);
  static std::string _RepairSoftBreaks(const std::string& text);
  static UINT _SystemCodePage(int codePage);
  // False when the system cannot convert the bytes in that code page.
  static bool _Widen(UINT codePage, const std::string& source, _bstr_t& destination);

  std::map<int, const EncodingEntry*> m_CodePageMap;
  NameMap m_NameMap;
  NameMap m_CharsetMap;
  int m_CurrentCodePage = kAnsiCodePage;
  std::unique_ptr<SupportedEncodingsList> m_EncodingsList;
};

// Created with the first explorer window, deleted when Outlook quits.
extern DovantCharConverter* g_CharConverter;
