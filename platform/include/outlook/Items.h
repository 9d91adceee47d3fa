// The items of a folder.
#pragma once

#include "outlook/Declarations.h"

namespace Outlook {

// Each property has a raw accessor returning the HRESULT (implemented by the store
// and by test fakes) and a wrapper that raises _com_error when it fails.
struct _Items : IDispatch {
  long GetCount();
  // 1-based, in the folder's insertion order; out of range fails with E_INVALIDARG.
  IDispatchPtr Item(const _variant_t& index);
  // A new unsaved item of that OlItemType (the folder's default type when the
  // argument is missing): empty EntryID, in the collection only once saved.
  IDispatchPtr Add(const _variant_t& type);
  // The items that match the filter ("[Prop] = \"value\"" conditions joined by " AND ",
  // see the store's ItemFilter), as they are now: later saves do not join them. A
  // filter that cannot be parsed fails with E_INVALIDARG.
  _ItemsPtr Restrict(_bstr_t filter);

  virtual HRESULT STDMETHODCALLTYPE get_Count(long* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_Item(VARIANT index, IDispatch** item) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_Add(VARIANT type, IDispatch** item) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_Restrict(BSTR filter, _Items** items) = 0;
};

}  // namespace Outlook
