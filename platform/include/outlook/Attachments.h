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
  // Attaches a copy of the file (a Windows path) at the end; type, position and
  // display name may be left out (VT_ERROR DISP_E_PARAMNOTFOUND). A file that cannot
  // be read fails with its error.
  AttachmentPtr Add(const _variant_t& source, const _variant_t& type, const _variant_t& position,
                    const _variant_t& displayName);

  virtual HRESULT STDMETHODCALLTYPE get_Count(long* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_Item(VARIANT index, Attachment** attachment) = 0;
  // Collections that take no new attachments (an existing item's, as read here)
  // answer E_NOTIMPL.
  virtual HRESULT STDMETHODCALLTYPE raw_Add(VARIANT source, VARIANT type, VARIANT position,
                                            VARIANT displayName, Attachment** attachment);
};

}  // namespace Outlook
