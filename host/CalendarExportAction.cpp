#include "CalendarExportAction.h"

#include <filesystem>

#include "AddInModule.h"
#include "EncodingNames.h"
#include "resources/resource.h"
#include "testkit/Dialogs.h"

namespace host {
namespace {

constexpr const char* kAction = "export-calendar";

}  // namespace

CalendarExportAction::CalendarExportAction(const std::vector<std::string>& arguments,
                                           const std::string& encodingsFile)
    : WizardAction("Ostrane.Kelvra.btnExportA", "ExportE", "event") {
  ActionArguments args(kAction, arguments);
  for (std::string option = args.Next(); !option.empty(); option = args.Next()) {
    if (filter_.Take(option, args)) continue;
    if (option == "--to") {
      const std::string dir = args.Value();
      if (!std::filesystem::is_directory(dir)) throw UsageError("export-calendar: --to " + dir + ": no such folder");
      to_ = WindowsPathOf(dir);
    } else if (option == "--folder") {
      folder_ = args.Value();
    } else if (option == "--format") {
      const std::string format = args.Value();
      if (format != "10" && format != "20") throw UsageError("export-calendar: --format is 10 or 20");
      format_ = format == "20" ? 20 : 10;
    } else if (option == "--encoding") {
      const std::string name = args.Value();
      encoding_ = EncodingName(name, encodingsFile);
      if (encoding_.empty()) throw UsageError("export-calendar: --encoding " + name + ": no such encoding");
    } else if (option == "--one-file" || option == "--file-per-event") {
      if (oneFile_ && *oneFile_ != (option == "--one-file"))
        throw UsageError("export-calendar: --one-file and --file-per-event exclude each other");
      oneFile_ = option == "--one-file";
    } else if (option == "--overwrite") {
      overwrite_ = true;
    } else if (option == "--selected") {
      selected_ = true;
    } else {
      args.Unknown(option);
    }
  }
  if (to_.empty()) throw UsageError("export-calendar needs --to DIR");
}

ExplorerView CalendarExportAction::View() const {
  if (!selected_) return {};
  return ExplorerView{folder_, Outlook::olFolderCalendar, true};
}

void CalendarExportAction::Prepare(HostUser& user) {
  user.Drive(IDD_VCAL_EXPORT, [this, &user](HWND dlg) { FirstPage(dlg, user); });
  user.Drive(IDD_VCAL_EXPORT_OPTIONS, [this, &user](HWND dlg) { OptionsPage(dlg, user); });
  user.Drive(IDD_VCAL_EXPORT_FILTER, [this, &user](HWND dlg) { FilterPage(dlg, user); });
  user.Drive(IDD_VCAL_EXPORT_FINISH, [this](HWND dlg) { FinishPage(dlg); });
  filter_.Prepare(user);
}

void CalendarExportAction::FirstPage(HWND dlg, HostUser& user) {
  if (!folder_.empty() && !ChooseOutlookFolder(dlg, folder_, user)) return;
  testkit::TypeText(dlg, IDC_TXT_WIN_FLD, to_);
  if (oneFile_) testkit::SetCheck(dlg, IDC_CHK_SAVE_ONE_FILE, *oneFile_);
  if (!testkit::SetCheck(dlg, IDC_CHK_EXPORT_SELECTED, selected_) && selected_) {
    user.Refuse("export-calendar: --selected, but the window has no event selected");
    return;
  }
  testkit::Click(dlg, IDC_BTN_OPTIONS);
  if (!user.Problems().empty()) return;
  // "Export All" leaves out the filter page and exports without any filter.
  testkit::Click(dlg, filter_.Any() ? IDOK : IDC_BTN_EXPORT_ALL);
}

void CalendarExportAction::OptionsPage(HWND dlg, HostUser& user) {
  if (format_) testkit::Click(dlg, *format_ == 20 ? IDC_OPT_VCAL20 : IDC_OPT_VCAL10);
  if (!encoding_.empty() && !testkit::SelectItem(dlg, IDC_CBO_ENCODING, encoding_)) {
    user.Refuse("export-calendar: the options page does not offer the encoding " + encoding_);
    return;
  }
  testkit::SetCheck(dlg, IDC_CHK_OVERWRITE, overwrite_);
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
