#include <gtest/gtest.h>

#include "atl/atlcom.h"
#include "com/TypeLibrary.h"
#include "testkit/Com.h"
#include "testkit/Registry.h"

namespace {

KELVRA_INTERFACE_IID(IGauge, 0x7A6B0001, 0x1C2D, 0x4E3F, 0x80, 0x91, 0xA2, 0xB3, 0xC4, 0xD5, 0xE6,
                     0xF7)
struct IGauge : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE Read(LONG* value) = 0;
};

constexpr CLSID kGaugeClass{
    0x7A6B0100, 0x1C2D, 0x4E3F, {0x80, 0x91, 0xA2, 0xB3, 0xC4, 0xD5, 0xE6, 0xF7}};
constexpr CLSID kBrokenClass{
    0x7A6B0101, 0x1C2D, 0x4E3F, {0x80, 0x91, 0xA2, 0xB3, 0xC4, 0xD5, 0xE6, 0xF7}};
constexpr GUID kGaugeLibrary{
    0x7A6B0200, 0x1C2D, 0x4E3F, {0x80, 0x91, 0xA2, 0xB3, 0xC4, 0xD5, 0xE6, 0xF7}};
constexpr UINT kGaugeScriptId = 301;

const kelvra::typelib::Member kGaugeMembers[] = {KELVRA_DISP_METHOD(IGauge, Read, 1)};
const kelvra::typelib::Interface kGaugeInterfaces[] = {
    {&__uuidof(IGauge), u"IGauge", kGaugeMembers}};
const kelvra::typelib::Library kLibrary{
    &kGaugeLibrary, 1, 0, u"GaugeLib", u"Gauge 1.0 Type Library", kGaugeInterfaces};
kelvra::typelib::LibraryRegistration libraryRegistration(kLibrary);

kelvra::atl::RegistryScriptResource gaugeScript(kGaugeScriptId, R"(
HKCR
{
  Gauges.Gauge.1 = s 'Gauge Class'
  {
    CLSID = s '{7A6B0100-1C2D-4E3F-8091-A2B3C4D5E6F7}'
  }
  NoRemove CLSID
  {
    ForceRemove {7A6B0100-1C2D-4E3F-8091-A2B3C4D5E6F7} = s 'Gauge Class'
    {
      InprocServer32 = s '%MODULE%'
      {
        val ThreadingModel = s 'Apartment'
      }
      'TypeLib' = s '{7A6B0200-1C2D-4E3F-8091-A2B3C4D5E6F7}'
    }
  }
}
)");

class CGaugeModule : public ATL::CAtlDllModuleT<CGaugeModule> {
 public:
  DECLARE_LIBID(kGaugeLibrary)
};

CGaugeModule gaugeModule;

class ATL_NO_VTABLE CGauge : public ATL::CComObjectRootEx<ATL::CComSingleThreadModel>,
                             public ATL::CComCoClass<CGauge, &kGaugeClass>,
                             public ATL::IDispatchImpl<IGauge, &__uuidof(IGauge), &kGaugeLibrary> {
 public:
  DECLARE_REGISTRY_RESOURCEID(kGaugeScriptId)
  BEGIN_COM_MAP(CGauge)
    COM_INTERFACE_ENTRY(IGauge)
    COM_INTERFACE_ENTRY(IDispatch)
  END_COM_MAP()

  STDMETHODIMP Read(LONG* value) override {
    *value = 42;
    return S_OK;
  }
};

OBJECT_ENTRY_AUTO(kGaugeClass, CGauge)

// Its construction fails; it has no registry script.
class ATL_NO_VTABLE CBroken : public ATL::CComObjectRootEx<ATL::CComSingleThreadModel>,
                              public ATL::CComCoClass<CBroken, &kBrokenClass>,
                              public IUnknown {
 public:
  DECLARE_NO_REGISTRY()
  BEGIN_COM_MAP(CBroken)
    COM_INTERFACE_ENTRY(IUnknown)
  END_COM_MAP()

  HRESULT FinalConstruct() { return E_OUTOFMEMORY; }
};

OBJECT_ENTRY_AUTO(kBrokenClass, CBroken)

class ComModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ResetRegistry();
    ASSERT_EQ(testkit::ModuleLockCount(), 0);
  }
  void TearDown() override {
    EXPECT_EQ(testkit::ModuleLockCount(), 0) << "an object or lock was left";
    testkit::ResetRegistry();
  }

  static IClassFactory* Factory(const CLSID& clsid) {
    IClassFactory* factory = nullptr;
    EXPECT_EQ(
        gaugeModule.DllGetClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
        S_OK);
    return factory;
  }
};

// --- Class factory, objects and the lock count.

class ComModuleFactoryTest : public ComModuleTest {};

TEST_F(ComModuleFactoryTest, TheObjectMapListsTheClasses) {
  const std::vector<CLSID> classes = testkit::ObjectMapClasses();
  EXPECT_NE(std::find(classes.begin(), classes.end(), kGaugeClass), classes.end());
  EXPECT_NE(std::find(classes.begin(), classes.end(), kBrokenClass), classes.end());
}

TEST_F(ComModuleFactoryTest, FactoryMakesObjectsThatAnswerTheirInterfaces) {
  IClassFactory* factory = Factory(kGaugeClass);
  ASSERT_NE(factory, nullptr);
  IGauge* gauge = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, __uuidof(IGauge), reinterpret_cast<void**>(&gauge)),
            S_OK);
  LONG value = 0;
  EXPECT_EQ(gauge->Read(&value), S_OK);
  EXPECT_EQ(value, 42);
  IUnknown* unknown = nullptr;
  EXPECT_EQ(gauge->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
  IDispatch* dispatch = nullptr;
  EXPECT_EQ(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)), S_OK);
  EXPECT_EQ(static_cast<void*>(dispatch), static_cast<void*>(gauge))
      << "the dual answers IDispatch";
  IClassFactory* none = reinterpret_cast<IClassFactory*>(1);
  EXPECT_EQ(gauge->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&none)),
            E_NOINTERFACE);
  EXPECT_EQ(none, nullptr);
  dispatch->Release();
  unknown->Release();
  EXPECT_EQ(gauge->Release(), 0u);
  factory->Release();
}

TEST_F(ComModuleFactoryTest, UnknownClassesAndAggregationAreRefused) {
  constexpr CLSID other{0x01, 0x02, 0x03, {4, 5, 6, 7, 8, 9, 10, 11}};
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(gaugeModule.DllGetClassObject(other, IID_IClassFactory, &object),
            CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(gaugeModule.DllGetClassObject(kGaugeClass, IID_IClassFactory, nullptr), E_POINTER);

  IClassFactory* factory = Factory(kGaugeClass);
  ASSERT_NE(factory, nullptr);
  IUnknown* outer = factory;
  object = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->CreateInstance(outer, IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(object, nullptr);
  factory->Release();
}

TEST_F(ComModuleFactoryTest, LiveObjectsAndServerLocksKeepTheModuleLoaded) {
  EXPECT_EQ(gaugeModule.DllCanUnloadNow(), S_OK);
  IClassFactory* factory = Factory(kGaugeClass);
  ASSERT_NE(factory, nullptr);
  IUnknown* first = nullptr;
  IUnknown* second = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&first)), S_OK);
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&second)),
            S_OK);
  EXPECT_NE(first, second);
  EXPECT_EQ(testkit::ModuleLockCount(), 2);
  EXPECT_EQ(gaugeModule.DllCanUnloadNow(), S_FALSE);
  first->Release();
  second->Release();
  EXPECT_EQ(gaugeModule.DllCanUnloadNow(), S_OK);

  EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  EXPECT_EQ(gaugeModule.DllCanUnloadNow(), S_FALSE);
  EXPECT_EQ(factory->LockServer(FALSE), S_OK);
  EXPECT_EQ(gaugeModule.DllCanUnloadNow(), S_OK);
  factory->Release();
}

TEST_F(ComModuleFactoryTest, AFailedConstructionLeavesNoObjectAndNoLock) {
  IClassFactory* factory = Factory(kBrokenClass);
  ASSERT_NE(factory, nullptr);
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, &object), E_OUTOFMEMORY);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(testkit::ModuleLockCount(), 0);
  factory->Release();
}

// --- Server registration.

class ComModuleRegistrationTest : public ComModuleTest {
 protected:
  static std::string String(const std::string& path, const std::string& name = "") {
    return testkit::ReadString(HKEY_CLASSES_ROOT, path, name).value_or("<missing>");
  }
  const std::string classKey_ = "CLSID\\{7A6B0100-1C2D-4E3F-8091-A2B3C4D5E6F7}";
  const std::string libraryKey_ = "TypeLib\\{7A6B0200-1C2D-4E3F-8091-A2B3C4D5E6F7}";
  const std::string interfaceKey_ = "Interface\\{7A6B0001-1C2D-4E3F-8091-A2B3C4D5E6F7}";
};

TEST_F(ComModuleRegistrationTest, RegistersTheClassesAndTheTypeLibrary) {
  ASSERT_EQ(gaugeModule.DllRegisterServer(), S_OK);
  EXPECT_EQ(String("Gauges.Gauge.1\\CLSID"), "{7A6B0100-1C2D-4E3F-8091-A2B3C4D5E6F7}");
  const std::string module = String(classKey_ + "\\InprocServer32");
  EXPECT_NE(module, "<missing>");
  EXPECT_EQ(module.find('%'), std::string::npos) << "%MODULE% is replaced: " << module;
  EXPECT_EQ(String(classKey_ + "\\InprocServer32", "ThreadingModel"), "Apartment");

  EXPECT_EQ(String(libraryKey_ + "\\1.0"), "Gauge 1.0 Type Library");
  EXPECT_EQ(String(libraryKey_ + "\\1.0\\0\\win32"), module);
  EXPECT_EQ(String(libraryKey_ + "\\1.0\\FLAGS"), "0");
  EXPECT_EQ(String(interfaceKey_), "IGauge");
  EXPECT_EQ(String(interfaceKey_ + "\\TypeLib"), "{7A6B0200-1C2D-4E3F-8091-A2B3C4D5E6F7}");
  EXPECT_EQ(String(interfaceKey_ + "\\TypeLib", "Version"), "1.0");
  EXPECT_EQ(String(interfaceKey_ + "\\ProxyStubClsid32"), "{00020424-0000-0000-C000-000000000046}");
}

TEST_F(ComModuleRegistrationTest, UnregisteringRemovesTheClassKeyWholeAndTheTypeLibrary) {
  testkit::WriteString(HKEY_CLASSES_ROOT, "CLSID\\{SOMEONE-ELSE}", "", "theirs");
  ASSERT_EQ(gaugeModule.DllRegisterServer(), S_OK);
  testkit::WriteString(HKEY_CLASSES_ROOT, classKey_ + "\\Added Later", "", "x");
  ASSERT_EQ(gaugeModule.DllUnregisterServer(), S_OK);
  EXPECT_FALSE(testkit::KeyExists(HKEY_CLASSES_ROOT, classKey_));
  EXPECT_FALSE(testkit::KeyExists(HKEY_CLASSES_ROOT, "Gauges.Gauge.1"));
  EXPECT_FALSE(testkit::KeyExists(HKEY_CLASSES_ROOT, libraryKey_));
  EXPECT_FALSE(testkit::KeyExists(HKEY_CLASSES_ROOT, interfaceKey_));
  EXPECT_TRUE(testkit::KeyExists(HKEY_CLASSES_ROOT, "CLSID\\{SOMEONE-ELSE}"));
}

TEST_F(ComModuleRegistrationTest, ARegistryFailureIsReturned) {
  testkit::DenyAccess(HKEY_CLASSES_ROOT, "Gauges.Gauge.1", KEY_WRITE);
  EXPECT_EQ(gaugeModule.DllRegisterServer(), HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
  testkit::ClearDenials();
}

TEST_F(ComModuleRegistrationTest, AMissingScriptIsReported) {
  EXPECT_EQ(gaugeModule.UpdateRegistryFromResource(999, TRUE),
            HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND));
}

}  // namespace
