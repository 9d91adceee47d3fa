// One attachment of an item.
#pragma once

#include "outlook/Declarations.h"
#include "outlook/Enums.h"

namespace Outlook {

// Each property has a raw accessor returning the HRESULT (implemented by the store
// and by test fakes) and a wrapper that raises _com_error when it fails.
struct Attachment : IDispatch {
  OlAttachmentType GetType();
  _bstr_t GetFileName();
  // Writes the attachment's bytes to that file (Windows path), replacing it.
  void SaveAsFile(_bstr_t path);

  virtual HRESULT STDMETHODCALLTYPE get_Type(OlAttachmentType* type) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_FileName(BSTR* name) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SaveAsFile(BSTR path) = 0;
};

}  // namespace Outlook
