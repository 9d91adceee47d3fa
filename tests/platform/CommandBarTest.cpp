// Office's command bars of the stand-in's explorer windows: the built-in layout, the
// control collections, FindControl, pictures, and the click routed by tag.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "atl/atlbase.h"
#include "com/olectl.h"
#include "office/office.h"
#include "outlook/outlook.h"
#include "testkit/CommandBars.h"
#include "testkit/Outlook.h"
#include "testkit/Store.h"
#include "win32/windows.h"

namespace {

using Office::CommandBarButtonPtr;
using Office::CommandBarControlPtr;
using Office::CommandBarControlsPtr;
using Office::CommandBarPopupPtr;
using Office::CommandBarPtr;

const _ATL_FUNC_INFO kClickInfo = {CC_STDCALL, VT_EMPTY, 2, {VT_DISPATCH, VT_BYREF | VT_BOOL}};

// Listens to one button's click as an add-in does.
class ClickListener : public ATL::IDispEventSimpleImpl<1, ClickListener,
                                                       &__uuidof(Office::_CommandBarButtonEvents)> {
 public:
  using Sink =
      ATL::IDispEventSimpleImpl<1, ClickListener, &__uuidof(Office::_CommandBarButtonEvents)>;

  BEGIN_SINK_MAP(ClickListener)
    SINK_ENTRY_INFO(1, __uuidof(Office::_CommandBarButtonEvents), 1, &ClickListener::OnClick,
                    &kClickInfo)
  END_SINK_MAP()

  explicit ClickListener(Office::CommandBarButton* button) : m_button(button) {
    EXPECT_EQ(DispEventAdvise(m_button), S_OK);
  }
  ~ClickListener() { DispEventUnadvise(m_button); }

  void STDMETHODCALLTYPE OnClick(Office::CommandBarButton* ctrl, VARIANT_BOOL*) {
    clicked.push_back(static_cast<const char*>(ctrl->GetCaption()));
  }

  std::vector<std::string> clicked;

 private:
  CommandBarButtonPtr m_button;
};

std::string Text(const _bstr_t& text) {
  return text.length() > 0 ? static_cast<const char*>(text) : "";
}

class CommandBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ResetMailbox();
    testkit::ResetExplorers();
    m_explorer = testkit::OpenExplorer(nullptr);
    m_bars = m_explorer->GetCommandBars();
  }
  void TearDown() override {
    m_bars = nullptr;
    m_explorer = nullptr;
    testkit::ResetExplorers();
    testkit::ClearFaults();
    testkit::ResetMailbox();
  }

  CommandBarPtr Standard() { return m_bars->GetItem(_variant_t("Standard")); }

  CommandBarButtonPtr AddButton(Office::CommandBarControls* controls, const char* caption,
                                const _variant_t& before = Office::Missing()) {
    CommandBarButtonPtr button(controls->Add(_variant_t(1L), Office::Missing(), Office::Missing(),
                                             before, _variant_t(true)));
    button->PutCaption(caption);
    return button;
  }

  Outlook::_ExplorerPtr m_explorer;
  Office::_CommandBarsPtr m_bars;
};

// --- The bars a new window has.

using CommandBarLayoutTest = CommandBarTest;

TEST_F(CommandBarLayoutTest, WindowHasTheMenusAndTheStandardBarOutlookHas) {
  EXPECT_EQ(Text(m_bars->GetActiveMenuBar()->GetName()), "Menu Bar");
  CommandBarControlPtr deleteButton = Standard()->FindControl(Office::Missing(), _variant_t(478L));
  ASSERT_NE(deleteButton, nullptr);
  EXPECT_EQ(deleteButton->GetIndex(), 4);

  CommandBarPtr menuBar = m_bars->GetActiveMenuBar();
  CommandBarPopupPtr file(menuBar->GetControls()->GetItem(_variant_t(1L)));
  ASSERT_NE(file, nullptr);
  EXPECT_NE(file->GetCommandBar()->FindControl(Office::Missing(), _variant_t(1886L)), nullptr);
  CommandBarPopupPtr edit(menuBar->FindControl(Office::Missing(), _variant_t(30003L)));
  ASSERT_NE(edit, nullptr);
  EXPECT_NE(edit->GetCommandBar()->FindControl(Office::Missing(), _variant_t(22L)), nullptr);
  EXPECT_NE(menuBar->FindControl(Office::Missing(), _variant_t(30010L)), nullptr);
}

TEST_F(CommandBarLayoutTest, BarsAreFoundByNameWithoutCaseAndAMissingOneFails) {
  EXPECT_EQ(Text(m_bars->GetItem(_variant_t("standard"))->GetName()), "Standard");
  Office::CommandBar* none = nullptr;
  EXPECT_EQ(m_bars->get_Item(_variant_t("Formatting"), &none), E_INVALIDARG);
  EXPECT_TRUE(testkit::RemoveCommandBar(m_explorer, "Standard"));
  EXPECT_EQ(m_bars->get_Item(_variant_t("Standard"), &none), E_INVALIDARG);
  EXPECT_EQ(none, nullptr);
}

// --- Adding, moving and deleting controls.

using CommandBarControlsTest = CommandBarTest;

TEST_F(CommandBarControlsTest, AddPlacesBeforeThePositionAndIndexesShift) {
  CommandBarControlsPtr controls = Standard()->GetControls();
  const int count = controls->GetCount();
  CommandBarButtonPtr first = AddButton(controls, "first", _variant_t(2L));
  CommandBarButtonPtr second = AddButton(controls, "second", _variant_t(2L));
  CommandBarButtonPtr last = AddButton(controls, "last");
  EXPECT_EQ(second->GetIndex(), 2);
  EXPECT_EQ(first->GetIndex(), 3);
  EXPECT_EQ(last->GetIndex(), count + 3);
  EXPECT_EQ(first->GetId(), 1);
  EXPECT_EQ(first->GetType(), Office::msoControlButton);

  second->Delete();
  EXPECT_EQ(first->GetIndex(), 2);
  EXPECT_EQ(controls->GetCount(), count + 2);
  Office::CommandBarControl* gone = nullptr;
  EXPECT_EQ(controls->get_Item(_variant_t(static_cast<long>(count + 3)), &gone), E_INVALIDARG);
  BSTR caption = nullptr;
  EXPECT_EQ(second->get_Caption(&caption), E_FAIL) << "a deleted control has no place";
}

TEST_F(CommandBarControlsTest, APositionBeyondTheEndIsRefused) {
  CommandBarControlsPtr controls = Standard()->GetControls();
  const long beyond = controls->GetCount() + 2;
  Office::CommandBarControl* added = nullptr;
  EXPECT_EQ(controls->raw_Add(_variant_t(1L), Office::Missing(), Office::Missing(),
                              _variant_t(beyond), _variant_t(true), &added),
            E_INVALIDARG);
  EXPECT_EQ(controls->raw_Add(_variant_t(4L), Office::Missing(), Office::Missing(),
                              Office::Missing(), _variant_t(true), &added),
            E_INVALIDARG)
      << "only buttons and popups";
  EXPECT_EQ(added, nullptr);
}

TEST_F(CommandBarControlsTest, AddFailsAtThePlannedCall) {
  CommandBarControlsPtr controls = Standard()->GetControls();
  testkit::FailControlAdd(2, E_OUTOFMEMORY);
  Office::CommandBarControl* added = nullptr;
  const auto add = [&] {
    HRESULT result = controls->raw_Add(_variant_t(1L), Office::Missing(), Office::Missing(),
                                       Office::Missing(), _variant_t(true), &added);
    if (added != nullptr) added->Release();
    added = nullptr;
    return result;
  };
  EXPECT_EQ(add(), S_OK);
  EXPECT_EQ(add(), E_OUTOFMEMORY);
  EXPECT_EQ(add(), S_OK);
}

TEST_F(CommandBarControlsTest, APopupHasAMenuAndIsNoButton) {
  CommandBarControlPtr control = Standard()->GetControls()->Add(_variant_t(10L));
  EXPECT_EQ(CommandBarButtonPtr(control), nullptr);
  CommandBarPopupPtr popup(control);
  ASSERT_NE(popup, nullptr);
  AddButton(popup->GetControls(), "inside");
  EXPECT_EQ(popup->GetCommandBar()->GetControls()->GetCount(), 1);
  CommandBarControlPtr inside = popup->GetControls()->GetItem(_variant_t(1L));
  EXPECT_EQ(CommandBarPopupPtr(inside), nullptr);
  EXPECT_EQ(inside->GetParent(), popup->GetCommandBar());
}

TEST_F(CommandBarControlsTest, FindControlMatchesEveryPropertyGivenAndSearchesMenusWhenAsked) {
  CommandBarPtr menuBar = m_bars->GetActiveMenuBar();
  CommandBarPopupPtr help(menuBar->FindControl(Office::Missing(), _variant_t(30010L)));
  CommandBarControlPtr popup = help->GetControls()->Add(_variant_t(10L));
  popup->PutTag("Shared");
  CommandBarButtonPtr tagged = AddButton(Standard()->GetControls(), "tagged");
  tagged->PutTag("Shared");

  EXPECT_EQ(menuBar->FindControl(Office::Missing(), Office::Missing(), _variant_t("Shared")),
            nullptr)
      << "not recursive by default";
  EXPECT_EQ(menuBar->FindControl(Office::Missing(), Office::Missing(), _variant_t("Shared"),
                                 Office::Missing(), _variant_t(true)),
            popup);
  EXPECT_EQ(m_bars->FindControl(_variant_t(1L), Office::Missing(), _variant_t("Shared")),
            CommandBarControlPtr(tagged))
      << "the popup is no button";
  tagged->PutVisible(VARIANT_FALSE);
  EXPECT_EQ(m_bars->FindControl(_variant_t(1L), Office::Missing(), _variant_t("Shared"),
                                _variant_t(true)),
            nullptr);
}

// --- Pictures: Office keeps a copy.

using CommandBarPictureTest = CommandBarTest;

TEST_F(CommandBarPictureTest, APictureOutlivesTheBitmapItWasMadeOf) {
  CommandBarButtonPtr button = AddButton(Standard()->GetControls(), "pictured");
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
  ReleaseDC(nullptr, screen);
  ASSERT_NE(bitmap, nullptr);
  PICTDESC desc{};
  desc.cbSizeofstruct = sizeof desc;
  desc.picType = PICTYPE_BITMAP;
  desc.bmp.hbitmap = bitmap;
  IPictureDisp* picture = nullptr;
  ASSERT_EQ(
      OleCreatePictureIndirect(&desc, IID_IPictureDisp, FALSE, reinterpret_cast<void**>(&picture)),
      S_OK);
  button->PutPicture(picture);
  picture->Release();
  DeleteObject(bitmap);

  IPictureDispPtr kept = button->GetPicture();
  ASSERT_NE(kept, nullptr);
  IPictureDisp* mask = nullptr;
  EXPECT_EQ(button->get_Mask(&mask), S_OK);
  EXPECT_EQ(mask, nullptr);
}

TEST_F(CommandBarPictureTest, Outlook2000ButtonsHaveNoPictureProperty) {
  testkit::SetOutlookVersion(9);
  CommandBarButtonPtr button = AddButton(Standard()->GetControls(), "old");
  IPictureDisp* picture = nullptr;
  EXPECT_EQ(button->get_Picture(&picture), DISP_E_MEMBERNOTFOUND);
  button->PutFaceId(270);
  EXPECT_EQ(button->GetFaceId(), 270);
}

// --- The click.

using CommandBarClickTest = CommandBarTest;

TEST_F(CommandBarClickTest, AClickReachesEveryButtonWithTheTagWithTheClickedOneAsCtrl) {
  Outlook::_ExplorerPtr other = testkit::OpenExplorer(nullptr);
  CommandBarButtonPtr listening = AddButton(Standard()->GetControls(), "listening");
  listening->PutTag("T1");
  CommandBarButtonPtr clicked = AddButton(Standard()->GetControls(), "clicked");
  clicked->PutTag("T1");
  CommandBarButtonPtr elsewhere = AddButton(
      other->GetCommandBars()->GetItem(_variant_t("Standard"))->GetControls(), "elsewhere");
  elsewhere->PutTag("T1");
  CommandBarButtonPtr foreign = AddButton(Standard()->GetControls(), "foreign");
  foreign->PutTag("T2");

  ClickListener onListening(listening);
  ClickListener onElsewhere(elsewhere);
  ClickListener onForeign(foreign);
  EXPECT_TRUE(testkit::Click(clicked));
  EXPECT_EQ(onListening.clicked, std::vector<std::string>{"clicked"});
  EXPECT_EQ(onElsewhere.clicked, std::vector<std::string>{"clicked"}) << "tags span windows";
  EXPECT_TRUE(onForeign.clicked.empty());
  EXPECT_EQ(testkit::ClickSinks(listening), 1u);
}

TEST_F(CommandBarClickTest, AButtonWithoutTagRaisesItsClickOnItselfOnly) {
  CommandBarButtonPtr plain = AddButton(Standard()->GetControls(), "plain");
  CommandBarButtonPtr other = AddButton(Standard()->GetControls(), "other");
  ClickListener onPlain(plain);
  ClickListener onOther(other);
  EXPECT_TRUE(testkit::Click(plain));
  EXPECT_EQ(onPlain.clicked, std::vector<std::string>{"plain"});
  EXPECT_TRUE(onOther.clicked.empty());
}

TEST_F(CommandBarClickTest, HiddenDisabledOrDeletedButtonsCannotBeClicked) {
  CommandBarButtonPtr button = AddButton(Standard()->GetControls(), "button");
  ClickListener onButton(button);
  button->PutVisible(VARIANT_FALSE);
  EXPECT_FALSE(testkit::Click(button));
  button->PutVisible(VARIANT_TRUE);
  button->PutEnabled(VARIANT_FALSE);
  EXPECT_FALSE(testkit::Click(button));
  button->PutEnabled(VARIANT_TRUE);
  button->Delete();
  EXPECT_FALSE(testkit::Click(button));
  EXPECT_TRUE(onButton.clicked.empty());
}

TEST_F(CommandBarClickTest, ButtonsAreFoundByParameterTagCaptionOrTooltip) {
  CommandBarButtonPtr button = AddButton(Standard()->GetControls(), "&Go there");
  button->PutParameter("GoThere");
  button->PutTooltipText("Takes you there");
  EXPECT_EQ(testkit::FindButton(m_explorer, "GoThere"), button);
  EXPECT_EQ(testkit::FindButton(m_explorer, "Go there"), button);
  EXPECT_EQ(testkit::FindButton(m_explorer, "Takes you there"), button);
  EXPECT_EQ(testkit::FindButton(m_explorer, "Nowhere"), nullptr);
  ClickListener onButton(button);
  EXPECT_TRUE(testkit::ClickButton(nullptr, "GoThere")) << "the active window";
  EXPECT_EQ(onButton.clicked.size(), 1u);
}

TEST_F(CommandBarClickTest, PrintedBarsShowTheAddedControlsOnly) {
  CommandBarPopupPtr popup(Standard()->GetControls()->Add(
      _variant_t(10L), Office::Missing(), Office::Missing(), Office::Missing(), _variant_t(true)));
  popup->PutCaption("Menu");
  CommandBarButtonPtr item = AddButton(popup->GetControls(), "Item");
  item->PutParameter("P");
  item->PutStyle(Office::msoButtonCaption);
  item->PutBeginGroup(VARIANT_TRUE);
  EXPECT_EQ(testkit::PrintCommandBars(m_explorer, true),
            "Standard\n"
            "  11 popup id=1 caption=\"Menu\" temporary\n"
            "      1 button id=1 caption=\"Item\" parameter=\"P\" style=caption group temporary\n");
  EXPECT_NE(testkit::PrintCommandBars(m_explorer).find("4 button id=478 caption=\"&Delete\""),
            std::string::npos);
}

}  // namespace
