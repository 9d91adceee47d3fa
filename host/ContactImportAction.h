// import-contacts --from PATH [--from PATH ...] [--folder PATH] [--conflict 0|1|2]
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "WizardAction.h"

namespace host {

class ContactImportAction : public WizardAction {
 public:
  // Throws UsageError.
  explicit ContactImportAction(const std::vector<std::string>& arguments);

  void Prepare(HostUser& user) override;
  // The wizard's run, then one line on standard error for each input file that holds
  // no card.
  ExitStatus Run(OfficeSession& session, int outlookMajor) override;

 private:
  void FirstPage(HWND dlg, HostUser& user);
  void OptionsPage(HWND dlg);
  void FinishPage(HWND dlg);

  std::vector<std::string> from_;  // Windows paths
  std::vector<std::string> fromLinux_;
  std::string folder_;
  std::optional<int> conflict_;
};

}  // namespace host
