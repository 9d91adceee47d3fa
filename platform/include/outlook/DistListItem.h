// An Outlook distribution list ("IPM.DistList", Class olDistributionList). It lives in
// contacts folders but is no contact: asking it for _ContactItem fails.
#pragma once

#include "outlook/Declarations.h"
#include "outlook/OlObjectClass.h"

namespace Outlook {

// Each property has a raw accessor returning the HRESULT (implemented by the store
// and by test fakes) and a wrapper that raises _com_error when it fails.
struct _DistListItem : IDispatch {
  _bstr_t GetDLName();
  OlObjectClass GetClass();
  _bstr_t GetMessageClass();

  virtual HRESULT STDMETHODCALLTYPE get_DLName(BSTR* name) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Class(OlObjectClass* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_MessageClass(BSTR* value) = 0;
};

}  // namespace Outlook
