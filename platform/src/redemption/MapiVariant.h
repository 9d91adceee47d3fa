// A MAPI property value of the store as the VARIANT that Redemption hands out.
#pragma once

#include "com/variant.h"
#include "store/Value.h"

namespace kelvra::redemption {

class MapiVariant {
 public:
  // Text as VT_BSTR, long as VT_I4, bool as VT_BOOL, date as VT_DATE into an empty
  // VARIANT; DISP_E_TYPEMISMATCH for a value of another type.
  static HRESULT From(const store::Value& value, VARIANT* variant);
};

}  // namespace kelvra::redemption
