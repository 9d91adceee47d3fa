// Binary MAPI values as the arrays that Redemption's helpers pass: a vector of
// VARIANTs (lower bound 0), one VT_UI1 element per byte. Tests can make reads hand out
// another element type, as other Redemption versions do.
#pragma once

#include <optional>

#include "com/variant.h"
#include "store/Value.h"

namespace kelvra::redemption {

class BinaryArrays {
 public:
  // Into an empty VARIANT, as VT_ARRAY | the element type chosen for reads.
  static HRESULT ToVariant(const store::Bytes& bytes, VARIANT* variant);
  // A VT_ARRAY | VT_VARIANT whose elements each hold a byte (VT_UI1, or an integer
  // type with a value 0-255), or a VT_ARRAY | VT_UI1; nothing for anything else.
  static std::optional<store::Bytes> FromVariant(const VARIANT& variant);

  // VT_VARIANT (the default), VT_UI1 or VT_I4 (a long per byte); false for another
  // type.
  static bool SetReadElementType(VARTYPE type);
};

}  // namespace kelvra::redemption
