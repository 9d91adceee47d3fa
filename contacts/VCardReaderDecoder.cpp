#include "contacts/VCardReaderDecoder.h"

#include <climits>

#include "addin/CLogTimer.h"
#include "win32/windows.h"

namespace {

constexpr unsigned char kUtf8Mark[] = {0xEF, 0xBB, 0xBF};

int ReplaceNuls(std::string& text) {
  int count = 0;
  for (char& c : text) {
    if (c == '\0') {
      c = ' ';
      ++count;
    }
  }
  return count;
}

}  // namespace

VCardReaderDecoder::Result VCardReaderDecoder::Decode(const unsigned char* data, std::size_t size) {
  Result result;
  if (size == 0) return result;
  std::size_t markSize = 0;
  const Form form = _Detect(data, size, markSize);
  data += markSize;
  size -= markSize;
  const bool wide = form == Form::kUtf16Le || form == Form::kUtf16Be;
  if (!wide || !_FromUtf16(data, size, form == Form::kUtf16Be, result)) {
    result.text.assign(reinterpret_cast<const char*>(data), size);
    result.nulCount = ReplaceNuls(result.text);
    if (form == Form::kUtf8) _FromUtf8(result);
  }
  _AddMissingLineFeeds(result.text);
  return result;
}

VCardReaderDecoder::Form VCardReaderDecoder::_Detect(const unsigned char* data, std::size_t size,
                                                     std::size_t& markSize) {
  markSize = 0;
  if (size < 4) return Form::kAnsi;
  if (data[0] == kUtf8Mark[0] && data[1] == kUtf8Mark[1] && data[2] == kUtf8Mark[2]) {
    markSize = 3;
    return Form::kUtf8;
  }
  markSize = 2;
  if (data[0] == 0xFF && data[1] == 0xFE) return Form::kUtf16Le;
  if (data[0] == 0xFE && data[1] == 0xFF) return Form::kUtf16Be;
  markSize = 0;
  const unsigned unit = data[0] | (data[1] << 8);
  // An 8-bit file may well open with an empty line or a character and a line end.
  const bool lineControl = data[1] == '\r' || data[1] == '\n' || data[1] == '\t';
  if (unit < 0x1000 && data[0] != 0 && !lineControl) return Form::kUtf16Le;
  if (unit >= 0x1000 && data[0] == 0) return Form::kUtf16Be;
  return Form::kAnsi;
}

bool VCardReaderDecoder::_FromUtf8(Result& result) {
  if (result.text.empty() || result.text.size() > INT_MAX) return false;
  const int length = static_cast<int>(result.text.size());
  const int needed = MultiByteToWideChar(65001, 0, result.text.data(), length, nullptr, 0);
  if (needed <= 0) return false;
  std::basic_string<WCHAR> wide(static_cast<std::size_t>(needed), u'\0');
  if (MultiByteToWideChar(65001, 0, result.text.data(), length, wide.data(), needed) != needed) {
    return false;
  }
  return _WideToAnsi(wide, result);
}

bool VCardReaderDecoder::_FromUtf16(const unsigned char* data, std::size_t size, bool bigEndian,
                                    Result& result) {
  std::basic_string<WCHAR> wide(size / 2, u'\0');
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const unsigned char first = data[2 * i];
    const unsigned char second = data[2 * i + 1];
    wide[i] = static_cast<WCHAR>(bigEndian ? (first << 8) | second : (second << 8) | first);
    if (wide[i] == u'\0') {
      wide[i] = u' ';
      ++result.nulCount;
    }
  }
  return _WideToAnsi(wide, result);
}

bool VCardReaderDecoder::_WideToAnsi(const std::basic_string<WCHAR>& wide, Result& result) {
  if (wide.empty() || wide.size() > INT_MAX) return false;
  const int length = static_cast<int>(wide.size());
  const UINT acp = GetACP();
  const int needed = WideCharToMultiByte(acp, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return false;
  std::string text(static_cast<std::size_t>(needed), '\0');
  const int written =
      WideCharToMultiByte(acp, 0, wide.data(), length, text.data(), needed, nullptr, nullptr);
  if (written <= 0) return false;
  text.resize(static_cast<std::size_t>(written));
  result.text = std::move(text);
  result.converted = true;
  return true;
}

void VCardReaderDecoder::_AddMissingLineFeeds(std::string& text) {
  std::size_t lone = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) ++lone;
  }
  if (lone == 0) return;
  std::string mended;
  mended.reserve(text.size() + lone);
  for (std::size_t i = 0; i < text.size(); ++i) {
    mended += text[i];
    if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) mended += '\n';
  }
  text = std::move(mended);
}

void VCardReaderDecoder::LogNuls(const Result& result, const char* function, const char* fileName) {
  if (result.nulCount == 0 || fileName == nullptr) return;
  g_LogTimer.Err(function, 0,
                 "File(%s) contains unencoded binary data(%d bad symbols)! It cannot be "
                 "imported correctly.",
                 fileName, result.nulCount);
}
