// The options of an action, read by the command table: "--name value" pairs and flags,
// in any order.
#pragma once

#include <string>
#include <vector>

namespace host {

class ActionArguments {
 public:
  // Reads every argument as an option of the action in the command table, with the
  // values the table gives it. Throws UsageError for an argument that is no option of
  // the action, a missing value, or an option the action cannot do without left out.
  ActionArguments(const std::string& action, const std::vector<std::string>& arguments);
  // The next option's name, or "" at the end.
  std::string Next();
  // The next value of the current option.
  std::string Value();
  // Throws UsageError naming the option.
  [[noreturn]] void Unknown(const std::string& option) const;

 private:
  struct Option {
    std::string name;
    std::vector<std::string> values;
  };

  std::string action_;
  std::vector<Option> options_;
  std::size_t next_ = 0;
  std::size_t value_ = 0;
};

}  // namespace host
