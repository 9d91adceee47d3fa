#include "outlook/DistListItem.h"

#include "outlook/WrapperCall.h"

namespace Outlook {

using namespace kelvra::outlook;

_bstr_t _DistListItem::GetDLName() { return GetText(this, &_DistListItem::get_DLName); }

OlObjectClass _DistListItem::GetClass() { return GetValue(this, &_DistListItem::get_Class); }

_bstr_t _DistListItem::GetMessageClass() { return GetText(this, &_DistListItem::get_MessageClass); }

}  // namespace Outlook
