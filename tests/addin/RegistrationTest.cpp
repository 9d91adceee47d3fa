// The add-in module as a COM server: its entry points, the class factory, and what
// registration writes and removes.
#include <gtest/gtest.h>

#include <regex>

#include "AddinTestSupport.h"
#include "addin/IKelvra.h"
#include "office/office.h"
#include "testkit/Com.h"
#include "testkit/Registry.h"
#include "win32/module.h"
#include "win32/nls.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);
extern "C" HRESULT STDMETHODCALLTYPE DllCanUnloadNow();
extern "C" HRESULT STDMETHODCALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* object);
extern "C" HRESULT STDMETHODCALLTYPE DllRegisterServer();
extern "C" HRESULT STDMETHODCALLTYPE DllUnregisterServer();

namespace {

constexpr const char* kClassKey = "CLSID\\{1C6AE261-98B6-4EEF-9D3A-A7D6E7F1BD5B}";
constexpr const char* kClassId = "{1C6AE261-98B6-4EEF-9D3A-A7D6E7F1BD5B}";
constexpr const char* kLibraryKey = "TypeLib\\{23849DD1-266E-48D0-841D-A14FF7564DF0}";
constexpr const char* kInterfaceKey = "Interface\\{2103A46B-2A01-40DA-B9AF-4E99A2F2BDD1}";

class ModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ResetRegistry();
    ASSERT_TRUE(DllMain(kelvra::test::AddinModule(), DLL_PROCESS_ATTACH, nullptr));
  }
  void TearDown() override { testkit::ResetRegistry(); }

  static std::string Value(const std::string& path, const std::string& name = "") {
    return testkit::ReadString(HKEY_CLASSES_ROOT, path, name).value_or("<missing>");
  }
  static IUnknownPtr NewConnect() {
    IClassFactory* factory = nullptr;
    EXPECT_EQ(
        DllGetClassObject(CLSID_Connect, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
        S_OK);
    IUnknown* object = nullptr;
    if (factory != nullptr) {
      EXPECT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&object)),
                S_OK);
      factory->Release();
    }
    return IUnknownPtr(object, false);
  }
};

// --- Entry points and the class factory.

using ModuleEntryTest = ModuleTest;

TEST_F(ModuleEntryTest, TheConnectClassAnswersItsInterfacesAndKeepsTheModuleLoaded) {
  EXPECT_EQ(DllCanUnloadNow(), S_OK);
  IUnknownPtr connect = NewConnect();
  ASSERT_NE(connect, nullptr);
  EXPECT_EQ(DllCanUnloadNow(), S_FALSE);
  AddInDesignerObjects::_IDTExtensibility2Ptr addIn(connect);
  Office::IRibbonExtensibilityPtr ribbon(connect);
  IKelvraPtr callbacks(connect);
  IDispatchPtr dispatch(connect);
  EXPECT_NE(addIn, nullptr);
  EXPECT_NE(ribbon, nullptr);
  ASSERT_NE(callbacks, nullptr);
  EXPECT_EQ(static_cast<IDispatch*>(dispatch), static_cast<IDispatch*>(callbacks))
      << "Office calls the callbacks through the object's IDispatch";
  addIn = nullptr;
  ribbon = nullptr;
  callbacks = nullptr;
  dispatch = nullptr;
  connect = nullptr;
  EXPECT_EQ(DllCanUnloadNow(), S_OK);
}

TEST_F(ModuleEntryTest, OtherClassesAreNotAvailable) {
  constexpr CLSID other{0x1C6AE261, 0x98B6, 0x4EEF, {0, 0, 0, 0, 0, 0, 0, 1}};
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(DllGetClassObject(other, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(object, nullptr);
}

TEST_F(ModuleEntryTest, EveryCallbackOfTheRibbonXmlResolvesByName) {
  IUnknownPtr connect = NewConnect();
  IDispatchPtr dispatch(connect);
  ASSERT_NE(dispatch, nullptr);
  Office::IRibbonExtensibilityPtr ribbon(connect);
  BSTR xml = nullptr;
  ASSERT_EQ(ribbon->GetCustomUI(_bstr_t("Microsoft.Outlook.Explorer"), &xml), S_OK);
  const std::string text = static_cast<const char*>(_bstr_t(xml, false));
  const std::regex callback(
      R"#((onLoad|onAction|getLabel|getScreentip|getImage|getEnabled|getContent)="([^"]+)")#");
  int found = 0;
  for (std::sregex_iterator it(text.begin(), text.end(), callback), end; it != end; ++it, ++found) {
    _bstr_t name((*it)[2].str().c_str());
    LPOLESTR names[] = {name};
    DISPID id = DISPID_UNKNOWN;
    EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK) << (*it)[2].str();
    EXPECT_NE(id, DISPID_UNKNOWN);
  }
  EXPECT_EQ(found, 37);
  _bstr_t unknown("Button_OnClick");
  LPOLESTR names[] = {unknown};
  DISPID id = 0;
  EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id), DISP_E_UNKNOWNNAME);
}

// --- Registration.

using RegistrationTest = ModuleTest;

TEST_F(RegistrationTest, RegisteringWritesTheClassItsProgIdsAndTheTypeLibrary) {
  ASSERT_EQ(DllRegisterServer(), S_OK);
  EXPECT_EQ(Value("Kelvra.Connect.1"), "Connect Class");
  EXPECT_EQ(Value("Kelvra.Connect.1\\CLSID"), kClassId);
  EXPECT_EQ(Value("Kelvra.Connect"), "Connect Class");
  EXPECT_EQ(Value("Kelvra.Connect\\CLSID"), kClassId);
  EXPECT_EQ(Value("Kelvra.Connect\\CurVer"), "Kelvra.Connect.1");
  EXPECT_EQ(Value(kClassKey), "Connect Class");
  EXPECT_EQ(Value(std::string(kClassKey) + "\\ProgID"), "Kelvra.Connect.1");
  EXPECT_EQ(Value(std::string(kClassKey) + "\\VersionIndependentProgID"), "Kelvra.Connect");
  EXPECT_TRUE(testkit::KeyExists(HKEY_CLASSES_ROOT, std::string(kClassKey) + "\\Programmable"));
  EXPECT_EQ(Value(std::string(kClassKey) + "\\Programmable"), "<missing>") << "an empty key";
  char module[2048] = "";
  ASSERT_GT(GetModuleFileNameA(kelvra::test::AddinModule(), module, sizeof module), 0u);
  EXPECT_EQ(Value(std::string(kClassKey) + "\\InprocServer32"), module);
  EXPECT_TRUE(Value(std::string(kClassKey) + "\\InprocServer32").ends_with("\\Kelvra.dll"));
  EXPECT_EQ(Value(std::string(kClassKey) + "\\InprocServer32", "ThreadingModel"), "Apartment");
  EXPECT_EQ(Value(std::string(kClassKey) + "\\TypeLib"), "{23849DD1-266E-48D0-841D-A14FF7564DF0}");
  EXPECT_EQ(testkit::SubKeyNames(HKEY_CLASSES_ROOT, kClassKey),
            (std::vector<std::string>{"InprocServer32", "ProgID", "Programmable", "TypeLib",
                                      "VersionIndependentProgID"}));
  EXPECT_EQ(Value(std::string(kLibraryKey) + "\\1.0"), "Kelvra 1.0 Type Library");
  EXPECT_EQ(Value(kInterfaceKey), "IKelvra");
  EXPECT_EQ(GetThreadLocale(), 0x0409u) << "the thread's locale is back";
}

TEST_F(RegistrationTest, UnregisteringRemovesTheClassKeyWholeAndTheTypeLibrary) {
  ASSERT_EQ(DllRegisterServer(), S_OK);
  testkit::WriteString(HKEY_CLASSES_ROOT, std::string(kClassKey) + "\\Extra", "", "left by others");
  testkit::WriteString(HKEY_CLASSES_ROOT, "CLSID\\{00000000-0000-0000-0000-000000000001}", "", "x");
  ASSERT_EQ(DllUnregisterServer(), S_OK);
  EXPECT_FALSE(testkit::KeyExists(HKEY_CLASSES_ROOT, kClassKey));
  EXPECT_FALSE(testkit::KeyExists(HKEY_CLASSES_ROOT, "Kelvra.Connect.1"));
  EXPECT_FALSE(testkit::KeyExists(HKEY_CLASSES_ROOT, "Kelvra.Connect"));
  EXPECT_FALSE(testkit::KeyExists(HKEY_CLASSES_ROOT, kLibraryKey));
  EXPECT_FALSE(testkit::KeyExists(HKEY_CLASSES_ROOT, kInterfaceKey));
  EXPECT_TRUE(
      testkit::KeyExists(HKEY_CLASSES_ROOT, "CLSID\\{00000000-0000-0000-0000-000000000001}"));
}

}  // namespace
