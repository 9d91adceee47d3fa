// A zone record as the binary value the MAPI helpers exchange: a one-dimensional array
// with one element per byte.
#pragma once

#include "calendar/TimezoneStruct.h"
#include "com/variant_t.h"

// The record from the first 48 bytes of an array of VARIANT elements (the low byte of
// each integer element) or of VT_UI1 elements, counted from the array's lower bound.
// False for a value that is not such an array, holds fewer than 48 elements, or has an
// element that is not an integer.
bool ZoneFromBlob(const VARIANT& blob, TimezoneStruct* zone);

// The record as 48 VT_UI1 elements of a VT_ARRAY | VT_VARIANT value with lower bound
// 0; VT_EMPTY when the array cannot be made.
_variant_t ZoneToBlob(const TimezoneStruct& zone);
