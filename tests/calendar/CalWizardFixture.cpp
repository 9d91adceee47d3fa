#include "CalWizardFixture.h"

#include "testkit/Dialogs.h"
#include "testkit/Outlook.h"

namespace calwriter {

void CalWizardTest::SetUp() {
  CalWriterTest::SetUp();
  m_app = testkit::CreateOutlookApplication();
}

void CalWizardTest::TearDown() {
  testkit::ClearDialogScripts();
  testkit::ClearShownDialogs();
  m_explorer = nullptr;
  testkit::ResetExplorers();
  m_app = nullptr;
  CalWriterTest::TearDown();
}

Outlook::MAPIFolderPtr CalWizardTest::CalendarFolder() const {
  return m_app->GetSession()->GetDefaultFolder(Outlook::olFolderCalendar);
}

void CalWizardTest::ShowCalendar() { m_explorer = testkit::OpenExplorer(CalendarFolder()); }

void CalWizardTest::EmptyCalendar() {
  LoadCalendar("");
  ShowCalendar();
}

}  // namespace calwriter
