#include "sharestore/common/LibraryBoundary.h"

#include "sharestore/common/CLog.h"

HRESULT LogEscapedFailure(const char* tag, HRESULT code, const char* text) noexcept {
  try {
    g_Log.LogError(tag, code, "%s", text);
  } catch (...) {
    // No memory left even for the line: the code still goes back.
  }
  return code;
}
