// An Outlook appointment over a store item. One live object per item.
#pragma once

#include <string_view>

#include "outlook/AppointmentItem.h"
#include "outlook/IStoreItem.h"
#include "outlook/StandInObject.h"
#include "store/Nodes.h"

namespace kelvra::outlook {

class StoreAppointmentItem : public StandInObject<Outlook::_AppointmentItem, IStoreItem> {
 public:
  // The item's live object, or a new one; with a reference for the caller.
  static Outlook::_AppointmentItem* Acquire(store::ItemPtr item);

  STDMETHODIMP get_Start(DATE* value) override;
  STDMETHODIMP put_Start(DATE value) override;
  STDMETHODIMP get_End(DATE* value) override;
  STDMETHODIMP put_End(DATE value) override;
  STDMETHODIMP get_Duration(long* value) override;
  STDMETHODIMP put_Duration(long value) override;
  STDMETHODIMP get_Subject(BSTR* value) override;
  STDMETHODIMP put_Subject(BSTR value) override;
  STDMETHODIMP get_Location(BSTR* value) override;
  STDMETHODIMP put_Location(BSTR value) override;
  STDMETHODIMP get_Body(BSTR* value) override;
  STDMETHODIMP put_Body(BSTR value) override;
  STDMETHODIMP get_AllDayEvent(VARIANT_BOOL* value) override;
  STDMETHODIMP put_AllDayEvent(VARIANT_BOOL value) override;
  STDMETHODIMP get_EntryID(BSTR* value) override;
  STDMETHODIMP get_Saved(VARIANT_BOOL* value) override;
  STDMETHODIMP raw_Save() override;
  STDMETHODIMP get_Class(Outlook::OlObjectClass* value) override;

  store::ItemPtr StoreNode() override { return item_; }

 private:
  explicit StoreAppointmentItem(store::ItemPtr item) : item_(std::move(item)) {}
  ~StoreAppointmentItem() override;

  HRESULT GetText(const char* member, std::string_view name, BSTR* value);
  HRESULT PutText(const char* member, std::string_view name, BSTR value);

  store::ItemPtr item_;
};

}  // namespace kelvra::outlook
