// One log line for a COM error caught where it must not go further (an event handler of
// Office or Outlook, a constructor): kind Err, the error's HRESULT as the code.
#pragma once

#include "com/comdef.h"

// "_com_error(<message>)" with the message in the ANSI code page.
void LogComError(const char* function, const _com_error& error);
