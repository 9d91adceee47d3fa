#include "ContactImportAction.h"

#include <cstdlib>
#include <filesystem>

#include "ActionArguments.h"
#include "AddInModule.h"
#include "HostOutput.h"
#include "InputFiles.h"
#include "resources/resource.h"
#include "testkit/Dialogs.h"

namespace host {
namespace {

// Dialogs and controls of the import wizard.
constexpr int kFirstPage = IDD_VCARD_IMPORT;
constexpr int kOptionsPage = IDD_VCARD_IMPORT_OPTIONS;
constexpr int kFinishPage = IDD_VCARD_IMPORT_FINISH;
constexpr int kFiles = IDC_TXT_WIN_FLD;
constexpr int kChangeOptions = IDC_BTN_OPTIONS;
constexpr int kConflictRadios[] = {IDC_OPT_DUPLICATE, IDC_OPT_REPLACE, IDC_OPT_LEAVE};
constexpr int kFilesAndContacts = IDC_LBL_NUM_SELECTED;
constexpr int kImported = IDC_LBL_NUM_IMPORTED;
constexpr int kFailed = IDC_LBL_NUM_FAILURES;
constexpr int kSkipped = IDC_LBL_NUM_SKIPPED;
constexpr int kClose = IDCANCEL;

}  // namespace

ContactImportAction::ContactImportAction(const std::vector<std::string>& arguments)
    : WizardAction("Ostrane.Kelvra.btnImportC", "ImportC", "contact") {
  ActionArguments args("import-contacts", arguments);
  for (std::string option = args.Next(); !option.empty(); option = args.Next()) {
    if (option == "--from") {
      const std::string path = args.Value();
      if (!std::filesystem::exists(path))
        throw UsageError("import-contacts: --from " + path +
                         ": no such file or folder; give .vcf files, or folders that hold them");
      from_.push_back(WindowsPathOf(path));
      fromLinux_.push_back(path);
    } else if (option == "--folder") {
      folder_ = args.Value();
    } else if (option == "--conflict") {
      const std::string mode = args.Value();
      if (mode != "0" && mode != "1" && mode != "2")
        throw UsageError("import-contacts: --conflict is 0, 1 or 2");
      conflict_ = std::atoi(mode.c_str());
    } else {
      args.Unknown(option);
    }
  }
}

void ContactImportAction::Prepare(HostUser& user) {
  user.Drive(kFirstPage, [this, &user](HWND dlg) { FirstPage(dlg, user); });
  user.Drive(kOptionsPage, [this](HWND dlg) { OptionsPage(dlg); });
  user.Drive(kFinishPage, [this](HWND dlg) { FinishPage(dlg); });
}

ExitStatus ContactImportAction::Run(OfficeSession& session, int outlookMajor) {
  const ExitStatus status = WizardAction::Run(session, outlookMajor);
  for (const std::string& file : FilesWithout("BEGIN:VCARD", {".vcf"}, fromLinux_))
    PrintError(file + " holds no card");
  return status;
}

void ContactImportAction::FirstPage(HWND dlg, HostUser& user) {
  if (!folder_.empty() && !ChooseOutlookFolder(dlg, folder_, user)) return;
  testkit::TypeText(dlg, kFiles, FilesText(from_));
  if (conflict_) {
    testkit::Click(dlg, kChangeOptions);
    if (!user.Problems().empty()) return;
  }
  testkit::Click(dlg, IDOK);
}

void ContactImportAction::OptionsPage(HWND dlg) {
  if (conflict_) testkit::Click(dlg, kConflictRadios[*conflict_]);
  testkit::Click(dlg, IDOK);
}

void ContactImportAction::FinishPage(HWND dlg) {
  // The page shows files and contacts in one label, "files/contacts".
  const auto [files, contacts] = CountPair(dlg, kFilesAndContacts);
  const int failed = Count(dlg, kFailed);
  SetResult("result: files=" + std::to_string(files) + " contacts=" + std::to_string(contacts) +
                " imported=" + std::to_string(Count(dlg, kImported)) + " failed=" +
                std::to_string(failed) + " skipped=" + std::to_string(Count(dlg, kSkipped)),
            failed);
  testkit::Click(dlg, kClose);
}

}  // namespace host
