#include "redemption/NamedPropertyTags.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "com/bstr.h"
#include "store/GuidText.h"
#include "store/Item.h"
#include "store/MapiProperty.h"
#include "store/NamedPropertyIds.h"
#include "store/Utf.h"

namespace kelvra::redemption {

namespace {

std::optional<std::int32_t> IdOf(const VARIANT& id) {
  switch (id.vt) {
    case VT_I2:
      return id.iVal;
    case VT_I4:
      return id.lVal;
    case VT_UI4:
      return static_cast<std::int32_t>(id.ulVal);
    default:
      return std::nullopt;
  }
}

// Callers ask for the same few property sets over and over: parse each text once
// per run of identical requests.
std::optional<GUID> PropertySetOf(BSTR guid) {
  thread_local std::u16string lastText;  // empty text never parses, as lastSet starts
  thread_local std::optional<GUID> lastSet;
  const std::u16string_view text =
      guid != nullptr ? std::u16string_view(guid, SysStringLen(guid)) : std::u16string_view();
  if (text != lastText) {
    lastText.assign(text);
    lastSet = store::GuidText::Parse(store::Utf::ToUtf8(lastText));
  }
  return lastSet;
}

}  // namespace

HRESULT NamedPropertyTags::Lookup(const store::Item& item, BSTR guid, const VARIANT& id,
                                  bool create, long* tag) {
  if (tag == nullptr) return E_POINTER;
  *tag = 0;
  const std::optional<GUID> set = PropertySetOf(guid);
  const std::optional<std::int32_t> number = IdOf(id);
  if (!set.has_value()) return E_INVALIDARG;
  if (!number.has_value()) return DISP_E_TYPEMISMATCH;
  const store::NamedPropertyKey key{*set, *number};
  std::optional<std::uint16_t> found = store::NamedPropertyIds::Find(key);
  if (!found.has_value() && (create || item.GetNamed(key).has_value())) {
    found = store::NamedPropertyIds::FindOrAssign(key);
    if (!found.has_value()) return E_OUTOFMEMORY;
  }
  if (found.has_value()) *tag = static_cast<long>(static_cast<ULONG>(*found) << 16);
  return S_OK;
}

}  // namespace kelvra::redemption
