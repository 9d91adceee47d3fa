// The ATL subset of the stand-in: smart pointers and value owners, the module, event
// sinks and advise helpers.
#pragma once

#include "atl/AtlModule.h"
#include "atl/ComBSTR.h"
#include "atl/ComPtr.h"
#include "atl/ComVariant.h"
#include "atl/DispEvent.h"

#ifndef _ATL_NO_AUTOMATIC_NAMESPACE
using namespace ATL;
#endif
