// Redemption's creatable classes, registered by ProgID with class ids of this
// platform's own.
#pragma once

#include "com/ClassRegistry.h"

namespace kelvra::redemption {

void RegisterClasses(com::ClassRegistry& registry);

}  // namespace kelvra::redemption
