// Ways a test makes the next contents tables misbehave: a column handed out under a
// wrong tag, or a row count that differs from the rows the table gives.
#pragma once

#include <mutex>

#include "win32/base.h"

namespace kelvra::mapi {

class TableQuirks {
 public:
  struct Settings {
    int column = -1;  // the column (0-based) whose tag is replaced, -1 for none
    ULONG tag = 0;
    int rowCountSkew = 0;  // added to the true row count
  };

  static Settings Get();
  static void Set(const Settings& settings);
  static void Clear() { Set(Settings{}); }
};

}  // namespace kelvra::mapi
