#include "outlook/ContactItem.h"

#include "outlook/Attachments.h"
#include "outlook/WrapperCall.h"

namespace Outlook {

using namespace kelvra::outlook;

#define KELVRA_DEFINE_TEXT_GET(Name) \
  _bstr_t _ContactItem::Get##Name() { return GetText(this, &_ContactItem::get_##Name); }
#define KELVRA_DEFINE_TEXT_PROPERTY(Name) \
  KELVRA_DEFINE_TEXT_GET(Name)            \
  void _ContactItem::Put##Name(_bstr_t value) { Call(this, &_ContactItem::put_##Name, value); }
#define KELVRA_DEFINE_DATE_PROPERTY(Name)                                              \
  DATE _ContactItem::Get##Name() { return GetValue(this, &_ContactItem::get_##Name); } \
  void _ContactItem::Put##Name(DATE value) { Call(this, &_ContactItem::put_##Name, value); }

KELVRA_OUTLOOK_CONTACT_TEXT_PROPERTIES(KELVRA_DEFINE_TEXT_PROPERTY)
KELVRA_OUTLOOK_CONTACT_ENTRYID_PROPERTIES(KELVRA_DEFINE_TEXT_GET)
KELVRA_DEFINE_TEXT_GET(EntryID)
KELVRA_DEFINE_TEXT_GET(MessageClass)
KELVRA_OUTLOOK_CONTACT_DATE_PROPERTIES(KELVRA_DEFINE_DATE_PROPERTY)

DATE _ContactItem::GetLastModificationTime() {
  return GetValue(this, &_ContactItem::get_LastModificationTime);
}

OlSensitivity _ContactItem::GetSensitivity() {
  return GetValue(this, &_ContactItem::get_Sensitivity);
}

void _ContactItem::PutSensitivity(OlSensitivity value) {
  Call(this, &_ContactItem::put_Sensitivity, value);
}

VARIANT_BOOL _ContactItem::GetHasPicture() { return GetValue(this, &_ContactItem::get_HasPicture); }

void _ContactItem::AddPicture(_bstr_t path) { Call(this, &_ContactItem::raw_AddPicture, path); }

VARIANT_BOOL _ContactItem::GetSaved() { return GetValue(this, &_ContactItem::get_Saved); }

void _ContactItem::Save() { Call(this, &_ContactItem::raw_Save); }

void _ContactItem::Delete() { Call(this, &_ContactItem::raw_Delete); }

OlObjectClass _ContactItem::GetClass() { return GetValue(this, &_ContactItem::get_Class); }

AttachmentsPtr _ContactItem::GetAttachments() {
  return GetObject<AttachmentsPtr>(this, &_ContactItem::get_Attachments);
}

}  // namespace Outlook
