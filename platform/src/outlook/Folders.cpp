#include "outlook/Folders.h"

#include "outlook/MAPIFolder.h"
#include "outlook/WrapperCall.h"

namespace Outlook {

using namespace kelvra::outlook;

long _Folders::GetCount() { return GetValue(this, &_Folders::get_Count); }

MAPIFolderPtr _Folders::Item(const _variant_t& index) {
  return FetchObject<MAPIFolderPtr>(this,
                                    [&](MAPIFolder** folder) { return raw_Item(index, folder); });
}

}  // namespace Outlook
