// The message handler the two contact options dialogs add to what every contact page
// shares: the button that opens Outlook's categories dialog for the filter. The dialog
// T holds the application as m_app.
#pragma once

#include "addin/ChooseCategories.h"
#include "addin/WizardPage.h"
#include "resource.h"

template <class T>
class ContactOptionsPage : public WizardPage<T> {
 protected:
  // categoriesFunction: the name a COM error of the categories dialog is logged under;
  // like helpTopic it must outlive the dialog.
  ContactOptionsPage(const char* helpTopic, const char* categoriesFunction)
      : WizardPage<T>(helpTopic), m_categoriesFunction(categoriesFunction) {}

  BEGIN_MSG_MAP(ContactOptionsPage)
    COMMAND_HANDLER(IDC_BTN_CATEGORIES, BN_CLICKED, OnClickedBtnCategories)
    CHAIN_MSG_MAP(WizardPage<T>)
  END_MSG_MAP()

 private:
  LRESULT OnClickedBtnCategories(WORD, WORD, HWND, BOOL&) {
    ChooseCategories(this->m_hWnd, static_cast<T*>(this)->m_app, m_categoriesFunction);
    return 0;
  }

  const char* m_categoriesFunction;
};
