#include "outlook/Items.h"

#include "outlook/WrapperCall.h"

namespace Outlook {

using namespace kelvra::outlook;

long _Items::GetCount() { return GetValue(this, &_Items::get_Count); }

IDispatchPtr _Items::Item(const _variant_t& index) {
  return FetchObject<IDispatchPtr>(this, [&](IDispatch** item) { return raw_Item(index, item); });
}

IDispatchPtr _Items::Add(const _variant_t& type) {
  return FetchObject<IDispatchPtr>(this, [&](IDispatch** item) { return raw_Add(type, item); });
}

}  // namespace Outlook
