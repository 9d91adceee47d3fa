// One run of kelvra-host: sets the stand-in up from the options, does the action and
// keeps what must outlast the run (registry, and the mailbox with --save).
#pragma once

#include "HostOptions.h"

namespace host {

// linuxRuntimeFolder: where libKelvra.so sits. Throws UsageError for action arguments
// the action does not take.
ExitStatus RunHost(const HostOptions& options, const std::string& linuxRuntimeFolder);

}  // namespace host
