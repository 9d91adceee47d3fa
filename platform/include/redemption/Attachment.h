// One attachment seen through Redemption, with its MAPI properties.
#pragma once

#include "redemption/Declarations.h"

namespace Redemption {

// Each property has a raw accessor returning the HRESULT (implemented by the store
// and by test fakes) and a wrapper that raises _com_error when it fails.
struct IAttachment : IDispatch {
  // Outlook's OlAttachmentType: 1 by value.
  long GetType();
  _bstr_t GetFileName();
  // Writes the attachment's bytes to that file (Windows path), replacing it.
  void SaveAsFile(_bstr_t path);
  // The MAPI property with that tag (type in the low word), as a VARIANT: PT_BOOLEAN
  // (0x000B) as VT_BOOL, PT_LONG (0x0003) as VT_I4, string types as VT_BSTR,
  // PT_SYSTIME (0x0040) as VT_DATE; VT_EMPTY when the attachment lacks it.
  _variant_t GetFields(long tag);

  virtual HRESULT STDMETHODCALLTYPE get_Type(long* type) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_FileName(BSTR* name) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_SaveAsFile(BSTR path) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Fields(long tag, VARIANT* value) = 0;
};

}  // namespace Redemption
