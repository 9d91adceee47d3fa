// The explorer windows that are open, in the order they were opened.
//
// The collection raises ExplorersEvents (outlook/Events.h) through
// IConnectionPointContainer.
#pragma once

#include "outlook/ExplorerDeclarations.h"

namespace Outlook {

struct _Explorers : IDispatch {
  long GetCount();
  // 1-based; out of range fails with E_INVALIDARG.
  _ExplorerPtr Item(const _variant_t& index);

  virtual HRESULT STDMETHODCALLTYPE get_Count(long* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_Item(VARIANT index, _Explorer** explorer) = 0;
};

}  // namespace Outlook
