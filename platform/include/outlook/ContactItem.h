// An Outlook contact ("IPM.Contact", Class olContact).
#pragma once

#include "outlook/Declarations.h"
#include "outlook/Enums.h"
#include "outlook/OlObjectClass.h"

// The contact's text properties that can be read and written, by object-model name.
// Categories holds names joined by the list separator; FullName reads the name parts
// composed ("Title FirstName MiddleName LastName Suffix", blanks between the non-empty
// ones) once a name part is set.
#define KELVRA_OUTLOOK_CONTACT_TEXT_PROPERTIES(X) \
  X(FirstName)                                    \
  X(MiddleName)                                   \
  X(LastName)                                     \
  X(Title)                                        \
  X(Suffix)                                       \
  X(FullName)                                     \
  X(FileAs)                                       \
  X(NickName)                                     \
  X(CompanyName)                                  \
  X(Department)                                   \
  X(JobTitle)                                     \
  X(Profession)                                   \
  X(Body)                                         \
  X(ManagerName)                                  \
  X(AssistantName)                                \
  X(Spouse)                                       \
  X(NetMeetingServer)                             \
  X(NetMeetingAlias)                              \
  X(InternetFreeBusyAddress)                      \
  X(PersonalHomePage)                             \
  X(BusinessHomePage)                             \
  X(IMAddress)                                    \
  X(Categories)                                   \
  X(BusinessTelephoneNumber)                      \
  X(Business2TelephoneNumber)                     \
  X(BusinessFaxNumber)                            \
  X(HomeTelephoneNumber)                          \
  X(Home2TelephoneNumber)                         \
  X(HomeFaxNumber)                                \
  X(MobileTelephoneNumber)                        \
  X(CarTelephoneNumber)                           \
  X(OtherTelephoneNumber)                         \
  X(OtherFaxNumber)                               \
  X(PagerNumber)                                  \
  X(ISDNNumber)                                   \
  X(PrimaryTelephoneNumber)                       \
  X(CompanyMainTelephoneNumber)                   \
  X(OfficeLocation)                               \
  X(BusinessAddressPostOfficeBox)                 \
  X(BusinessAddressStreet)                        \
  X(BusinessAddressCity)                          \
  X(BusinessAddressState)                         \
  X(BusinessAddressPostalCode)                    \
  X(BusinessAddressCountry)                       \
  X(HomeAddressPostOfficeBox)                     \
  X(HomeAddressStreet)                            \
  X(HomeAddressCity)                              \
  X(HomeAddressState)                             \
  X(HomeAddressPostalCode)                        \
  X(HomeAddressCountry)                           \
  X(OtherAddressPostOfficeBox)                    \
  X(OtherAddressStreet)                           \
  X(OtherAddressCity)                             \
  X(OtherAddressState)                            \
  X(OtherAddressPostalCode)                       \
  X(OtherAddressCountry)                          \
  X(Email1Address)                                \
  X(Email2Address)                                \
  X(Email3Address)                                \
  X(Email1AddressType)                            \
  X(Email2AddressType)                            \
  X(Email3AddressType)

// The e-mail addresses' address-book entry ids (read only): hex text, empty when the
// address has none.
#define KELVRA_OUTLOOK_CONTACT_ENTRYID_PROPERTIES(X) \
  X(Email1EntryID)                                   \
  X(Email2EntryID)                                   \
  X(Email3EntryID)

// Local OLE dates; 949998.0 (4501-01-01) stands for "none".
#define KELVRA_OUTLOOK_CONTACT_DATE_PROPERTIES(X) \
  X(Birthday)                                     \
  X(Anniversary)

#define KELVRA_OUTLOOK_DECLARE_TEXT_PROPERTY(Name)               \
  _bstr_t Get##Name();                                           \
  void Put##Name(_bstr_t value);                                 \
  virtual HRESULT STDMETHODCALLTYPE get_##Name(BSTR* value) = 0; \
  virtual HRESULT STDMETHODCALLTYPE put_##Name(BSTR value) = 0;

#define KELVRA_OUTLOOK_DECLARE_READONLY_TEXT_PROPERTY(Name) \
  _bstr_t Get##Name();                                      \
  virtual HRESULT STDMETHODCALLTYPE get_##Name(BSTR* value) = 0;

#define KELVRA_OUTLOOK_DECLARE_DATE_PROPERTY(Name)               \
  DATE Get##Name();                                              \
  void Put##Name(DATE value);                                    \
  virtual HRESULT STDMETHODCALLTYPE get_##Name(DATE* value) = 0; \
  virtual HRESULT STDMETHODCALLTYPE put_##Name(DATE value) = 0;

namespace Outlook {

// Each property has a raw accessor returning the HRESULT (implemented by the store
// and by test fakes) and a wrapper that raises _com_error when it fails. A put or a
// picture added leaves the contact unsaved until Save.
struct _ContactItem : IDispatch {
  KELVRA_OUTLOOK_CONTACT_TEXT_PROPERTIES(KELVRA_OUTLOOK_DECLARE_TEXT_PROPERTY)
  KELVRA_OUTLOOK_CONTACT_ENTRYID_PROPERTIES(KELVRA_OUTLOOK_DECLARE_READONLY_TEXT_PROPERTY)
  KELVRA_OUTLOOK_CONTACT_DATE_PROPERTIES(KELVRA_OUTLOOK_DECLARE_DATE_PROPERTY)

  // Hex text; empty until the first save.
  _bstr_t GetEntryID();
  // "IPM.Contact".
  _bstr_t GetMessageClass();
  // Local time of the last save.
  DATE GetLastModificationTime();
  OlSensitivity GetSensitivity();
  void PutSensitivity(OlSensitivity value);
  VARIANT_BOOL GetHasPicture();
  // Reads the picture file (Windows path) at once; a missing file fails.
  void AddPicture(_bstr_t path);
  VARIANT_BOOL GetSaved();
  // Saves into the contact's folder; the first save gives it its EntryID.
  void Save();
  // Moves the contact to Deleted Items (same EntryID); deleted there, it is gone.
  void Delete();
  // olContact.
  OlObjectClass GetClass();
  AttachmentsPtr GetAttachments();

  virtual HRESULT STDMETHODCALLTYPE get_EntryID(BSTR* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_MessageClass(BSTR* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_LastModificationTime(DATE* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Sensitivity(OlSensitivity* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Sensitivity(OlSensitivity value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_HasPicture(VARIANT_BOOL* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_AddPicture(BSTR path) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Saved(VARIANT_BOOL* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_Save() = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_Delete() = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Class(OlObjectClass* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Attachments(Attachments** value) = 0;
};

}  // namespace Outlook

#undef KELVRA_OUTLOOK_DECLARE_TEXT_PROPERTY
#undef KELVRA_OUTLOOK_DECLARE_READONLY_TEXT_PROPERTY
#undef KELVRA_OUTLOOK_DECLARE_DATE_PROPERTY
