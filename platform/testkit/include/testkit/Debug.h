// What the system wrote with OutputDebugStringA, one entry per call, oldest first.
#pragma once

#include <string>
#include <vector>

namespace testkit {

std::vector<std::string> DebugOutput();
void ClearDebugOutput();

}  // namespace testkit
