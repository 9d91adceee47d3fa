#include "ContactExportAction.h"

#include "ActionArguments.h"
#include "AddInModule.h"
#include "resources/resource.h"
#include "testkit/Dialogs.h"

namespace host {
namespace {

// Dialogs and controls of the export wizard.
constexpr int kFirstPage = IDD_VCARD_EXPORT;
constexpr int kOptionsPage = IDD_VCARD_EXPORT_OPTIONS;
constexpr int kFinishPage = IDD_VCARD_EXPORT_FINISH;
constexpr int kVCard21 = IDC_OPT_VCARD21;
constexpr int kVCard30 = IDC_OPT_VCARD30;
constexpr int kProcessed = IDC_LBL_NUM_SELECTED;
constexpr int kExported = IDC_LBL_NUM_EXPORTED;
constexpr int kFailed = IDC_LBL_NUM_FAILURES;
constexpr int kSkipped = IDC_LBL_NUM_SKIPPED;
constexpr int kClose = IDCANCEL;

}  // namespace

ContactExportAction::ContactExportAction(const std::vector<std::string>& arguments,
                                         const std::string& encodingsFile)
    : WizardAction("Ostrane.Kelvra.btnExportC", "ExportC", "contact"),
      common_("export-contacts", "contact", encodingsFile) {
  ActionArguments args("export-contacts", arguments);
  for (std::string option = args.Next(); !option.empty(); option = args.Next()) {
    if (common_.Take(option, args)) continue;
    if (option == "--format") {
      const std::string format = args.Value();
      if (format != "21" && format != "30")
        throw UsageError("export-contacts: --format is 21 or 30");
      format_ = std::stoi(format);
    } else {
      args.Unknown(option);
    }
  }
}

ExplorerView ContactExportAction::View() const {
  if (!common_.Selected()) return {};
  return ExplorerView{common_.Folder(), Outlook::olFolderContacts, true};
}

void ContactExportAction::Prepare(HostUser& user) {
  user.Drive(kFirstPage, [this, &user](HWND dlg) { FirstPage(dlg, user); });
  user.Drive(kOptionsPage, [this, &user](HWND dlg) { OptionsPage(dlg, user); });
  user.Drive(kFinishPage, [this](HWND dlg) { FinishPage(dlg); });
}

void ContactExportAction::FirstPage(HWND dlg, HostUser& user) {
  if (!common_.Folder().empty() && !ChooseOutlookFolder(dlg, common_.Folder(), user)) return;
  if (!common_.FillFirstPage(dlg, user)) return;
  testkit::Click(dlg, IDOK);
}

void ContactExportAction::OptionsPage(HWND dlg, HostUser& user) {
  if (format_) testkit::Click(dlg, *format_ == 30 ? kVCard30 : kVCard21);
  if (!common_.FillOptions(dlg, user)) return;
  testkit::Click(dlg, IDOK);
}

void ContactExportAction::FinishPage(HWND dlg) {
  const int failed = Count(dlg, kFailed);
  SetResult("result: selected=" + std::to_string(Count(dlg, kProcessed)) + " exported=" +
                std::to_string(Count(dlg, kExported)) + " failed=" + std::to_string(failed) +
                " skipped=" + std::to_string(Count(dlg, kSkipped)),
            failed);
  testkit::Click(dlg, kClose);
}

}  // namespace host
