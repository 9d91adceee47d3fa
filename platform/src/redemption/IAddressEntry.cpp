#include "outlook/WrapperCall.h"
#include "redemption/AddressEntry.h"

namespace Redemption {

using namespace kelvra::outlook;

_bstr_t IAddressEntry::GetSMTPAddress() { return GetText(this, &IAddressEntry::get_SMTPAddress); }

}  // namespace Redemption
