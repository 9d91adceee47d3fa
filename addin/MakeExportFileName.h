// Turns a text (a contact's or event's name) into something safe as a file name.
#pragma once

#include <string>

// Characters that a file name cannot hold become "_", trailing white space goes, and
// a device name ("con", "nul", "prn", "aux", "com1".."com9", "lpt1".."lpt9") standing
// alone or before "." loses its last letter to "_". Uniqueness is the caller's affair.
std::string MakeExportFileName(const char* text);
