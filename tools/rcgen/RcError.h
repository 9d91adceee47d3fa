// A fault in the resource script, reported as "file:line: error: message".
#pragma once

#include <stdexcept>
#include <string>

namespace rcgen {

struct SourceLocation {
  std::string file;
  int line = 0;
};

class RcError : public std::runtime_error {
 public:
  RcError(const SourceLocation& where, const std::string& message)
      : std::runtime_error(where.file + ":" + std::to_string(where.line) + ": error: " + message) {}
};

}  // namespace rcgen
