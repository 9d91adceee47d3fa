// The controls an explorer object puts on a window's command bars, per Outlook version.
#include <cstring>
#include <regex>
#include <string>

#include "ExplorerTestSupport.h"
#include "testkit/CommandBars.h"
#include "testkit/Outlook.h"
#include "testkit/Registry.h"

namespace {

using kelvra::test::ExplorerTest;

// The add-in's controls on Outlook 2003 and 2007 (pictures from the add-in's bitmaps),
// the start window showing the Inbox.
const char kPictureLayout[] =
    "Menu Bar (menu bar)\n"
    "  1 popup id=30002 caption=\"&File\"\n"
    "      5 popup id=1 caption=\"Kelvra Import/Export\" temporary\n"
    "          1 button id=1 caption=\"Export Contacts...\" style=icon+caption picture=260 "
    "mask=262 temporary\n"
    "          2 button id=1 caption=\"Import Contacts...\" style=icon+caption picture=267 "
    "mask=266 temporary\n"
    "          3 button id=1 caption=\"Export Events...\" style=icon+caption picture=258 mask=257 "
    "group temporary\n"
    "          4 button id=1 caption=\"Import Events...\" style=icon+caption picture=264 mask=263 "
    "temporary\n"
    "      6 button id=1 caption=\"Open Kelvra\" tag=\"<tag>\" parameter=\"OpenExe\" style=caption "
    "temporary\n"
    "  2 popup id=30003 caption=\"&Edit\"\n"
    "      5 button id=1 caption=\"Open Kelvra\" tag=\"<tag>\" parameter=\"OpenExe\" style=caption "
    "group temporary\n"
    "  7 popup id=30010 caption=\"&Help\"\n"
    "      3 popup id=1 caption=\"About Ostrane Add-ins\" tag=\"Ostrane About\" temporary\n"
    "          1 button id=1 caption=\"About Kelvra...\" style=caption temporary\n"
    "Standard\n"
    "  5 button id=1 tooltip=\"Import Contacts...\" style=icon picture=267 mask=266 hidden "
    "temporary\n"
    "  6 button id=1 tooltip=\"Export Contacts...\" style=icon picture=260 mask=262 hidden "
    "temporary\n"
    "  7 button id=1 tooltip=\"Import Events...\" style=icon picture=264 mask=263 hidden "
    "temporary\n"
    "  8 button id=1 tooltip=\"Export Events...\" style=icon picture=258 mask=257 hidden "
    "temporary\n"
    "  9 button id=1 tag=\"<tag>\" parameter=\"SyncAll\" tooltip=\"Synchronize all Kelvra "
    "profiles\" "
    "style=icon picture=285 mask=286 temporary\n"
    "  10 popup id=1 caption=\" \" temporary\n"
    "      1 button id=1 caption=\"Open Kelvra\" tag=\"<tag>\" parameter=\"OpenExe\" style=caption "
    "temporary\n"
    "      2 button id=1 caption=\"New Profile...\" tag=\"<tag>\" parameter=\"NewProfile\" "
    "style=caption temporary\n"
    "      3 button id=1 caption=\"Unvisible\" tag=\"<tag>\" parameter=\"SyncProfile_\" "
    "style=caption group "
    "hidden disabled temporary\n"
    "      4 popup id=1 caption=\"Kelvra Import/Export\" tag=\"<tag>\" group temporary\n"
    "          1 button id=1 caption=\"Export Contacts...\" tag=\"<tag>\" parameter=\"ExportC\" "
    "style=icon+caption picture=260 mask=262 temporary\n"
    "          2 button id=1 caption=\"Import Contacts...\" tag=\"<tag>\" parameter=\"ImportC\" "
    "style=icon+caption picture=267 mask=266 temporary\n"
    "          3 button id=1 caption=\"Export Events...\" tag=\"<tag>\" parameter=\"ExportE\" "
    "style=icon+caption picture=258 mask=257 group temporary\n"
    "          4 button id=1 caption=\"Import Events...\" tag=\"<tag>\" parameter=\"ImportE\" "
    "style=icon+caption picture=264 mask=263 temporary\n"
    "      5 button id=1 caption=\"Help\" tag=\"<tag>\" parameter=\"Help\" style=caption group "
    "temporary\n"
    "      6 button id=1 caption=\"About Kelvra\" tag=\"<tag>\" parameter=\"About\" style=caption "
    "temporary\n";

// Outlook 2000 and 2002 use Office's built-in faces instead of pictures.
std::string FaceLayout() {
  std::string layout = kPictureLayout;
  const std::pair<const char*, const char*> faces[] = {{"picture=267 mask=266", "face=270"},
                                                       {"picture=260 mask=262", "face=271"},
                                                       {"picture=264 mask=263", "face=270"},
                                                       {"picture=258 mask=257", "face=271"},
                                                       {"picture=285 mask=286", "face=1545"}};
  for (const auto& [picture, face] : faces) {
    for (std::size_t at = layout.find(picture); at != std::string::npos;
         at = layout.find(picture)) {
      layout.replace(at, std::strlen(picture), face);
    }
  }
  return layout;
}

// --- The layouts of each Outlook version.

using ExplorerLayoutTest = ExplorerTest;

class ExplorerVersionLayoutTest : public ExplorerTest, public ::testing::WithParamInterface<int> {};

TEST_P(ExplorerVersionLayoutTest, ControlsFitTheVersion) {
  StartOutlook(GetParam());
  EXPECT_EQ(AddedControls(), GetParam() >= 11 ? std::string(kPictureLayout) : FaceLayout());
}

INSTANTIATE_TEST_SUITE_P(Outlook2000To2007, ExplorerVersionLayoutTest,
                         ::testing::Values(9, 10, 11, 12));

TEST_F(ExplorerLayoutTest, Outlook2010GetsNoControlsAndStillLosesItsObjectOnClose) {
  StartOutlook(14);
  EXPECT_EQ(AddedControls(), "");
  EXPECT_EQ(m_connect->ExplorerCount(), 1u);
  testkit::CloseExplorer(m_window);
  EXPECT_EQ(m_connect->ExplorerCount(), 0u);
}

TEST_F(ExplorerLayoutTest, EachWindowHasATagOfItsOwn) {
  StartOutlook(12);
  Outlook::_ExplorerPtr second = OpenWindow();
  const std::string first = WindowTag();
  EXPECT_TRUE(std::regex_match(first, std::regex("Kelvra[0-9]{17}[A-Z]{6}"))) << first;
  EXPECT_NE(WindowTag(second), first);
  EXPECT_NE(WindowTag(second), "");
}

TEST_F(ExplorerLayoutTest, WithoutTheDeleteButtonThePictureButtonsTakePositionSix) {
  StartOutlook(12, Outlook::olFolderInbox, [](Outlook::_Explorer* window) {
    window->GetCommandBars()
        ->GetItem(_variant_t("Standard"))
        ->FindControl(Office::Missing(), _variant_t(478L))
        ->Delete();
  });
  const std::string layout = AddedControls();
  EXPECT_NE(layout.find("Standard\n  6 button id=1 tooltip=\"Import Contacts...\""),
            std::string::npos)
      << layout;
  EXPECT_NE(layout.find("  10 button id=1 tag=\"<tag>\" parameter=\"SyncAll\""), std::string::npos)
      << "sync-all right after them";
}

// --- The debug item.

using ExplorerDebugItemTest = ExplorerTest;

TEST_F(ExplorerDebugItemTest, DebugButtonOneAddsTheItemLastInAGroupOfItsOwn) {
  testkit::WriteDword(HKEY_CURRENT_USER, "Software\\Ostrane\\Kelvra", "DebugButton", 1);
  StartOutlook(12);
  const std::string layout = AddedControls();
  EXPECT_NE(layout.find("About\" style=caption temporary\n"
                        "      7 button id=1 caption=\"DEBUG\" tag=\"Ostrane.Kelvra.DEBUG\" "
                        "style=caption group temporary\n"),
            std::string::npos)
      << layout;
}

class ExplorerNoDebugItemTest : public ExplorerTest, public ::testing::WithParamInterface<int> {};

TEST_P(ExplorerNoDebugItemTest, DebugButtonZeroMissingOrOfAnotherTypeAddsNoItem) {
  if (GetParam() == 1)
    testkit::WriteDword(HKEY_CURRENT_USER, "Software\\Ostrane\\Kelvra", "DebugButton", 0);
  if (GetParam() == 2) {
    testkit::WriteString(HKEY_CURRENT_USER, "Software\\Ostrane\\Kelvra", "DebugButton", "1");
  }
  StartOutlook(12);
  EXPECT_EQ(AddedControls().find("DEBUG"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(MissingZeroOrText, ExplorerNoDebugItemTest, ::testing::Values(0, 1, 2));

// --- The about popup, shared with other add-ins of the company.

using ExplorerAboutMenuTest = ExplorerTest;

TEST_F(ExplorerAboutMenuTest, AnExistingPopupTaggedOstraneAboutReceivesTheItem) {
  Office::CommandBarPopupPtr help;
  Office::CommandBarControlPtr shared;
  StartOutlook(12, Outlook::olFolderInbox, [&](Outlook::_Explorer* window) {
    help = window->GetCommandBars()->GetActiveMenuBar()->FindControl(Office::Missing(),
                                                                     _variant_t(30010L));
    shared = help->GetControls()->Add(_variant_t(10L));
    shared->PutTag("Ostrane About");
  });
  EXPECT_EQ(help->GetControls()->GetCount(), 3) << "no second popup";
  Office::CommandBarControlsPtr items = Office::CommandBarPopupPtr(shared)->GetControls();
  ASSERT_EQ(items->GetCount(), 1);
  EXPECT_EQ(std::string(items->GetItem(_variant_t(1L))->GetCaption()), "About Kelvra...");
}

}  // namespace
