#include "office/ExplorerBarsLayout.h"

#include <initializer_list>

#include "office/BarButton.h"
#include "office/BarPopup.h"

namespace kelvra::office {

namespace {

struct BuiltIn {
  int id;
  const char16_t* caption;
  bool beginGroup = false;
};

template <class Control>
Control* Place(ControlList& list, const BuiltIn& builtIn) {
  auto* control = new Control;
  control->properties.id = builtIn.id;
  control->properties.caption = builtIn.caption;
  control->properties.beginGroup = builtIn.beginGroup;
  list.Insert(control, 0);
  return control;
}

void Buttons(ControlList& list, std::initializer_list<BuiltIn> buttons) {
  for (const BuiltIn& each : buttons) Place<BarButton>(list, each);
}

void Menu(ControlList& bar, const BuiltIn& menu, std::initializer_list<BuiltIn> items) {
  Buttons(*Place<BarPopup>(bar, menu)->Menu(), items);
}

void FillMenuBar(ControlList& bar) {
  Menu(bar, {30002, u"&File"},
       {{30037, u"Ne&w"},
        {30038, u"&Open"},
        {1885, u"Clos&e All Items"},
        {748, u"Save &As...", true},
        {1886, u"&Import and Export...", true},
        {30041, u"Archi&ve..."},
        {30045, u"&Folder"},
        {247, u"Page Set&up", true},
        {109, u"Print Pre&view"},
        {4, u"&Print..."},
        {5604, u"Wor&k Offline", true},
        {752, u"E&xit", true}});
  Menu(bar, {30003, u"&Edit"},
       {{128, u"&Undo"},
        {21, u"Cu&t", true},
        {19, u"&Copy"},
        {22, u"&Paste"},
        {3634, u"Cle&ar"},
        {756, u"Select A&ll"},
        {478, u"&Delete", true},
        {1679, u"Mo&ve to Folder..."},
        {1678, u"Cop&y to Folder..."}});
  Menu(bar, {30004, u"&View"}, {{30093, u"Arran&ge By"}, {1859, u"Navigation Pa&ne", true}});
  Menu(bar, {30275, u"&Go"}, {{1106, u"&Mail"}, {1107, u"&Calendar"}, {1108, u"C&ontacts"}});
  Menu(bar, {30007, u"&Tools"},
       {{5488, u"Sen&d/Receive"},
        {5574, u"Fin&d"},
        {353, u"Address &Book..."},
        {522, u"&Options...", true}});
  Menu(bar, {30131, u"&Actions"}, {{1757, u"New &Mail Message"}, {354, u"&Reply", true}});
  Menu(bar, {30010, u"&Help"},
       {{984, u"Microsoft Outlook &Help"}, {927, u"&About Microsoft Outlook", true}});
}

void FillStandard(ControlList& bar) {
  Buttons(bar, {{1873, u"&New"},
                {4, u"&Print", true},
                {1679, u"Mo&ve to Folder"},
                {478, u"&Delete"},
                {354, u"&Reply", true},
                {355, u"Reply to A&ll"},
                {356, u"For&ward"},
                {5488, u"Sen&d/Receive", true},
                {5574, u"Fin&d", true},
                {353, u"Address &Book"}});
}

}  // namespace

CommandBarSet* MakeExplorerCommandBars() {
  auto* bars = new CommandBarSet;
  bars->AddRef();
  FillMenuBar(bars->AddBar(u"Menu Bar", true)->controls());
  FillStandard(bars->AddBar(u"Standard")->controls());
  Buttons(bars->AddBar(u"Advanced")->controls(),
          {{2150, u"Outlook Today"}, {1017, u"Back"}, {1018, u"Forward"}, {3710, u"Up One Level"}});
  Buttons(bars->AddBar(u"Web")->controls(), {{1017, u"Back"}, {1018, u"Forward"}, {1020, u"Stop"}});
  return bars;
}

}  // namespace kelvra::office
