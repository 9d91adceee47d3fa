// Compiler COM support: value types, _com_error and the smart pointers of the base
// interfaces.
#pragma once

#include "com/com_ptr_t.h"
#include "com/comutil.h"
#include "com/dispatch.h"
#include "com/unknwn.h"

_COM_SMARTPTR_TYPEDEF(IUnknown, __uuidof(IUnknown));
_COM_SMARTPTR_TYPEDEF(IDispatch, __uuidof(IDispatch));
