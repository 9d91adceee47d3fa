// One recipient of a store item, known by its place among the item's recipients
// (recipients are only ever added, so the place holds).
#pragma once

#include <cstddef>
#include <functional>

#include "outlook/Recipients.h"
#include "outlook/StandInObject.h"
#include "redemption/SafeRecipients.h"
#include "store/Nodes.h"
#include "store/Recipient.h"

namespace kelvra::outlook {

class StoreRecipient : public StandInObject<Outlook::Recipient, Redemption::ISafeRecipient> {
 public:
  // A new object with a reference for the caller, as either interface.
  static StoreRecipient* Create(store::ItemPtr item, std::size_t position);

  STDMETHODIMP get_Type(long* value) override;
  // 0-3; another value fails with E_INVALIDARG. The item becomes unsaved.
  STDMETHODIMP put_Type(long value) override;
  STDMETHODIMP get_Address(BSTR* value) override;
  STDMETHODIMP get_Name(BSTR* value) override;

 private:
  StoreRecipient(store::ItemPtr item, std::size_t position)
      : item_(std::move(item)), position_(position) {}

  // Runs read over the recipient; E_FAIL when the item no longer has it.
  HRESULT Read(const char* member, const std::function<HRESULT(const store::Recipient&)>& read);

  store::ItemPtr item_;
  std::size_t position_;
};

}  // namespace kelvra::outlook
