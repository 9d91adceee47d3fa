#include "testkit/Debug.h"

#include "base/DebugOutputLog.h"

namespace testkit {

std::vector<std::string> DebugOutput() { return kelvra::platform::DebugOutputLog::Entries(); }

void ClearDebugOutput() { kelvra::platform::DebugOutputLog::Clear(); }

}  // namespace testkit
