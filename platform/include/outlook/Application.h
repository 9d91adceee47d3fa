// Outlook's application object.
#pragma once

#include "outlook/Declarations.h"
#include "outlook/Enums.h"
#include "outlook/ExplorerDeclarations.h"

namespace Outlook {

// Each property has a raw accessor returning the HRESULT (implemented by the store
// and by test fakes) and a wrapper that raises _com_error when it fails. The
// application raises ApplicationEvents (outlook/Events.h) through
// IConnectionPointContainer.
struct _Application : IDispatch {
  // e.g. "14.0.0.4760".
  _bstr_t GetVersion();
  _NameSpacePtr GetSession();
  // Only "MAPI" names a namespace (any case); other names fail with E_INVALIDARG.
  _NameSpacePtr GetNamespace(_bstr_t type);
  // A new, unsaved item; Save puts it into the default folder of its kind.
  IDispatchPtr CreateItem(OlItemType type);
  // The open explorer windows.
  _ExplorersPtr GetExplorers();
  // The explorer window in front, or NULL when none is open.
  _ExplorerPtr ActiveExplorer();

  virtual HRESULT STDMETHODCALLTYPE get_Version(BSTR* version) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Session(_NameSpace** session) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_GetNamespace(BSTR type, _NameSpace** session) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_CreateItem(OlItemType type, IDispatch** item) = 0;
  // Fakes that play no windows need not give these: they answer E_NOTIMPL.
  virtual HRESULT STDMETHODCALLTYPE get_Explorers(_Explorers** explorers);
  virtual HRESULT STDMETHODCALLTYPE raw_ActiveExplorer(_Explorer** explorer);
};

}  // namespace Outlook
