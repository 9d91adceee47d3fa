#include "CalendarFilterOptions.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "HostOptions.h"
#include "resources/resource.h"
#include "testkit/Dialogs.h"
#include "win32/nls.h"

namespace host {
namespace {

constexpr int kExclude = 0;
constexpr int kInclude = 1;
constexpr int kLabelCount = 10;

// The user's list separator, so that the run splits the names where the user meant.
std::string WithListSeparator(const std::string& list) {
  char separator[8] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SLIST, separator, sizeof separator) <= 0 ||
      separator[0] == '\0')
    return list;
  std::string text;
  for (char c : list) {
    if (c == ',')
      text += separator;
    else
      text += c;
  }
  return text;
}

}  // namespace

bool CalendarFilterOptions::Take(const std::string& option, ActionArguments& args) {
  if (option == "--skip-all-day") {
    skipAllDay_ = true;
  } else if (option == "--skip-private") {
    skipPrivate_ = true;
  } else if (option == "--exclude-categories" || option == "--include-categories") {
    if (categories_)
      throw UsageError(action_ + ": give one of --exclude-categories and --include-categories");
    const std::string list = args.Value();
    categories_ = Rule{option == "--include-categories", list};
  } else if (option == "--exclude-labels" || option == "--include-labels") {
    if (labels_) throw UsageError(action_ + ": give one of --exclude-labels and --include-labels");
    const std::string list = args.Value();
    labels_ = Rule{option == "--include-labels", list};
    std::istringstream in(list);
    for (std::string item; std::getline(in, item, ',');) {
      char* end = nullptr;
      const long number = std::strtol(item.c_str(), &end, 10);
      if (item.empty() || *end != '\0' || number < 1 || number > kLabelCount)
        throw UsageError(action_ + ": " + option + " takes label numbers 1 to 10, as N,N,...");
      labelNumbers_.push_back(static_cast<int>(number));
    }
  } else if (option == "--between") {
    const std::string from = args.Value();
    const std::string to = args.Value();
    between_ = std::make_pair(Date(action_, from), Date(action_, to));
  } else {
    return false;
  }
  return true;
}

SYSTEMTIME CalendarFilterOptions::Date(const std::string& action, const std::string& text) {
  int year = 0, month = 0, day = 0;
  char rest = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &rest) != 3 || month < 1 ||
      month > 12 || day < 1 || day > 31 || year < 1601)
    throw UsageError(action + ": --between takes two dates YYYY-MM-DD, not " + text);
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(year);
  time.wMonth = static_cast<WORD>(month);
  time.wDay = static_cast<WORD>(day);
  return time;
}

void CalendarFilterOptions::Prepare(HostUser& user) const {
  if (!labels_) return;
  user.Drive(IDD_EVENT_LABELS, [numbers = labelNumbers_](HWND labels) {
    for (int n = 1; n <= kLabelCount; ++n) {
      const bool on = std::find(numbers.begin(), numbers.end(), n) != numbers.end();
      testkit::SetCheck(labels, IDC_CHK_LABEL1 + n - 1, on);
    }
    testkit::Click(labels, IDOK);
  });
}

bool CalendarFilterOptions::Any() const {
  return skipAllDay_ || skipPrivate_ || categories_ || labels_ || between_;
}

void CalendarFilterOptions::Fill(HWND dlg, HostUser& user) const {
  testkit::SetCheck(dlg, IDC_CHK_IGNORE_ALLDAYS, skipAllDay_);
  testkit::SetCheck(dlg, IDC_CHK_IGNORE_PRIVATES, skipPrivate_);
  testkit::SetCheck(dlg, IDC_CHK_CATEGORIES, categories_.has_value());
  if (categories_) {
    testkit::SelectItem(dlg, IDC_CBO_LUDE_CATEGORIES, categories_->include ? kInclude : kExclude);
    testkit::TypeText(dlg, IDC_TXT_CATEGORIES, WithListSeparator(categories_->values));
  }
  FillLabels(dlg, user);
  testkit::SetCheck(dlg, IDC_CHK_DATES, between_.has_value());
  if (between_) {
    testkit::SetDate(dlg, IDC_DTP_START, between_->first);
    testkit::SetDate(dlg, IDC_DTP_END, between_->second);
  }
}

void CalendarFilterOptions::FillLabels(HWND dlg, HostUser& user) const {
  const bool offered = testkit::Control(dlg, IDC_CHK_LABELS).enabled;
  if (!labels_) {
    if (offered) testkit::SetCheck(dlg, IDC_CHK_LABELS, false);
    return;
  }
  if (!offered) {
    user.Refuse(action_ +
                ": labels cannot be chosen with this Outlook (the filter page disables them)");
    return;
  }
  testkit::SelectItem(dlg, IDC_CBO_LUDE_LABELS, labels_->include ? kInclude : kExclude);
  testkit::Click(dlg, IDC_BTN_LABELS);
  testkit::SetCheck(dlg, IDC_CHK_LABELS, true);
}

}  // namespace host
