#include "HostOptions.h"

#include <cstdio>
#include <cstdlib>

#include "ActionArguments.h"
#include "CommandTable.h"
#include "win32/time.h"

namespace host {
namespace {

// A whole decimal number within [low, high].
std::optional<long> Number(const std::string& text, long low, long high) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  char* end = nullptr;
  long value = std::strtol(text.c_str(), &end, 10);
  if (*end != '\0' || value < low || value > high) return std::nullopt;
  return value;
}

// "14.0.0.4760" → 14: the releases the stand-in plays.
int OutlookMajor(const std::string& version) {
  std::optional<long> major = Number(version.substr(0, version.find('.')), 0, 99);
  if (!major || (*major != 9 && *major != 10 && *major != 11 && *major != 12 && *major != 14))
    throw UsageError("--outlook " + version + ": the stand-in plays Outlook 9, 10, 11, 12 or 14");
  return static_cast<int>(*major);
}

constexpr const char* kNowExpected = "a local time YYYY-MM-DDTHH:MM:SS is expected";

// "2024-03-15T09:30:00" as a local time, on a day that exists.
SYSTEMTIME LocalTime(const std::string& text) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  char rest = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &year, &month, &day, &hour, &minute,
                  &second, &rest) != 6 ||
      year < 1601 || year > 30827 || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 ||
      minute > 59 || second > 59 || hour < 0 || minute < 0 || second < 0)
    throw UsageError("--now " + text + ": " + kNowExpected);
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(year);
  time.wMonth = static_cast<WORD>(month);
  time.wDay = static_cast<WORD>(day);
  time.wHour = static_cast<WORD>(hour);
  time.wMinute = static_cast<WORD>(minute);
  time.wSecond = static_cast<WORD>(second);
  FILETIME checked{};
  if (!SystemTimeToFileTime(&time, &checked))
    throw UsageError("--now " + text + ": no such day; " + kNowExpected);
  return time;
}

std::string DefaultRoot(const HostEnvironment& environment) {
  if (environment.xdgDataHome && !environment.xdgDataHome->empty())
    return *environment.xdgDataHome + "/kelvra-host";
  if (environment.home && !environment.home->empty())
    return *environment.home + "/.local/share/kelvra-host";
  throw UsageError("neither XDG_DATA_HOME nor HOME is set: give --root DIR");
}

// Sets what the global option (by its table name) stands for.
void Take(HostOptions& options, const std::string& name, const std::string& value) {
  if (name == "--mailbox") {
    options.mailbox = value;
  } else if (name == "--save") {
    options.save = true;
  } else if (name == "--root") {
    options.root = value;
  } else if (name == "--outlook") {
    options.outlookVersion = value;
    options.outlookMajor = OutlookMajor(value);
  } else if (name == "--acp") {
    std::optional<long> acp = Number(value, 1, 65535);
    if (!acp) throw UsageError("--acp " + value + ": a code page number is expected");
    options.acp = static_cast<unsigned>(*acp);
  } else if (name == "--answers") {
    options.answers = value;
  } else if (name == "--timezone") {
    options.timezone = value;
  } else if (name == "--now") {
    options.now = LocalTime(value);
  } else if (name == "--debug-button") {
    options.debugButton = true;
  } else if (name == "--verbose") {
    options.verbose = true;
  } else if (name == "--help") {
    options.help = true;
  } else if (name == "--version") {
    options.version = true;
  }
}

}  // namespace

HostOptions ParseHostOptions(const std::vector<std::string>& arguments,
                             const HostEnvironment& environment) {
  HostOptions options;
  std::size_t i = 0;
  for (; i < arguments.size() && !arguments[i].empty() && arguments[i][0] == '-'; ++i) {
    const std::string& a = arguments[i];
    const OptionSpec* option = FindOption(GlobalOptions(), a);
    if (option == nullptr) throw UsageError("unknown option " + a);
    std::string value;
    if (ValueCount(*option) == 1) {
      if (i + 1 >= arguments.size() || arguments[i + 1].empty())
        throw UsageError(a + " needs a value");
      value = arguments[++i];
    }
    Take(options, option->name, value);
  }
  if (options.help || options.version) return options;
  if (i == arguments.size()) throw UsageError("no action given");
  options.action = arguments[i];
  const ActionSpec* action = FindAction(options.action);
  if (action == nullptr) throw UsageError("unknown action " + options.action);
  options.actionArguments.assign(arguments.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                 arguments.end());
  // "ACTION --help": that action's usage.
  const std::vector<std::string>& rest = options.actionArguments;
  const OptionSpec* first = rest.empty() ? nullptr : FindOption(GlobalOptions(), rest[0]);
  if (first != nullptr && std::string(first->name) == "--help") {
    options.help = true;
    return options;
  }
  // Read here already, so that an option the action does not take is reported before
  // anything starts.
  if (!action->options.empty()) ActionArguments(options.action, rest);
  if (options.save && options.mailbox.empty())
    throw UsageError("--save needs --mailbox FILE: the built-in demo mailbox is never written");
  if (options.root.empty()) options.root = DefaultRoot(environment);
  return options;
}

}  // namespace host
