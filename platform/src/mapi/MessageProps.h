// A stored item's MAPI properties as the MAPI stand-in hands them out: its entry id,
// its message class (in the ANSI code page) and its last modification time (UTC).
#pragma once

#include <string>

#include "mapi/mapidefs.h"
#include "store/Nodes.h"

namespace kelvra::mapi {

class MessageProps {
 public:
  // Fills `value` with the item's property `tag`; text and bytes are allocated more to
  // `buffer`. S_OK; MAPI_W_ERRORS_RETURNED with a PT_ERROR value (MAPI_E_NOT_FOUND)
  // when the item lacks the property; the allocation's failure otherwise.
  static HRESULT Fill(const store::Item& item, ULONG tag, void* buffer, SPropValue& value);
  // The message class as PR_MESSAGE_CLASS gives it.
  static std::string ClassText(const store::Item& item);
};

}  // namespace kelvra::mapi
