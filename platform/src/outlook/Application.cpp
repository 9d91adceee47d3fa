#include "outlook/Application.h"

#include "outlook/WrapperCall.h"

namespace Outlook {

_bstr_t _Application::GetVersion() {
  return kelvra::outlook::GetText(this, &_Application::get_Version);
}

}  // namespace Outlook
