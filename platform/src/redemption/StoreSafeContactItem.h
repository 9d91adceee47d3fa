// Redemption's SafeContactItem over a store item: it views the item behind the
// Outlook contact it is given, so it reads the same property bag.
#pragma once

#include <string_view>

#include "outlook/StandInObject.h"
#include "redemption/SafeContactItem.h"
#include "store/Nodes.h"

namespace kelvra::redemption {

class StoreSafeContactItem : public outlook::StandInObject<Redemption::ISafeContactItem> {
 public:
  StoreSafeContactItem() = default;

  // An item that is not one of the stand-in's Outlook items fails with E_INVALIDARG.
  STDMETHODIMP put_Item(IDispatch* item) override;

#define KELVRA_STORE_SAFE_CONTACT_TEXT(Name)                \
  STDMETHODIMP get_##Name(BSTR* value) override {           \
    return GetText("SafeContactItem." #Name, #Name, value); \
  }
  KELVRA_REDEMPTION_SAFE_CONTACT_TEXT_PROPERTIES(KELVRA_STORE_SAFE_CONTACT_TEXT)
#undef KELVRA_STORE_SAFE_CONTACT_TEXT

  STDMETHODIMP get_Attachments(Redemption::IAttachments** attachments) override;

 private:
  HRESULT GetText(const char* member, std::string_view name, BSTR* value);

  store::ItemPtr item_;
};

}  // namespace kelvra::redemption
