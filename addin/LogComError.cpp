#include "addin/LogComError.h"

#include "addin/CLogTimer.h"
#include "com/bstr_t.h"

void LogComError(const char* function, const _com_error& error) {
  // _bstr_t gives the message in the ANSI code page.
  g_LogTimer.Err(function, error.Error(), "_com_error(%s)",
                 static_cast<const char*>(_bstr_t(error.ErrorMessage())));
}
