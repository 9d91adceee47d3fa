// COM of the stand-in: GUIDs, IUnknown and IDispatch, BSTR and VARIANT, the compiler
// COM support (_bstr_t, _variant_t, _com_error, XxxPtr) and the object base ComObject.
#pragma once

#include "com/ComObject.h"
#include "com/bstr.h"
#include "com/bstr_t.h"
#include "com/com_error.h"
#include "com/com_ptr_t.h"
#include "com/comdef.h"
#include "com/comutil.h"
#include "com/dispatch.h"
#include "com/guid.h"
#include "com/hresult.h"
#include "com/unknwn.h"
#include "com/variant.h"
#include "com/variant_t.h"
