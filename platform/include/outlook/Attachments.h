// The attachments of an item.
#pragma once

#include "outlook/Declarations.h"

namespace Outlook {

// Each property has a raw accessor returning the HRESULT (implemented by the store
// and by test fakes) and a wrapper that raises _com_error when it fails.
struct Attachments : IDispatch {
  long GetCount();
  // 1-based; out of range fails with E_INVALIDARG.
  AttachmentPtr Item(const _variant_t& index);

  virtual HRESULT STDMETHODCALLTYPE get_Count(long* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_Item(VARIANT index, Attachment** attachment) = 0;
};

}  // namespace Outlook
