#include "addin/ComBoundary.h"

#include <new>

#include "addin/CLogTimer.h"
#include "addin/LogComError.h"
#include "com/comdef.h"

namespace {

HRESULT Classify(const char* function) {
  try {
    throw;
  } catch (const _com_error& error) {
    LogComError(function, error);
    // A COM error always stands for a failure, whatever code it carries.
    return FAILED(error.Error()) ? error.Error() : E_FAIL;
  } catch (const std::bad_alloc&) {
    g_LogTimer.Err(function, E_OUTOFMEMORY, "out of memory");
    return E_OUTOFMEMORY;
  } catch (...) {
    g_LogTimer.Err(function, 0, "CATCHED EXCEPTION!");
    return E_FAIL;
  }
}

}  // namespace

HRESULT LogCaughtException(const char* function) noexcept {
  try {
    return Classify(function);
  } catch (...) {
    // The log itself failed (no memory left for the line): the code still goes back.
    return E_FAIL;
  }
}
