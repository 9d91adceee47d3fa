// The edge of a share-store library: the operations of its index object and its exported
// functions. No exception crosses it: the one in flight is logged under the operation's
// tag and becomes a negative code the caller understands, E_OUTOFMEMORY for an allocation
// failure and E_FAIL for anything else.
#pragma once

#include <new>

#include "win32/base.h"

// Logs the failure (when the log can still write) and gives its code.
HRESULT LogEscapedFailure(const char* tag, HRESULT code, const char* text) noexcept;

// The body's code, or what its exception stands for.
template <class Body>
int Guarded(const char* tag, Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return LogEscapedFailure(tag, E_OUTOFMEMORY, "out of memory");
  } catch (...) {
    return LogEscapedFailure(tag, E_FAIL, "CATCHED EXCEPTION!");
  }
}

// For operations without a result: the exception is only logged.
template <class Body>
void GuardedVoid(const char* tag, Body&& body) noexcept {
  Guarded(tag, [&body] {
    body();
    return 0;
  });
}
