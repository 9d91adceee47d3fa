#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "FileTestFixture.h"
#include "testkit/Files.h"
#include "win32/shell.h"

namespace {

class ShellFolderTest : public FileTestFixture {
 protected:
  HRESULT AppData(std::string& folder) {
    char buffer[MAX_PATH] = "garbage";
    const HRESULT result = SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, buffer);
    folder = buffer;
    return result;
  }
};

TEST_F(ShellFolderTest, DefaultFolderIsUnderDriveCAndExists) {
  std::string folder;
  EXPECT_EQ(AppData(folder), S_OK);
  EXPECT_EQ(folder, "C:\\Users\\kelvra\\AppData\\Roaming");
  EXPECT_TRUE(std::filesystem::is_directory(dir.linuxPath("host/Users/kelvra/AppData/Roaming")));
}

TEST_F(ShellFolderTest, ASetFolderIsAnsweredAsItStands) {
  testkit::SetAppDataFolder(Win("Roaming"));
  std::string folder;
  EXPECT_EQ(AppData(folder), S_OK);
  EXPECT_EQ(folder, Win("Roaming"));
}

TEST_F(ShellFolderTest, AnEmptyFolderIsSuccessWithNothing) {
  testkit::SetAppDataFolder("");
  std::string folder;
  EXPECT_EQ(AppData(folder), S_OK);
  EXPECT_EQ(folder, "");
}

TEST_F(ShellFolderTest, FailureIsInjectedAndLifted) {
  testkit::FailAppDataFolder(true);
  std::string folder;
  EXPECT_EQ(AppData(folder), E_FAIL);
  EXPECT_EQ(folder, "");
  testkit::FailAppDataFolder(false);
  EXPECT_EQ(AppData(folder), S_OK);
}

TEST_F(ShellFolderTest, OtherFoldersAndTooLongOnesAreRefused) {
  char buffer[MAX_PATH];
  EXPECT_EQ(SHGetFolderPathA(nullptr, 0x0005, nullptr, 0, buffer), E_INVALIDARG);
  EXPECT_EQ(SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, buffer), S_OK);
  testkit::SetAppDataFolder("C:\\" + std::string(MAX_PATH, 'x'));
  EXPECT_EQ(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, buffer), E_FAIL);
  EXPECT_STREQ(buffer, "");
}

}  // namespace
