// Standard output and error of the host: whole lines, never interleaved, from any thread
// (dialogs run on threads of their own).
#pragma once

#include <string>

namespace host {

// Text of one or more whole lines; a missing final line end is added.
void PrintOut(const std::string& text);
// "kelvra-host: " and the message on one line of standard error.
void PrintError(const std::string& message);

}  // namespace host
