#include "outlook/Exceptions.h"

#include "outlook/WrapperCall.h"

namespace Outlook {

using namespace kelvra::outlook;

long Exceptions::GetCount() { return GetValue(this, &Exceptions::get_Count); }

ExceptionPtr Exceptions::Item(const _variant_t& index) {
  return FetchObject<ExceptionPtr>(
      this, [&](Exception** exception) { return raw_Item(index, exception); });
}

}  // namespace Outlook
