#include "mapi/MessageProps.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "atl/OleSeconds.h"
#include "mapi/mapix.h"
#include "store/Item.h"
#include "time/SystemTimeZone.h"
#include "time/ZoneRules.h"
#include "win32/nls.h"

namespace kelvra::mapi {

namespace {

// Days from 1601-01-01 (FILETIME's day 0) to 1899-12-30 (the OLE date's).
constexpr std::int64_t kOleEpochDays = 109205;
constexpr std::int64_t kTicksPerSecond = 10000000;

// The item keeps its modification time as a local OLE date; MAPI gives UTC.
std::optional<FILETIME> UtcFileTime(double localDate) {
  std::optional<std::int64_t> seconds = atl::OleSeconds::FromDate(localDate);
  if (!seconds.has_value()) return std::nullopt;
  if (const auto zone = platform::SystemTimeZone::Instance().Get())
    seconds = platform::ZoneRules(*zone).LocalToUtc(*seconds);
  const auto ticks =
      static_cast<std::uint64_t>((*seconds + kOleEpochDays * 86400) * kTicksPerSecond);
  return FILETIME{static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
}

std::string Ansi(const std::u16string& text) {
  // Message classes are ASCII, which every ANSI code page keeps as it is.
  if (std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; }))
    return {text.begin(), text.end()};
  const auto* wide = reinterpret_cast<LPCWSTR>(text.c_str());
  const int length = static_cast<int>(text.size());
  const int size = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) WideCharToMultiByte(CP_ACP, 0, wide, length, out.data(), size, nullptr, nullptr);
  return out;
}

HRESULT CopyMore(const void* bytes, std::size_t size, void* buffer, void** copy) {
  if (const SCODE sc = MAPIAllocateMore(static_cast<ULONG>(size), buffer, copy); sc != S_OK)
    return sc;
  if (size > 0) std::memcpy(*copy, bytes, size);
  return S_OK;
}

HRESULT Missing(ULONG tag, SPropValue& value) {
  value.ulPropTag = CHANGE_PROP_TYPE(tag, PT_ERROR);
  value.Value.err = MAPI_E_NOT_FOUND;
  return MAPI_W_ERRORS_RETURNED;
}

}  // namespace

std::string MessageProps::ClassText(const store::Item& item) { return Ansi(item.MessageClass()); }

HRESULT MessageProps::Fill(const store::Item& item, ULONG tag, void* buffer, SPropValue& value) {
  value = SPropValue{};
  value.ulPropTag = tag;
  if (tag == PR_ENTRYID) {
    const store::Bytes id = item.EntryId();
    void* copy = nullptr;
    if (const HRESULT hr = CopyMore(id.data(), id.size(), buffer, &copy); hr != S_OK) return hr;
    value.Value.bin = SBinary{static_cast<ULONG>(id.size()), static_cast<LPBYTE>(copy)};
    return S_OK;
  }
  if (tag == PR_MESSAGE_CLASS) {
    const std::string text = ClassText(item);
    void* copy = nullptr;
    if (const HRESULT hr = CopyMore(text.c_str(), text.size() + 1, buffer, &copy); hr != S_OK)
      return hr;
    value.Value.lpszA = static_cast<LPSTR>(copy);
    return S_OK;
  }
  if (tag == PR_LAST_MODIFICATION_TIME && item.Has("LastModificationTime")) {
    const std::optional<FILETIME> time = UtcFileTime(item.GetDate("LastModificationTime"));
    if (!time.has_value()) return Missing(tag, value);
    value.Value.ft = *time;
    return S_OK;
  }
  return Missing(tag, value);
}

}  // namespace kelvra::mapi
