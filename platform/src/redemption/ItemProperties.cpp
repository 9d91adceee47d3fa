#include "redemption/ItemProperties.h"

#include <optional>

#include "outlook/OutParam.h"
#include "redemption/BinaryArrays.h"
#include "redemption/MapiVariant.h"
#include "store/Item.h"
#include "store/MapiProperty.h"
#include "store/NamedPropertyIds.h"

namespace kelvra::redemption {

namespace {

constexpr std::uint16_t kFirstNamedNumber = 0x8000;

std::uint16_t NumberOf(std::uint32_t tag) { return static_cast<std::uint16_t>(tag >> 16); }

bool IsTextType(std::uint16_t type) {
  return type == store::mapitype::kString8 || type == store::mapitype::kUnicode;
}

bool TypesMatch(std::uint16_t stored, std::uint16_t asked) {
  return stored == asked || (IsTextType(stored) && IsTextType(asked));
}

// The stored value of a tag: named properties by their number, others by tag (a text
// tag also finds the text stored with the other string type).
std::optional<store::Value> StoredValue(const store::Item& item, std::uint32_t tag) {
  const std::uint16_t type = store::PropTypeOf(tag);
  if (NumberOf(tag) >= kFirstNamedNumber) {
    const std::optional<store::NamedPropertyKey> key =
        store::NamedPropertyIds::KeyOf(NumberOf(tag));
    if (!key.has_value()) return std::nullopt;
    const std::optional<store::NamedValue> named = item.GetNamed(*key);
    if (!named.has_value() || !TypesMatch(named->mapiType, type)) return std::nullopt;
    return named->value;
  }
  if (auto value = item.GetTagged(tag)) return value;
  if (!IsTextType(type)) return std::nullopt;
  const std::uint32_t other =
      (tag & 0xFFFF0000u) |
      (type == store::mapitype::kString8 ? store::mapitype::kUnicode : store::mapitype::kString8);
  return item.GetTagged(other);
}

// The store value a VARIANT gives for a property of that MAPI type.
std::optional<store::Value> ValueFor(std::uint16_t type, const VARIANT& value) {
  switch (type) {
    case store::mapitype::kBinary:
      if (auto bytes = BinaryArrays::FromVariant(value)) return store::Value::Binary(*bytes);
      return std::nullopt;
    case store::mapitype::kString8:
    case store::mapitype::kUnicode:
      if (value.vt != VT_BSTR) return std::nullopt;
      return store::Value::Text(outlook::TextOf(value.bstrVal));
    case store::mapitype::kSysTime:
      if (value.vt != VT_DATE) return std::nullopt;
      return store::Value::Date(value.date);
    case store::mapitype::kLong:
      if (value.vt != VT_I4) return std::nullopt;
      return store::Value::Long(value.lVal);
    default:
      return std::nullopt;
  }
}

}  // namespace

HRESULT ItemProperties::Read(const store::Item& item, std::uint32_t tag, VARIANT* value) {
  const std::optional<store::Value> stored = StoredValue(item, tag);
  if (!stored.has_value() || stored->IsEmpty()) return S_OK;
  if (stored->Type() == store::ValueType::Binary) {
    return BinaryArrays::ToVariant(stored->AsBinary(), value);
  }
  return MapiVariant::From(*stored, value);
}

HRESULT ItemProperties::Write(store::Item& item, std::uint32_t tag, const VARIANT& value) {
  const std::uint16_t type = store::PropTypeOf(tag);
  std::optional<store::Value> stored = ValueFor(type, value);
  if (!stored.has_value()) return DISP_E_TYPEMISMATCH;
  if (NumberOf(tag) < kFirstNamedNumber) {
    item.SetTagged(tag, std::move(*stored));
    return S_OK;
  }
  const std::optional<store::NamedPropertyKey> key = store::NamedPropertyIds::KeyOf(NumberOf(tag));
  if (!key.has_value()) return E_INVALIDARG;
  item.SetNamed(*key, store::NamedValue{type, std::move(*stored)});
  return S_OK;
}

}  // namespace kelvra::redemption
