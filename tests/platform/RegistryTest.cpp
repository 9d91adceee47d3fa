#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "support/TempDir.h"
#include "testkit/Registry.h"
#include "win32/registry.h"

namespace {

constexpr const char* kOptions = "Software\\Ostrane\\Kelvra";

// An open key that closes itself, so that a failing assertion leaks no handle.
class Key {
 public:
  Key() = default;
  ~Key() { reset(); }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;

  HKEY* out() {
    reset();
    return &key_;
  }
  HKEY get() const { return key_; }
  HKEY release() {
    HKEY key = key_;
    key_ = nullptr;
    return key;
  }
  void reset() {
    if (key_ != nullptr) RegCloseKey(key_);
    key_ = nullptr;
  }

 private:
  HKEY key_ = nullptr;
};

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { testkit::ResetRegistry(); }
  void TearDown() override { testkit::ResetRegistry(); }

  LONG Create(HKEY parent, const char* path, REGSAM access, Key& key,
              DWORD* disposition = nullptr) {
    return RegCreateKeyExA(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                           key.out(), disposition);
  }
  LONG Open(HKEY parent, const char* path, REGSAM access, Key& key) {
    return RegOpenKeyExA(parent, path, 0, access, key.out());
  }
  LONG SetString(HKEY key, const char* name, const std::string& text) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1));
  }
  LONG SetBytes(HKEY key, const char* name, DWORD type, const std::string& bytes) {
    return RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size()));
  }
  std::vector<std::string> EnumKeys(HKEY key) {
    std::vector<std::string> names;
    char name[256];
    for (DWORD i = 0;; ++i) {
      DWORD length = sizeof name;
      if (RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return names;
      names.emplace_back(name, length);
    }
  }
};

// --- Creating and opening keys --------------------------------------------------------

using RegistryKeysTest = RegistryTest;

TEST_F(RegistryKeysTest, CreateMakesEveryMissingLevelAndTellsWhetherTheKeyWasNew) {
  Key first, second;
  DWORD disposition = 0;
  ASSERT_EQ(Create(HKEY_CURRENT_USER, kOptions, 0x2001F, first, &disposition), ERROR_SUCCESS);
  EXPECT_NE(first.get(), nullptr);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
  EXPECT_TRUE(testkit::KeyExists(HKEY_CURRENT_USER, "Software"));
  EXPECT_TRUE(testkit::KeyExists(HKEY_CURRENT_USER, "Software\\Ostrane"));

  ASSERT_EQ(Create(HKEY_CURRENT_USER, kOptions, 0x2001F, second, &disposition), ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
  EXPECT_NE(second.get(), first.get());
  EXPECT_FALSE(testkit::KeyExists(HKEY_LOCAL_MACHINE, kOptions));
}

TEST_F(RegistryKeysTest, OpeningAMissingKeyFailsWithFileNotFoundAndNoHandle) {
  HKEY key = reinterpret_cast<HKEY>(0x1234);
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kOptions, 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, nullptr);
  EXPECT_EQ(testkit::OpenKeyCount(), 0u);
}

TEST_F(RegistryKeysTest, NamesMatchWithoutCaseAndKeepTheCaseTheyWereCreatedWith) {
  Key created, opened;
  ASSERT_EQ(Create(HKEY_CURRENT_USER, "Software\\MixedCase", KEY_ALL_ACCESS, created),
            ERROR_SUCCESS);
  EXPECT_EQ(Open(HKEY_CURRENT_USER, "SOFTWARE\\mixedcase", KEY_READ, opened), ERROR_SUCCESS);
  EXPECT_EQ(testkit::SubKeyNames(HKEY_CURRENT_USER, "software"),
            std::vector<std::string>{"MixedCase"});
}

TEST_F(RegistryKeysTest, PathsAreRelativeToTheHandleTheyAreOpenedFrom) {
  testkit::WriteString(HKEY_CURRENT_USER, kOptions, "LANG", "EN");
  Key software, options;
  ASSERT_EQ(Open(HKEY_CURRENT_USER, "Software", KEY_READ, software), ERROR_SUCCESS);
  ASSERT_EQ(Open(software.get(), "Ostrane\\Kelvra", KEY_READ, options), ERROR_SUCCESS);
  char text[8] = {};
  DWORD size = sizeof text;
  EXPECT_EQ(RegQueryValueExA(options.get(), "LANG", nullptr, nullptr, reinterpret_cast<BYTE*>(text),
                             &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(text, "EN");
}

TEST_F(RegistryKeysTest, HandlesAreClosedOnceAndRootKeysNeedNoClosing) {
  Key key;
  ASSERT_EQ(Create(HKEY_CURRENT_USER, kOptions, KEY_ALL_ACCESS, key), ERROR_SUCCESS);
  EXPECT_EQ(testkit::OpenKeyCount(), 1u);
  HKEY raw = key.release();
  EXPECT_EQ(RegCloseKey(raw), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(raw), ERROR_INVALID_HANDLE);
  EXPECT_EQ(testkit::OpenKeyCount(), 0u);
  EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(reinterpret_cast<HKEY>(0x7777)), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryKeysTest, CreatingBelowAHandleNeedsTheRightToCreateSubkeys) {
  Key readOnly, child;
  ASSERT_EQ(Create(HKEY_CURRENT_USER, "Software\\Existing", KEY_ALL_ACCESS, child), ERROR_SUCCESS);
  ASSERT_EQ(Open(HKEY_CURRENT_USER, "Software", KEY_READ, readOnly), ERROR_SUCCESS);
  EXPECT_EQ(Create(readOnly.get(), "New", KEY_ALL_ACCESS, child), ERROR_ACCESS_DENIED);
  EXPECT_FALSE(testkit::KeyExists(HKEY_CURRENT_USER, "Software\\New"));
  EXPECT_EQ(Create(readOnly.get(), "Existing", KEY_READ, child), ERROR_SUCCESS);
}

TEST_F(RegistryKeysTest, ParallelWritersLoseNothing) {
  std::vector<std::thread> writers;
  for (int t = 0; t < 4; ++t) {
    writers.emplace_back([t] {
      for (int i = 0; i < 50; ++i) {
        std::string path =
            std::string(kOptions) + "\\T" + std::to_string(t) + "\\K" + std::to_string(i);
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr) != ERROR_SUCCESS)
          continue;
        DWORD value = static_cast<DWORD>(i);
        RegSetValueExA(key, "N", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
        RegCloseKey(key);
      }
    });
  }
  for (std::thread& w : writers) w.join();
  for (int t = 0; t < 4; ++t) {
    std::string path = std::string(kOptions) + "\\T" + std::to_string(t);
    EXPECT_EQ(testkit::SubKeyNames(HKEY_CURRENT_USER, path).size(), 50u);
    EXPECT_EQ(testkit::ReadDword(HKEY_CURRENT_USER, path + "\\K49", "N"), 49u);
  }
  EXPECT_EQ(testkit::OpenKeyCount(), 0u);
}

// --- Access denial ----------------------------------------------------------------------

using RegistryDenialTest = RegistryTest;

TEST_F(RegistryDenialTest, ADeniedRightRefusesTheKeyAndEverythingBelowIt) {
  testkit::WriteString(HKEY_CURRENT_USER, kOptions, "LANG", "EN");
  testkit::DenyAccess(HKEY_CURRENT_USER, "Software\\Ostrane", KEY_SET_VALUE);
  Key key;
  EXPECT_EQ(Open(HKEY_CURRENT_USER, kOptions, 0x2001F, key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(key.get(), nullptr);
  EXPECT_EQ(Open(HKEY_CURRENT_USER, "Software\\Ostrane", KEY_WRITE, key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(Open(HKEY_CURRENT_USER, kOptions, KEY_READ, key), ERROR_SUCCESS);
}

TEST_F(RegistryDenialTest, ADeniedCreateMakesNothing) {
  testkit::DenyAccess(HKEY_CURRENT_USER, kOptions, KEY_READ | KEY_WRITE);
  Key key;
  DWORD disposition = 0;
  EXPECT_EQ(Create(HKEY_CURRENT_USER, kOptions, 0x2001F, key, &disposition), ERROR_ACCESS_DENIED);
  EXPECT_EQ(key.get(), nullptr);
  EXPECT_FALSE(testkit::KeyExists(HKEY_CURRENT_USER, "Software\\Ostrane\\Kelvra"));
  EXPECT_EQ(testkit::OpenKeyCount(), 0u);
}

TEST_F(RegistryDenialTest, DenialFollowsWholeNamesInOneRootOnly) {
  testkit::DenyAccess(HKEY_CURRENT_USER, "Software\\Ostrane", KEY_ALL_ACCESS);
  Key key;
  EXPECT_EQ(Create(HKEY_CURRENT_USER, "Software\\OstraneX", KEY_ALL_ACCESS, key), ERROR_SUCCESS);
  EXPECT_EQ(Create(HKEY_LOCAL_MACHINE, kOptions, KEY_ALL_ACCESS, key), ERROR_SUCCESS);
  EXPECT_EQ(Create(HKEY_CURRENT_USER, "SOFTWARE\\OSTRANE", KEY_QUERY_VALUE, key),
            ERROR_ACCESS_DENIED);
}

TEST_F(RegistryDenialTest, DenyingWriteLeavesReadingAlone) {
  testkit::WriteDword(HKEY_CURRENT_USER, kOptions, "LogLevel", 2);
  testkit::DenyAccess(HKEY_CURRENT_USER, kOptions, KEY_WRITE);
  Key key;
  EXPECT_EQ(Open(HKEY_CURRENT_USER, kOptions, KEY_READ, key), ERROR_SUCCESS);
  EXPECT_EQ(Open(HKEY_CURRENT_USER, kOptions, KEY_WRITE, key), ERROR_ACCESS_DENIED);
}

TEST_F(RegistryDenialTest, DeletionNeedsTheDeleteRightAndClearingLiftsDenials) {
  testkit::WriteDword(HKEY_CLASSES_ROOT, "CLSID\\{X}\\InprocServer32", "N", 1);
  testkit::DenyAccess(HKEY_CLASSES_ROOT, "CLSID\\{X}", KEY_ALL_ACCESS);
  EXPECT_EQ(RegDeleteTreeA(HKEY_CLASSES_ROOT, "CLSID\\{X}"), ERROR_ACCESS_DENIED);
  EXPECT_TRUE(testkit::KeyExists(HKEY_CLASSES_ROOT, "CLSID\\{X}\\InprocServer32"));
  testkit::ClearDenials();
  EXPECT_EQ(RegDeleteTreeA(HKEY_CLASSES_ROOT, "CLSID\\{X}"), ERROR_SUCCESS);
  EXPECT_FALSE(testkit::KeyExists(HKEY_CLASSES_ROOT, "CLSID\\{X}"));
  EXPECT_TRUE(testkit::KeyExists(HKEY_CLASSES_ROOT, "CLSID"));
}

// --- Values -------------------------------------------------------------------------------

class RegistryValuesTest : public RegistryTest {
 protected:
  void SetUp() override {
    RegistryTest::SetUp();
    ASSERT_EQ(Create(HKEY_CURRENT_USER, kOptions, 0x2001F, key), ERROR_SUCCESS);
  }
  void TearDown() override {
    key.reset();
    RegistryTest::TearDown();
  }
  Key key;
};

TEST_F(RegistryValuesTest, AStringComesBackWithItsTypeAndSizeIncludingTheNul) {
  ASSERT_EQ(SetString(key.get(), "LANG", "DE"), ERROR_SUCCESS);
  DWORD type = 0, size = 0;
  ASSERT_EQ(RegQueryValueExA(key.get(), "LANG", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, 3u);
  char text[16];
  size = sizeof text;
  ASSERT_EQ(
      RegQueryValueExA(key.get(), "lang", nullptr, &type, reinterpret_cast<BYTE*>(text), &size),
      ERROR_SUCCESS);
  EXPECT_STREQ(text, "DE");
  EXPECT_EQ(size, 3u);
}

TEST_F(RegistryValuesTest, ASmallBufferGivesMoreDataWithTheSizeNeeded) {
  ASSERT_EQ(SetString(key.get(), "Name", "Kelvra"), ERROR_SUCCESS);
  char text[7] = "xxxxxx";
  DWORD size = 6;
  DWORD type = 0;
  EXPECT_EQ(
      RegQueryValueExA(key.get(), "Name", nullptr, &type, reinterpret_cast<BYTE*>(text), &size),
      ERROR_MORE_DATA);
  EXPECT_EQ(size, 7u);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  size = 7;
  EXPECT_EQ(
      RegQueryValueExA(key.get(), "Name", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size),
      ERROR_SUCCESS);
  EXPECT_STREQ(text, "Kelvra");
}

TEST_F(RegistryValuesTest, AMissingValueIsFileNotFound) {
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExA(key.get(), "Nothing", nullptr, nullptr, nullptr, &size),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteValueA(key.get(), "Nothing"), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryValuesTest, DwordBinaryAndExpandStringKeepTheirBytesExactly) {
  DWORD level = 3;
  ASSERT_EQ(RegSetValueExA(key.get(), "LogLevel", 0, REG_DWORD, reinterpret_cast<BYTE*>(&level), 4),
            ERROR_SUCCESS);
  std::string zone("\x88\xff\xff\xff\x00\x00\x00\x00\x00\x00\x0a\x00", 12);
  ASSERT_EQ(SetBytes(key.get(), "TZ", REG_BINARY, zone), ERROR_SUCCESS);
  ASSERT_EQ(SetBytes(key.get(), "Folder", REG_EXPAND_SZ, std::string("%TEMP%\\x\0", 10)),
            ERROR_SUCCESS);

  EXPECT_EQ(testkit::ReadDword(HKEY_CURRENT_USER, kOptions, "LogLevel"), 3u);
  std::string read(16, '\0');
  DWORD size = static_cast<DWORD>(read.size()), type = 0;
  ASSERT_EQ(RegQueryValueExA(key.get(), "TZ", nullptr, &type, reinterpret_cast<BYTE*>(read.data()),
                             &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(read.substr(0, size), zone);
  EXPECT_EQ(testkit::ReadString(HKEY_CURRENT_USER, kOptions, "Folder"), "%TEMP%\\x");
  EXPECT_EQ(testkit::ReadValue(HKEY_CURRENT_USER, kOptions, "Folder")->type,
            static_cast<DWORD>(REG_EXPAND_SZ));
}

TEST_F(RegistryValuesTest, EachCallChecksTheAccessOfItsHandle) {
  ASSERT_EQ(SetString(key.get(), "LANG", "EN"), ERROR_SUCCESS);
  Key readOnly, writeOnly;
  ASSERT_EQ(Open(HKEY_CURRENT_USER, kOptions, KEY_READ, readOnly), ERROR_SUCCESS);
  ASSERT_EQ(Open(HKEY_CURRENT_USER, kOptions, KEY_WRITE, writeOnly), ERROR_SUCCESS);
  EXPECT_EQ(SetString(readOnly.get(), "LANG", "DE"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteValueA(readOnly.get(), "LANG"), ERROR_ACCESS_DENIED);
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExA(writeOnly.get(), "LANG", nullptr, nullptr, nullptr, &size),
            ERROR_ACCESS_DENIED);
  char name[32];
  DWORD length = sizeof name;
  EXPECT_EQ(RegEnumKeyExA(writeOnly.get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr),
            ERROR_ACCESS_DENIED);
  EXPECT_EQ(testkit::ReadString(HKEY_CURRENT_USER, kOptions, "LANG"), "EN");
  EXPECT_EQ(SetString(writeOnly.get(), "LANG", "DE"), ERROR_SUCCESS);
}

TEST_F(RegistryValuesTest, NullAndEmptyNamesAreTheDefaultValue) {
  ASSERT_EQ(SetString(key.get(), nullptr, "default"), ERROR_SUCCESS);
  char text[16];
  DWORD size = sizeof text;
  ASSERT_EQ(RegQueryValueExA(key.get(), "", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(text, "default");
}

TEST_F(RegistryValuesTest, EnumerationGivesValuesInTheOrderTheyWereFirstSet) {
  ASSERT_EQ(SetString(key.get(), "Zeta", "1"), ERROR_SUCCESS);
  ASSERT_EQ(SetString(key.get(), "Alpha", "2"), ERROR_SUCCESS);
  ASSERT_EQ(SetString(key.get(), "ZETA", "3"), ERROR_SUCCESS);
  char name[8];
  char data[8];
  DWORD nameLength = sizeof name, dataSize = sizeof data, type = 0;
  ASSERT_EQ(RegEnumValueA(key.get(), 0, name, &nameLength, nullptr, &type,
                          reinterpret_cast<BYTE*>(data), &dataSize),
            ERROR_SUCCESS);
  EXPECT_STREQ(name, "Zeta");
  EXPECT_EQ(nameLength, 4u);
  EXPECT_STREQ(data, "3");
  nameLength = 5;
  EXPECT_EQ(RegEnumValueA(key.get(), 1, name, &nameLength, nullptr, nullptr, nullptr, nullptr),
            ERROR_MORE_DATA);
  nameLength = sizeof name;
  EXPECT_EQ(RegEnumValueA(key.get(), 2, name, &nameLength, nullptr, nullptr, nullptr, nullptr),
            ERROR_NO_MORE_ITEMS);
}

// --- Subkey enumeration ---------------------------------------------------------------

using RegistryEnumerationTest = RegistryTest;

TEST_F(RegistryEnumerationTest, SubkeysComeInCaseInsensitiveOrderAsWindowsSortsThem) {
  for (const char* name : {"beta", "_under", "Alpha", "gamma", "ALPHA2"})
    testkit::WriteDword(HKEY_CURRENT_USER, std::string("Profiles\\") + name, "OK", 1);
  Key key;
  ASSERT_EQ(Open(HKEY_CURRENT_USER, "Profiles", KEY_READ, key), ERROR_SUCCESS);
  // Upper-case order: letters sort before the underscore.
  EXPECT_EQ(EnumKeys(key.get()),
            (std::vector<std::string>{"Alpha", "ALPHA2", "beta", "gamma", "_under"}));
}

TEST_F(RegistryEnumerationTest, ANameLongerThanTheBufferIsMoreDataAndTheEndIsNoMoreItems) {
  testkit::WriteDword(HKEY_CURRENT_USER, "Profiles\\Home", "OK", 1);
  Key key;
  ASSERT_EQ(Open(HKEY_CURRENT_USER, "Profiles", KEY_ENUMERATE_SUB_KEYS, key), ERROR_SUCCESS);
  char name[8] = {};
  DWORD length = 4;
  EXPECT_EQ(RegEnumKeyExA(key.get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr),
            ERROR_MORE_DATA);
  EXPECT_EQ(length, 4u);
  length = 5;
  EXPECT_EQ(RegEnumKeyExA(key.get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_STREQ(name, "Home");
  EXPECT_EQ(length, 4u);
  length = sizeof name;
  EXPECT_EQ(RegEnumKeyExA(key.get(), 1, name, &length, nullptr, nullptr, nullptr, nullptr),
            ERROR_NO_MORE_ITEMS);
}

// --- Deletion ----------------------------------------------------------------------------

using RegistryDeletionTest = RegistryTest;

TEST_F(RegistryDeletionTest, AHandleOnADeletedKeyFailsCleanlyAndStaysClosable) {
  Key held;
  ASSERT_EQ(Create(HKEY_CURRENT_USER, "A\\B", KEY_ALL_ACCESS, held), ERROR_SUCCESS);
  ASSERT_EQ(SetString(held.get(), "V", "old"), ERROR_SUCCESS);
  ASSERT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, "A"), ERROR_SUCCESS);

  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExA(held.get(), "V", nullptr, nullptr, nullptr, &size), ERROR_KEY_DELETED);
  EXPECT_EQ(SetString(held.get(), "V", "new"), ERROR_KEY_DELETED);
  Key child;
  EXPECT_EQ(Create(held.get(), "C", KEY_ALL_ACCESS, child), ERROR_KEY_DELETED);

  // A key made again under the same name is another key: the old handle stays dead.
  testkit::WriteString(HKEY_CURRENT_USER, "A\\B", "W", "fresh");
  EXPECT_EQ(RegQueryValueExA(held.get(), "W", nullptr, nullptr, nullptr, &size), ERROR_KEY_DELETED);
  EXPECT_FALSE(testkit::ReadValue(HKEY_CURRENT_USER, "A\\B", "V").has_value());
  EXPECT_EQ(RegCloseKey(held.release()), ERROR_SUCCESS);
}

TEST_F(RegistryDeletionTest, DeleteKeyRefusesAKeyWithSubkeys) {
  testkit::WriteDword(HKEY_CURRENT_USER, "A\\B\\C", "N", 1);
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "A\\B"), ERROR_ACCESS_DENIED);
  EXPECT_TRUE(testkit::KeyExists(HKEY_CURRENT_USER, "A\\B\\C"));
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "A\\B\\C"), ERROR_SUCCESS);
  EXPECT_FALSE(testkit::KeyExists(HKEY_CURRENT_USER, "A\\B\\C"));
  EXPECT_TRUE(testkit::KeyExists(HKEY_CURRENT_USER, "A\\B"));
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "A\\B\\C"), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryDeletionTest, DeleteTreeWithoutASubkeyEmptiesTheKeyButKeepsIt) {
  testkit::WriteDword(HKEY_CURRENT_USER, "A", "N", 1);
  testkit::WriteDword(HKEY_CURRENT_USER, "A\\B", "N", 1);
  Key key;
  ASSERT_EQ(Open(HKEY_CURRENT_USER, "A", KEY_ALL_ACCESS, key), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteTreeA(key.get(), nullptr), ERROR_SUCCESS);
  EXPECT_TRUE(testkit::KeyExists(HKEY_CURRENT_USER, "A"));
  EXPECT_FALSE(testkit::KeyExists(HKEY_CURRENT_USER, "A\\B"));
  EXPECT_FALSE(testkit::ReadValue(HKEY_CURRENT_USER, "A", "N").has_value());
}

TEST_F(RegistryDeletionTest, ResetEmptiesEveryRootAndLiftsDenials) {
  testkit::WriteDword(HKEY_LOCAL_MACHINE, kOptions, "LogLevel", 2);
  testkit::DenyAccess(HKEY_CURRENT_USER, "Software", KEY_ALL_ACCESS);
  Key held;
  ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, kOptions, KEY_READ, held), ERROR_SUCCESS);
  testkit::ResetRegistry();
  EXPECT_FALSE(testkit::KeyExists(HKEY_LOCAL_MACHINE, "Software"));
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExA(held.get(), "LogLevel", nullptr, nullptr, nullptr, &size),
            ERROR_KEY_DELETED);
  Key key;
  EXPECT_EQ(Create(HKEY_CURRENT_USER, kOptions, KEY_ALL_ACCESS, key), ERROR_SUCCESS);
}

// --- Saving and loading -------------------------------------------------------------------

class RegistryPersistenceTest : public RegistryTest {
 protected:
  kelvra::test::TempDir dir;
};

TEST_F(RegistryPersistenceTest, EveryValueComesBackExactlyAfterSaveAndLoad) {
  std::string allBytes;
  for (int b = 0; b < 256; ++b) allBytes.push_back(static_cast<char>(b));
  const std::string oddName = std::string("a\"b%[x]\\y\t\xC3\xA9 z");
  testkit::WriteValue(HKEY_CURRENT_USER, kOptions, "Bytes", REG_BINARY, allBytes);
  testkit::WriteValue(HKEY_CURRENT_USER, kOptions, oddName, 11, std::string("\0\x01", 2));
  testkit::WriteString(HKEY_CURRENT_USER, kOptions, "", "default");
  testkit::WriteValue(HKEY_CURRENT_USER, kOptions, "Path", REG_EXPAND_SZ,
                      std::string("%APPDATA%\0", 10));
  testkit::WriteValue(HKEY_CURRENT_USER, kOptions, "Empty", REG_SZ, "");
  testkit::WriteDword(HKEY_LOCAL_MACHINE, "SOFTWARE\\Time Zones\\W. Europe", "Index", 110);
  Key empty;
  ASSERT_EQ(Create(HKEY_CLASSES_ROOT, "Kelvra.Connect\\Empty [key]", KEY_ALL_ACCESS, empty),
            ERROR_SUCCESS);

  ASSERT_TRUE(testkit::SaveRegistry(dir.linuxPath("registry.txt")));
  testkit::ResetRegistry();
  ASSERT_TRUE(testkit::LoadRegistry(dir.linuxPath("registry.txt")));

  EXPECT_EQ(testkit::ReadValue(HKEY_CURRENT_USER, kOptions, "Bytes")->data, allBytes);
  auto odd = testkit::ReadValue(HKEY_CURRENT_USER, kOptions, oddName);
  ASSERT_TRUE(odd.has_value());
  EXPECT_EQ(odd->type, 11u);
  EXPECT_EQ(odd->data, std::string("\0\x01", 2));
  EXPECT_EQ(testkit::ReadString(HKEY_CURRENT_USER, kOptions, ""), "default");
  EXPECT_EQ(testkit::ReadValue(HKEY_CURRENT_USER, kOptions, "Path")->type,
            static_cast<DWORD>(REG_EXPAND_SZ));
  EXPECT_EQ(testkit::ReadValue(HKEY_CURRENT_USER, kOptions, "Empty")->data, "");
  EXPECT_EQ(testkit::ReadDword(HKEY_LOCAL_MACHINE, "SOFTWARE\\Time Zones\\W. Europe", "Index"),
            110u);
  EXPECT_EQ(testkit::SubKeyNames(HKEY_CLASSES_ROOT, "kelvra.connect"),
            std::vector<std::string>{"Empty [key]"});

  Key key;
  ASSERT_EQ(Open(HKEY_CURRENT_USER, kOptions, KEY_READ, key), ERROR_SUCCESS);
  char name[32];
  DWORD length = sizeof name;
  ASSERT_EQ(RegEnumValueA(key.get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_STREQ(name, "Bytes");
}

TEST_F(RegistryPersistenceTest, TheFileIsTheDocumentedText) {
  testkit::WriteDword(HKEY_CURRENT_USER, kOptions, "LogLevel", 2);
  ASSERT_TRUE(testkit::SaveRegistry(dir.linuxPath("registry.txt")));
  std::string text = dir.read("registry.txt");
  EXPECT_EQ(text.rfind("KELVRA REGISTRY 1\n", 0), 0u);
  EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Ostrane\\Kelvra]\n\"LogLevel\"=4:02000000\n"),
            std::string::npos);
}

TEST_F(RegistryPersistenceTest, AMalformedOrMissingFileLeavesTheRegistryAsItWas) {
  testkit::WriteString(HKEY_CURRENT_USER, kOptions, "LANG", "EN");
  for (const char* text :
       {"KELVRA REGISTRY 1\n\"orphan\"=1:00\n",
        "KELVRA REGISTRY 1\n[HKEY_CURRENT_USER\\A]\n\"v\"=1:0\n",
        "KELVRA REGISTRY 1\n[HKEY_NOWHERE\\A]\n",
        "KELVRA REGISTRY 1\n[HKEY_CURRENT_USER\\A]\n\"v\"=x:00\n", "not a registry\n"}) {
    dir.write("bad.txt", text);
    EXPECT_FALSE(testkit::LoadRegistry(dir.linuxPath("bad.txt"))) << text;
  }
  EXPECT_FALSE(testkit::LoadRegistry(dir.linuxPath("missing.txt")));
  EXPECT_EQ(testkit::ReadString(HKEY_CURRENT_USER, kOptions, "LANG"), "EN");
  EXPECT_FALSE(testkit::KeyExists(HKEY_CURRENT_USER, "A"));
}

}  // namespace
