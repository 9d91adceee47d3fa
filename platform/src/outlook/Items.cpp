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

_ItemsPtr _Items::Restrict(_bstr_t filter) {
  return FetchObject<_ItemsPtr>(this, [&](_Items** items) { return raw_Restrict(filter, items); });
}

}  // namespace Outlook
