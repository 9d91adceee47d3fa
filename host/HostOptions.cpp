#include "HostOptions.h"

#include <cstdio>
#include <cstdlib>
#include <set>

namespace host {
namespace {

const std::set<std::string> kActions{"register",        "unregister",      "ribbon",
                                     "app-command",     "button",          "export-contacts",
                                     "import-contacts", "export-calendar", "import-calendar"};

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

// "2024-03-15T09:30:00" as a local time.
SYSTEMTIME LocalTime(const std::string& text) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  char rest = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &year, &month, &day, &hour, &minute,
                  &second, &rest) != 6 ||
      year < 1601 || year > 30827 || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 ||
      minute > 59 || second > 59 || hour < 0 || minute < 0 || second < 0)
    throw UsageError("--now " + text + ": a local time YYYY-MM-DDTHH:MM:SS is expected");
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(year);
  time.wMonth = static_cast<WORD>(month);
  time.wDay = static_cast<WORD>(day);
  time.wHour = static_cast<WORD>(hour);
  time.wMinute = static_cast<WORD>(minute);
  time.wSecond = static_cast<WORD>(second);
  return time;
}

std::string DefaultRoot(const HostEnvironment& environment) {
  if (environment.xdgDataHome && !environment.xdgDataHome->empty())
    return *environment.xdgDataHome + "/kelvra-host";
  if (environment.home && !environment.home->empty())
    return *environment.home + "/.local/share/kelvra-host";
  throw UsageError("neither XDG_DATA_HOME nor HOME is set: give --root DIR");
}

}  // namespace

const char* UsageText() {
  return "usage: kelvra-host [options] ACTION [action options]\n"
         "  --mailbox FILE     the Outlook store (JSON); default: the built-in demo mailbox\n"
         "  --save             write the store back to FILE when the action changed it\n"
         "  --root DIR         where C:, the registry and the application data live; default:\n"
         "                     $XDG_DATA_HOME/kelvra-host, else ~/.local/share/kelvra-host\n"
         "  --outlook VERSION  Outlook's version text; default \"14.0.0.4760\" (Outlook 2010)\n"
         "  --acp N            the stand-in's ANSI code page; default 65001\n"
         "  --answers FILE     scripted answers for the dialogs\n"
         "  -v, --verbose      print each dialog as it opens and what the answers changed\n"
         "                     when it closes, and the ribbon's controls after start-up\n"
         "  -h, --help         print this text\n"
         "  --version          print the add-in's version\n"
         "ACTIONS\n"
         "  register | unregister\n"
         "  ribbon ID\n"
         "  button TAG-OR-PARAMETER\n"
         "  app-command TEXT\n"
         "  export-contacts --to DIR [--folder PATH] [--format 21|30] [--encoding NAME]\n"
         "                  [--one-file | --file-per-contact] [--overwrite] [--selected]\n"
         "  import-contacts --from PATH [--from PATH ...] [--folder PATH] [--conflict 0|1|2]\n"
         "EXIT STATUS\n"
         "  0 completed; 1 cancelled or refused; 2 usage error; 3 the mailbox cannot be read;\n"
         "  4 completed with failures\n";
}

HostOptions ParseHostOptions(const std::vector<std::string>& arguments,
                             const HostEnvironment& environment) {
  HostOptions options;
  std::size_t i = 0;
  auto value = [&](const std::string& option) -> std::string {
    if (i + 1 >= arguments.size() || arguments[i + 1].empty())
      throw UsageError(option + " needs a value");
    return arguments[++i];
  };
  for (; i < arguments.size(); ++i) {
    const std::string& a = arguments[i];
    if (a == "--mailbox") {
      options.mailbox = value(a);
    } else if (a == "--save") {
      options.save = true;
    } else if (a == "--root") {
      options.root = value(a);
    } else if (a == "--outlook") {
      options.outlookVersion = value(a);
      options.outlookMajor = OutlookMajor(options.outlookVersion);
    } else if (a == "--acp") {
      std::string text = value(a);
      std::optional<long> acp = Number(text, 1, 65535);
      if (!acp) throw UsageError("--acp " + text + ": a code page number is expected");
      options.acp = static_cast<unsigned>(*acp);
    } else if (a == "--answers") {
      options.answers = value(a);
    } else if (a == "--timezone") {
      options.timezone = value(a);
    } else if (a == "--now") {
      options.now = LocalTime(value(a));
    } else if (a == "--debug-button") {
      options.debugButton = true;
    } else if (a == "-v" || a == "--verbose") {
      options.verbose = true;
    } else if (a == "-h" || a == "--help") {
      options.help = true;
    } else if (a == "--version") {
      options.version = true;
    } else if (!a.empty() && a[0] == '-') {
      throw UsageError("unknown option " + a);
    } else {
      break;
    }
  }
  if (options.help || options.version) return options;
  if (i == arguments.size()) throw UsageError("no action given");
  options.action = arguments[i];
  if (kActions.count(options.action) == 0) throw UsageError("unknown action " + options.action);
  options.actionArguments.assign(arguments.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                 arguments.end());
  if (options.save && options.mailbox.empty())
    throw UsageError("--save needs --mailbox FILE: the built-in demo mailbox is never written");
  if (options.root.empty()) options.root = DefaultRoot(environment);
  return options;
}

}  // namespace host
