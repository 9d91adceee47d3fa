// An Outlook appointment ("IPM.Appointment", Class olAppointment).
#pragma once

#include "outlook/Declarations.h"
#include "outlook/OlObjectClass.h"

namespace Outlook {

KELVRA_INTERFACE_IID(_AppointmentItem, 0x00063033, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x00, 0x46)
_COM_SMARTPTR_TYPEDEF(_AppointmentItem, __uuidof(_AppointmentItem));

// Each property has a raw accessor returning the HRESULT (implemented by the store
// and by test fakes) and a wrapper that raises _com_error when it fails. A put leaves
// the appointment unsaved until Save. testkit::FailCall names the members
// "AppointmentItem.<property or method>" (a property's get and put share the name).
//
// Start and End are the system zone's local views of the item's UTC times (the MAPI
// named properties that MAPIUtils reads and writes), so a zone change written
// through MAPIUtils shows here at once. A new appointment lasts 30 minutes.
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
  _bstr_t GetSubject();
  void PutSubject(_bstr_t value);
  _bstr_t GetLocation();
  void PutLocation(_bstr_t value);
  _bstr_t GetBody();
  void PutBody(_bstr_t value);
  VARIANT_BOOL GetAllDayEvent();
  void PutAllDayEvent(VARIANT_BOOL value);
  // Hex text; empty until the first save.
  _bstr_t GetEntryID();
  VARIANT_BOOL GetSaved();
  // Saves into the appointment's folder; the first save gives it its EntryID.
  void Save();
  // olAppointment.
  OlObjectClass GetClass();

  virtual HRESULT STDMETHODCALLTYPE get_Start(DATE* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Start(DATE value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_End(DATE* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_End(DATE value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Duration(long* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Duration(long value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Subject(BSTR* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Subject(BSTR value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Location(BSTR* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Location(BSTR value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Body(BSTR* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Body(BSTR value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_AllDayEvent(VARIANT_BOOL* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_AllDayEvent(VARIANT_BOOL value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_EntryID(BSTR* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Saved(VARIANT_BOOL* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_Save() = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Class(OlObjectClass* value) = 0;
};

}  // namespace Outlook
