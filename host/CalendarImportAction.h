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

 private:
  void FirstPage(HWND dlg, HostUser& user);
  void OptionsPage(HWND dlg, HostUser& user);
  void FilterPage(HWND dlg, HostUser& user);
  void FinishPage(HWND dlg);

  std::vector<std::string> from_;  // Windows paths
  std::string folder_;
  std::optional<int> conflict_;
  // A display name or a Windows zone id of the zone list.
  std::string zone_;
  CalendarFilterOptions filter_{"import-calendar"};
};

}  // namespace host
