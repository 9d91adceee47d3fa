#include "outlook/WrapperCall.h"
#include "redemption/SafeRecipients.h"

namespace Redemption {

using namespace kelvra::outlook;

long ISafeRecipient::GetType() { return GetValue(this, &ISafeRecipient::get_Type); }

_bstr_t ISafeRecipient::GetAddress() { return GetText(this, &ISafeRecipient::get_Address); }

_bstr_t ISafeRecipient::GetName() { return GetText(this, &ISafeRecipient::get_Name); }

}  // namespace Redemption
