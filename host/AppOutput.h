// The fake Kelvra application inside the host: installed beside the add-in so that the
// add-in can start it, and every command it received printed as "app: TEXT".
#pragma once

#include <cstddef>
#include <string>

namespace host {

class AppOutput {
 public:
  // exePath: the Windows path the add-in starts the application from.
  explicit AppOutput(const std::string& exePath);
  // Prints what is still unprinted and ends the application.
  ~AppOutput();
  AppOutput(const AppOutput&) = delete;
  AppOutput& operator=(const AppOutput&) = delete;

  // Prints the commands received since the last call, in order.
  void PrintNew();

 private:
  std::size_t printed_ = 0;
};

}  // namespace host
