// The filter options of the calendar actions and what they set on a calendar filter
// page:
//   [--skip-all-day] [--skip-private]
//   [--exclude-categories LIST | --include-categories LIST]
//   [--exclude-labels N,N... | --include-labels N,N...]
//   [--between YYYY-MM-DD YYYY-MM-DD]
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ActionArguments.h"
#include "HostUser.h"
#include "win32/windows.h"

namespace host {

class CalendarFilterOptions {
 public:
  explicit CalendarFilterOptions(std::string action) : action_(std::move(action)) {}

  // Takes option (and its values) when it is a filter option; false otherwise. Throws
  // UsageError for bad values.
  bool Take(const std::string& option, ActionArguments& args);
  // Hands the labels dialog's script to the user.
  void Prepare(HostUser& user) const;
  // Whether any filter option was given.
  bool Any() const;
  // Sets every filter control of the page: the options named on, all others off. A
  // choice the page cannot take is refused (the user is told why).
  void Fill(HWND dlg, HostUser& user) const;

 private:
  struct Rule {
    bool include = false;
    std::string values;
  };
  void FillLabels(HWND dlg, HostUser& user) const;
  static SYSTEMTIME Date(const std::string& action, const std::string& text);

  std::string action_;
  bool skipAllDay_ = false;
  bool skipPrivate_ = false;
  std::optional<Rule> categories_;
  std::optional<Rule> labels_;
  std::vector<int> labelNumbers_;
  std::optional<std::pair<SYSTEMTIME, SYSTEMTIME>> between_;
};

}  // namespace host
