// Outlook's own dialogs that the system opens and the operator answers: the
// session's folder picker (NameSpace.PickFolder) and the categories dialog of an
// appointment (AppointmentItem.ShowCategoriesDialog). Texts are UTF-8.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace testkit {

// What the next folder pickers answer: a folder path as the add-in writes it
// ("\\Personal Folders\Contacts"; "/" also separates), or nullopt for Cancel (the
// default). A path that names no folder makes PickFolder fail (MAPI_E_NOT_FOUND).
void SetOutlookFolderPickerAnswer(std::optional<std::string> path);
// Takes precedence over the answer; an empty function removes it.
using OutlookFolderPickerHandler = std::function<std::optional<std::string>()>;
void SetOutlookFolderPickerHandler(OutlookFolderPickerHandler handler);
// How many folder pickers were shown since the last ResetPickers.
int OutlookFolderPickers();

// What the next categories dialogs answer: the categories chosen, or nullopt for
// Cancel (the default), which leaves the item's categories as they were.
void SetCategoriesDialogAnswer(std::optional<std::string> categories);
// Gets the categories the dialog shows; takes precedence over the answer.
using CategoriesDialogHandler = std::function<std::optional<std::string>(const std::string& shown)>;
void SetCategoriesDialogHandler(CategoriesDialogHandler handler);
// The categories each dialog showed since the last ResetPickers, oldest first.
std::vector<std::string> CategoriesDialogs();

// Both dialogs back to Cancel, with no handler and no record.
void ResetPickers();

}  // namespace testkit
