#include <gtest/gtest.h>

#include "com/objbase.h"
#include "redemption/redemption.h"
#include "testkit/Outlook.h"
#include "testkit/Redemption.h"

namespace {

using Redemption::IMAPIUtils;
using Redemption::ISafeContactItem;

class ProgIdTest : public ::testing::Test {
 protected:
  void SetUp() override { testkit::ClearCreateFailures(); }
  void TearDown() override {
    testkit::ClearCreateFailures();
    EXPECT_EQ(testkit::LiveOutlookObjects(), 0u) << "objects were not released";
  }

  static CLSID ClassOf(const char16_t* progId) {
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID(progId, &clsid), S_OK) << "class id";
    return clsid;
  }

  // CoCreateInstance's result; a made object is released at once.
  static HRESULT Make(const CLSID& clsid, REFIID iid, DWORD context = CLSCTX_INPROC_SERVER) {
    IUnknown* object = nullptr;
    const HRESULT result =
        CoCreateInstance(clsid, nullptr, context, iid, reinterpret_cast<void**>(&object));
    EXPECT_EQ(SUCCEEDED(result), object != nullptr) << "object set exactly on success";
    if (object != nullptr) {
      EXPECT_EQ(object->Release(), 0u);
    }
    return result;
  }
};

// --- Class ids and instances.

class ProgIdCreationTest : public ProgIdTest {};

TEST_F(ProgIdCreationTest, RedemptionClassesHaveDistinctClassIds) {
  const CLSID safe = ClassOf(u"Redemption.SafeContactItem");
  const CLSID utils = ClassOf(u"Redemption.MapiUtils");
  EXPECT_FALSE(safe == GUID_NULL);
  EXPECT_FALSE(utils == GUID_NULL);
  EXPECT_FALSE(safe == utils);
  EXPECT_TRUE(ClassOf(u"redemption.safecontactitem") == safe);
}

TEST_F(ProgIdCreationTest, UnknownProgIdHasNoClass) {
  CLSID clsid = ClassOf(u"Redemption.MapiUtils");
  EXPECT_EQ(CLSIDFromProgID(u"Redemption.Nothing", &clsid), CO_E_CLASSSTRING);
  EXPECT_TRUE(clsid == GUID_NULL);
  EXPECT_EQ(CLSIDFromProgID(u"Redemption.MapiUtil", &clsid), CO_E_CLASSSTRING);
  EXPECT_EQ(CLSIDFromProgID(nullptr, &clsid), CO_E_CLASSSTRING);
}

TEST_F(ProgIdCreationTest, InstancesAnswerTheirInterfaces) {
  const CLSID safe = ClassOf(u"Redemption.SafeContactItem");
  const CLSID utils = ClassOf(u"Redemption.MapiUtils");
  EXPECT_EQ(Make(safe, __uuidof(ISafeContactItem)), S_OK);
  EXPECT_EQ(Make(safe, IID_IDispatch), S_OK);
  EXPECT_EQ(Make(utils, __uuidof(IMAPIUtils)), S_OK);
  EXPECT_EQ(Make(safe, __uuidof(IMAPIUtils)), E_NOINTERFACE);
}

TEST_F(ProgIdCreationTest, EveryInstanceIsNew) {
  const CLSID safe = ClassOf(u"Redemption.SafeContactItem");
  Redemption::ISafeContactItemPtr first, second;
  ASSERT_EQ(CoCreateInstance(safe, nullptr, CLSCTX_INPROC_SERVER, __uuidof(ISafeContactItem),
                             reinterpret_cast<void**>(&first)),
            S_OK);
  ASSERT_EQ(CoCreateInstance(safe, nullptr, CLSCTX_INPROC_SERVER, __uuidof(ISafeContactItem),
                             reinterpret_cast<void**>(&second)),
            S_OK);
  EXPECT_FALSE(first == second);
  EXPECT_EQ(testkit::LiveOutlookObjects(), 2u);
}

TEST_F(ProgIdCreationTest, OnlyInProcessUnaggregatedRegisteredClasses) {
  const CLSID safe = ClassOf(u"Redemption.SafeContactItem");
  EXPECT_EQ(Make(safe, __uuidof(ISafeContactItem), 0x4 /* local server */), REGDB_E_CLASSNOTREG);
  const CLSID unknown{0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
  EXPECT_EQ(Make(unknown, IID_IUnknown), REGDB_E_CLASSNOTREG);

  void* object = &object;
  IUnknown* outer = reinterpret_cast<IUnknown*>(&object);
  EXPECT_EQ(CoCreateInstance(safe, outer, CLSCTX_INPROC_SERVER, IID_IUnknown, &object),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(CoCreateInstance(safe, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, nullptr),
            E_POINTER);
}

TEST_F(ProgIdCreationTest, RuntimeStartsAndStops) {
  EXPECT_EQ(CoInitialize(nullptr), S_OK);
  EXPECT_EQ(Make(ClassOf(u"Redemption.MapiUtils"), IID_IUnknown), S_OK);
  CoUninitialize();
}

// --- Classes made uncreatable by a test.

class ProgIdFailureTest : public ProgIdTest {};

TEST_F(ProgIdFailureTest, ClassStringFailureHidesTheProgId) {
  testkit::FailCreate("Redemption.MapiUtils", CO_E_CLASSSTRING);
  CLSID clsid{};
  EXPECT_EQ(CLSIDFromProgID(u"Redemption.MapiUtils", &clsid), CO_E_CLASSSTRING);
  EXPECT_TRUE(clsid == GUID_NULL);
  EXPECT_EQ(Make(ClassOf(u"Redemption.SafeContactItem"), IID_IUnknown), S_OK);
}

TEST_F(ProgIdFailureTest, OtherFailuresStopTheInstance) {
  const CLSID safe = ClassOf(u"Redemption.SafeContactItem");
  testkit::FailCreate("REDEMPTION.SAFECONTACTITEM", REGDB_E_CLASSNOTREG);
  EXPECT_TRUE(ClassOf(u"Redemption.SafeContactItem") == safe);
  EXPECT_EQ(Make(safe, IID_IUnknown), REGDB_E_CLASSNOTREG);
  testkit::FailCreate("Redemption.SafeContactItem", E_OUTOFMEMORY);
  EXPECT_EQ(Make(safe, IID_IUnknown), E_OUTOFMEMORY);
  EXPECT_EQ(Make(ClassOf(u"Redemption.MapiUtils"), IID_IUnknown), S_OK);
}

TEST_F(ProgIdFailureTest, ClearingRestoresEveryClass) {
  testkit::FailCreate("Redemption.MapiUtils", CO_E_CLASSSTRING);
  testkit::FailCreate("Redemption.SafeContactItem", E_FAIL);
  testkit::ClearCreateFailures();
  EXPECT_EQ(Make(ClassOf(u"Redemption.MapiUtils"), IID_IUnknown), S_OK);
  EXPECT_EQ(Make(ClassOf(u"Redemption.SafeContactItem"), IID_IUnknown), S_OK);
}

}  // namespace
