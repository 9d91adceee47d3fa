#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "atl/atlcom.h"
#include "com/TypeLibrary.h"
#include "com/olectl.h"
#include "office/office.h"
#include "testkit/Com.h"
#include "testkit/Office.h"

namespace {

KELVRA_INTERFACE_IID(IPanel, 0x5E4F0001, 0x7A6B, 0x4C8D, 0x9E, 0xAF, 0xB0, 0xC1, 0xD2, 0xE3, 0xF4,
                     0x05)
// The callbacks a ribbon calls by name.
struct IPanel : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE Panel_OnLoad(Office::IRibbonUI* ribbon) = 0;
  virtual HRESULT STDMETHODCALLTYPE Panel_OnAction(IDispatch* control) = 0;
  virtual HRESULT STDMETHODCALLTYPE Panel_GetLabel(IDispatch* control, BSTR* label) = 0;
  virtual HRESULT STDMETHODCALLTYPE Panel_GetEnabled(IDispatch* control, VARIANT_BOOL* enabled) = 0;
  virtual HRESULT STDMETHODCALLTYPE Panel_GetImage(IDispatch* control, IPictureDisp** image) = 0;
  virtual HRESULT STDMETHODCALLTYPE Panel_GetContent(IDispatch* control, BSTR* xml) = 0;
};

constexpr GUID kPanelLibrary{
    0x5E4F0100, 0x7A6B, 0x4C8D, {0x9E, 0xAF, 0xB0, 0xC1, 0xD2, 0xE3, 0xF4, 0x05}};

const kelvra::typelib::Member kPanelMembers[] = {
    KELVRA_DISP_METHOD(IPanel, Panel_OnLoad, 1),   KELVRA_DISP_METHOD(IPanel, Panel_OnAction, 2),
    KELVRA_DISP_METHOD(IPanel, Panel_GetLabel, 3), KELVRA_DISP_METHOD(IPanel, Panel_GetEnabled, 4),
    KELVRA_DISP_METHOD(IPanel, Panel_GetImage, 5), KELVRA_DISP_METHOD(IPanel, Panel_GetContent, 6),
};
const kelvra::typelib::Interface kPanelInterfaces[] = {
    {&__uuidof(IPanel), u"IPanel", kPanelMembers}};
const kelvra::typelib::Library kPanelLib{
    &kPanelLibrary, 1, 0, u"PanelLib", u"Panel 1.0 Type Library", kPanelInterfaces};
kelvra::typelib::LibraryRegistration panelRegistration(kPanelLib);

const char16_t kRibbon[] =
    uR"(<customUI xmlns="http://schemas.microsoft.com/office/2006/01/customui" onLoad="Panel_OnLoad">
  <ribbon><tabs><tab idQ="x:Panel.tab" label="Panel">
    <group id="Panel.grp" getLabel="Panel_GetLabel">
      <button id="Panel.btnGo" tag="go" onAction="Panel_OnAction" getLabel="Panel_GetLabel"
              getImage="Panel_GetImage" size="large"/>
      <dynamicMenu id="Panel.mnu" getEnabled="Panel_GetEnabled" getContent="Panel_GetContent"/>
      <button id="Panel.btnLost" onAction="Nowhere"/>
    </group>
  </tab></tabs></ribbon>
</customUI>)";

std::string Utf8Of(IDispatch* control) {
  Office::IRibbonControlPtr ribbonControl(control);
  BSTR id = nullptr;
  if (ribbonControl == nullptr || FAILED(ribbonControl->get_Id(&id))) return "<no id>";
  std::string text;
  for (UINT i = 0; i < SysStringLen(id); ++i) text += static_cast<char>(id[i]);
  SysFreeString(id);
  return text;
}

class ATL_NO_VTABLE CPanel : public ATL::CComObjectRootEx<ATL::CComSingleThreadModel>,
                             public ATL::IDispatchImpl<Office::IRibbonExtensibility,
                                                       &__uuidof(Office::IRibbonExtensibility),
                                                       &Office::LIBID_Office, 2, 5>,
                             public ATL::IDispatchImpl<IPanel, &__uuidof(IPanel), &kPanelLibrary> {
 public:
  BEGIN_COM_MAP(CPanel)
    COM_INTERFACE_ENTRY2(IDispatch, IPanel)
    COM_INTERFACE_ENTRY(IPanel)
    COM_INTERFACE_ENTRY(Office::IRibbonExtensibility)
  END_COM_MAP()

  STDMETHODIMP GetCustomUI(BSTR ribbonId, BSTR* xml) override {
    *xml = std::u16string(ribbonId) == u"Microsoft.Outlook.Explorer" ? SysAllocString(ribbon)
                                                                     : nullptr;
    return S_OK;
  }
  STDMETHODIMP Panel_OnLoad(Office::IRibbonUI* ribbonUI) override {
    this->ui = ribbonUI;
    return S_OK;
  }
  STDMETHODIMP Panel_OnAction(IDispatch* control) override {
    Office::IRibbonControlPtr ribbonControl(control);
    BSTR id = nullptr;
    const HRESULT read = ribbonControl->get_Id(&id);
    SysFreeString(id);
    if (FAILED(read)) return read;
    pressed.push_back(Utf8Of(control));
    if (ui != nullptr) ui->InvalidateControl(ATL::CComBSTR(u"Panel.mnu"));
    return S_OK;
  }
  STDMETHODIMP Panel_GetLabel(IDispatch* control, BSTR* label) override {
    const std::string id = Utf8Of(control);
    *label = SysAllocString(id == "Panel.btnGo" ? u"Go & see" : u"Group");
    return S_OK;
  }
  STDMETHODIMP Panel_GetEnabled(IDispatch*, VARIANT_BOOL* enabled) override {
    *enabled = VARIANT_TRUE;
    return S_OK;
  }
  STDMETHODIMP Panel_GetImage(IDispatch*, IPictureDisp** image) override {
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = PICTYPE_ICON;
    desc.icon.hicon = reinterpret_cast<HICON>(static_cast<std::uintptr_t>(0x292));
    return OleCreatePictureIndirect(&desc, IID_IPictureDisp, FALSE,
                                    reinterpret_cast<void**>(image));
  }
  STDMETHODIMP Panel_GetContent(IDispatch*, BSTR* xml) override {
    *xml = SysAllocString(content);
    return S_OK;
  }

  const char16_t* ribbon = kRibbon;
  const char16_t* content =
      uR"(<menu xmlns="http://schemas.microsoft.com/office/2006/01/customui"><button id="Panel.run.A&amp;B" label="O&apos;Neil &lt;x&gt;" onAction="Panel_OnAction" /></menu>)";
  std::vector<std::string> pressed;
  Office::IRibbonUIPtr ui;
};

class RibbonHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(ATL::CComObject<CPanel>::CreateInstance(&panel_), S_OK);
    panel_->AddRef();
    host_ = std::make_unique<testkit::RibbonHost>(static_cast<IPanel*>(panel_));
  }
  void TearDown() override {
    host_.reset();
    panel_->ui = nullptr;
    EXPECT_EQ(panel_->Release(), 0u);
    EXPECT_EQ(testkit::LivePictures(), 0u);
  }

  ATL::CComObject<CPanel>* panel_ = nullptr;
  std::unique_ptr<testkit::RibbonHost> host_;
};

// --- Loading the ribbon.

class RibbonHostLoadTest : public RibbonHostTest {};

TEST_F(RibbonHostLoadTest, ReadsTheControlsOfTheExplorerRibbon) {
  ASSERT_EQ(host_->Load(), S_OK);
  EXPECT_EQ(host_->ControlIds(),
            (std::vector<std::string>{"x:Panel.tab", "Panel.grp", "Panel.btnGo", "Panel.mnu",
                                      "Panel.btnLost"}));
  EXPECT_EQ(host_->Attribute("Panel.btnGo", "size"), "large");
  EXPECT_EQ(host_->Attribute("Panel.btnGo", "getScreentip"), std::nullopt);
}

TEST_F(RibbonHostLoadTest, AnotherRibbonGetsNoXml) {
  EXPECT_EQ(host_->Load(u"Microsoft.Outlook.Mail.Read"), S_OK);
  EXPECT_TRUE(host_->Xml().empty());
  EXPECT_TRUE(host_->ControlIds().empty());
}

TEST_F(RibbonHostLoadTest, XmlThatIsNotWellFormedIsRefused) {
  panel_->ribbon = u"<customUI><ribbon></customUI>";
  EXPECT_EQ(host_->Load(), E_FAIL);
  EXPECT_EQ(host_->Xml(), "<customUI><ribbon></customUI>");
}

TEST(RibbonXmlTest, WellFormedMeansWhatAnXmlParserAccepts) {
  using testkit::RibbonHost;
  EXPECT_TRUE(
      RibbonHost::IsWellFormed(R"(<?xml version="1.0"?><a x="1 &amp; 2" y='&#65;'><b/></a>)"));
  EXPECT_TRUE(RibbonHost::IsWellFormed("<a><!-- note --><b></b>text &lt;</a>"));
  EXPECT_FALSE(RibbonHost::IsWellFormed(R"(<a x="Tom & Jerry"/>)"));
  EXPECT_FALSE(RibbonHost::IsWellFormed(R"(<a x="a<b"/>)"));
  EXPECT_FALSE(RibbonHost::IsWellFormed(R"(<a x="1" x="2"/>)"));
  EXPECT_FALSE(RibbonHost::IsWellFormed(R"(<a x=1/>)"));
  EXPECT_FALSE(RibbonHost::IsWellFormed(R"(<a x="1""/>)"));
  EXPECT_FALSE(RibbonHost::IsWellFormed("<a><b></a></b>"));
  EXPECT_FALSE(RibbonHost::IsWellFormed("<a/><b/>"));
  EXPECT_FALSE(RibbonHost::IsWellFormed("<a>&nbsp;</a>"));
  EXPECT_FALSE(RibbonHost::IsWellFormed(""));
}

// --- Callbacks by name.

class RibbonHostCallbackTest : public RibbonHostTest {
 protected:
  void SetUp() override {
    RibbonHostTest::SetUp();
    ASSERT_EQ(host_->Load(), S_OK);
    ASSERT_EQ(host_->CallOnLoad(), S_OK);
  }
};

TEST_F(RibbonHostCallbackTest, PressingCallsTheActionWithTheControlAndRecordsInvalidations) {
  ASSERT_NE(panel_->ui, nullptr) << "onLoad handed over the ribbon UI";
  EXPECT_EQ(host_->Press("Panel.btnGo"), S_OK);
  EXPECT_EQ(panel_->pressed, std::vector<std::string>{"Panel.btnGo"});
  EXPECT_EQ(host_->Invalidations(), std::vector<std::string>{"Panel.mnu"});
}

TEST_F(RibbonHostCallbackTest, OutValuesComeBackAsTheCallsResult) {
  std::string label;
  EXPECT_EQ(host_->GetLabel("Panel.btnGo", label), S_OK);
  EXPECT_EQ(label, "Go & see");
  EXPECT_EQ(host_->GetLabel("Panel.grp", label), S_OK);
  EXPECT_EQ(label, "Group");
  bool enabled = false;
  EXPECT_EQ(host_->GetEnabled("Panel.mnu", enabled), S_OK);
  EXPECT_TRUE(enabled);
  IPictureDispPtr image;
  EXPECT_EQ(host_->GetImage("Panel.btnGo", image), S_OK);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(testkit::PictureOf(image)->handle, reinterpret_cast<void*>(0x292));
}

TEST_F(RibbonHostCallbackTest, DynamicMenuButtonsCanBePressedWithTheirDecodedIds) {
  std::string xml;
  ASSERT_EQ(host_->GetContent("Panel.mnu", xml), S_OK);
  EXPECT_EQ(host_->Attribute("Panel.run.A&B", "label"), "O'Neil <x>");
  EXPECT_EQ(host_->Press("Panel.run.A&B"), S_OK);
  EXPECT_EQ(panel_->pressed, std::vector<std::string>{"Panel.run.A&B"});

  panel_->content = u"<menu><button id=\"Panel.run.C\" onAction=\"Panel_OnAction\"/></menu>";
  ASSERT_EQ(host_->GetContent("Panel.mnu", xml), S_OK);
  EXPECT_EQ(host_->Press("Panel.run.A&B"), DISP_E_MEMBERNOTFOUND) << "the old content is replaced";
  panel_->content = u"<menu><button id=\"broken></menu>";
  EXPECT_EQ(host_->GetContent("Panel.mnu", xml), E_FAIL);
}

TEST_F(RibbonHostCallbackTest, CallbacksThatCannotBeReachedAreReported) {
  EXPECT_EQ(host_->Press("Panel.nothing"), DISP_E_MEMBERNOTFOUND);
  std::string tip;
  EXPECT_EQ(host_->GetScreentip("Panel.btnGo", tip), DISP_E_MEMBERNOTFOUND) << "none declared";
  EXPECT_EQ(host_->Press("Panel.btnLost"), DISP_E_UNKNOWNNAME) << "the add-in has no such member";
}

TEST_F(RibbonHostCallbackTest, AControlWhoseIdCannotBeReadFailsTheCallback) {
  host_->FailControlId(E_OUTOFMEMORY);
  EXPECT_EQ(host_->Press("Panel.btnGo"), E_OUTOFMEMORY);
  EXPECT_TRUE(panel_->pressed.empty());
  host_->FailControlId(S_OK);
  EXPECT_EQ(host_->Press("Panel.btnGo"), S_OK);
}

}  // namespace
