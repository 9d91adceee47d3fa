// Owners of what MAPI hands out: buffers freed with MAPIFreeBuffer, row sets freed
// with FreeProws. (Objects are held in CComPtr.)
#pragma once

#include "mapi/mapix.h"
#include "win32/owners.h"

template <class T>
using MapiBuffer = UniqueAny<HandlePolicy<T*, &MAPIFreeBuffer>>;
using MapiRows = UniqueAny<HandlePolicy<SRowSet*, &FreeProws>>;
