#include "ExportOptions.h"

#include <filesystem>

#include "AddInModule.h"
#include "EncodingNames.h"
#include "HostOptions.h"
#include "resources/resource.h"
#include "testkit/Dialogs.h"
#include "win32/files.h"

namespace host {
namespace {

constexpr const char* kFolderNeeded = "the folder the files go to must exist and be writable";

// Whether files can be made in the folder, found as the export would: by making one.
bool CanWriteIn(const std::string& windowsFolder) {
  char probe[MAX_PATH] = {};
  if (GetTempFileNameA(windowsFolder.c_str(), "kvh", 0, probe) == 0) return false;
  DeleteFileA(probe);
  return true;
}

}  // namespace

ExportOptions::ExportOptions(std::string action, std::string item, std::string encodingsFile)
    : action_(std::move(action)),
      item_(std::move(item)),
      encodingsFile_(std::move(encodingsFile)) {}

bool ExportOptions::Take(const std::string& option, ActionArguments& args) {
  const std::string perItem = "--file-per-" + item_;
  if (option == "--to") {
    const std::string dir = args.Value();
    if (!std::filesystem::is_directory(dir))
      throw UsageError(action_ + ": --to " + dir + ": no such folder; " + kFolderNeeded);
    to_ = WindowsPathOf(dir);
    if (!CanWriteIn(to_))
      throw UsageError(action_ + ": --to " + dir + ": the folder cannot be written; " +
                       kFolderNeeded);
  } else if (option == "--folder") {
    folder_ = args.Value();
  } else if (option == "--encoding") {
    const std::string name = args.Value();
    encoding_ = EncodingName(name, encodingsFile_);
    if (encoding_.empty())
      throw UsageError(action_ + ": --encoding " + name + ": no such encoding");
  } else if (option == "--one-file" || option == perItem) {
    if (oneFile_ && *oneFile_ != (option == "--one-file"))
      throw UsageError(action_ + ": --one-file and " + perItem + " exclude each other");
    oneFile_ = option == "--one-file";
  } else if (option == "--overwrite") {
    overwrite_ = true;
  } else if (option == "--selected") {
    selected_ = true;
  } else {
    return false;
  }
  return true;
}

bool ExportOptions::FillFirstPage(HWND dlg, HostUser& user) const {
  testkit::TypeText(dlg, IDC_TXT_WIN_FLD, to_);
  if (oneFile_) testkit::SetCheck(dlg, IDC_CHK_SAVE_ONE_FILE, *oneFile_);
  if (!testkit::SetCheck(dlg, IDC_CHK_EXPORT_SELECTED, selected_) && selected_) {
    user.Refuse(action_ + ": --selected, but the window has no " + item_ + " selected");
    return false;
  }
  testkit::Click(dlg, IDC_BTN_OPTIONS);
  return user.Problems().empty();
}

bool ExportOptions::FillOptions(HWND dlg, HostUser& user) const {
  if (!encoding_.empty() && !testkit::SelectItem(dlg, IDC_CBO_ENCODING, encoding_)) {
    user.Refuse(action_ + ": the options page does not offer the encoding " + encoding_);
    return false;
  }
  testkit::SetCheck(dlg, IDC_CHK_OVERWRITE, overwrite_);
  return true;
}

}  // namespace host
