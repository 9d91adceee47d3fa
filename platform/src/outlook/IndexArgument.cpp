#include "outlook/IndexArgument.h"

#include "com/comutil.h"

namespace kelvra::outlook {

HRESULT IndexArgument::Position(const VARIANT& index, std::size_t count, std::size_t* position) {
  LONG number = 0;
  try {
    number = _variant_t(index);
  } catch (const _com_error& error) {
    return error.Error();
  }
  if (number < 1 || static_cast<std::size_t>(number) > count) return E_INVALIDARG;
  *position = static_cast<std::size_t>(number) - 1;
  return S_OK;
}

}  // namespace kelvra::outlook
