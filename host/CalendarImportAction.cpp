#include "CalendarImportAction.h"

#include <cstdlib>
#include <filesystem>

#include "AddInModule.h"
#include "HostOutput.h"
#include "InputFiles.h"
#include "ZoneNames.h"
#include "resources/resource.h"
#include "testkit/Dialogs.h"

namespace host {
namespace {

constexpr const char* kAction = "import-calendar";
// The options page's radio buttons by conflict code.
constexpr int kConflictRadios[] = {IDC_OPT_DUPLICATE, IDC_OPT_REPLACE, IDC_OPT_LEAVE};

}  // namespace

CalendarImportAction::CalendarImportAction(const std::vector<std::string>& arguments)
    : WizardAction("Ostrane.Kelvra.btnImportA", "ImportE", "event") {
  ActionArguments args(kAction, arguments);
  for (std::string option = args.Next(); !option.empty(); option = args.Next()) {
    if (filter_.Take(option, args)) continue;
    if (option == "--from") {
      const std::string path = args.Value();
      if (!std::filesystem::exists(path))
        throw UsageError(
            "import-calendar: --from " + path +
            ": no such file or folder; give .ics or .vcs files, or folders that hold them");
      from_.push_back(WindowsPathOf(path));
      fromLinux_.push_back(path);
    } else if (option == "--folder") {
      folder_ = args.Value();
    } else if (option == "--conflict") {
      const std::string mode = args.Value();
      if (mode != "0" && mode != "1" && mode != "2")
        throw UsageError("import-calendar: --conflict is 0, 1 or 2");
      conflict_ = std::atoi(mode.c_str());
    } else if (option == "--zone") {
      zone_ = ZoneChoice(args.Value());
    } else {
      args.Unknown(option);
    }
  }
}

std::string CalendarImportAction::ZoneChoice(const std::string& name) {
  if (IsZoneDisplayName(name)) return name;
  const std::string id = WindowsZoneId(name);
  if (id.empty())
    throw UsageError(std::string(kAction) + ": --zone " + name +
                     ": no such zone: " + ZoneNamesAccepted() + " (or a display name of the list)");
  return ZoneDisplayName(id);
}

ExitStatus CalendarImportAction::Run(OfficeSession& session, int outlookMajor) {
  const ExitStatus status = WizardAction::Run(session, outlookMajor);
  for (const std::string& file : FilesWithout("BEGIN:VEVENT", {".ics", ".vcs"}, fromLinux_))
    PrintError(file + " holds no calendar event");
  return status;
}

void CalendarImportAction::Prepare(HostUser& user) {
  user.Drive(IDD_VCAL_IMPORT, [this, &user](HWND dlg) { FirstPage(dlg, user); });
  user.Drive(IDD_VCAL_IMPORT_OPTIONS, [this, &user](HWND dlg) { OptionsPage(dlg, user); });
  user.Drive(IDD_VCAL_IMPORT_FILTER, [this, &user](HWND dlg) { FilterPage(dlg, user); });
  user.Drive(IDD_VCAL_IMPORT_FINISH, [this](HWND dlg) { FinishPage(dlg); });
  filter_.Prepare(user);
}

void CalendarImportAction::FirstPage(HWND dlg, HostUser& user) {
  if (!folder_.empty() && !ChooseOutlookFolder(dlg, folder_, user)) return;
  testkit::TypeText(dlg, IDC_TXT_WIN_FLD, FilesText(from_));
  if (conflict_ || !zone_.empty()) {
    testkit::Click(dlg, IDC_BTN_OPTIONS);
    if (!user.Problems().empty()) return;
  }
  testkit::Click(dlg, filter_.Any() ? IDOK : IDC_BTN_IMPORT_ALL);
}

void CalendarImportAction::OptionsPage(HWND dlg, HostUser& user) {
  if (conflict_) testkit::Click(dlg, kConflictRadios[*conflict_]);
  if (!zone_.empty()) {
    if (!testkit::SelectItem(dlg, IDC_CBO_TIMEZONE, zone_)) {
      user.Refuse("import-calendar: the options page does not offer the zone " + zone_);
      testkit::Click(dlg, IDCANCEL);
      return;
    }
  }
  testkit::Click(dlg, IDOK);
}

void CalendarImportAction::FilterPage(HWND dlg, HostUser& user) {
  filter_.Fill(dlg, user);
  if (!user.Problems().empty()) {
    testkit::Click(dlg, IDCANCEL);
    return;
  }
  testkit::Click(dlg, IDOK);
}

void CalendarImportAction::FinishPage(HWND dlg) {
  // The page shows files and events in one label, "files/events".
  const auto [files, events] = CountPair(dlg, IDC_LBL_NUM_SELECTED);
  const int failed = Count(dlg, IDC_LBL_NUM_FAILURES);
  SetResult("result: files=" + std::to_string(files) + " events=" + std::to_string(events) +
                " imported=" + std::to_string(Count(dlg, IDC_LBL_NUM_IMPORTED)) +
                " failed=" + std::to_string(failed) +
                " skipped=" + std::to_string(Count(dlg, IDC_LBL_NUM_SKIPPED)),
            failed);
  testkit::Click(dlg, IDCANCEL);
}

}  // namespace host
