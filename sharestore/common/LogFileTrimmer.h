// Keeps a log file below its limit: a file that has grown past it is cut to its tail,
// about half the limit, starting at a line boundary.
#pragma once

#include "win32/base.h"

class LogFileTrimmer {
 public:
  // The kept tail is written to "<path>1" and replaces the file in one step, so the log
  // is never missing, whatever happens to the process meanwhile.
  static void Trim(const char* path, DWORD limit);
};
