// The restrictions a contents table applies: OR of content restrictions on the
// message class, whole string or prefix, with or without case.
#pragma once

#include <string_view>

#include "mapi/mapidefs.h"

namespace kelvra::mapi {

class RowFilter {
 public:
  // S_OK for a restriction the table can apply, MAPI_E_TOO_COMPLEX otherwise.
  static HRESULT Check(const SRestriction& restriction);
  static bool Matches(const SRestriction& restriction, std::string_view messageClass);
};

}  // namespace kelvra::mapi
