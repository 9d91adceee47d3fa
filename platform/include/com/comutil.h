// Compiler COM support: the value types.
#pragma once

#include "com/bstr_t.h"
#include "com/com_error.h"
#include "com/variant_t.h"
