#include "outlook/Application.h"

#include "outlook/Explorer.h"
#include "outlook/Explorers.h"
#include "outlook/NameSpace.h"
#include "outlook/WrapperCall.h"

namespace Outlook {

using namespace kelvra::outlook;

_bstr_t _Application::GetVersion() { return GetText(this, &_Application::get_Version); }

_NameSpacePtr _Application::GetSession() {
  return GetObject<_NameSpacePtr>(this, &_Application::get_Session);
}

_NameSpacePtr _Application::GetNamespace(_bstr_t type) {
  return FetchObject<_NameSpacePtr>(
      this, [&](_NameSpace** session) { return raw_GetNamespace(type, session); });
}

IDispatchPtr _Application::CreateItem(OlItemType type) {
  return FetchObject<IDispatchPtr>(this,
                                   [&](IDispatch** item) { return raw_CreateItem(type, item); });
}

_ExplorersPtr _Application::GetExplorers() {
  return GetObject<_ExplorersPtr>(this, &_Application::get_Explorers);
}

_ExplorerPtr _Application::ActiveExplorer() {
  return FetchObject<_ExplorerPtr>(
      this, [&](_Explorer** explorer) { return raw_ActiveExplorer(explorer); });
}

HRESULT STDMETHODCALLTYPE _Application::get_Explorers(_Explorers** explorers) {
  if (explorers != nullptr) *explorers = nullptr;
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE _Application::raw_ActiveExplorer(_Explorer** explorer) {
  if (explorer != nullptr) *explorer = nullptr;
  return E_NOTIMPL;
}

}  // namespace Outlook
