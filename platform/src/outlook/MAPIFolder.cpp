#include "outlook/MAPIFolder.h"

#include "outlook/WrapperCall.h"

namespace Outlook {

_bstr_t MAPIFolder::GetName() { return kelvra::outlook::GetText(this, &MAPIFolder::get_Name); }

IDispatchPtr MAPIFolder::GetParent() {
  return kelvra::outlook::GetObject<IDispatchPtr>(this, &MAPIFolder::get_Parent);
}

OlObjectClass MAPIFolder::GetClass() {
  return kelvra::outlook::GetValue(this, &MAPIFolder::get_Class);
}

}  // namespace Outlook
