// The command line of kelvra-host, which scripts rely on:
//   kelvra-host [options] ACTION [action options]
// Options come before the action; what follows the action belongs to it.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "win32/base.h"

namespace host {

// The host's exit status.
enum ExitStatus {
  kCompleted = 0,
  kCancelled = 1,  // the user cancelled, the add-in refused or a step failed
  kUsageError = 2,
  kBadMailbox = 3,
  kCompletedWithFailures = 4,  // the finish page counts failed items
};

// A command line the host cannot run: exit status 2, the message on one line.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct HostOptions {
  std::string mailbox;  // Linux path; empty: the built-in demo mailbox
  bool save = false;
  std::string root;  // Linux folder behind C:
  std::string outlookVersion = "14.0.0.4760";
  int outlookMajor = 14;
  unsigned acp = 65001;
  std::string answers;       // Linux path; empty: none
  bool debugButton = false;  // "DebugButton" set before the add-in starts
  bool verbose = false;
  // The stand-in's system zone: a Windows zone id or an IANA name; empty: the
  // machine's own zone.
  std::string timezone;
  // The local clock, frozen at that time; empty: the real clock.
  std::optional<SYSTEMTIME> now;
  // -h/--help and --version: print and exit; no action is needed then. "ACTION
  // --help" sets help and the action: that action's usage.
  bool help = false;
  bool version = false;
  std::string action;
  std::vector<std::string> actionArguments;
};

// The environment the defaults come from.
struct HostEnvironment {
  std::optional<std::string> xdgDataHome;
  std::optional<std::string> home;
};

// Throws UsageError.
HostOptions ParseHostOptions(const std::vector<std::string>& arguments,
                             const HostEnvironment& environment);

}  // namespace host
