// Redemption's MAPI helpers ("Redemption.MapiUtils").
#pragma once

#include "redemption/Declarations.h"

namespace Redemption {

// Each method has a raw form returning the HRESULT (implemented by the store and by
// test fakes) and a wrapper that raises _com_error when it fails (HrSetOneProp's
// wrapper returns the HRESULT instead, as the helper's own result). The item is an
// Outlook item of the current mailbox; another object fails with E_INVALIDARG.
struct IMAPIUtils : IDispatch {
  // The address-book entry with that entry id (hex text, as a contact's EmailNEntryID
  // gives it); an unknown or malformed id fails with MAPI_E_NOT_FOUND (0x8004010F).
  IAddressEntryPtr GetAddressEntryFromID(const _variant_t& entryId);

  // The tag of the named property (property-set GUID as "{...}" text, numeric id) of
  // the item's mailbox: the property's number in the high word (0x8000 or above) and
  // type bits 0, so that the caller adds the type it reads or writes. An unknown name
  // gives 0 unless create is true, which assigns it a number.
  long GetIDsFromNames(IUnknown* item, const _bstr_t& guid, const _variant_t& id,
                       VARIANT_BOOL create);
  // One property of the item by tag: PT_BINARY as a VT_ARRAY | VT_VARIANT of VT_UI1
  // elements (lower bound 0), PT_STRING8 as VT_BSTR, PT_SYSTIME as VT_DATE (UTC),
  // PT_LONG as VT_I4; VT_EMPTY when the item does not have it.
  _variant_t HrGetOneProp(IUnknown* item, long tag);
  // Writes one property of the item by tag without saving it (the item becomes
  // unsaved): PT_BINARY from an array of VARIANT elements each holding a byte,
  // PT_STRING8 from VT_BSTR, PT_SYSTIME from VT_DATE (UTC). Another value type, or a
  // value that does not suit the tag's type, fails with DISP_E_TYPEMISMATCH. A true
  // save flag saves the item as well.
  HRESULT HrSetOneProp(IUnknown* item, long tag, const _variant_t& value, VARIANT_BOOL save);
  // The bytes of a binary value (as HrGetOneProp hands it out, or a plain VT_UI1
  // array) as upper-case hex text, two digits a byte; another value fails with
  // DISP_E_TYPEMISMATCH.
  _bstr_t HrArrayToString(const _variant_t& array);
  // Hex text (either case) as the byte array HrGetOneProp hands out (VT_ARRAY |
  // VT_VARIANT of VT_UI1 elements), ready for HrSetOneProp; text of odd length or
  // with a character that is not a hex digit fails with E_INVALIDARG.
  _variant_t HrStringToArray(const _bstr_t& text);

  virtual HRESULT STDMETHODCALLTYPE raw_GetAddressEntryFromID(VARIANT entryId,
                                                              IAddressEntry** entry) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_GetIDsFromNames(IUnknown* item, BSTR guid, VARIANT id,
                                                        VARIANT_BOOL create, long* tag) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_HrGetOneProp(IUnknown* item, long tag, VARIANT* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_HrSetOneProp(IUnknown* item, long tag, VARIANT value,
                                                     VARIANT_BOOL save) = 0;
  // Not pure, so that a fake of the property helpers need not implement them.
  virtual HRESULT STDMETHODCALLTYPE raw_HrArrayToString(VARIANT array, BSTR* text) {
    (void)array;
    *text = nullptr;
    return E_NOTIMPL;
  }
  virtual HRESULT STDMETHODCALLTYPE raw_HrStringToArray(BSTR text, VARIANT* array) {
    (void)text;
    VariantInit(array);
    return E_NOTIMPL;
  }
};

}  // namespace Redemption
