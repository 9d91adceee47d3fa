#include "redemption/BinaryArrays.h"

#include <atomic>

#include "com/safearray.h"
#include "com/variant_t.h"

namespace kelvra::redemption {

namespace {

std::atomic<VARTYPE> readElementType{VT_VARIANT};

// Puts byte i of bytes into the array as the array's element type.
HRESULT PutByte(SAFEARRAY* array, VARTYPE type, LONG index, std::uint8_t byte) {
  if (type == VT_VARIANT) {
    VARIANT element{};
    element.vt = VT_UI1;
    element.bVal = byte;
    return SafeArrayPutElement(array, &index, &element);
  }
  if (type == VT_I4) {
    LONG value = byte;
    return SafeArrayPutElement(array, &index, &value);
  }
  return SafeArrayPutElement(array, &index, &byte);
}

std::optional<std::uint8_t> ByteOf(const VARIANT& element) {
  LONG value = 0;
  switch (element.vt) {
    case VT_UI1:
      return element.bVal;
    case VT_I2:
      value = element.iVal;
      break;
    case VT_I4:
      value = element.lVal;
      break;
    case VT_UI4:
      value = static_cast<LONG>(element.ulVal);
      break;
    default:
      return std::nullopt;
  }
  if (value < 0 || value > 255) return std::nullopt;
  return static_cast<std::uint8_t>(value);
}

}  // namespace

HRESULT BinaryArrays::ToVariant(const store::Bytes& bytes, VARIANT* variant) {
  const VARTYPE type = readElementType.load();
  SAFEARRAY* array = SafeArrayCreateVector(type, 0, static_cast<ULONG>(bytes.size()));
  if (array == nullptr) return E_OUTOFMEMORY;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const HRESULT result = PutByte(array, type, static_cast<LONG>(i), bytes[i]);
    if (FAILED(result)) {
      SafeArrayDestroy(array);
      return result;
    }
  }
  variant->vt = static_cast<VARTYPE>(VT_ARRAY | type);
  variant->parray = array;
  return S_OK;
}

std::optional<store::Bytes> BinaryArrays::FromVariant(const VARIANT& variant) {
  SAFEARRAY* array = variant.parray;
  if ((variant.vt != (VT_ARRAY | VT_VARIANT) && variant.vt != (VT_ARRAY | VT_UI1)) ||
      array == nullptr || SafeArrayGetDim(array) != 1) {
    return std::nullopt;
  }
  VARTYPE type = VT_EMPTY;
  LONG lower = 0;
  LONG upper = -1;
  if (FAILED(SafeArrayGetVartype(array, &type)) || FAILED(SafeArrayGetLBound(array, 1, &lower)) ||
      FAILED(SafeArrayGetUBound(array, 1, &upper)) || type != (variant.vt & ~VT_ARRAY)) {
    return std::nullopt;
  }
  store::Bytes bytes;
  for (LONG index = lower; index <= upper; ++index) {
    _variant_t element;
    if (type == VT_UI1) {
      element.vt = VT_UI1;
      if (FAILED(SafeArrayGetElement(array, &index, &element.bVal))) return std::nullopt;
    } else if (FAILED(SafeArrayGetElement(array, &index, &element))) {
      return std::nullopt;
    }
    const std::optional<std::uint8_t> byte = ByteOf(element);
    if (!byte.has_value()) return std::nullopt;
    bytes.push_back(*byte);
  }
  return bytes;
}

bool BinaryArrays::SetReadElementType(VARTYPE type) {
  if (type != VT_VARIANT && type != VT_UI1 && type != VT_I4) return false;
  readElementType = type;
  return true;
}

}  // namespace kelvra::redemption
