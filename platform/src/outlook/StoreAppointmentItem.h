// An Outlook appointment over a store item, or over one occurrence of a series.
// One live object per item; an occurrence gets a new object each time it is asked
// for.
#pragma once

#include <memory>
#include <string_view>

#include "outlook/AppointmentData.h"
#include "outlook/AppointmentItem.h"
#include "outlook/IStoreItem.h"
#include "outlook/StandInObject.h"
#include "store/Nodes.h"

#define KELVRA_STORE_APPOINTMENT_DECLARE_TEXT(Name) \
  STDMETHODIMP get_##Name(BSTR* value) override;    \
  STDMETHODIMP put_##Name(BSTR value) override;
#define KELVRA_STORE_APPOINTMENT_DECLARE_VALUE(Type, Name) \
  STDMETHODIMP get_##Name(Type* value) override;           \
  STDMETHODIMP put_##Name(Type value) override;

namespace kelvra::outlook {

class StoreAppointmentItem : public StandInObject<Outlook::_AppointmentItem, IStoreItem> {
 public:
  // The item's live object, or a new one; with a reference for the caller.
  static Outlook::_AppointmentItem* Acquire(store::ItemPtr item);
  // A new object over the occurrence of the series with that original start (in
  // the series' wall clock), with a reference for the caller.
  static Outlook::_AppointmentItem* CreateOccurrence(store::ItemPtr series, double originalDate,
                                                     bool writable);

  STDMETHODIMP get_Start(DATE* value) override;
  STDMETHODIMP put_Start(DATE value) override;
  STDMETHODIMP get_End(DATE* value) override;
  STDMETHODIMP put_End(DATE value) override;
  STDMETHODIMP get_Duration(long* value) override;
  STDMETHODIMP put_Duration(long value) override;
  KELVRA_OUTLOOK_APPOINTMENT_TEXT_PROPERTIES(KELVRA_STORE_APPOINTMENT_DECLARE_TEXT)
  KELVRA_OUTLOOK_APPOINTMENT_VALUE_PROPERTIES(KELVRA_STORE_APPOINTMENT_DECLARE_VALUE)
  STDMETHODIMP get_IsRecurring(VARIANT_BOOL* value) override;
  STDMETHODIMP get_Recipients(Outlook::Recipients** value) override;
  STDMETHODIMP raw_GetRecurrencePattern(Outlook::RecurrencePattern** value) override;
  STDMETHODIMP get_EntryID(BSTR* value) override;
  STDMETHODIMP get_Saved(VARIANT_BOOL* value) override;
  STDMETHODIMP raw_Save() override;
  STDMETHODIMP raw_Delete() override;
  STDMETHODIMP get_Parent(IDispatch** value) override;
  STDMETHODIMP get_Class(Outlook::OlObjectClass* value) override;

  // The series' item for an occurrence, so that Redemption views the series.
  store::ItemPtr StoreNode() override { return data_->Series(); }

 private:
  StoreAppointmentItem(std::unique_ptr<AppointmentData> data, bool cached)
      : data_(std::move(data)), cached_(cached) {}
  ~StoreAppointmentItem() override;

  HRESULT GetText(const char* member, std::string_view name, BSTR* value);
  HRESULT PutText(const char* member, std::string_view name, BSTR value);
  template <class Value>
  HRESULT GetLong(const char* member, std::string_view name, Value* value);
  HRESULT PutLong(const char* member, std::string_view name, long value, bool valid);
  HRESULT GetBool(const char* member, std::string_view name, VARIANT_BOOL* value);
  HRESULT PutBool(const char* member, std::string_view name, VARIANT_BOOL value);

  std::unique_ptr<AppointmentData> data_;
  bool cached_;
};

}  // namespace kelvra::outlook

#undef KELVRA_STORE_APPOINTMENT_DECLARE_TEXT
#undef KELVRA_STORE_APPOINTMENT_DECLARE_VALUE
