// The usage texts --help prints, made from the command table.
#pragma once

#include <string>

#include "CommandTable.h"

namespace host {

// Every global option, every action with all its options, and the exit statuses.
std::string UsageText();
// One action: how it is called and each of its options.
std::string ActionUsageText(const ActionSpec& action);

}  // namespace host
