#include "outlook/Explorer.h"

#include "office/CommandBars.h"
#include "outlook/MAPIFolder.h"
#include "outlook/WrapperCall.h"

namespace Outlook {

using namespace kelvra::outlook;

long Selection::GetCount() { return GetValue(this, &Selection::get_Count); }

IDispatchPtr Selection::Item(const _variant_t& index) {
  return FetchObject<IDispatchPtr>(this, [&](IDispatch** item) { return raw_Item(index, item); });
}

MAPIFolderPtr _Explorer::GetCurrentFolder() {
  return GetObject<MAPIFolderPtr>(this, &_Explorer::get_CurrentFolder);
}

void _Explorer::PutRefCurrentFolder(MAPIFolder* folder) {
  Call(this, &_Explorer::putref_CurrentFolder, folder);
}

SelectionPtr _Explorer::GetSelection() {
  return GetObject<SelectionPtr>(this, &_Explorer::get_Selection);
}

void _Explorer::Activate() { Call(this, &_Explorer::raw_Activate); }

_bstr_t _Explorer::GetCaption() { return GetText(this, &_Explorer::get_Caption); }

Office::_CommandBarsPtr _Explorer::GetCommandBars() {
  return GetObject<Office::_CommandBarsPtr>(this, &_Explorer::get_CommandBars);
}

}  // namespace Outlook
