// import-calendar --from PATH [--from PATH ...] [--folder PATH] [--conflict 0|1|2]
//                 [--zone ZONE] [the filter options of CalendarFilterOptions]
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "CalendarFilterOptions.h"
#include "WizardAction.h"

namespace host {

class CalendarImportAction : public WizardAction {
 public:
  // Throws UsageError.
  explicit CalendarImportAction(const std::vector<std::string>& arguments);

  void Prepare(HostUser& user) override;
  // The wizard's run, then the files that hold no event, each named.
  ExitStatus Run(OfficeSession& session, int outlookMajor) override;

 private:
  void FirstPage(HWND dlg, HostUser& user);
  void OptionsPage(HWND dlg, HostUser& user);
  void FilterPage(HWND dlg, HostUser& user);
  void FinishPage(HWND dlg);
  // The display name the options page lists for a zone the command line names; throws
  // UsageError for a name the zone list does not know.
  static std::string ZoneChoice(const std::string& name);

  std::vector<std::string> from_;       // Windows paths
  std::vector<std::string> fromLinux_;  // the same as given
  std::string folder_;
  std::optional<int> conflict_;
  // The zone's display name as the options page lists it.
  std::string zone_;
  CalendarFilterOptions filter_{"import-calendar"};
};

}  // namespace host
