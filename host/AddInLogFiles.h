// The log files the add-in writes in the user's application data, as the host finds
// them: the whole log, and the error file that holds its warnings and errors.
#pragma once

#include <cstdint>
#include <string>

namespace host {

class AddInLogFiles {
 public:
  // Linux paths; "(no application-data folder)" when there is none.
  static std::string LogPath();
  static std::string ErrorPath();

  // Remembers how much of the error file there is already.
  AddInLogFiles();
  // Prints each warning and error line written since then (or since the last call) as
  // "log: LINE".
  void PrintNewWarnings();

 private:
  static std::string _PathOf(const char* fileName);
  std::uintmax_t printed_ = 0;
};

}  // namespace host
