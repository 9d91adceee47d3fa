// Outlook's application object.
#pragma once

#include "outlook/Declarations.h"

namespace Outlook {

// Each property has a raw accessor returning the HRESULT (implemented by the store
// and by test fakes) and a wrapper that raises _com_error when it fails.
struct _Application : IDispatch {
  // e.g. "14.0.0.4760".
  _bstr_t GetVersion();

  virtual HRESULT STDMETHODCALLTYPE get_Version(BSTR* version) = 0;
};

}  // namespace Outlook
