// The index argument of a collection's Item: a 1-based position.
#pragma once

#include <cstddef>

#include "com/variant.h"

namespace kelvra::outlook {

class IndexArgument {
 public:
  // The zero-based position of a number from 1 to count; DISP_E_TYPEMISMATCH for a
  // value that is no number, E_INVALIDARG out of range.
  static HRESULT Position(const VARIANT& index, std::size_t count, std::size_t* position);
};

}  // namespace kelvra::outlook
