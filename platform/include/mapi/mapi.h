// The MAPI the item-share library uses: data, objects and memory.
#pragma once

#include "mapi/mapidefs.h"
#include "mapi/mapix.h"
