// The Win32 code page and locale calls over the codecs and the locale settings.
#include <climits>
#include <cstring>
#include <string>

#include "nls/CodePageCatalog.h"
#include "nls/LocaleSettings.h"
#include "nls/PictureString.h"
#include "nls/Utf8Codec.h"
#include "win32/nls.h"
#include "win32/time.h"

using kelvra::platform::CodePageCatalog;
using kelvra::platform::LocaleSettings;
using kelvra::platform::PictureString;
using kelvra::platform::Replacement;
using kelvra::platform::TextCodec;

namespace {

int Fail(DWORD error) {
  SetLastError(error);
  return 0;
}

UINT ResolveCodePage(UINT codePage) {
  // The stand-in has one system code page, so the OEM page is the ANSI one.
  return codePage == CP_ACP || codePage == CP_OEMCP ? GetACP() : codePage;
}

// Checks shared by both directions; the source length -1 means NUL-terminated.
bool ValidArguments(const void* source, int sourceLength, const void* target, int targetLength) {
  return source != nullptr && sourceLength != 0 && sourceLength >= -1 && targetLength >= 0 &&
         (target != nullptr || targetLength == 0);
}

template <typename Char>
std::size_t SourceLength(const Char* source, int length) {
  return length == -1 ? std::char_traits<Char>::length(source) + 1
                      : static_cast<std::size_t>(length);
}

// Windows' buffer protocol: a size of 0 asks for the length, a buffer too small gets
// nothing and fails.
template <typename Char>
int Deliver(const std::basic_string<Char>& result, Char* target, int capacity) {
  if (result.size() > static_cast<std::size_t>(INT_MAX)) return Fail(ERROR_NOT_ENOUGH_MEMORY);
  const int length = static_cast<int>(result.size());
  if (capacity == 0) return length;
  if (length > capacity) return Fail(ERROR_INSUFFICIENT_BUFFER);
  std::memcpy(target, result.data(), result.size() * sizeof(Char));
  return length;
}

// The replacement Windows reads from a default character: one byte, or a lead byte
// and its trail.
Replacement ReplacementFrom(LPCSTR defaultChar, const TextCodec& codec) {
  Replacement replacement;
  if (defaultChar != nullptr) {
    const bool pair =
        codec.IsLeadByte(static_cast<unsigned char>(defaultChar[0])) && defaultChar[1] != '\0';
    replacement.bytes.assign(defaultChar, pair ? 2 : 1);
  }
  return replacement;
}

bool KnownLocale(LCID locale) {
  return locale == LOCALE_USER_DEFAULT || locale == LOCALE_SYSTEM_DEFAULT;
}

template <typename Char>
int LocaleInfo(LCID locale, LCTYPE type, Char* data, int size,
               std::basic_string<Char> (*format)(const std::string&)) {
  if (LocaleSettings::Instance().LocaleInfoFails()) return Fail(ERROR_INVALID_PARAMETER);
  if (!KnownLocale(locale) || size < 0 || (data == nullptr && size != 0)) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  if (type != LOCALE_SLIST) return Fail(ERROR_INVALID_FLAGS);
  std::basic_string<Char> value = format(LocaleSettings::Instance().ListSeparator());
  value.push_back(Char{});
  return Deliver(value, data, size);
}

std::u16string WideFromUtf8(const std::string& text) {
  std::u16string wide;
  kelvra::platform::Utf8Codec().Decode(text, wide);
  return wide;
}

std::string AnsiFromWide(const std::u16string& text) {
  std::string ansi;
  Replacement replacement;
  if (const TextCodec* codec = CodePageCatalog::Instance().Find(GetACP())) {
    codec->Encode(text, ansi, replacement);
  }
  return ansi;
}

std::string AnsiFromUtf8(const std::string& text) { return AnsiFromWide(WideFromUtf8(text)); }

std::u16string WideFromAnsi(LPCSTR text) {
  std::u16string wide;
  if (const TextCodec* codec = CodePageCatalog::Instance().Find(GetACP()))
    codec->Decode(text, wide);
  return wide;
}

using PictureFormat = std::optional<std::u16string> (*)(std::u16string_view, const SYSTEMTIME&);

// What GetDateFormatA and GetTimeFormatA share: the picture's text of the given time
// or of now, delivered in the ANSI code page.
int PictureText(LCID locale, const SYSTEMTIME* given, LPCSTR format, const std::string& userPicture,
                PictureFormat render, LPSTR buffer, int size) {
  if (!KnownLocale(locale) || size < 0 || (buffer == nullptr && size != 0)) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  SYSTEMTIME time{};
  if (given != nullptr) {
    time = *given;
  } else {
    GetLocalTime(&time);
  }
  const std::optional<std::u16string> text =
      render(format != nullptr ? WideFromAnsi(format) : WideFromUtf8(userPicture), time);
  if (!text) return Fail(ERROR_INVALID_PARAMETER);
  std::string ansi = AnsiFromWide(*text);
  ansi.push_back('\0');
  return Deliver(ansi, buffer, size);
}

}  // namespace

UINT WINAPI GetACP() { return LocaleSettings::Instance().AnsiCodePage(); }

BOOL WINAPI IsValidCodePage(UINT codePage) {
  return CodePageCatalog::Instance().Find(codePage) != nullptr ? TRUE : FALSE;
}

int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR source, int sourceBytes,
                               LPWSTR target, int targetChars) {
  if (!ValidArguments(source, sourceBytes, target, targetChars))
    return Fail(ERROR_INVALID_PARAMETER);
  const TextCodec* codec = CodePageCatalog::Instance().Find(ResolveCodePage(codePage));
  if (codec == nullptr) return Fail(ERROR_INVALID_PARAMETER);
  if (flags != 0) return Fail(ERROR_INVALID_FLAGS);
  std::u16string text;
  codec->Decode({source, SourceLength(source, sourceBytes)}, text);
  return Deliver(text, target, targetChars);
}

int WINAPI WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR source, int sourceChars,
                               LPSTR target, int targetBytes, LPCSTR defaultChar,
                               LPBOOL usedDefault) {
  if (!ValidArguments(source, sourceChars, target, targetBytes))
    return Fail(ERROR_INVALID_PARAMETER);
  const UINT resolved = ResolveCodePage(codePage);
  const TextCodec* codec = CodePageCatalog::Instance().Find(resolved);
  if (codec == nullptr) return Fail(ERROR_INVALID_PARAMETER);
  if (flags != 0) return Fail(ERROR_INVALID_FLAGS);
  // UTF-7 and UTF-8 hold every character, and Windows refuses a default for them.
  const bool unicodePage = resolved == CP_UTF7 || resolved == CP_UTF8;
  if (unicodePage && (defaultChar != nullptr || usedDefault != nullptr))
    return Fail(ERROR_INVALID_PARAMETER);
  Replacement replacement = ReplacementFrom(defaultChar, *codec);
  // Callers convert many short strings, usually twice (size, then copy): keep the buffer.
  thread_local std::string bytes;
  bytes.clear();
  codec->Encode({source, SourceLength(source, sourceChars)}, bytes, replacement);
  const int result = Deliver(bytes, target, targetBytes);
  if (result != 0 && usedDefault != nullptr) *usedDefault = replacement.used ? TRUE : FALSE;
  return result;
}

int WINAPI GetLocaleInfoA(LCID locale, LCTYPE type, LPSTR data, int size) {
  return LocaleInfo(locale, type, data, size, &AnsiFromUtf8);
}

int WINAPI GetLocaleInfoW(LCID locale, LCTYPE type, LPWSTR data, int size) {
  return LocaleInfo(locale, type, data, size, &WideFromUtf8);
}

int WINAPI GetDateFormatA(LCID locale, DWORD flags, const SYSTEMTIME* date, LPCSTR format,
                          LPSTR buffer, int size) {
  if (flags != 0 && (flags != DATE_SHORTDATE || format != nullptr))
    return Fail(ERROR_INVALID_FLAGS);
  return PictureText(locale, date, format, LocaleSettings::Instance().ShortDatePicture(),
                     &PictureString::FormatDate, buffer, size);
}

int WINAPI GetTimeFormatA(LCID locale, DWORD flags, const SYSTEMTIME* time, LPCSTR format,
                          LPSTR buffer, int size) {
  if (flags != 0) return Fail(ERROR_INVALID_FLAGS);
  return PictureText(locale, time, format, LocaleSettings::Instance().TimePicture(),
                     &PictureString::FormatTime, buffer, size);
}
