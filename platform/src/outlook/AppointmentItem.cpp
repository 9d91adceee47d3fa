#include "outlook/AppointmentItem.h"

#include <optional>
#include <string>

#include "outlook/AppointmentItemCategoriesDesk.h"
#include "outlook/CallGate.h"
#include "outlook/OutParam.h"
#include "outlook/WrapperCall.h"
#include "store/Utf.h"

namespace Outlook {

using namespace kelvra::outlook;

#define KELVRA_DEFINE_PROPERTY(Type, Name)                                                     \
  Type _AppointmentItem::Get##Name() { return GetValue(this, &_AppointmentItem::get_##Name); } \
  void _AppointmentItem::Put##Name(Type value) { Call(this, &_AppointmentItem::put_##Name, value); }
#define KELVRA_DEFINE_TEXT_PROPERTY(Name)                                                        \
  _bstr_t _AppointmentItem::Get##Name() { return GetText(this, &_AppointmentItem::get_##Name); } \
  void _AppointmentItem::Put##Name(_bstr_t value) {                                              \
    Call(this, &_AppointmentItem::put_##Name, value);                                            \
  }

KELVRA_DEFINE_PROPERTY(DATE, Start)
KELVRA_DEFINE_PROPERTY(DATE, End)
KELVRA_DEFINE_PROPERTY(long, Duration)
KELVRA_OUTLOOK_APPOINTMENT_TEXT_PROPERTIES(KELVRA_DEFINE_TEXT_PROPERTY)
KELVRA_OUTLOOK_APPOINTMENT_VALUE_PROPERTIES(KELVRA_DEFINE_PROPERTY)

#undef KELVRA_DEFINE_PROPERTY
#undef KELVRA_DEFINE_TEXT_PROPERTY

VARIANT_BOOL _AppointmentItem::GetIsRecurring() {
  return GetValue(this, &_AppointmentItem::get_IsRecurring);
}

RecipientsPtr _AppointmentItem::GetRecipients() {
  return GetObject<RecipientsPtr>(this, &_AppointmentItem::get_Recipients);
}

RecurrencePatternPtr _AppointmentItem::GetRecurrencePattern() {
  return GetObject<RecurrencePatternPtr>(this, &_AppointmentItem::raw_GetRecurrencePattern);
}

_bstr_t _AppointmentItem::GetEntryID() { return GetText(this, &_AppointmentItem::get_EntryID); }

VARIANT_BOOL _AppointmentItem::GetSaved() { return GetValue(this, &_AppointmentItem::get_Saved); }

void _AppointmentItem::Save() { Call(this, &_AppointmentItem::raw_Save); }

void _AppointmentItem::Delete() { Call(this, &_AppointmentItem::raw_Delete); }

IDispatchPtr _AppointmentItem::GetParent() {
  return GetObject<IDispatchPtr>(this, &_AppointmentItem::get_Parent);
}

OlObjectClass _AppointmentItem::GetClass() { return GetValue(this, &_AppointmentItem::get_Class); }

void _AppointmentItem::ShowCategoriesDialog() {
  Call(this, &_AppointmentItem::raw_ShowCategoriesDialog);
}

HRESULT STDMETHODCALLTYPE _AppointmentItem::raw_ShowCategoriesDialog() {
  const HRESULT entered = CallGate::Enter("AppointmentItem.ShowCategoriesDialog");
  if (FAILED(entered)) return entered;
  BSTR current = nullptr;
  const HRESULT read = get_Categories(&current);
  const _bstr_t owned(current, false);
  if (FAILED(read)) return read;
  const std::optional<std::string> chosen =
      AppointmentItemCategoriesDesk::Instance().Show(kelvra::store::Utf::ToUtf8(TextOf(current)));
  if (!chosen.has_value()) return S_OK;
  const std::u16string text = kelvra::store::Utf::ToUtf16(*chosen);
  const _bstr_t value(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())), false);
  return put_Categories(value);
}

}  // namespace Outlook
