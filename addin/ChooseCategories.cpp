#include "addin/ChooseCategories.h"

#include <string>

#include "addin/AsciiText.h"
#include "addin/CLogTimer.h"
#include "addin/LogComError.h"
#include "addin/PageText.h"
#include "resource.h"

void ChooseCategories(HWND dlg, Outlook::_Application* app, const char* function) {
  const std::string names = GetDlgItemString(dlg, IDC_TXT_CATEGORIES);
  try {
    if (app == nullptr) _com_issue_error(E_POINTER);
    Outlook::_AppointmentItemPtr item(app->CreateItem(Outlook::olAppointmentItem));
    item->PutCategories(_bstr_t(names.c_str()));
    item->ShowCategoriesDialog();
    const _bstr_t chosen = item->GetCategories();
    const char* text = chosen;
    const std::string trimmed = AsciiText::Trim(text != nullptr ? text : "");
    SetDlgItemTextA(dlg, IDC_TXT_CATEGORIES, trimmed.c_str());
    CheckDlgButton(dlg, IDC_CHK_CATEGORIES, trimmed.empty() ? BST_UNCHECKED : BST_CHECKED);
  } catch (const _com_error& error) {
    LogComError(function, error);
  } catch (...) {
    g_LogTimer.Err(function, 0, "Exception");
  }
}
