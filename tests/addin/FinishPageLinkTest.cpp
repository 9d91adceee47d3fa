// The two links of the four finish pages ("Skipped (Why?):" and "Open folder") are
// labels the page hit-tests itself: they must answer where the user sees them, also
// once the page has been dragged elsewhere on the screen.
#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

#include "ConnectTestSupport.h"
#include "addin/CLang.h"
#include "calendar/CDlgVCalExportFinish.h"
#include "calendar/CDlgVCalImportFinish.h"
#include "contacts/CDlgVCardExportFinish.h"
#include "contacts/CDlgVCardImportFinish.h"
#include "resource.h"
#include "testkit/Dialogs.h"
#include "testkit/KelvraApp.h"
#include "testkit/Operator.h"
#include "testkit/Outlook.h"
#include "testkit/Watchdog.h"
#include "testkit/Windows.h"

namespace kelvra::test {
namespace {

constexpr const char* kWindowsFolder = "Z:\\tmp\\exported";
constexpr const char* kWhyCommand = "ShowContextHelp,Item_Skipping_during_Import_Export.htm";

// The middle of a control, in the dialog's client coordinates.
POINT MiddleOf(HWND dlg, int id) {
  const RECT rect = testkit::WindowRect(GetDlgItem(dlg, id));
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// Moves the dialog as dragging its caption does, keeping its size.
void DragBy(HWND dlg, int dx, int dy) {
  RECT rect{};
  ASSERT_TRUE(GetWindowRect(dlg, &rect));
  ASSERT_TRUE(MoveWindow(dlg, rect.left + dx, rect.top + dy, rect.right - rect.left,
                         rect.bottom - rect.top, TRUE));
  RECT moved{};
  ASSERT_TRUE(GetWindowRect(dlg, &moved));
  ASSERT_EQ(moved.left, rect.left + dx);
}

template <class Page>
class FinishPageLinkTest : public ConnectTest {
 protected:
  static constexpr bool kExport = std::is_base_of_v<ExportFinishPage<Page>, Page>;

  void SetUp() override {
    ConnectTest::SetUp();
    ASSERT_TRUE(g_Lang.LoadFile(m_folder.windowsPath("EN.ini").c_str(), "Kelvra.dll"));
    ASSERT_TRUE(testkit::StartKelvraApp());
    testkit::ClearShellExecutes();
    m_target = m_app->GetSession()->GetDefaultFolder(Outlook::olFolderCalendar);
    m_explorer = testkit::OpenExplorer(nullptr);
  }
  void TearDown() override {
    m_explorer = nullptr;
    m_target = nullptr;
    ConnectTest::TearDown();
  }

  // Runs the page, one item skipped, with the script as its user.
  void Run(testkit::DialogScript script) {
    testkit::OnDialog(Page::IDD, std::move(script));
    if constexpr (kExport) {
      Page page(m_app, nullptr, 2, 1, 0, 1, kWindowsFolder, nullptr);
      EXPECT_EQ(page.DoModal(nullptr), IDCANCEL);
    } else {
      Page page(nullptr, 1, 2, 1, 0, 1, m_target);
      EXPECT_EQ(page.DoModal(nullptr), IDCANCEL);
    }
  }
  // What the open-folder link did so far: the Windows folders opened by the shell, or
  // whether the Outlook folder came to the explorer.
  bool FolderOpened() const {
    if constexpr (kExport) {
      const std::vector<testkit::ShellExecuteRecord> opened = testkit::ShellExecutes();
      for (const testkit::ShellExecuteRecord& record : opened)
        EXPECT_EQ(record.file, kWindowsFolder);
      return opened.size() == 1;
    } else {
      const Outlook::MAPIFolderPtr shown = m_explorer->GetCurrentFolder();
      return shown && std::string(shown->GetEntryID()) == std::string(m_target->GetEntryID());
    }
  }

  Outlook::MAPIFolderPtr m_target;
  Outlook::_ExplorerPtr m_explorer;
  testkit::Watchdog m_watchdog{"finish page links", std::chrono::seconds(30)};
};

using FinishPages = ::testing::Types<CDlgVCardExportFinish, CDlgVCardImportFinish,
                                     CDlgVCalExportFinish, CDlgVCalImportFinish>;
TYPED_TEST_SUITE(FinishPageLinkTest, FinishPages);

TYPED_TEST(FinishPageLinkTest, TheLinksAnswerWhereTheyAreAfterThePageWasMoved) {
  this->Run([this](HWND d) {
    DragBy(d, 160, 90);
    testkit::ClickAt(d, MiddleOf(d, IDC_LNK_OPEN_FOLDER));
    EXPECT_TRUE(this->FolderOpened());
    DragBy(d, -300, 40);
    testkit::ClickAt(d, MiddleOf(d, IDC_LBL_WHY_SKIPPED));
    EXPECT_EQ(this->Commands(), std::vector<std::string>{kWhyCommand});
    // Away from the links a click does nothing.
    testkit::ClickAt(d, MiddleOf(d, IDC_LBL_STATUS));
    EXPECT_EQ(this->Commands().size(), 1u);
    EXPECT_TRUE(IsWindow(d));
    testkit::SetCheck(d, IDC_CHK_OPEN_FOLDER, false);
    testkit::Click(d, IDCANCEL);
  });
  EXPECT_EQ(this->Commands(), std::vector<std::string>{kWhyCommand});
}

}  // namespace
}  // namespace kelvra::test
