// The command line of kelvra-host as one table: every global option, every action and
// the options of each, with their value placeholders and help texts. The parsers read
// options by it and the usage text is made from it, so neither can leave one out.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace host {

struct OptionSpec {
  const char* name;        // "--mailbox"
  const char* value;       // its values, one placeholder word each ("FILE"); "" for a flag
  const char* help;        // lines separated by '\n'
  const char* alias = "";  // the short form ("-v"); "" for none
  bool required = false;
};

struct ActionSpec {
  const char* name;
  const char* operands;  // what follows the action when it takes no options ("ID")
  const char* help;
  std::vector<OptionSpec> options;
};

// The options that come before the action.
const std::vector<OptionSpec>& GlobalOptions();
// Every action, in the order the usage lists them.
const std::vector<ActionSpec>& Actions();

// Null when there is no such action.
const ActionSpec* FindAction(const std::string& name);
// The option by its name or short form; null when the list has none such.
const OptionSpec* FindOption(const std::vector<OptionSpec>& options, const std::string& name);
// How many values follow the option: the words of its placeholder.
std::size_t ValueCount(const OptionSpec& option);

}  // namespace host
