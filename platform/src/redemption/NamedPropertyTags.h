// The tag of a named property as Redemption's lookups answer it: the property's
// number in the high word, type bits 0; 0 for a name the mailbox has not numbered
// (unless created, or the item carries it).
#pragma once

#include "com/variant.h"
#include "store/Nodes.h"

namespace kelvra::redemption {

class NamedPropertyTags {
 public:
  // The property set as GUID text ("{...}", braces optional), the id as an integer
  // VARIANT: E_INVALIDARG for a GUID text that does not parse, DISP_E_TYPEMISMATCH
  // for an id that is no integer, E_OUTOFMEMORY when every number is taken.
  static HRESULT Lookup(const store::Item& item, BSTR guid, const VARIANT& id, bool create,
                        long* tag);
};

}  // namespace kelvra::redemption
