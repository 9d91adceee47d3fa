// Planned failures of the stand-in's COM members, keyed by "Interface.Member"
// ("ContactItem.FirstName", "SafeContactItem.Body", "Folder.Items"). Every raw
// accessor of a stand-in object asks Hit first and returns the HRESULT it is
// given.
#pragma once

#include <string>

#include "win32/base.h"

namespace kelvra::store {

class FaultPlan {
 public:
  // True when this call of `member` is planned to fail; *hr then holds the
  // failure. Throws std::bad_alloc for a call planned to run out of memory.
  static bool Hit(const char* member, HRESULT* hr);
  // Fails the nth call (1-based) of `member` counted from now, or every call
  // from now for nth 0. Several failures can be planned for one member.
  static void Fail(const std::string& member, int nth, HRESULT hr);
  // The same, but the call runs out of memory: it throws std::bad_alloc.
  static void ExhaustMemory(const std::string& member, int nth);
  static void Clear();
};

}  // namespace kelvra::store
