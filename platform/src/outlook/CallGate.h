// The first step of every raw member of the stand-in objects: a failure planned for
// this call (testkit::FailCall), or DISP_E_MEMBERNOTFOUND for a member that the
// Outlook version played does not have.
#pragma once

#include "win32/base.h"

namespace kelvra::outlook {

class CallGate {
 public:
  // member: "Interface.Member", as the fault plan names it.
  static HRESULT Enter(const char* member);
};

}  // namespace kelvra::outlook
