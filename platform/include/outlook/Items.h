// The items of a folder.
#pragma once

#include "outlook/Declarations.h"

namespace Outlook {

// Each property has a raw accessor returning the HRESULT (implemented by the store
// and by test fakes) and a wrapper that raises _com_error when it fails.
struct _Items : IDispatch {
  long GetCount();
  // 1-based, in the collection's order (the folder's insertion order unless sorted);
  // out of range fails with E_INVALIDARG.
  IDispatchPtr Item(const _variant_t& index);
  // A new unsaved item of that OlItemType (the folder's default type when the
  // argument is missing): empty EntryID, in the collection only once saved.
  IDispatchPtr Add(const _variant_t& type);
  // The items that match the filter, as they are now: later saves do not join them.
  // Conditions "[Prop] op 'value'" (op =, >= or <=; the value in apostrophes or
  // double quotes, that quote doubled inside it) joined by " AND " in any case; text
  // properties compare without case, [Start] and [End] take the user's short date, a
  // blank and "h:mm AM", "HH:mm" or "HH:mm PM", compared to the minute (see the
  // store's ItemFilter). The result keeps this collection's order and
  // IncludeRecurrences. In a collection sorted by [Start] with IncludeRecurrences set,
  // a recurring series gives, instead of itself, each of its occurrences that matches
  // (deleted ones left out, moved ones at their new start), as appointments with the
  // series' EntryID; they are made as GetFirst/GetNext reach them, so a walk that
  // stops early costs only what it saw (Count and Item make them all). A filter that
  // cannot be parsed fails with E_INVALIDARG, and so does, in such a collection, one
  // without an upper bound on [Start] when the collection holds a series without an
  // end.
  _ItemsPtr Restrict(_bstr_t filter);
  // Orders the collection (Item, GetFirst/GetNext, what Restrict makes of it) by
  // "[Start]" (any case), ascending unless `descending`; items of equal start keep
  // their order. Any other property fails with E_INVALIDARG. Starts a new walk.
  void Sort(const _bstr_t& property, const _variant_t& descending = _variant_t(false));
  // False until set. It decides what Restrict makes of a series, and only in a
  // collection sorted by [Start]; the collection itself lists each series once.
  VARIANT_BOOL GetIncludeRecurrences();
  void PutIncludeRecurrences(VARIANT_BOOL value);
  // A walk through the collection in its order: the first item, then the next one
  // at each call (the first when no walk was started); NULL past the last.
  IDispatchPtr GetFirst();
  IDispatchPtr GetNext();

  virtual HRESULT STDMETHODCALLTYPE get_Count(long* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_Item(VARIANT index, IDispatch** item) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_Add(VARIANT type, IDispatch** item) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_Restrict(BSTR filter, _Items** items) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_Sort(BSTR property, VARIANT descending) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_IncludeRecurrences(VARIANT_BOOL* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_IncludeRecurrences(VARIANT_BOOL value) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_GetFirst(IDispatch** item) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_GetNext(IDispatch** item) = 0;
};

}  // namespace Outlook
