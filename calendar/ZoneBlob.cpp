#include "calendar/ZoneBlob.h"

#include <cstring>
#include <optional>

#include "com/safearray.h"

namespace {

constexpr VARTYPE kVariantArray = VT_ARRAY | VT_VARIANT;

std::optional<BYTE> LowByte(const VARIANT& element) {
  switch (element.vt) {
    case VT_UI1:
      return element.bVal;
    case VT_I2:
      return static_cast<BYTE>(element.iVal & 0xFF);
    case VT_I4:
      return static_cast<BYTE>(element.lVal & 0xFF);
    case VT_UI4:
      return static_cast<BYTE>(element.ulVal & 0xFF);
    default:
      return std::nullopt;
  }
}

std::optional<BYTE> ElementByte(SAFEARRAY* array, VARTYPE elementType, LONG index) {
  if (elementType == VT_UI1) {
    BYTE value = 0;
    if (FAILED(SafeArrayGetElement(array, &index, &value))) return std::nullopt;
    return value;
  }
  _variant_t element;
  if (FAILED(SafeArrayGetElement(array, &index, static_cast<VARIANT*>(&element)))) {
    return std::nullopt;
  }
  return LowByte(element);
}

}  // namespace

bool ZoneFromBlob(const VARIANT& blob, TimezoneStruct* zone) {
  if ((blob.vt & VT_ARRAY) == 0 || (blob.vt & VT_BYREF) != 0 || blob.parray == nullptr) {
    return false;
  }
  SAFEARRAY* array = blob.parray;
  VARTYPE elementType = VT_EMPTY;
  LONG lower = 0;
  LONG upper = -1;
  if (FAILED(SafeArrayGetVartype(array, &elementType)) ||
      (elementType != VT_VARIANT && elementType != VT_UI1) ||
      FAILED(SafeArrayGetLBound(array, 1, &lower)) ||
      FAILED(SafeArrayGetUBound(array, 1, &upper)) ||
      static_cast<LONGLONG>(upper) + 1 - lower < static_cast<LONGLONG>(sizeof(TimezoneStruct))) {
    return false;
  }
  BYTE bytes[sizeof(TimezoneStruct)] = {};
  for (std::size_t i = 0; i < sizeof bytes; ++i) {
    const std::optional<BYTE> value =
        ElementByte(array, elementType, static_cast<LONG>(lower + static_cast<LONG>(i)));
    if (!value) return false;
    bytes[i] = *value;
  }
  std::memcpy(zone, bytes, sizeof bytes);
  return true;
}

_variant_t ZoneToBlob(const TimezoneStruct& zone) {
  BYTE bytes[sizeof(TimezoneStruct)];
  std::memcpy(bytes, &zone, sizeof bytes);
  VARIANT blob;
  VariantInit(&blob);
  blob.parray = SafeArrayCreateVector(VT_VARIANT, 0, sizeof bytes);
  if (blob.parray == nullptr) {
    return _variant_t();
  }
  blob.vt = kVariantArray;
  _variant_t owner(blob, false);
  for (LONG i = 0; i < static_cast<LONG>(sizeof bytes); ++i) {
    VARIANT element;
    VariantInit(&element);
    element.vt = VT_UI1;
    element.bVal = bytes[i];
    SafeArrayPutElement(owner.parray, &i, &element);
  }
  return owner;
}
