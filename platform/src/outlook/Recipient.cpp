#include "outlook/Recipients.h"
#include "outlook/WrapperCall.h"

namespace Outlook {

using namespace kelvra::outlook;

long Recipient::GetType() { return GetValue(this, &Recipient::get_Type); }

void Recipient::PutType(long value) { Call(this, &Recipient::put_Type, value); }

_bstr_t Recipient::GetAddress() { return GetText(this, &Recipient::get_Address); }

_bstr_t Recipient::GetName() { return GetText(this, &Recipient::get_Name); }

}  // namespace Outlook
