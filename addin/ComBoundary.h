// The edge of the add-in: COM methods, the event handlers Office and Outlook call, the
// window procedures and the module's exported functions. No exception crosses it: the
// one in flight is logged under the function's tag and becomes the HRESULT the caller
// understands.
#pragma once

#include "win32/base.h"

// Call inside a catch block only. Logs the exception in flight and gives its HRESULT: a
// COM error's own, E_OUTOFMEMORY for an allocation failure, E_FAIL for anything else.
HRESULT LogCaughtException(const char* function) noexcept;

// The body's HRESULT, or what its exception stands for.
template <class Body>
HRESULT ComBoundary(const char* function, Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return LogCaughtException(function);
  }
}

// For handlers that have no result to give back: the exception is only logged.
template <class Body>
void EventBoundary(const char* function, Body&& body) noexcept {
  try {
    body();
  } catch (...) {
    LogCaughtException(function);
  }
}
