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

void _Items::Sort(const _bstr_t& property, const _variant_t& descending) {
  Call(this, &_Items::raw_Sort, static_cast<BSTR>(property), descending);
}

VARIANT_BOOL _Items::GetIncludeRecurrences() {
  return GetValue(this, &_Items::get_IncludeRecurrences);
}

void _Items::PutIncludeRecurrences(VARIANT_BOOL value) {
  Call(this, &_Items::put_IncludeRecurrences, value);
}

IDispatchPtr _Items::GetFirst() { return GetObject<IDispatchPtr>(this, &_Items::raw_GetFirst); }

IDispatchPtr _Items::GetNext() { return GetObject<IDispatchPtr>(this, &_Items::raw_GetNext); }

}  // namespace Outlook
