// A call into Outlook's object model whose failure names the call: "Outlook call
// Namespace.GetDefaultFolder(olFolderInbox) failed: 0x8004010F".
#pragma once

#include <stdexcept>
#include <string>

#include "AddInModule.h"
#include "com/comdef.h"

namespace host {

// Runs call() and returns its result; a _com_error becomes std::runtime_error naming it.
template <typename Call>
auto OutlookCall(const std::string& name, Call call) -> decltype(call()) {
  try {
    return call();
  } catch (const _com_error& e) {
    throw std::runtime_error("Outlook call " + name + " failed: " + HresultText(e.Error()));
  }
}

}  // namespace host
