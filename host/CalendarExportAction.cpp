#include "CalendarExportAction.h"

#include "AddInModule.h"
#include "resources/resource.h"
#include "testkit/Dialogs.h"

namespace host {
namespace {

constexpr const char* kAction = "export-calendar";

}  // namespace

CalendarExportAction::CalendarExportAction(const std::vector<std::string>& arguments,
                                           const std::string& encodingsFile)
    : WizardAction("Ostrane.Kelvra.btnExportA", "ExportE", "event"),
      common_("export-calendar", "event", encodingsFile) {
  ActionArguments args("export-calendar", arguments);
  for (std::string option = args.Next(); !option.empty(); option = args.Next()) {
    if (common_.Take(option, args) || filter_.Take(option, args)) continue;
    if (option == "--format") {
      const std::string format = args.Value();
      if (format != "10" && format != "20")
        throw UsageError("export-calendar: --format is 10 or 20");
      format_ = std::stoi(format);
    } else {
      args.Unknown(option);
    }
  }
}

ExplorerView CalendarExportAction::View() const {
  if (!common_.Selected()) return {};
  return ExplorerView{common_.Folder(), Outlook::olFolderCalendar, true};
}

void CalendarExportAction::Prepare(HostUser& user) {
  user.Drive(IDD_VCAL_EXPORT, [this, &user](HWND dlg) { FirstPage(dlg, user); });
  user.Drive(IDD_VCAL_EXPORT_OPTIONS, [this, &user](HWND dlg) { OptionsPage(dlg, user); });
  user.Drive(IDD_VCAL_EXPORT_FILTER, [this, &user](HWND dlg) { FilterPage(dlg, user); });
  user.Drive(IDD_VCAL_EXPORT_FINISH, [this](HWND dlg) { FinishPage(dlg); });
  filter_.Prepare(user);
}

void CalendarExportAction::FirstPage(HWND dlg, HostUser& user) {
  if (!common_.Folder().empty() && !ChooseOutlookFolder(dlg, common_.Folder(), user)) return;
  if (!common_.FillFirstPage(dlg, user)) return;
  // "Export All" leaves out the filter page and exports without any filter.
  testkit::Click(dlg, filter_.Any() ? IDOK : IDC_BTN_EXPORT_ALL);
}

void CalendarExportAction::OptionsPage(HWND dlg, HostUser& user) {
  if (format_) testkit::Click(dlg, *format_ == 20 ? IDC_OPT_VCAL20 : IDC_OPT_VCAL10);
  if (!common_.FillOptions(dlg, user)) return;
  testkit::Click(dlg, IDOK);
}

void CalendarExportAction::FilterPage(HWND dlg, HostUser& user) {
  filter_.Fill(dlg, user);
  if (!user.Problems().empty()) {
    testkit::Click(dlg, IDCANCEL);
    return;
  }
  testkit::Click(dlg, IDOK);
}

void CalendarExportAction::FinishPage(HWND dlg) {
  SetResult("result: selected=" + std::to_string(Count(dlg, IDC_LBL_NUM_SELECTED)) +
                " exported=" + std::to_string(Count(dlg, IDC_LBL_NUM_EXPORTED)) +
                " failed=" + std::to_string(Count(dlg, IDC_LBL_NUM_FAILURES)) +
                " skipped=" + std::to_string(Count(dlg, IDC_LBL_NUM_SKIPPED)),
            Count(dlg, IDC_LBL_NUM_FAILURES));
  testkit::Click(dlg, IDCANCEL);
}

}  // namespace host
