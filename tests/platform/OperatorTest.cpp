// The operator outside dialogs: the folder browser and ShellExecuteA.
#include <gtest/gtest.h>

#include "testkit/Operator.h"
#include "win32/windows.h"

namespace {

class OperatorTest : public ::testing::Test {
 protected:
  void TearDown() override {
    testkit::SetFolderBrowserAnswer(std::nullopt);
    testkit::SetFolderBrowserHandler(nullptr);
    testkit::ClearFolderBrowsers();
    testkit::ClearShellExecutes();
  }

  static int CALLBACK Preselect(HWND wnd, UINT msg, LPARAM, LPARAM data) {
    if (msg == BFFM_INITIALIZED) SendMessageA(wnd, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
  }

  BROWSEINFOA Info(char* name) {
    BROWSEINFOA info{};
    info.pszDisplayName = name;
    info.lpszTitle = "Choose the folder";
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = &Preselect;
    info.lParam = reinterpret_cast<LPARAM>("Z:\\tmp\\start");
    return info;
  }
};

using OperatorFolderBrowserTest = OperatorTest;

TEST_F(OperatorFolderBrowserTest, TheOperatorSeesTitleFlagsAndStartFolderAndChooses) {
  testkit::SetFolderBrowserAnswer("Z:\\tmp\\chosen\\");
  char name[MAX_PATH] = "";
  BROWSEINFOA info = Info(name);
  PIDLIST_ABSOLUTE list = SHBrowseForFolderA(&info);
  ASSERT_NE(list, nullptr);
  char path[MAX_PATH] = "";
  EXPECT_TRUE(SHGetPathFromIDListA(list, path));
  EXPECT_STREQ(path, "Z:\\tmp\\chosen\\");
  EXPECT_STREQ(name, "chosen");
  CoTaskMemFree(list);
  const auto shown = testkit::FolderBrowsers();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].title, "Choose the folder");
  EXPECT_EQ(shown[0].flags, 0x41u);
  EXPECT_EQ(shown[0].startFolder, "Z:\\tmp\\start");
}

TEST_F(OperatorFolderBrowserTest, CancelGivesNullAndAHandlerDecidesPerBrowser) {
  char name[MAX_PATH] = "";
  BROWSEINFOA info = Info(name);
  EXPECT_EQ(SHBrowseForFolderA(&info), nullptr);
  EXPECT_FALSE(SHGetPathFromIDListA(nullptr, name));
  testkit::SetFolderBrowserHandler(
      [](const testkit::FolderBrowserRecord& record) -> std::optional<std::string> {
        return record.startFolder + "\\sub";
      });
  PIDLIST_ABSOLUTE list = SHBrowseForFolderA(&info);
  char path[MAX_PATH] = "";
  SHGetPathFromIDListA(list, path);
  EXPECT_STREQ(path, "Z:\\tmp\\start\\sub");
  CoTaskMemFree(list);
}

TEST_F(OperatorTest, ShellExecuteIsRecordedAndLaunchesNothing) {
  HINSTANCE result =
      ShellExecuteA(nullptr, "open", "Z:\\tmp\\out", nullptr, nullptr, SW_SHOWNORMAL);
  EXPECT_GT(reinterpret_cast<INT_PTR>(result), 32);
  const auto calls = testkit::ShellExecutes();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].operation, "open");
  EXPECT_EQ(calls[0].file, "Z:\\tmp\\out");
  EXPECT_EQ(calls[0].showCommand, SW_SHOWNORMAL);
}

}  // namespace
