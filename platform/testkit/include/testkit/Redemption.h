// Controls over the creatable classes of the stand-in (Redemption's objects).
#pragma once

#include <string>

#include "win32/base.h"

namespace testkit {

// Makes the class with that ProgID (any case) uncreatable. CO_E_CLASSSTRING makes
// CLSIDFromProgID fail as for an unknown ProgID; any other failure makes
// CoCreateInstance of its class id fail with that HRESULT.
void FailCreate(const std::string& progId, HRESULT failure);
void ClearCreateFailures();

}  // namespace testkit
