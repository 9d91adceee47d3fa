#include "CommandTable.h"

#include <sstream>

namespace host {
namespace {

// Both export actions take these; perItem is the option of one file per item.
std::vector<OptionSpec> ExportOptionsFor(const char* perItem, const char* folderExample,
                                         const OptionSpec& format) {
  return {
      {"--to", "DIR", "the folder the files go to; it must exist\nand be writable", "", true},
      {"--folder", "PATH", folderExample},
      format,
      {"--encoding", "NAME", "an entry's name or charset in\nsupportedEncodings.txt"},
      {"--one-file", "", "write every item into one file"},
      {perItem, "", "write one file per item"},
      {"--overwrite", "", "overwrite the files that are there\n(off when absent)"},
      {"--selected", "",
       "export what is selected: the window shows the\n"
       "folder with all its items selected (off when\n"
       "absent)"},
  };
}

std::vector<OptionSpec> ImportOptionsFor(const char* files, const char* folderExample) {
  return {
      {"--from", "PATH", files, "", true},
      {"--folder", "PATH", folderExample},
      {"--conflict", "0|1|2",
       "an item that is there already: 0 import it\nbeside it, 1 replace it, 2 leave it"},
  };
}

const std::vector<OptionSpec> kFilterOptions = {
    {"--skip-all-day", "", "leave out all-day events"},
    {"--skip-private", "", "leave out private events"},
    {"--exclude-categories", "LIST",
     "leave out events of these categories (in the\nuser's list separator or \",\")"},
    {"--include-categories", "LIST", "take only events of these categories"},
    {"--exclude-labels", "N,N...",
     "leave out events with these labels, 1 to 10\n(exporting: Outlook 2002 and 2003 only)"},
    {"--include-labels", "N,N...", "take only events with these labels"},
    {"--between", "YYYY-MM-DD YYYY-MM-DD", "take only events between the two days"},
};

std::vector<OptionSpec> Joined(std::vector<OptionSpec> options,
                               const std::vector<OptionSpec>& more) {
  options.insert(options.end(), more.begin(), more.end());
  return options;
}

constexpr const char* kContactFolder =
    "the Outlook folder, as\n\"\\\\Personal Folders\\Contacts\" (\"/\" also separates)";
constexpr const char* kCalendarFolder =
    "the Outlook folder, as\n\"\\\\Personal Folders\\Calendar\" (\"/\" also separates)";

}  // namespace

const std::vector<OptionSpec>& GlobalOptions() {
  static const std::vector<OptionSpec> options = {
      {"--mailbox", "FILE", "the Outlook store (JSON); default: the built-in\ndemo mailbox"},
      {"--save", "", "write the store back to FILE when the action\nchanged it"},
      {"--root", "DIR",
       "where C:, the registry and the application data\n"
       "live; default: $XDG_DATA_HOME/kelvra-host, else\n"
       "~/.local/share/kelvra-host"},
      {"--outlook", "VERSION", "Outlook's version text; default \"14.0.0.4760\"\n(Outlook 2010)"},
      {"--acp", "N", "the stand-in's ANSI code page; default 65001"},
      {"--answers", "FILE", "scripted answers for the dialogs"},
      {"--timezone", "ZONE",
       "the system time zone: a Windows zone id\n"
       "(\"W. Europe Standard Time\") or an IANA name\n"
       "(\"Europe/Berlin\"); default: the machine's own zone"},
      {"--now", "YYYY-MM-DDTHH:MM:SS", "the local clock, frozen at that time"},
      {"--debug-button", "", "set \"DebugButton\" under the add-in's key\nbefore it starts"},
      {"--verbose", "",
       "print each dialog as it opens and what the\n"
       "answers changed when it closes, the ribbon's\n"
       "controls after start-up, and the add-in's\n"
       "warnings of the run as \"log: LINE\"",
       "-v"},
      {"--help", "", "print this text; after an action: its options", "-h"},
      {"--version", "", "print the add-in's version"},
  };
  return options;
}

const std::vector<ActionSpec>& Actions() {
  static const std::vector<ActionSpec> actions = {
      {"register", "", "DllRegisterServer into the root's registry", {}},
      {"unregister", "", "DllUnregisterServer from the root's registry", {}},
      {"ribbon", "ID", "press a ribbon control (its menus' items too)", {}},
      {"button", "TAG-OR-PARAMETER", "click a command-bar control (Outlook < 2010)", {}},
      {"app-command", "TEXT", "the Kelvra application sends TEXT to the add-in", {}},
      {"export-contacts", "", "export contacts to vCard files",
       ExportOptionsFor("--file-per-contact", kContactFolder,
                        {"--format", "21|30", "vCard 2.1 or 3.0"})},
      {"import-contacts", "", "import vCard files",
       ImportOptionsFor("a .vcf file, or a folder of them; may be\ngiven again", kContactFolder)},
      {"export-calendar", "", "export events to vCalendar or iCalendar files",
       Joined(ExportOptionsFor(
                  "--file-per-event", kCalendarFolder,
                  {"--format", "10|20", "10 vCalendar 1.0 (.vcs), 20 iCalendar 2.0\n(.ics)"}),
              kFilterOptions)},
      {"import-calendar", "", "import vCalendar and iCalendar files",
       Joined(
           Joined(ImportOptionsFor("a .ics or .vcs file, or a folder of them;\nmay be given again",
                                   kCalendarFolder),
                  {{"--zone", "ZONE",
                    "the zone of times that name none: a Windows\n"
                    "zone id or an IANA name, as --timezone takes\n"
                    "them, or a display name of the zone list"}}),
           kFilterOptions)},
  };
  return actions;
}

const ActionSpec* FindAction(const std::string& name) {
  for (const ActionSpec& action : Actions())
    if (name == action.name) return &action;
  return nullptr;
}

const OptionSpec* FindOption(const std::vector<OptionSpec>& options, const std::string& name) {
  for (const OptionSpec& option : options)
    if (name == option.name || (*option.alias != '\0' && name == option.alias)) return &option;
  return nullptr;
}

std::size_t ValueCount(const OptionSpec& option) {
  std::istringstream words(option.value);
  std::size_t count = 0;
  for (std::string word; words >> word;) ++count;
  return count;
}

}  // namespace host
