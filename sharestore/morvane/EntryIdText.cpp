#include "sharestore/morvane/EntryIdText.h"

#include "win32/base.h"

namespace {

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  OutputDebugStringA("Hex2DecError\n");
  return 0;
}

}  // namespace

SCODE EntryIdText::ToBinary(std::string_view text, BinaryEntryId& id) {
  id = BinaryEntryId{};
  if (text.size() % 2 != 0) OutputDebugStringA("Hex2DecError\n");
  const auto size = static_cast<ULONG>(text.size() / 2);
  if (const SCODE sc = MAPIAllocateBuffer(size, reinterpret_cast<void**>(id.bytes.Put()));
      sc != S_OK)
    return sc;
  auto* bytes = reinterpret_cast<BYTE*>(id.bytes.Get());
  for (ULONG i = 0; i < size; ++i)
    bytes[i] = static_cast<BYTE>(DigitValue(text[2 * i]) * 16 + DigitValue(text[2 * i + 1]));
  id.size = size;
  return S_OK;
}

std::string EntryIdText::ToText(const BYTE* bytes, ULONG size) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(2 * static_cast<std::size_t>(size));
  for (ULONG i = 0; i < size; ++i) {
    text += kDigits[bytes[i] >> 4];
    text += kDigits[bytes[i] & 15];
  }
  return text;
}
