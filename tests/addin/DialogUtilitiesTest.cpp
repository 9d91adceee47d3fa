// Small helpers of the dialogs: control fonts, icon pictures and the folder dialog's
// start folder.
#include <gtest/gtest.h>

#include <string>

#include "AddinTestSupport.h"
#include "addin/Application.h"
#include "addin/BrowseFolderCallback.h"
#include "addin/LoadIconBitmap.h"
#include "addin/SetDlgItemFont.h"
#include "resource.h"
#include "testkit/Dialogs.h"
#include "testkit/Operator.h"
#include "testkit/Watchdog.h"
#include "testkit/Windows.h"

namespace {

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

class DialogUtilitiesTest : public ::testing::Test {
 protected:
  void SetUp() override { g_hInstance = kelvra::test::AddinModule(); }
  void TearDown() override { testkit::ClearDialogScripts(); }

  // Runs script inside the labels dialog, then closes it.
  void InDialog(testkit::DialogScript script) {
    testkit::OnDialog(IDD_EVENT_LABELS, [script](HWND d) {
      script(d);
      EndDialog(d, IDCANCEL);
    });
    ASSERT_EQ(DialogBoxParamA(g_hInstance, MAKEINTRESOURCEA(IDD_EVENT_LABELS), nullptr,
                              &PlainDialogProc, 0),
              IDCANCEL);
  }

  testkit::Watchdog watchdog_{"dialog utilities", std::chrono::seconds(30)};
};

// --- Fonts ---------------------------------------------------------------------------------------

using SetDlgItemFontTest = DialogUtilitiesTest;

TEST_F(SetDlgItemFontTest, CopiesTheControlFontWithTheAskedStyleAndSetsIt) {
  HFONT bold = nullptr;
  HFONT underlined = nullptr;
  LOGFONTA original{};
  InDialog([&](HWND d) {
    original = testkit::FontOf(testkit::Control(d, IDOK).font);
    bold = SetDlgItemFont(d, IDOK, TRUE, 5, FALSE);
    EXPECT_EQ(testkit::Control(d, IDOK).font, bold);
    underlined = SetDlgItemFont(d, IDCANCEL, FALSE, FALSE, TRUE);
    EXPECT_EQ(SetDlgItemFont(d, 4711, TRUE, FALSE, FALSE), nullptr);
  });
  ASSERT_NE(bold, nullptr);
  ASSERT_NE(underlined, nullptr);
  LOGFONTA b = testkit::FontOf(bold);
  LOGFONTA u = testkit::FontOf(underlined);
  EXPECT_EQ(b.lfWeight, 700);
  EXPECT_EQ(b.lfItalic, 1);
  EXPECT_EQ(b.lfUnderline, 0);
  EXPECT_EQ(u.lfWeight, 400);
  EXPECT_EQ(u.lfItalic, 0);
  EXPECT_EQ(u.lfUnderline, 1);
  EXPECT_EQ(std::string(b.lfFaceName), original.lfFaceName);
  EXPECT_EQ(b.lfHeight, original.lfHeight);
  EXPECT_TRUE(DeleteObject(bold));
  EXPECT_TRUE(DeleteObject(underlined));
}

// --- Icon pictures -----------------------------------------------------------------------------

using IconPictureTest = DialogUtilitiesTest;

TEST_F(IconPictureTest, TheIconIsDrawnOverTheColourAndOnlyTheBitmapOutlivesIt) {
  const int before = testkit::GdiObjectCount();
  HBITMAP picture = LoadIconBitmap(IDI_IMPORT_EVENTS, RGB(1, 2, 3), 24, 20);
  ASSERT_NE(picture, nullptr);
  testkit::ImageInfo image = testkit::ImageOf(picture);
  EXPECT_FALSE(image.icon);
  EXPECT_EQ(image.width, 24);
  EXPECT_EQ(image.height, 20);
  EXPECT_TRUE(image.filled);
  EXPECT_EQ(image.fillColor, RGB(1, 2, 3));
  EXPECT_EQ(image.iconId, IDI_IMPORT_EVENTS);
  EXPECT_EQ(testkit::GdiObjectCount(), before + 1);  // icon, brush and DCs are gone
  DeleteObject(picture);
  EXPECT_EQ(LoadIconBitmap(4711, 0, 24, 24), nullptr);
  EXPECT_EQ(testkit::GdiObjectCount(), before);
}

// --- Folder dialog ---------------------------------------------------------------------------

using BrowseFolderCallbackTest = DialogUtilitiesTest;

TEST_F(BrowseFolderCallbackTest, TheDialogStartsInTheFolderPassedAsData) {
  testkit::ClearFolderBrowsers();
  testkit::SetFolderBrowserAnswer(std::nullopt);
  char start[] = "Z:\\tmp\\start folder";
  char name[MAX_PATH] = "";
  BROWSEINFOA info{};
  info.pszDisplayName = name;
  info.lpszTitle = "Choose";
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  info.lpfn = &BrowseFolderCallback;
  info.lParam = reinterpret_cast<LPARAM>(start);
  EXPECT_EQ(SHBrowseForFolderA(&info), nullptr);
  auto shown = testkit::FolderBrowsers();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].startFolder, start);
  EXPECT_EQ(shown[0].flags, 0x41u);
  EXPECT_EQ(BrowseFolderCallback(nullptr, 2, 0, 0), 0);  // other messages are ignored
}

}  // namespace
