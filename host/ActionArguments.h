// The options of an action: "--name value" pairs and flags, in any order.
#pragma once

#include <string>
#include <vector>

namespace host {

// Reads the options of an action: "--name value" pairs and flags.
class ActionArguments {
 public:
  ActionArguments(std::string action, const std::vector<std::string>& arguments);
  // The next argument's name, or "" at the end; throws UsageError for one that is not
  // an option.
  std::string Next();
  // The value after the current option; throws UsageError when it is missing.
  std::string Value();
  // Throws UsageError naming the option.
  [[noreturn]] void Unknown(const std::string& option) const;

 private:
  std::string action_;
  std::vector<std::string> arguments_;
  std::size_t next_ = 0;
  std::string current_;
};

}  // namespace host
