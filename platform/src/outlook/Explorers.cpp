#include "outlook/Explorers.h"

#include "outlook/Explorer.h"
#include "outlook/WrapperCall.h"

namespace Outlook {

using namespace kelvra::outlook;

long _Explorers::GetCount() { return GetValue(this, &_Explorers::get_Count); }

_ExplorerPtr _Explorers::Item(const _variant_t& index) {
  return FetchObject<_ExplorerPtr>(this,
                                   [&](_Explorer** explorer) { return raw_Item(index, explorer); });
}

}  // namespace Outlook
