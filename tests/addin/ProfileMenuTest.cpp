// The profile items of the sync popup: one per profile of the Kelvra application,
// rebuilt when the application reports changed profiles.
#include <string>
#include <vector>

#include "ExplorerTestSupport.h"
#include "testkit/CommandBars.h"
#include "testkit/Outlook.h"
#include "testkit/Registry.h"

namespace {

using kelvra::test::ExplorerTest;

constexpr const char kProfiles[] = "Software\\Ostrane\\Kelvra\\Profiles";

class ProfileMenuTest : public ExplorerTest {
 protected:
  static void AddProfile(const std::string& subkey, const std::string& key,
                         const std::string& name) {
    const std::string path = std::string(kProfiles) + "\\" + subkey;
    testkit::WriteString(HKEY_CURRENT_USER, path, "Key", key);
    testkit::WriteString(HKEY_CURRENT_USER, path, "Name", name);
  }
  // The lines of the sync popup (printed as testkit does) from the anchor on.
  std::string SyncPopupFromAnchor() {
    const std::string controls = AddedControls();
    const std::size_t anchor = controls.find("      3 button id=1 caption=\"Unvisible\"");
    return anchor == std::string::npos ? "<no anchor>" : controls.substr(anchor);
  }
  // The captions and parameters of the items right after the anchor.
  std::vector<std::string> ProfileItems() {
    std::vector<std::string> items;
    Office::CommandBarButtonPtr anchor = Button("SyncProfile_");
    Office::CommandBarControlsPtr controls = anchor->GetParent()->GetControls();
    for (long index = anchor->GetIndex() + 1; index <= controls->GetCount(); ++index) {
      Office::CommandBarControlPtr item = controls->GetItem(_variant_t(index));
      const std::string parameter = static_cast<const char*>(item->GetParameter() + _bstr_t(""));
      if (parameter.rfind("SyncProfile_", 0) != 0) break;
      items.push_back(std::string(static_cast<const char*>(item->GetCaption())) + " | " +
                      parameter);
    }
    return items;
  }
};

TEST_F(ProfileMenuTest, OnlyAnEnabledProfileWithAKeyIsListedAndItsClickSyncsIt) {
  AddProfile("Defaults", "d", "Default");
  AddProfile("Off", "k1", "Off");
  testkit::WriteDword(HKEY_CURRENT_USER, std::string(kProfiles) + "\\Off", "OK", 0);
  AddProfile("Work", "k2", "Work");
  AddProfile("Zero", "", "Empty key");
  StartOutlook(12);

  EXPECT_EQ(ProfileItems(), std::vector<std::string>{"Synchronize Work | SyncProfile_k2"});
  Office::CommandBarButtonPtr item = Button("SyncProfile_k2");
  EXPECT_EQ(std::string(item->GetTag()), WindowTag());
  EXPECT_EQ(item->GetStyle(), Office::msoButtonCaption);
  EXPECT_NE(item->GetVisible(), VARIANT_FALSE);
  EXPECT_NE(item->GetEnabled(), VARIANT_FALSE);

  EXPECT_TRUE(testkit::Click(item));
  EXPECT_EQ(Commands(), std::vector<std::string>{"Sync,k2"});
}

TEST_F(ProfileMenuTest, RebuildingReplacesTheItemsAndKeepsTheOthers) {
  AddProfile("A", "ka", "Alpha");
  AddProfile("B", "kb", "Beta");
  StartOutlook(12);
  const std::string before = SyncPopupFromAnchor();
  m_connect->OnProfilesChanged();
  m_connect->OnProfilesChanged();
  EXPECT_EQ(SyncPopupFromAnchor(), before) << "not twice as many";

  testkit::WriteDword(HKEY_CURRENT_USER, std::string(kProfiles) + "\\A", "OK", 0);
  AddProfile("C", "kc", "Gamma");
  m_connect->OnProfilesChanged();
  EXPECT_EQ(ProfileItems(), (std::vector<std::string>{"Synchronize Beta | SyncProfile_kb",
                                                      "Synchronize Gamma | SyncProfile_kc"}));
  const std::string after = SyncPopupFromAnchor();
  EXPECT_NE(after.find("parameter=\"ImportE\""), std::string::npos);
  EXPECT_NE(after.find("parameter=\"About\""), std::string::npos);
}

TEST_F(ProfileMenuTest, ANameWithPercentSignsIsShownAsItIs) {
  AddProfile("P", "kp", "100% %s %d");
  StartOutlook(12);
  EXPECT_EQ(ProfileItems(), std::vector<std::string>{"Synchronize 100% %s %d | SyncProfile_kp"});
}

TEST_F(ProfileMenuTest, AnItemThatCannotBeAddedEndsTheRebuild) {
  AddProfile("A", "ka", "Alpha");
  StartOutlook(12);
  AddProfile("B", "kb", "Beta");
  testkit::FailControlAdd(2);
  m_connect->OnProfilesChanged();
  EXPECT_EQ(ProfileItems(), std::vector<std::string>{"Synchronize Alpha | SyncProfile_ka"});
}

TEST_F(ProfileMenuTest, EveryWindowRebuildsItsOwnItems) {
  StartOutlook(12);
  Outlook::_ExplorerPtr second = OpenWindow();
  AddProfile("W", "kw", "Work");
  m_connect->OnProfilesChanged();
  EXPECT_NE(Button("SyncProfile_kw"), nullptr);
  Office::CommandBarButtonPtr other = Button("SyncProfile_kw", second);
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(std::string(other->GetTag()), WindowTag(second));
}

}  // namespace
