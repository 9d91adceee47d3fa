#include "ContactExportAction.h"

#include <filesystem>

#include "ActionArguments.h"
#include "AddInModule.h"
#include "EncodingNames.h"
#include "resources/resource.h"
#include "testkit/Dialogs.h"

namespace host {
namespace {

// Dialogs and controls of the export wizard.
constexpr int kFirstPage = IDD_VCARD_EXPORT;
constexpr int kOptionsPage = IDD_VCARD_EXPORT_OPTIONS;
constexpr int kFinishPage = IDD_VCARD_EXPORT_FINISH;
constexpr int kWindowsFolder = IDC_TXT_WIN_FLD;
constexpr int kOneFile = IDC_CHK_SAVE_ONE_FILE;
constexpr int kSelectedOnly = IDC_CHK_EXPORT_SELECTED;
constexpr int kChangeOptions = IDC_BTN_OPTIONS;
constexpr int kOverwrite = IDC_CHK_OVERWRITE;
constexpr int kVCard21 = IDC_OPT_VCARD21;
constexpr int kVCard30 = IDC_OPT_VCARD30;
constexpr int kEncoding = IDC_CBO_ENCODING;
constexpr int kProcessed = IDC_LBL_NUM_SELECTED;
constexpr int kExported = IDC_LBL_NUM_EXPORTED;
constexpr int kFailed = IDC_LBL_NUM_FAILURES;
constexpr int kSkipped = IDC_LBL_NUM_SKIPPED;
constexpr int kClose = IDCANCEL;

}  // namespace

ContactExportAction::ContactExportAction(const std::vector<std::string>& arguments, const std::string& encodingsFile)
    : WizardAction("Ostrane.Kelvra.btnExportC", "ExportC", "contact") {
  ActionArguments args("export-contacts", arguments);
  for (std::string option = args.Next(); !option.empty(); option = args.Next()) {
    if (option == "--to") {
      const std::string dir = args.Value();
      if (!std::filesystem::is_directory(dir)) throw UsageError("export-contacts: --to " + dir + ": no such folder");
      to_ = WindowsPathOf(dir);
    } else if (option == "--folder") {
      folder_ = args.Value();
    } else if (option == "--format") {
      const std::string format = args.Value();
      if (format != "21" && format != "30") throw UsageError("export-contacts: --format is 21 or 30");
      format_ = format == "30" ? 30 : 21;
    } else if (option == "--encoding") {
      const std::string name = args.Value();
      encoding_ = EncodingName(name, encodingsFile);
      if (encoding_.empty()) throw UsageError("export-contacts: --encoding " + name + ": no such encoding");
    } else if (option == "--one-file" || option == "--file-per-contact") {
      if (oneFile_ && *oneFile_ != (option == "--one-file"))
        throw UsageError("export-contacts: --one-file and --file-per-contact exclude each other");
      oneFile_ = option == "--one-file";
    } else if (option == "--overwrite") {
      overwrite_ = true;
    } else if (option == "--selected") {
      selected_ = true;
    } else {
      args.Unknown(option);
    }
  }
  if (to_.empty()) throw UsageError("export-contacts needs --to DIR");
}

ExplorerView ContactExportAction::View() const {
  if (!selected_) return {};
  return ExplorerView{folder_, Outlook::olFolderContacts, true};
}

void ContactExportAction::Prepare(HostUser& user) {
  user.Drive(kFirstPage, [this, &user](HWND dlg) { FirstPage(dlg, user); });
  user.Drive(kOptionsPage, [this, &user](HWND dlg) { OptionsPage(dlg, user); });
  user.Drive(kFinishPage, [this](HWND dlg) { FinishPage(dlg); });
}

void ContactExportAction::FirstPage(HWND dlg, HostUser& user) {
  if (!folder_.empty() && !ChooseOutlookFolder(dlg, folder_, user)) return;
  testkit::TypeText(dlg, kWindowsFolder, to_);
  if (oneFile_) testkit::SetCheck(dlg, kOneFile, *oneFile_);
  if (!testkit::SetCheck(dlg, kSelectedOnly, selected_) && selected_) {
    user.Refuse("export-contacts: --selected, but the window has no contact selected");
    return;
  }
  testkit::Click(dlg, kChangeOptions);
  if (!user.Problems().empty()) return;
  testkit::Click(dlg, IDOK);
}

void ContactExportAction::OptionsPage(HWND dlg, HostUser& user) {
  if (format_) testkit::Click(dlg, *format_ == 30 ? kVCard30 : kVCard21);
  if (!encoding_.empty() && !testkit::SelectItem(dlg, kEncoding, encoding_)) {
    user.Refuse("export-contacts: the options page does not offer the encoding " + encoding_);
    return;
  }
  testkit::SetCheck(dlg, kOverwrite, overwrite_);
  testkit::Click(dlg, IDOK);
}

void ContactExportAction::FinishPage(HWND dlg) {
  const int failed = Count(dlg, kFailed);
  SetResult("result: selected=" + std::to_string(Count(dlg, kProcessed)) +
                " exported=" + std::to_string(Count(dlg, kExported)) + " failed=" + std::to_string(failed) +
                " skipped=" + std::to_string(Count(dlg, kSkipped)),
            failed);
  testkit::Click(dlg, kClose);
}

}  // namespace host
