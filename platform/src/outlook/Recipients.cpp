#include "outlook/Recipients.h"

#include "outlook/WrapperCall.h"

namespace Outlook {

using namespace kelvra::outlook;

long Recipients::GetCount() { return GetValue(this, &Recipients::get_Count); }

RecipientPtr Recipients::Item(const _variant_t& index) {
  return FetchObject<RecipientPtr>(
      this, [&](Recipient** recipient) { return raw_Item(index, recipient); });
}

RecipientPtr Recipients::Add(_bstr_t name) {
  return FetchObject<RecipientPtr>(this,
                                   [&](Recipient** recipient) { return raw_Add(name, recipient); });
}

}  // namespace Outlook
