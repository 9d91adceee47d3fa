#include "testkit/Pickers.h"

#include "outlook/AppointmentItemCategoriesDesk.h"
#include "outlook/NameSpacePickerDesk.h"

namespace testkit {

using kelvra::outlook::AppointmentItemCategoriesDesk;
using kelvra::outlook::NameSpacePickerDesk;

void SetOutlookFolderPickerAnswer(std::optional<std::string> path) {
  NameSpacePickerDesk::Instance().SetAnswer(std::move(path));
}

void SetOutlookFolderPickerHandler(OutlookFolderPickerHandler handler) {
  NameSpacePickerDesk::Instance().SetHandler(std::move(handler));
}

int OutlookFolderPickers() { return NameSpacePickerDesk::Instance().ShownCount(); }

void SetCategoriesDialogAnswer(std::optional<std::string> categories) {
  AppointmentItemCategoriesDesk::Instance().SetAnswer(std::move(categories));
}

void SetCategoriesDialogHandler(CategoriesDialogHandler handler) {
  AppointmentItemCategoriesDesk::Instance().SetHandler(std::move(handler));
}

std::vector<std::string> CategoriesDialogs() {
  return AppointmentItemCategoriesDesk::Instance().Shown();
}

void ResetPickers() {
  NameSpacePickerDesk::Instance().Reset();
  AppointmentItemCategoriesDesk::Instance().Reset();
}

}  // namespace testkit
