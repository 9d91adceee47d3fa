#include <gtest/gtest.h>

#include <string>

#include "atl/atlcom.h"
#include "com/TypeLibrary.h"
#include "com/safearray.h"
#include "office/office.h"

namespace {

KELVRA_INTERFACE_IID(ITally, 0x3C2D0001, 0x5E6F, 0x4A1B, 0x9C, 0x8D, 0x7E, 0x6F, 0x50, 0x41, 0x32,
                     0x23)
KELVRA_INTERFACE_IID(IMarker, 0x3C2D0002, 0x5E6F, 0x4A1B, 0x9C, 0x8D, 0x7E, 0x6F, 0x50, 0x41, 0x32,
                     0x23)

struct IMarker : IUnknown {};

// The calls a late-bound caller makes, with every kind of parameter the descriptions take.
struct ITally : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE Combine(LONG tens, LONG units, LONG* total) = 0;
  virtual HRESULT STDMETHODCALLTYPE Echo(BSTR text, BSTR* echoed) = 0;
  virtual HRESULT STDMETHODCALLTYPE Take(IMarker* marker) = 0;
  virtual HRESULT STDMETHODCALLTYPE Check(VARIANT_BOOL* checked) = 0;
  virtual HRESULT STDMETHODCALLTYPE Custom(SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE Fail() = 0;
};

constexpr GUID kTallyLibrary{
    0x3C2D0100, 0x5E6F, 0x4A1B, {0x9C, 0x8D, 0x7E, 0x6F, 0x50, 0x41, 0x32, 0x23}};

const kelvra::typelib::Member kTallyMembers[] = {
    KELVRA_DISP_METHOD(ITally, Combine, 1), KELVRA_DISP_METHOD(ITally, Echo, 2),
    KELVRA_DISP_METHOD(ITally, Take, 3),    KELVRA_DISP_METHOD(ITally, Check, 4),
    KELVRA_DISP_METHOD(ITally, Custom, 5),  KELVRA_DISP_METHOD(ITally, Fail, 6),
};
const kelvra::typelib::Interface kTallyInterfaces[] = {
    {&__uuidof(ITally), u"ITally", kTallyMembers}};
const kelvra::typelib::Library kTallyLib{
    &kTallyLibrary, 1, 0, u"TallyLib", u"Tally 1.0 Type Library", kTallyInterfaces};
kelvra::typelib::LibraryRegistration tallyRegistration(kTallyLib);

class ATL_NO_VTABLE CTally : public ATL::CComObjectRootEx<ATL::CComSingleThreadModel>,
                             public ATL::IDispatchImpl<ITally, &__uuidof(ITally), &kTallyLibrary> {
 public:
  BEGIN_COM_MAP(CTally)
    COM_INTERFACE_ENTRY(ITally)
    COM_INTERFACE_ENTRY(IDispatch)
  END_COM_MAP()

  STDMETHODIMP Combine(LONG tens, LONG units, LONG* total) override {
    *total = tens * 10 + units;
    return S_OK;
  }
  STDMETHODIMP Echo(BSTR text, BSTR* echoed) override {
    ATL::CComBSTR result(text);
    result.Append(u"!");
    *echoed = result.Detach();
    return S_OK;
  }
  STDMETHODIMP Take(IMarker* marker) override {
    markerGiven = marker != nullptr;
    return S_OK;
  }
  STDMETHODIMP Check(VARIANT_BOOL* checked) override {
    *checked = VARIANT_TRUE;
    return S_OK;
  }
  STDMETHODIMP Custom(SAFEARRAY** custom) override {
    customSeen = custom != nullptr;
    customNull = custom != nullptr && *custom == nullptr;
    return S_OK;
  }
  STDMETHODIMP Fail() override { return E_FAIL; }

  bool markerGiven = false;
  bool customSeen = false;
  bool customNull = false;
};

class Marker : public kelvra::ComObject<IMarker> {};

class ComDispatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(ATL::CComObject<CTally>::CreateInstance(&tally_), S_OK);
    tally_->AddRef();
  }
  void TearDown() override { EXPECT_EQ(tally_->Release(), 0u); }

  DISPID IdOf(const char16_t* name) {
    std::u16string text(name);
    LPOLESTR names[] = {text.data()};
    DISPID id = 12345;
    last_ = tally_->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
    return id;
  }
  // args in parameter order; reversed here as Invoke takes them.
  HRESULT Call(const char16_t* name, std::vector<VARIANT> args, VARIANT* result = nullptr,
               UINT* argError = nullptr) {
    std::reverse(args.begin(), args.end());
    DISPPARAMS params{args.data(), nullptr, static_cast<UINT>(args.size()), 0};
    return tally_->Invoke(IdOf(name), IID_NULL, 0, DISPATCH_METHOD, &params, result, nullptr,
                          argError);
  }
  static VARIANT Long(LONG value) {
    VARIANT v{};
    v.vt = VT_I4;
    v.lVal = value;
    return v;
  }

  ATL::CComObject<CTally>* tally_ = nullptr;
  HRESULT last_ = S_OK;
};

// --- Names.

class ComDispatchNamesTest : public ComDispatchTest {};

TEST_F(ComDispatchNamesTest, NamesResolveWithoutCase) {
  EXPECT_EQ(IdOf(u"Combine"), 1);
  EXPECT_EQ(last_, S_OK);
  EXPECT_EQ(IdOf(u"cUSTOM"), 5);
  EXPECT_EQ(last_, S_OK);
}

TEST_F(ComDispatchNamesTest, AnUnknownNameIsReportedAndGetsNoId) {
  EXPECT_EQ(IdOf(u"Combin"), DISPID_UNKNOWN);
  EXPECT_EQ(last_, DISP_E_UNKNOWNNAME);
  EXPECT_EQ(IdOf(u""), DISPID_UNKNOWN);
  EXPECT_EQ(last_, DISP_E_UNKNOWNNAME);
}

TEST_F(ComDispatchNamesTest, ParameterNamesAreNotDescribed) {
  std::u16string member(u"Combine"), parameter(u"tens");
  LPOLESTR names[] = {member.data(), parameter.data()};
  DISPID ids[2] = {0, 0};
  EXPECT_EQ(tally_->GetIDsOfNames(IID_NULL, names, 2, 0, ids), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(ids[0], 1);
  EXPECT_EQ(ids[1], DISPID_UNKNOWN);
}

TEST_F(ComDispatchNamesTest, OfficeInterfacesAreDescribed) {
  class ATL_NO_VTABLE CAddIn
      : public ATL::CComObjectRootEx<ATL::CComSingleThreadModel>,
        public ATL::IDispatchImpl<AddInDesignerObjects::_IDTExtensibility2,
                                  &AddInDesignerObjects::IID__IDTExtensibility2,
                                  &AddInDesignerObjects::LIBID_AddInDesignerObjects> {
   public:
    BEGIN_COM_MAP(CAddIn)
      COM_INTERFACE_ENTRY(AddInDesignerObjects::_IDTExtensibility2)
    END_COM_MAP()
    STDMETHODIMP OnConnection(IDispatch*, AddInDesignerObjects::ext_ConnectMode, IDispatch*,
                              SAFEARRAY**) override {
      return S_OK;
    }
    STDMETHODIMP OnDisconnection(AddInDesignerObjects::ext_DisconnectMode, SAFEARRAY**) override {
      return S_OK;
    }
    STDMETHODIMP OnAddInsUpdate(SAFEARRAY**) override { return S_OK; }
    STDMETHODIMP OnStartupComplete(SAFEARRAY**) override { return S_OK; }
    STDMETHODIMP OnBeginShutdown(SAFEARRAY**) override { return S_OK; }
  };
  ATL::CComObject<CAddIn>* addIn = nullptr;
  ASSERT_EQ(ATL::CComObject<CAddIn>::CreateInstance(&addIn), S_OK);
  addIn->AddRef();
  std::u16string name(u"onbeginshutdown");
  LPOLESTR names[] = {name.data()};
  DISPID id = 0;
  EXPECT_EQ(addIn->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
  EXPECT_EQ(id, 5);
  EXPECT_EQ(addIn->Release(), 0u);
}

TEST_F(ComDispatchNamesTest, AnUndescribedLibraryAnswersNothing) {
  static constexpr GUID kUnknownLibrary{0x3C2D0999, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
  class ATL_NO_VTABLE CStray
      : public ATL::CComObjectRootEx<ATL::CComSingleThreadModel>,
        public ATL::IDispatchImpl<ITally, &__uuidof(ITally), &kUnknownLibrary> {
   public:
    BEGIN_COM_MAP(CStray)
      COM_INTERFACE_ENTRY(ITally)
    END_COM_MAP()
    STDMETHODIMP Combine(LONG, LONG, LONG*) override { return S_OK; }
    STDMETHODIMP Echo(BSTR, BSTR*) override { return S_OK; }
    STDMETHODIMP Take(IMarker*) override { return S_OK; }
    STDMETHODIMP Check(VARIANT_BOOL*) override { return S_OK; }
    STDMETHODIMP Custom(SAFEARRAY**) override { return S_OK; }
    STDMETHODIMP Fail() override { return S_OK; }
  };
  ATL::CComObject<CStray>* stray = nullptr;
  ASSERT_EQ(ATL::CComObject<CStray>::CreateInstance(&stray), S_OK);
  stray->AddRef();
  std::u16string name(u"Combine");
  LPOLESTR names[] = {name.data()};
  DISPID id = 0;
  EXPECT_EQ(stray->GetIDsOfNames(IID_NULL, names, 1, 0, &id), TYPE_E_LIBNOTREGISTERED);
  EXPECT_EQ(id, DISPID_UNKNOWN);
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  EXPECT_EQ(stray->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
            TYPE_E_LIBNOTREGISTERED);
  EXPECT_EQ(stray->Release(), 0u);
}

// --- Calls.

class ComDispatchInvokeTest : public ComDispatchTest {};

TEST_F(ComDispatchInvokeTest, ArgumentsArriveInParameterOrderAndTheOutValueIsTheResult) {
  _variant_t result;
  EXPECT_EQ(Call(u"Combine", {Long(4), Long(2)}, &result), S_OK);
  EXPECT_EQ(result.vt, VT_I4);
  EXPECT_EQ(result.lVal, 42);
}

TEST_F(ComDispatchInvokeTest, AnOutParameterPassedByReferenceIsFilledInPlace) {
  VARIANT_BOOL checked = VARIANT_FALSE;
  VARIANT byRef{};
  byRef.vt = VT_BYREF | VT_BOOL;
  byRef.pboolVal = &checked;
  _variant_t result;
  EXPECT_EQ(Call(u"Check", {byRef}, &result), S_OK);
  EXPECT_EQ(checked, VARIANT_TRUE);
  EXPECT_EQ(result.vt, VT_EMPTY);
}

TEST_F(ComDispatchInvokeTest, TextsGoInAndComeOutAsBstr) {
  _variant_t text(u"tally");
  _variant_t result;
  EXPECT_EQ(Call(u"Echo", {text}, &result), S_OK);
  ASSERT_EQ(result.vt, VT_BSTR);
  EXPECT_EQ(std::u16string(result.bstrVal), u"tally!");
}

TEST_F(ComDispatchInvokeTest, ObjectArgumentsAreAskedForTheParameterInterface) {
  IUnknownPtr marker(new Marker);
  VARIANT argument{};
  argument.vt = VT_UNKNOWN;
  argument.punkVal = marker;
  EXPECT_EQ(Call(u"Take", {argument}), S_OK);
  EXPECT_TRUE(tally_->markerGiven);

  // An object without the interface arrives as NULL rather than as the wrong type.
  argument.vt = VT_DISPATCH;
  argument.pdispVal = tally_;
  EXPECT_EQ(Call(u"Take", {argument}), S_OK);
  EXPECT_FALSE(tally_->markerGiven);
}

TEST_F(ComDispatchInvokeTest, AMissingSafeArrayArrivesAsAPointerToNull) {
  VARIANT missing{};
  missing.vt = VT_ERROR;
  missing.scode = DISP_E_PARAMNOTFOUND;
  EXPECT_EQ(Call(u"Custom", {missing}), S_OK);
  EXPECT_TRUE(tally_->customSeen);
  EXPECT_TRUE(tally_->customNull);
}

TEST_F(ComDispatchInvokeTest, TheMembersFailureIsReturned) { EXPECT_EQ(Call(u"Fail", {}), E_FAIL); }

TEST_F(ComDispatchInvokeTest, WrongCallsAreRefusedWithoutCallingTheMember) {
  UINT argError = 99;
  _variant_t result;
  EXPECT_EQ(Call(u"Combine", {Long(1)}, &result), DISP_E_BADPARAMCOUNT)
      << "one argument short of the out value";
  EXPECT_EQ(Call(u"Combine", {Long(1), Long(2), Long(3), Long(4)}, &result), DISP_E_BADPARAMCOUNT);
  _variant_t text(u"x");
  EXPECT_EQ(Call(u"Combine", {Long(1), text}, &result, &argError), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(argError, 0u) << "the last argument is rgvarg[0]";
  EXPECT_EQ(result.vt, VT_EMPTY);

  DISPPARAMS none{nullptr, nullptr, 0, 0};
  EXPECT_EQ(tally_->Invoke(77, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(tally_->Invoke(6, IID_NULL, 0, DISPATCH_PROPERTYPUT, &none, nullptr, nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(
      tally_->Invoke(6, __uuidof(ITally), 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
      DISP_E_UNKNOWNINTERFACE);
  DISPID named = 0;
  VARIANT argument = Long(1);
  DISPPARAMS withName{&argument, &named, 1, 1};
  EXPECT_EQ(tally_->Invoke(6, IID_NULL, 0, DISPATCH_METHOD, &withName, nullptr, nullptr, nullptr),
            DISP_E_NONAMEDARGS);
}

}  // namespace
