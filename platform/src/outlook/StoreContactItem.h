// An Outlook contact over a store item: every property reads and writes the item's
// property bag, so Redemption's view of the same item sees the same values. One live
// object per item.
#pragma once

#include <string_view>

#include "outlook/ContactItem.h"
#include "outlook/IStoreItem.h"
#include "outlook/StandInObject.h"
#include "store/Nodes.h"

namespace kelvra::outlook {

class StoreContactItem : public StandInObject<Outlook::_ContactItem, IStoreItem> {
 public:
  // The item's live object, or a new one; with a reference for the caller.
  static Outlook::_ContactItem* Acquire(store::ItemPtr item);

#define KELVRA_STORE_CONTACT_TEXT(Name)                 \
  STDMETHODIMP get_##Name(BSTR* value) override {       \
    return GetText("ContactItem." #Name, #Name, value); \
  }                                                     \
  STDMETHODIMP put_##Name(BSTR value) override {        \
    return PutText("ContactItem." #Name, #Name, value); \
  }
#define KELVRA_STORE_CONTACT_READONLY_TEXT(Name)        \
  STDMETHODIMP get_##Name(BSTR* value) override {       \
    return GetText("ContactItem." #Name, #Name, value); \
  }
#define KELVRA_STORE_CONTACT_DATE(Name)                 \
  STDMETHODIMP get_##Name(DATE* value) override {       \
    return GetDate("ContactItem." #Name, #Name, value); \
  }                                                     \
  STDMETHODIMP put_##Name(DATE value) override {        \
    return PutDate("ContactItem." #Name, #Name, value); \
  }

  KELVRA_OUTLOOK_CONTACT_TEXT_PROPERTIES(KELVRA_STORE_CONTACT_TEXT)
  KELVRA_OUTLOOK_CONTACT_ENTRYID_PROPERTIES(KELVRA_STORE_CONTACT_READONLY_TEXT)
  KELVRA_OUTLOOK_CONTACT_DATE_PROPERTIES(KELVRA_STORE_CONTACT_DATE)

#undef KELVRA_STORE_CONTACT_TEXT
#undef KELVRA_STORE_CONTACT_READONLY_TEXT
#undef KELVRA_STORE_CONTACT_DATE

  STDMETHODIMP get_EntryID(BSTR* value) override;
  STDMETHODIMP get_MessageClass(BSTR* value) override;
  STDMETHODIMP get_LastModificationTime(DATE* value) override;
  STDMETHODIMP get_Sensitivity(Outlook::OlSensitivity* value) override;
  STDMETHODIMP put_Sensitivity(Outlook::OlSensitivity value) override;
  STDMETHODIMP get_HasPicture(VARIANT_BOOL* value) override;
  STDMETHODIMP raw_AddPicture(BSTR path) override;
  STDMETHODIMP get_Saved(VARIANT_BOOL* value) override;
  STDMETHODIMP raw_Save() override;
  STDMETHODIMP raw_Delete() override;
  STDMETHODIMP get_Class(Outlook::OlObjectClass* value) override;
  STDMETHODIMP get_Attachments(Outlook::Attachments** value) override;

  store::ItemPtr StoreNode() override { return item_; }

 private:
  explicit StoreContactItem(store::ItemPtr item) : item_(std::move(item)) {}
  ~StoreContactItem() override;

  HRESULT GetText(const char* member, std::string_view name, BSTR* value);
  HRESULT PutText(const char* member, std::string_view name, BSTR value);
  HRESULT GetDate(const char* member, std::string_view name, DATE* value);
  HRESULT PutDate(const char* member, std::string_view name, DATE value);

  store::ItemPtr item_;
};

}  // namespace kelvra::outlook
