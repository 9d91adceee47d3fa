// The physical lines of a text file's content, shared by the vCard and calendar readers.
#pragma once

#include <string_view>

// The line at the cursor up to its line feed, without a carriage return just before the
// feed (a last line without a feed keeps all it has); the cursor moves past the feed.
// The cursor must be before end.
std::string_view TakePhysicalLine(const char*& cursor, const char* end);
