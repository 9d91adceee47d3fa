#include "ActionArguments.h"

#include <utility>

#include "HostOptions.h"

namespace host {

ActionArguments::ActionArguments(std::string action, const std::vector<std::string>& arguments)
    : action_(std::move(action)), arguments_(arguments) {}

std::string ActionArguments::Next() {
  if (next_ == arguments_.size()) return "";
  current_ = arguments_[next_++];
  if (current_.size() < 3 || current_.compare(0, 2, "--") != 0)
    throw UsageError(action_ + ": unexpected argument " + current_);
  return current_;
}

std::string ActionArguments::Value() {
  if (next_ == arguments_.size() || arguments_[next_].empty())
    throw UsageError(action_ + ": " + current_ + " needs a value");
  return arguments_[next_++];
}

void ActionArguments::Unknown(const std::string& option) const {
  throw UsageError(action_ + ": unknown option " + option);
}

}  // namespace host
