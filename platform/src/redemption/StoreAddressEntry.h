// An address-book entry found by MapiUtils.
#pragma once

#include <string>

#include "outlook/StandInObject.h"
#include "redemption/AddressEntry.h"

namespace kelvra::redemption {

class StoreAddressEntry : public outlook::StandInObject<Redemption::IAddressEntry> {
 public:
  // A new object with a reference for the caller.
  static Redemption::IAddressEntry* Create(std::u16string smtpAddress);

  STDMETHODIMP get_SMTPAddress(BSTR* address) override;

 private:
  explicit StoreAddressEntry(std::u16string smtpAddress) : smtpAddress_(std::move(smtpAddress)) {}

  std::u16string smtpAddress_;
};

}  // namespace kelvra::redemption
