// What the six contact pages share: their texts come whole from the language file,
// their Help buttons ask for their topics, and the numbered messages are filled in one
// pass.
#include <gtest/gtest.h>

#include <functional>

#include "ContactPageFixture.h"
#include "contacts/CDlgVCardExport.h"
#include "contacts/CDlgVCardExportFinish.h"
#include "contacts/CDlgVCardExportOptions.h"
#include "contacts/CDlgVCardImport.h"
#include "contacts/CDlgVCardImportFinish.h"
#include "contacts/CDlgVCardImportOptions.h"
#include "contacts/FormatNumbered.h"
#include "testkit/KelvraApp.h"
#include "testkit/Windows.h"

namespace kelvra::test {
namespace {

class PageTextsTest : public ContactPageTest {
 protected:
  struct Page {
    int id;
    const char* caption;
    const char* helpTopic;
    std::function<INT_PTR()> run;
  };

  // Each page, run modally by run() once its script is registered.
  std::vector<Page> Pages() {
    const WrittenFilesMap* none = nullptr;
    const std::string folder = Files().windows();
    return {
        {IDD_VCARD_EXPORT, "Kelvra - Export contacts to files",
         "Export_Contacts_to_Files_with_Kelvra.htm",
         [this] { return CDlgVCardExport(App(), Key()).DoModal(nullptr); }},
        {IDD_VCARD_EXPORT_OPTIONS, "Kelvra - Export options",
         "Export_Contacts_to_Files_with_Kelvra.htm",
         [this] {
           return CDlgVCardExportOptions(App(), false, 0, 0, "", "UTF-8").DoModal(nullptr);
         }},
        {IDD_VCARD_EXPORT_FINISH, "Kelvra - Export contacts to files: Completed",
         "Export_Contacts_to_Files_with_Kelvra.htm",
         [this, none, folder] {
           return CDlgVCardExportFinish(App(), Key(), 1, 1, 0, 0, folder.c_str(), none)
               .DoModal(nullptr);
         }},
        {IDD_VCARD_IMPORT, "Kelvra - Import contacts from files",
         "Import_Contacts_from_Files_with_Kelvra.htm",
         [this] { return CDlgVCardImport(App(), Key()).DoModal(nullptr); }},
        {IDD_VCARD_IMPORT_OPTIONS, "Kelvra - Import options",
         "Import_Contacts_from_Files_with_Kelvra.htm",
         [this] { return CDlgVCardImportOptions(App(), 0, 0, "").DoModal(nullptr); }},
        {IDD_VCARD_IMPORT_FINISH, "Kelvra - Import contacts from files: Completed",
         "Import_Contacts_from_Files_with_Kelvra.htm",
         [this] {
           return CDlgVCardImportFinish(Key(), 1, 1, 1, 0, 0, Folder("Other")).DoModal(nullptr);
         }},
    };
  }
};

TEST_F(PageTextsTest, EveryPageTakesItsCaptionAndTextsFromTheLanguageFileWithoutAWarning) {
  for (const Page& page : Pages()) {
    Answer(page.id, [&](HWND d) {
      EXPECT_EQ(testkit::WindowText(d), page.caption);
      EXPECT_EQ(testkit::ControlText(d, IDCANCEL),
                page.id == IDD_VCARD_EXPORT_FINISH || page.id == IDD_VCARD_IMPORT_FINISH
                    ? "Close"
                    : "Cancel");
      testkit::SetCheck(d, IDC_CHK_OPEN_FOLDER, false);
      testkit::Click(d, IDCANCEL);
    });
    EXPECT_EQ(page.run(), IDCANCEL) << page.id;
  }
  const std::string log = Log().Lines();
  EXPECT_EQ(log.find("CLang"), std::string::npos) << log;
}

TEST_F(PageTextsTest, EveryHelpButtonAsksForItsTopicAndKeepsThePageOpen) {
  ASSERT_TRUE(testkit::StartKelvraApp());
  for (const Page& page : Pages()) {
    Answer(page.id, [](HWND d) {
      testkit::Click(d, IDHELP);
      EXPECT_TRUE(IsWindow(d));
      testkit::SetCheck(d, IDC_CHK_OPEN_FOLDER, false);
      testkit::Click(d, IDCANCEL);
    });
    page.run();
  }
  const auto received = testkit::KelvraAppReceived();
  ASSERT_EQ(received.size(), Pages().size());
  for (size_t i = 0; i < received.size(); ++i)
    EXPECT_EQ(received[i].text, std::string("ShowContextHelp,") + Pages()[i].helpTopic) << i;
}

TEST_F(PageTextsTest, TheFirstPagesPaintTheirLabelsOnTheWindowColourOnly) {
  for (int id : {IDD_VCARD_EXPORT, IDD_VCARD_IMPORT}) {
    Answer(id, [](HWND d) {
      HDC dc = CreateCompatibleDC(nullptr);
      const auto brushFor = [&](int control) {
        return reinterpret_cast<HBRUSH>(
            SendMessageA(d, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(GetDlgItem(d, control))));
      };
      EXPECT_EQ(brushFor(IDC_LBL_PRIVATES), GetSysColorBrush(COLOR_WINDOW));
      EXPECT_EQ(brushFor(IDC_TXT_OL_FLD), GetSysColorBrush(COLOR_WINDOW));
      EXPECT_NE(brushFor(IDC_TXT_WIN_FLD), GetSysColorBrush(COLOR_WINDOW));
      DeleteDC(dc);
      testkit::Click(d, IDCANCEL);
    });
    if (id == IDD_VCARD_EXPORT) {
      CDlgVCardExport(App(), Key()).DoModal(nullptr);
    } else {
      CDlgVCardImport(App(), Key()).DoModal(nullptr);
    }
  }
}

// --- Numbered messages ---------------------------------------------------------------

TEST(FormatNumberedTest, PlaceholdersAreFilledInOnePass) {
  EXPECT_EQ(FormatNumbered("%1 holds %2", {"a%2.vcf", "NOTE"}), "a%2.vcf holds NOTE");
  EXPECT_EQ(FormatNumbered("%2, then %1", {"x", "y"}), "y, then x");
  EXPECT_EQ(FormatNumbered("100%% of %1", {"cards"}), "100% of cards");
}

TEST(FormatNumberedTest, APlaceholderWithoutArgumentAndAStrayPercentStay) {
  EXPECT_EQ(FormatNumbered("%1 %3 %x %", {"a"}), "a %3 %x %");
  EXPECT_EQ(FormatNumbered("%0%1", {"a"}), "%0a");
  EXPECT_EQ(FormatNumbered("", {"a"}), "");
}

}  // namespace
}  // namespace kelvra::test
