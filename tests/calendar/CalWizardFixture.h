// A calendar wizard over the stand-in Outlook: the application made for each test, an
// explorer on the calendar folder, and the dialog scripts, shown dialogs and explorers
// cleared after each test.
#pragma once

#include "CalWriterFixture.h"
#include "outlook/outlook.h"

namespace calwriter {

class CalWizardTest : public CalWriterTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  Outlook::MAPIFolderPtr CalendarFolder() const;
  // Opens an explorer on the calendar folder: the pages start from the explorer's
  // folder, and without a window there is none.
  void ShowCalendar();
  // Empties the calendar folder and shows it.
  void EmptyCalendar();

  Outlook::_ApplicationPtr m_app;
  Outlook::_ExplorerPtr m_explorer;
};

}  // namespace calwriter
