// The ribbon tab of Outlook 2010 as Office reads and calls it: the XML, labels, screen
// tips, images, the profile menu from the registry and the routing of clicks.
#include "ConnectTestSupport.h"
#include "addin/Application.h"
#include "addin/CLang.h"
#include "addin/EnumSyncProfiles.h"
#include "addin/GetOutlookVersion.h"
#include "testkit/Com.h"
#include "testkit/Office.h"
#include "testkit/Registry.h"
#include "testkit/Windows.h"

namespace {

using kelvra::test::ConnectTest;
using kelvra::test::RibbonControl;

constexpr const char* kProfiles = "Software\\Ostrane\\Kelvra\\Profiles";

void AddProfile(const std::string& subkey, const std::string& key, const std::string& name) {
  const std::string path = std::string(kProfiles) + "\\" + subkey;
  testkit::WriteString(HKEY_CURRENT_USER, path, "Key", key);
  testkit::WriteString(HKEY_CURRENT_USER, path, "Name", name);
}

class RibbonTest : public ConnectTest {
 protected:
  void SetUp() override {
    ConnectTest::SetUp();
    OpenStartWindow();
    ASSERT_EQ(Connect(), S_OK);
    testkit::ClearKelvraAppReceived();
    m_ribbon = std::make_unique<testkit::RibbonHost>(static_cast<IKelvra*>(m_connect));
    ASSERT_EQ(m_ribbon->Load(), S_OK) << m_ribbon->Xml();
    ASSERT_EQ(m_ribbon->CallOnLoad(), S_OK);
  }
  void TearDown() override {
    m_ribbon.reset();
    ShutDown();
    EXPECT_EQ(testkit::LivePictures(), 0u);
    ConnectTest::TearDown();
  }

  std::string Label(const std::string& id) {
    std::string text = "<not asked>";
    EXPECT_EQ(m_ribbon->GetLabel(id, text), S_OK) << id;
    return text;
  }
  std::string Screentip(const std::string& id) {
    std::string text = "<not asked>";
    EXPECT_EQ(m_ribbon->GetScreentip(id, text), S_OK) << id;
    return text;
  }
  std::string Content() {
    std::string xml;
    EXPECT_EQ(m_ribbon->GetContent("Ostrane.Kelvra.mnuProfiles", xml), S_OK) << xml;
    return xml;
  }

  std::unique_ptr<testkit::RibbonHost> m_ribbon;
};

// --- The ribbon XML.

using RibbonXmlTest = RibbonTest;

TEST_F(RibbonXmlTest, TheExplorerRibbonHasTheTabWithItsTranslatedLabelAndEveryControl) {
  EXPECT_EQ(m_ribbon->Attribute("x:Ostrane.ExportImport.tab", "label"), "Kelvra");
  EXPECT_EQ(m_ribbon->Xml().find("%IDS_OL2010_TAB%"), std::string::npos);
  const std::vector<std::string> expected = {
      "x:Ostrane.ExportImport.tab",   "Ostrane.Kelvra.grp",          "Ostrane.Kelvra.btnExportC",
      "Ostrane.Kelvra.btnImportC",    "Ostrane.Kelvra.btnExportA",   "Ostrane.Kelvra.btnImportA",
      "Ostrane.Kelvra.mnu",           "Ostrane.Kelvra.btnSyncAll",   "Ostrane.Kelvra.btnOpenKelvra",
      "Ostrane.Kelvra.btnNewProfile", "Ostrane.Kelvra.sepProfiles1", "Ostrane.Kelvra.mnuProfiles",
      "Ostrane.Kelvra.mnuAbout",      "Ostrane.Kelvra.btnHelp",      "Ostrane.Kelvra.btnAbout"};
  EXPECT_EQ(m_ribbon->ControlIds(), expected);
  EXPECT_EQ(m_ribbon->Attribute("Ostrane.Kelvra.btnAbout", "imageMso"), "Info");
  EXPECT_EQ(m_ribbon->Attribute("Ostrane.Kelvra.btnExportC", "size"), "large");
}

TEST_F(RibbonXmlTest, OtherRibbonsGetNoXml) {
  testkit::RibbonHost other(static_cast<IKelvra*>(m_connect));
  EXPECT_EQ(other.Load(u"Microsoft.Outlook.Mail.Read"), S_OK);
  EXPECT_EQ(other.Xml(), "");
}

TEST_F(RibbonXmlTest, AHostileTabLabelStaysWellFormedXml) {
  WriteLanguageFile("EN.ini", "EN", "IDS_OL2010_TAB=R&D <\"Kelvra\"> 'tab'\n");
  g_Lang.LoadFile(m_folder.windowsPath("EN.ini").c_str(), "Kelvra.dll");
  testkit::RibbonHost hostile(static_cast<IKelvra*>(m_connect));
  ASSERT_EQ(hostile.Load(), S_OK) << hostile.Xml();
  EXPECT_EQ(hostile.Attribute("x:Ostrane.ExportImport.tab", "label"), "R&D <\"Kelvra\"> 'tab'");
}

// --- Labels, screen tips and images.

using RibbonTextTest = RibbonTest;

TEST_F(RibbonTextTest, LabelsComeFromTheLanguageFileBySharedKeys) {
  EXPECT_EQ(Label("Ostrane.Kelvra.grp"), "Import and Export");
  EXPECT_EQ(Label("Ostrane.Kelvra.btnExportC"), "Export Contacts");
  EXPECT_EQ(Label("Ostrane.Kelvra.btnImportA"), "Import Events");
  EXPECT_EQ(Label("Ostrane.Kelvra.mnu"), "Synchronize");
  EXPECT_EQ(Label("Ostrane.Kelvra.mnuProfiles"), "Synchronize");
  EXPECT_EQ(Label("Ostrane.Kelvra.mnuAbout"), "Help");
  EXPECT_EQ(Label("Ostrane.Kelvra.btnOpenKelvra"), "Open Kelvra");
  EXPECT_EQ(Label("Ostrane.Kelvra.btnAbout"), "About Kelvra");
}

TEST_F(RibbonTextTest, ScreenTipsAreTranslatedOrDeliberatelyEmpty) {
  EXPECT_EQ(Screentip("Ostrane.Kelvra.btnExportC"), "Export Outlook contacts to vCard files");
  EXPECT_EQ(Screentip("Ostrane.Kelvra.btnSyncAll"), "Synchronize every Kelvra profile now");
  EXPECT_EQ(Screentip("Ostrane.Kelvra.btnAbout"), "");
  EXPECT_EQ(m_log.Err(), "") << "an empty tip is no error";
}

TEST_F(RibbonTextTest, AnUnknownIdFallsBackToTheIdWithOneErrorPerCallback) {
  IDispatchPtr control = RibbonControl("Other.btn");
  BSTR text = nullptr;
  EXPECT_EQ(m_connect->Control_GetLabel(control, &text), S_OK);
  EXPECT_EQ(std::u16string(text), u"Other.btn");
  SysFreeString(text);
  EXPECT_EQ(m_connect->Control_GetScreentip(control, &text), S_OK);
  EXPECT_EQ(std::u16string(text), u"Other.btn");
  SysFreeString(text);
  IPictureDisp* picture = nullptr;
  EXPECT_EQ(m_connect->Control_GetImage(control, &picture), S_OK);
  EXPECT_EQ(picture, nullptr);
  VARIANT_BOOL enabled = VARIANT_TRUE;
  EXPECT_EQ(m_connect->Control_GetEnabled(control, &enabled), S_OK);
  EXPECT_EQ(m_connect->Button_OnAction(control), S_OK);
  EXPECT_EQ(m_connect->DynamicMenu_GetContent(control, &text), S_OK);
  EXPECT_EQ(text, nullptr);
  const std::string errors = m_log.Err();
  for (const char* function : {"CConnect::Control_GetLabel", "CConnect::Control_GetScreentip",
                               "CConnect::Control_GetImage", "Control_GetEnabled",
                               "CConnect::Button_OnAction", "DynamicMenu_GetContent"})
    EXPECT_NE(errors.find(std::string("in ") + function + ": Unknown id(Other.btn)"),
              std::string::npos)
        << function;
}

TEST_F(RibbonTextTest, IdsMatchWhateverTheirCase) {
  BSTR text = nullptr;
  EXPECT_EQ(m_connect->Control_GetLabel(RibbonControl("OSTRANE.KELVRA.BTNHELP"), &text), S_OK);
  EXPECT_EQ(std::u16string(text), u"Help");
  SysFreeString(text);
}

TEST_F(RibbonTextTest, ImagesArePicturesOwningTheAddinsIcons) {
  for (const char* id :
       {"Ostrane.Kelvra.btnExportC", "Ostrane.Kelvra.btnImportC", "Ostrane.Kelvra.btnExportA",
        "Ostrane.Kelvra.btnImportA", "Ostrane.Kelvra.mnu", "Ostrane.Kelvra.btnSyncAll"}) {
    IPictureDispPtr picture;
    ASSERT_EQ(m_ribbon->GetImage(id, picture), S_OK) << id;
    ASSERT_NE(picture, nullptr) << id;
    const std::optional<testkit::PictureInfo> info = testkit::PictureOf(picture);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->type, PICTYPE_ICON);
    EXPECT_TRUE(info->owned);
    EXPECT_NE(info->handle, nullptr);
  }
}

TEST_F(RibbonTextTest, AnIconThatCannotBeLoadedIsLoggedWithItsNumber) {
  g_hInstance = nullptr;  // the host program, which has no icons
  IPictureDispPtr picture;
  EXPECT_EQ(m_ribbon->GetImage("Ostrane.Kelvra.btnImportA", picture), S_OK);
  g_hInstance = kelvra::test::AddinModule();
  EXPECT_EQ(picture, nullptr);
  EXPECT_NE(m_log.Err().find("in CConnect::Control_GetImage: LoadImage failed, IconResID=296"),
            std::string::npos);
}

TEST_F(RibbonTextTest, AFailedPictureIsLoggedAndTheIconDoesNotLeak) {
  const int objects = testkit::GdiObjectCount();
  testkit::FailPictureCreation(E_OUTOFMEMORY);
  IPictureDispPtr picture;
  EXPECT_EQ(m_ribbon->GetImage("Ostrane.Kelvra.btnSyncAll", picture), S_OK);
  testkit::FailPictureCreation(S_OK);
  EXPECT_EQ(picture, nullptr);
  EXPECT_EQ(testkit::GdiObjectCount(), objects);
  EXPECT_NE(m_log.Err().find("Err[-2147024882] in CConnect::Control_GetImage: "
                             "OleCreatePictureIndirect failed"),
            std::string::npos);
}

TEST_F(RibbonTextTest, AControlWhoseIdCannotBeReadGetsTheFailureBack) {
  m_ribbon->FailControlId(E_ACCESSDENIED);
  std::string text;
  EXPECT_EQ(m_ribbon->GetLabel("Ostrane.Kelvra.btnHelp", text), E_ACCESSDENIED);
  EXPECT_EQ(m_ribbon->Press("Ostrane.Kelvra.btnSyncAll"), E_ACCESSDENIED);
  m_ribbon->FailControlId(S_OK);
  EXPECT_TRUE(testkit::KelvraAppReceived().empty());
}

// --- The profile menu.

using RibbonProfilesTest = RibbonTest;

TEST_F(RibbonProfilesTest, OnlyEnabledProfilesWithAKeyAreListedInRegistryOrder) {
  testkit::WriteDword(HKEY_CURRENT_USER, std::string(kProfiles) + "\\defaults", "OK", 1);
  testkit::WriteString(HKEY_CURRENT_USER, std::string(kProfiles) + "\\defaults", "Key", "d");
  AddProfile("A", "k1", "Off");
  testkit::WriteDword(HKEY_CURRENT_USER, std::string(kProfiles) + "\\A", "OK", 0);
  AddProfile("B", "k2", "Work");
  AddProfile("C", "", "No key");
  AddProfile("D", "k4", "");
  testkit::WriteDword(HKEY_CURRENT_USER, std::string(kProfiles) + "\\D", "OK", 7);
  std::vector<std::string> names{"stale"};
  std::vector<std::string> keys{"stale"};
  EnumSyncProfiles(names, keys);
  EXPECT_EQ(names, (std::vector<std::string>{"Work", ""}));
  EXPECT_EQ(keys, (std::vector<std::string>{"k2", "k4"}));
  EXPECT_EQ(
      Content(),
      "<menu xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\">"
      "<button id=\"Ostrane.Kelvra.btnRunProfile.k2\" label=\"Work\" onAction=\"Button_OnAction\" "
      "/>"
      "<button id=\"Ostrane.Kelvra.btnRunProfile.k4\" label=\"\" onAction=\"Button_OnAction\" />"
      "</menu>");
  bool enabled = false;
  EXPECT_EQ(m_ribbon->GetEnabled("Ostrane.Kelvra.mnuProfiles", enabled), S_OK);
  EXPECT_TRUE(enabled);
}

TEST_F(RibbonProfilesTest, NoProfilesGiveADisabledMenuAndAnEmptyMenuElement) {
  bool enabled = true;
  EXPECT_EQ(m_ribbon->GetEnabled("Ostrane.Kelvra.mnuProfiles", enabled), S_OK);
  EXPECT_FALSE(enabled);
  EXPECT_EQ(Content(),
            "<menu xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\"></menu>");
}

TEST_F(RibbonProfilesTest, HostileNamesAndKeysStayWellFormedAndComeBackUnchanged) {
  AddProfile("P", "R&D <1>", "Tom's \"big\" <list> & more");
  const std::string xml = Content();
  EXPECT_TRUE(testkit::RibbonHost::IsWellFormed(xml)) << xml;
  const std::string id = "Ostrane.Kelvra.btnRunProfile.R&D <1>";
  EXPECT_EQ(m_ribbon->Attribute(id, "label"), "Tom's \"big\" <list> & more");
  EXPECT_EQ(m_ribbon->Press(id), S_OK);
  EXPECT_EQ(Commands(), std::vector<std::string>{"Sync,R&D <1>"});
}

TEST_F(RibbonProfilesTest, AProfileItemSendsItsKeyAndThePrefixMatchesInAnyCase) {
  AddProfile("B", "k2", "Work");
  Content();
  EXPECT_EQ(m_ribbon->Press("Ostrane.Kelvra.btnRunProfile.k2"), S_OK);
  EXPECT_EQ(m_connect->Button_OnAction(RibbonControl("OSTRANE.KELVRA.BTNRUNPROFILE.Key")), S_OK);
  EXPECT_EQ(m_connect->Button_OnAction(RibbonControl("ostrane.kelvra.btnrunprofile.")), S_OK);
  EXPECT_EQ(Commands(), (std::vector<std::string>{"Sync,k2", "Sync,Key", "Sync"}));
  EXPECT_NE(m_log.Err().find("szProfileKey is empty"), std::string::npos);
}

// --- Clicks.

using RibbonActionTest = RibbonTest;

TEST_F(RibbonActionTest, ButtonsOfTheSyncAndAboutMenusSendTheirCommands) {
  for (const char* id :
       {"Ostrane.Kelvra.btnSyncAll", "Ostrane.Kelvra.btnOpenKelvra", "Ostrane.Kelvra.btnNewProfile",
        "Ostrane.Kelvra.btnHelp", "Ostrane.Kelvra.btnAbout"})
    EXPECT_EQ(m_ribbon->Press(id), S_OK) << id;
  EXPECT_EQ(Commands(), (std::vector<std::string>{"SyncAll", "ShowForm,Main", "NewProfile",
                                                  "ShowContextHelp", "ShowForm,About"}));
}

TEST_F(RibbonActionTest, TheFourLargeButtonsRunTheirWizards) {
  const std::pair<const char*, kelvra::test::Wizard> cases[] = {
      {"Ostrane.Kelvra.btnExportC", kelvra::test::Wizard::kExportContacts},
      {"Ostrane.Kelvra.btnImportC", kelvra::test::Wizard::kImportContacts},
      {"Ostrane.Kelvra.btnExportA", kelvra::test::Wizard::kExportEvents},
      {"Ostrane.Kelvra.btnImportA", kelvra::test::Wizard::kImportEvents},
  };
  for (const auto& [id, wizard] : cases) {
    kelvra::test::LogWatch log;
    kelvra::test::CancelFirstPages();
    EXPECT_EQ(m_ribbon->Press(id), S_OK);
    EXPECT_EQ(kelvra::test::WizardThatRan(log), wizard) << id;
  }
  EXPECT_TRUE(testkit::KelvraAppReceived().empty());
}

TEST_F(RibbonActionTest, BeforeOutlook2010ProfilesChangedLeaveTheRibbonAlone) {
  g_nOutlookVersion = 12;
  m_connect->OnProfilesChanged();
  g_nOutlookVersion = 14;
  EXPECT_TRUE(m_ribbon->Invalidations().empty());
}

}  // namespace
