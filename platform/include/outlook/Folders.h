// The subfolders of a folder, or the top folders of the session's stores.
#pragma once

#include "outlook/Declarations.h"

namespace Outlook {

// Each property has a raw accessor returning the HRESULT (implemented by the store
// and by test fakes) and a wrapper that raises _com_error when it fails.
struct _Folders : IDispatch {
  long GetCount();
  // index: 1-based position, or a folder name (any case). A position out of range or
  // an unknown name fails with E_INVALIDARG.
  MAPIFolderPtr Item(const _variant_t& index);

  virtual HRESULT STDMETHODCALLTYPE get_Count(long* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_Item(VARIANT index, MAPIFolder** folder) = 0;
};

}  // namespace Outlook
