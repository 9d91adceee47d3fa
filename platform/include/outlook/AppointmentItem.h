// An Outlook appointment ("IPM.Appointment", Class olAppointment), with the
// interfaces that hang off it: its recurrence pattern, the pattern's exceptions and
// the recipients of a meeting.
#pragma once

#include "outlook/Declarations.h"
#include "outlook/Enums.h"
#include "outlook/OlObjectClass.h"

namespace Outlook {

KELVRA_INTERFACE_IID(_AppointmentItem, 0x00063033, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x00, 0x46)
_COM_SMARTPTR_TYPEDEF(_AppointmentItem, __uuidof(_AppointmentItem));

KELVRA_INTERFACE_IID(RecurrencePattern, 0x00063044, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x00, 0x46)
_COM_SMARTPTR_TYPEDEF(RecurrencePattern, __uuidof(RecurrencePattern));

KELVRA_INTERFACE_IID(Exceptions, 0x0006304C, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x46)
_COM_SMARTPTR_TYPEDEF(Exceptions, __uuidof(Exceptions));

KELVRA_INTERFACE_IID(Exception, 0x0006304D, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x46)
_COM_SMARTPTR_TYPEDEF(Exception, __uuidof(Exception));

KELVRA_INTERFACE_IID(Recipients, 0x0006303B, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x46)
_COM_SMARTPTR_TYPEDEF(Recipients, __uuidof(Recipients));

KELVRA_INTERFACE_IID(Recipient, 0x00063045, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x46)
_COM_SMARTPTR_TYPEDEF(Recipient, __uuidof(Recipient));

}  // namespace Outlook

// The appointment's text properties. Categories holds names joined by the list
// separator.
#define KELVRA_OUTLOOK_APPOINTMENT_TEXT_PROPERTIES(X) \
  X(Subject)                                          \
  X(Location)                                         \
  X(Body)                                             \
  X(Categories)                                       \
  X(Resources)

// Properties read and written as values: (type, name).
#define KELVRA_OUTLOOK_APPOINTMENT_VALUE_PROPERTIES(X) \
  X(VARIANT_BOOL, AllDayEvent)                         \
  X(::Outlook::OlBusyStatus, BusyStatus)               \
  X(::Outlook::OlImportance, Importance)               \
  X(::Outlook::OlSensitivity, Sensitivity)             \
  X(VARIANT_BOOL, ReminderSet)                         \
  X(long, ReminderMinutesBeforeStart)                  \
  X(::Outlook::OlMeetingStatus, MeetingStatus)

#define KELVRA_OUTLOOK_DECLARE_APPOINTMENT_TEXT(Name)            \
  _bstr_t Get##Name();                                           \
  void Put##Name(_bstr_t value);                                 \
  virtual HRESULT STDMETHODCALLTYPE get_##Name(BSTR* value) = 0; \
  virtual HRESULT STDMETHODCALLTYPE put_##Name(BSTR value) = 0;

#define KELVRA_OUTLOOK_DECLARE_APPOINTMENT_VALUE(Type, Name)     \
  Type Get##Name();                                              \
  void Put##Name(Type value);                                    \
  virtual HRESULT STDMETHODCALLTYPE get_##Name(Type* value) = 0; \
  virtual HRESULT STDMETHODCALLTYPE put_##Name(Type value) = 0;

namespace Outlook {

// Each property has a raw accessor returning the HRESULT (implemented by the store
// and by test fakes) and a wrapper that raises _com_error when it fails. A put leaves
// the appointment unsaved until Save. testkit::FailCall names the members
// "AppointmentItem.<property or method>" (a property's get and put share the name).
//
// Start and End are the system zone's local views of the item's UTC times (the MAPI
// named properties that MAPIUtils reads and writes), so a zone change written
// through MAPIUtils shows here at once. A new appointment lasts 30 minutes, is
// busy, of normal importance and sensitivity, no meeting and has no reminder.
//
// The same interface serves an occurrence of a series (RecurrencePattern.
// GetOccurrence) and the changed occurrence of an exception (Exception.
// AppointmentItem): their properties are the occurrence's own where it changed them
// and the series' otherwise; an exception's item is read only (puts fail with
// E_ACCESSDENIED).
struct _AppointmentItem : IDispatch {
  // Setting Start keeps the duration.
  DATE GetStart();
  void PutStart(DATE value);
  // Setting End changes the duration; an End before Start fails with E_INVALIDARG.
  DATE GetEnd();
  void PutEnd(DATE value);
  // Minutes; setting it moves End. A negative duration fails with E_INVALIDARG.
  long GetDuration();
  void PutDuration(long minutes);
  KELVRA_OUTLOOK_APPOINTMENT_TEXT_PROPERTIES(KELVRA_OUTLOOK_DECLARE_APPOINTMENT_TEXT)
  KELVRA_OUTLOOK_APPOINTMENT_VALUE_PROPERTIES(KELVRA_OUTLOOK_DECLARE_APPOINTMENT_VALUE)
  // True for a series (the master) and for an occurrence of one.
  VARIANT_BOOL GetIsRecurring();
  // The meeting's recipients in the order added.
  RecipientsPtr GetRecipients();
  // The series' pattern; on a single appointment it makes it a weekly series on
  // the start's weekday (see RecurrencePattern). An occurrence answers its series'
  // pattern.
  RecurrencePatternPtr GetRecurrencePattern();
  // Hex text; empty until the first save. An occurrence has its series' EntryID.
  _bstr_t GetEntryID();
  VARIANT_BOOL GetSaved();
  // Saves into the appointment's folder; the first save gives it its EntryID. An
  // occurrence's save records it as an exception of its series (and saves that).
  void Save();
  // Moves the appointment (a series with its pattern) to Deleted Items (same
  // EntryID); deleted there, it is gone. An occurrence's delete records it as a
  // deleted exception of its series.
  void Delete();
  // The folder (a MAPIFolder's IDispatch).
  IDispatchPtr GetParent();
  // olAppointment.
  OlObjectClass GetClass();
  // Outlook's categories dialog over the item's Categories, which it sets to the
  // user's choice (Cancel leaves them). testkit::FailCall names it
  // "AppointmentItem.ShowCategoriesDialog".
  void ShowCategoriesDialog();

  virtual HRESULT STDMETHODCALLTYPE get_Start(DATE* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Start(DATE value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_End(DATE* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_End(DATE value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Duration(long* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Duration(long value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_IsRecurring(VARIANT_BOOL* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Recipients(Recipients** value) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_GetRecurrencePattern(RecurrencePattern** value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_EntryID(BSTR* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Saved(VARIANT_BOOL* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_Save() = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_Delete() = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Parent(IDispatch** value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Class(OlObjectClass* value) = 0;
  // Played through get_Categories and put_Categories, so any implementation has it.
  virtual HRESULT STDMETHODCALLTYPE raw_ShowCategoriesDialog();
};

}  // namespace Outlook

#undef KELVRA_OUTLOOK_DECLARE_APPOINTMENT_TEXT
#undef KELVRA_OUTLOOK_DECLARE_APPOINTMENT_VALUE

#include "outlook/Recipients.h"
#include "outlook/RecurrencePattern.h"
