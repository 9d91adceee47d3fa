#include <gtest/gtest.h>

#include <string>

#include "atl/statreg.h"
#include "com/hresult.h"
#include "testkit/Registry.h"

namespace {

const char* const kClassKey = "CLSID\\{11111111-2222-3333-4444-555555555555}";

class RegistrationScriptTest : public ::testing::Test {
 protected:
  void SetUp() override { testkit::ResetRegistry(); }
  void TearDown() override {
    testkit::ResetRegistry();
    EXPECT_EQ(testkit::OpenKeyCount(), 0u) << "the registrar left keys open";
  }

  HRESULT Register(const std::u16string& script) {
    return registrar_.StringRegister(script.c_str());
  }
  HRESULT Unregister(const std::u16string& script) {
    return registrar_.StringUnregister(script.c_str());
  }
  static std::string String(const std::string& path, const std::string& name = "") {
    return testkit::ReadString(HKEY_CLASSES_ROOT, path, name).value_or("<missing>");
  }
  static bool Exists(const std::string& path) {
    return testkit::KeyExists(HKEY_CLASSES_ROOT, path);
  }

  ATL::CRegObject registrar_;
};

// The shape of a class registration: a ProgID with its class id, and the class key
// under a CLSID key that other classes share.
const std::u16string kClassScript =
    uR"(
HKCR
{
  Shapes.Square.1 = s 'Square Class'
  {
    CLSID = s '{11111111-2222-3333-4444-555555555555}'
  }
  NoRemove CLSID
  {
    ForceRemove {11111111-2222-3333-4444-555555555555} = s 'Square Class'
    {
      ProgID = s 'Shapes.Square.1'
      ForceRemove 'Programmable'
      InprocServer32 = s '%MODULE%'
      {
        val ThreadingModel = s 'Apartment'
      }
    }
  }
}
)";

// --- Applying a script.

class RegistrationScriptApplyTest : public RegistrationScriptTest {};

TEST_F(RegistrationScriptApplyTest, WritesNestedKeysWithTheirDefaultValuesAndValues) {
  ASSERT_EQ(registrar_.AddReplacement(u"Module", u"C:\\Program Files\\Shapes\\Shapes.dll"), S_OK);
  ASSERT_EQ(Register(kClassScript), S_OK);
  EXPECT_EQ(String("Shapes.Square.1"), "Square Class");
  EXPECT_EQ(String("Shapes.Square.1\\CLSID"), "{11111111-2222-3333-4444-555555555555}");
  EXPECT_EQ(String(kClassKey), "Square Class");
  EXPECT_EQ(String(std::string(kClassKey) + "\\ProgID"), "Shapes.Square.1");
  EXPECT_TRUE(Exists(std::string(kClassKey) + "\\Programmable"));
  EXPECT_FALSE(testkit::ReadValue(HKEY_CLASSES_ROOT, std::string(kClassKey) + "\\Programmable", ""))
      << "a key without '=' has no default value";
  EXPECT_EQ(String(std::string(kClassKey) + "\\InprocServer32"),
            "C:\\Program Files\\Shapes\\Shapes.dll");
  EXPECT_EQ(String(std::string(kClassKey) + "\\InprocServer32", "ThreadingModel"), "Apartment");
}

TEST_F(RegistrationScriptApplyTest, ValueTypesAreStoredAsTheirRegistryTypes) {
  ASSERT_EQ(Register(uR"(HKCU { 'Software' { Shapes {
      val Count = d '0x10'
      val Small = d '7'
      val Blob = b '00FF10'
      val Path = e '%%TEMP%%\x'
  } } })"),
            S_OK);
  EXPECT_EQ(testkit::ReadDword(HKEY_CURRENT_USER, "Software\\Shapes", "Count"), 16u);
  EXPECT_EQ(testkit::ReadDword(HKEY_CURRENT_USER, "Software\\Shapes", "Small"), 7u);
  const auto blob = testkit::ReadValue(HKEY_CURRENT_USER, "Software\\Shapes", "Blob");
  ASSERT_TRUE(blob);
  EXPECT_EQ(blob->type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(blob->data, std::string("\x00\xFF\x10", 3));
  const auto path = testkit::ReadValue(HKEY_CURRENT_USER, "Software\\Shapes", "Path");
  ASSERT_TRUE(path);
  EXPECT_EQ(path->type, static_cast<DWORD>(REG_EXPAND_SZ));
  EXPECT_EQ(path->data, std::string("%TEMP%\\x\0", 9)) << "%% is one % and the NUL is kept";
}

TEST_F(RegistrationScriptApplyTest, AReplacementHoldingAQuoteStaysOneValue) {
  ASSERT_EQ(registrar_.AddReplacement(u"MODULE", u"C:\\Users\\O'Brien\\Shapes.dll"), S_OK);
  ASSERT_EQ(Register(kClassScript), S_OK);
  EXPECT_EQ(String(std::string(kClassKey) + "\\InprocServer32"), "C:\\Users\\O'Brien\\Shapes.dll");
  EXPECT_EQ(String(std::string(kClassKey) + "\\InprocServer32", "ThreadingModel"), "Apartment");
}

TEST_F(RegistrationScriptApplyTest, ForceRemoveReplacesWhatWasThereAndNoRemoveKeepsIt) {
  testkit::WriteString(HKEY_CLASSES_ROOT, std::string(kClassKey) + "\\Stale", "", "old");
  testkit::WriteString(HKEY_CLASSES_ROOT, "CLSID\\{OTHER}", "", "Other Class");
  registrar_.AddReplacement(u"Module", u"C:\\Shapes.dll");
  ASSERT_EQ(Register(kClassScript), S_OK);
  EXPECT_FALSE(Exists(std::string(kClassKey) + "\\Stale")) << "ForceRemove empties the key first";
  EXPECT_EQ(String("CLSID\\{OTHER}"), "Other Class");
}

TEST_F(RegistrationScriptApplyTest, DeleteRemovesTheKeyOnRegistering) {
  testkit::WriteString(HKEY_CLASSES_ROOT, "Shapes.Old\\CLSID", "", "{x}");
  ASSERT_EQ(Register(u"HKCR { Delete Shapes.Old Shapes.New = s 'New' }"), S_OK);
  EXPECT_FALSE(Exists("Shapes.Old"));
  EXPECT_EQ(String("Shapes.New"), "New");
}

TEST_F(RegistrationScriptApplyTest, ADeniedKeyIsReportedAsAccessDenied) {
  testkit::DenyAccess(HKEY_CLASSES_ROOT, "Shapes.Square.1", KEY_WRITE);
  registrar_.AddReplacement(u"Module", u"C:\\Shapes.dll");
  EXPECT_EQ(Register(kClassScript), HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
}

// --- Removing a script.

class RegistrationScriptRemoveTest : public RegistrationScriptTest {
 protected:
  void SetUp() override {
    RegistrationScriptTest::SetUp();
    registrar_.AddReplacement(u"Module", u"C:\\Shapes.dll");
    ASSERT_EQ(Register(kClassScript), S_OK);
  }
};

TEST_F(RegistrationScriptRemoveTest, RemovesTheClassButKeepsTheSharedKey) {
  testkit::WriteString(HKEY_CLASSES_ROOT, "CLSID\\{OTHER}", "", "Other Class");
  ASSERT_EQ(Unregister(kClassScript), S_OK);
  EXPECT_FALSE(Exists(kClassKey));
  EXPECT_FALSE(Exists("Shapes.Square.1"));
  EXPECT_TRUE(Exists("CLSID\\{OTHER}"));
}

TEST_F(RegistrationScriptRemoveTest, NoRemoveKeyStaysEvenWhenEmpty) {
  ASSERT_EQ(Unregister(kClassScript), S_OK);
  EXPECT_TRUE(Exists("CLSID"));
}

TEST_F(RegistrationScriptRemoveTest, ForceRemoveTakesSubkeysTheScriptDoesNotName) {
  testkit::WriteString(HKEY_CLASSES_ROOT, std::string(kClassKey) + "\\Implemented Categories\\{c}",
                       "", "");
  ASSERT_EQ(Unregister(kClassScript), S_OK);
  EXPECT_FALSE(Exists(kClassKey));
}

TEST_F(RegistrationScriptRemoveTest, APlainKeyWithForeignSubkeysStaysWithoutTheScriptsValues) {
  testkit::WriteString(HKEY_CLASSES_ROOT, "Shapes.Square.1\\Shell", "", "theirs");
  ASSERT_EQ(Register(u"HKCR { Shapes.Square.1 { val Flag = s 'x' } }"), S_OK);
  ASSERT_EQ(Unregister(u"HKCR { Shapes.Square.1 { val Flag = s 'x' CLSID = s 'y' } }"), S_OK);
  EXPECT_TRUE(Exists("Shapes.Square.1\\Shell"));
  EXPECT_FALSE(Exists("Shapes.Square.1\\CLSID"));
  EXPECT_FALSE(testkit::ReadValue(HKEY_CLASSES_ROOT, "Shapes.Square.1", "Flag"));
}

TEST_F(RegistrationScriptRemoveTest, RemovingTwiceFindsNothingToDoAndSucceeds) {
  ASSERT_EQ(Unregister(kClassScript), S_OK);
  EXPECT_EQ(Unregister(kClassScript), S_OK);
}

// --- Malformed scripts change nothing.

class RegistrationScriptMalformedTest : public RegistrationScriptTest,
                                        public ::testing::WithParamInterface<const char16_t*> {};

TEST_P(RegistrationScriptMalformedTest, IsRefusedBeforeAnythingIsWritten) {
  EXPECT_EQ(Register(GetParam()), DISP_E_EXCEPTION);
  EXPECT_TRUE(testkit::SubKeyNames(HKEY_CLASSES_ROOT, "").empty());
  EXPECT_TRUE(testkit::SubKeyNames(HKEY_CURRENT_USER, "").empty());
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, RegistrationScriptMalformedTest,
    ::testing::Values(u"HKCR { Written = s 'x' Broken { }",          // unclosed brace
                      u"HKCR { Written = s 'x' Open = s 'no end }",  // unclosed quote
                      u"HKCR { Written = s 'x' Bad = q 'x' }",       // unknown type
                      u"HKCR { Written = s 'x' Bad = d 'ten' }",     // not a number
                      u"HKCR { Written = s 'x' Bad = b 'ABC' }",     // odd hex digits
                      u"HKCR { Written = s '%NOWHERE%' }",           // unknown replacement
                      u"HKXX { Written = s 'x' }",                   // unknown root
                      u"HKCU { Written = s 'x' } }",                 // stray brace
                      u"HKCR { ForceRemove = s 'x' }"));             // flag without a name

}  // namespace
