#include "UsageText.h"

namespace host {
namespace {

constexpr std::size_t kGlobalColumn = 21;
constexpr std::size_t kActionColumn = 29;
constexpr std::size_t kOptionColumn = 31;

constexpr const char* kExitStatus =
    "EXIT STATUS\n"
    "  0 completed; 1 cancelled or refused (also: an Outlook folder that is not\n"
    "  there; a failed --save, which leaves the mailbox file as it was); 2 usage\n"
    "  error (also: an unknown zone, a time that does not exist, an input that is\n"
    "  not there, an output folder that cannot be written); 3 the mailbox cannot\n"
    "  be read;\n"
    "  4 completed with failures\n";

// "  LEFT   HELP" with the help from the column on; a left part too long for it puts
// the help on the lines below.
std::string Entry(std::size_t indent, const std::string& left, const std::string& help,
                  std::size_t column) {
  std::string text = std::string(indent, ' ') + left;
  if (text.size() + 1 >= column) text += "\n" + std::string(column, ' ');
  text.append(column - (text.size() - (text.rfind('\n') + 1)), ' ');
  for (char c : help) {
    text += c;
    if (c == '\n') text += std::string(column, ' ');
  }
  return text + "\n";
}

std::string OptionText(const OptionSpec& option) {
  std::string text = *option.alias != '\0' ? std::string(option.alias) + ", " : std::string();
  text += option.name;
  if (*option.value != '\0') text += std::string(" ") + option.value;
  return text;
}

// "export-contacts --to DIR [options]": the operands, the options it cannot do without.
std::string Synopsis(const ActionSpec& action) {
  std::string text = action.name;
  if (*action.operands != '\0') text += std::string(" ") + action.operands;
  bool optional = false;
  for (const OptionSpec& option : action.options) {
    if (option.required)
      text += " " + OptionText(option);
    else
      optional = true;
  }
  return optional ? text + " [options]" : text;
}

std::string OptionLines(const ActionSpec& action) {
  std::string text;
  for (const OptionSpec& option : action.options)
    text += Entry(4, OptionText(option), option.help, kOptionColumn);
  return text;
}

}  // namespace

std::string UsageText() {
  std::string text = "usage: kelvra-host [options] ACTION [action options]\n";
  for (const OptionSpec& option : GlobalOptions())
    text += Entry(2, OptionText(option), option.help, kGlobalColumn);
  text += "ACTIONS (kelvra-host ACTION --help: that action's options)\n";
  for (const ActionSpec& action : Actions())
    text += Entry(2, Synopsis(action), action.help, kActionColumn) + OptionLines(action);
  return text + kExitStatus;
}

std::string ActionUsageText(const ActionSpec& action) {
  return "usage: kelvra-host [options] " + Synopsis(action) + "\n  " + action.help + "\n" +
         OptionLines(action) + Entry(4, "-h, --help", "print this text", kOptionColumn);
}

}  // namespace host
