#include "outlook/Application.h"

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

}  // namespace Outlook
