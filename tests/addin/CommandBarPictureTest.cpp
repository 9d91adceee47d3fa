// A command-bar button's image from the add-in's bitmaps: Office keeps a copy, so the
// bitmaps and picture objects made for it are freed again at once.
#include <gtest/gtest.h>

#include "AddinTestSupport.h"
#include "addin/Application.h"
#include "addin/SetButtonPicture.h"
#include "resource.h"
#include "testkit/Com.h"
#include "testkit/CommandBars.h"
#include "testkit/Outlook.h"
#include "testkit/Store.h"
#include "testkit/Windows.h"

namespace {

class CommandBarPictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ResetMailbox();
    testkit::SetOutlookVersion(12);
    g_hInstance = kelvra::test::AddinModule();
    m_window = testkit::OpenExplorer(nullptr);
    m_button = m_window->GetCommandBars()->GetItem(_variant_t("Standard"))->GetControls()->Add();
  }
  void TearDown() override {
    m_button = nullptr;
    m_window = nullptr;
    testkit::ResetExplorers();
    testkit::ResetMailbox();
  }

  Outlook::_ExplorerPtr m_window;
  Office::CommandBarButtonPtr m_button;
};

TEST_F(CommandBarPictureTest, PictureAndMaskComeFromTheBitmapsAndNothingIsLeftBehind) {
  const int gdiBefore = testkit::GdiObjectCount();
  const std::size_t picturesBefore = testkit::LivePictures();
  SetButtonPicture(m_button, IDB_CONTACTS_IMPORT, IDB_CONTACTS_IMPORT_MASK);
  EXPECT_EQ(testkit::PictureResource(m_button), IDB_CONTACTS_IMPORT);
  EXPECT_EQ(testkit::MaskResource(m_button), IDB_CONTACTS_IMPORT_MASK);
  EXPECT_EQ(testkit::GdiObjectCount(), gdiBefore);
  EXPECT_EQ(testkit::LivePictures(), picturesBefore);
}

TEST_F(CommandBarPictureTest, AMissingBitmapLeavesThatImageUnset) {
  SetButtonPicture(m_button, 999, IDB_SYNC_ALL_MASK);
  EXPECT_EQ(testkit::PictureResource(m_button), 0);
  EXPECT_EQ(testkit::MaskResource(m_button), IDB_SYNC_ALL_MASK);
  SetButtonPicture(m_button, IDB_SYNC_ALL, -1);
  EXPECT_EQ(testkit::PictureResource(m_button), IDB_SYNC_ALL);
}

}  // namespace
