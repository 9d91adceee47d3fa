// A store item's MAPI properties by tag, as Redemption reads and writes them: tags
// with a property number of 0x8000 or above are named properties (numbered by
// store::NamedPropertyIds), others are kept by tag.
#pragma once

#include <cstdint>

#include "com/variant.h"
#include "store/Nodes.h"

namespace kelvra::redemption {

class ItemProperties {
 public:
  // Into an empty VARIANT: PT_BINARY as a byte array (BinaryArrays), others as
  // MapiVariant hands them out; left VT_EMPTY when the item lacks the property or
  // holds it with another type (PT_STRING8 and PT_UNICODE read each other).
  static HRESULT Read(const store::Item& item, std::uint32_t tag, VARIANT* value);
  // PT_BINARY from a byte array, PT_STRING8 and PT_UNICODE from VT_BSTR, PT_SYSTIME
  // from VT_DATE, PT_LONG from VT_I4; DISP_E_TYPEMISMATCH for another value, and
  // E_INVALIDARG for a named property number nobody assigned. The item becomes
  // unsaved.
  static HRESULT Write(store::Item& item, std::uint32_t tag, const VARIANT& value);
};

}  // namespace kelvra::redemption
