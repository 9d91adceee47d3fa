// ATL's COM object classes: object root, interface map, creatable objects, dual
// interfaces over a type-library description.
#pragma once

#include "atl/ComObjectRoot.h"
#include "atl/DispatchImpl.h"
#include "atl/atlbase.h"
