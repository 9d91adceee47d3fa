// Reads the fields of one base-file line after its prefix. Every field but the last
// ends at the next ","; the last one runs to the end of the line and may hold commas.
// Every field must be non-empty.
#pragma once

#include <string_view>

#include "win32/base.h"

class BaseLineReader {
 public:
  explicit BaseLineReader(std::string_view fields) : rest_(fields) {}

  // Unsigned decimal digits; a value that overflows, or the largest one, is refused so
  // that a folder number never wraps around.
  bool Number(unsigned& value);
  bool Time(FILETIME& time);
  bool Change(int& type);
  bool Field(std::string_view& field);
  // Fields that may be empty (a ',' right away) are read with this one.
  bool OptionalField(std::string_view& field);
  bool Last(std::string_view& field);
  // The last field when it may be empty.
  bool Rest(std::string_view& field);

 private:
  std::string_view rest_;
  bool ended_ = false;
};

// The largest folder number; it never appears in a base.
inline constexpr unsigned kFolderNumberLimit = 0xFFFFFFFFu;
