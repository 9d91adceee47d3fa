#include "ActionArguments.h"

#include <algorithm>
#include <utility>

#include "CommandTable.h"
#include "HostOptions.h"

namespace host {

ActionArguments::ActionArguments(const std::string& action,
                                 const std::vector<std::string>& arguments)
    : action_(action) {
  const ActionSpec* spec = FindAction(action);
  const std::vector<OptionSpec> none;
  const std::vector<OptionSpec>& known = spec != nullptr ? spec->options : none;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& name = arguments[i];
    if (name.size() < 3 || name.compare(0, 2, "--") != 0)
      throw UsageError(action + ": unexpected argument " + name);
    const OptionSpec* option = FindOption(known, name);
    if (option == nullptr) Unknown(name);
    Option read{name, {}};
    for (std::size_t n = ValueCount(*option); n > 0; --n) {
      if (i + 1 == arguments.size() || arguments[i + 1].empty())
        throw UsageError(action + ": " + name + " needs a value");
      read.values.push_back(arguments[++i]);
    }
    options_.push_back(std::move(read));
  }
  for (const OptionSpec& option : known) {
    const bool given = std::any_of(options_.begin(), options_.end(),
                                   [&](const Option& read) { return read.name == option.name; });
    if (option.required && !given)
      throw UsageError(action + " needs " + option.name + " " + option.value);
  }
}

std::string ActionArguments::Next() {
  if (next_ == options_.size()) return "";
  value_ = 0;
  return options_[next_++].name;
}

std::string ActionArguments::Value() { return options_[next_ - 1].values.at(value_++); }

void ActionArguments::Unknown(const std::string& option) const {
  throw UsageError(action_ + ": unknown option " + option);
}

}  // namespace host
