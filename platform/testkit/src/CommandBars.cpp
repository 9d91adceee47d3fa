#include "testkit/CommandBars.h"

#include <algorithm>
#include <functional>

#include "office/BarButton.h"
#include "office/ButtonRegistry.h"
#include "office/CommandBarPrinter.h"
#include "office/CommandBarSet.h"
#include "outlook/ExplorerWindows.h"
#include "testkit/Store.h"

namespace testkit {

namespace {

using kelvra::office::BarButton;
using kelvra::office::CommandBarSet;
using kelvra::office::ControlList;
using kelvra::office::ControlNode;

// The window's bars, held; null when it has none.
Office::_CommandBarsPtr BarsOf(Outlook::_Explorer* explorer) {
  Outlook::_ExplorerPtr window(explorer);
  if (window == nullptr) {
    window.Attach(kelvra::outlook::ExplorerWindows::Instance().Front());
  }
  if (window == nullptr) return nullptr;
  Office::_CommandBars* bars = nullptr;
  if (FAILED(window->get_CommandBars(&bars))) return nullptr;
  return Office::_CommandBarsPtr(bars, false);
}

CommandBarSet* SetOf(Office::_CommandBars* bars) { return dynamic_cast<CommandBarSet*>(bars); }

BarButton* ButtonOf(Office::CommandBarControl* control) {
  return dynamic_cast<BarButton*>(control);
}

std::u16string WithoutAccelerator(const std::u16string& caption) {
  std::u16string plain(caption);
  plain.erase(std::remove(plain.begin(), plain.end(), u'&'), plain.end());
  return plain;
}

Office::CommandBarButtonPtr FindIn(Outlook::_Explorer* explorer,
                                   const std::function<bool(const ControlNode&)>& matches) {
  const Office::_CommandBarsPtr bars = BarsOf(explorer);
  CommandBarSet* set = SetOf(bars);
  if (set == nullptr) return nullptr;
  const auto isButton = [&](const ControlNode& node) {
    return dynamic_cast<const BarButton*>(&node) != nullptr && matches(node);
  };
  for (kelvra::office::StandInBar* bar : set->Bars()) {
    if (ControlNode* found = bar->controls().Find(isButton, true)) {
      return Office::CommandBarButtonPtr(found->Control());
    }
  }
  return nullptr;
}

}  // namespace

Office::CommandBarButtonPtr FindButton(Outlook::_Explorer* explorer, const std::string& text) {
  const std::u16string wanted = Utf16(text);
  const std::u16string plainWanted = WithoutAccelerator(wanted);
  const std::function<bool(const ControlNode&)> preferences[] = {
      [&](const ControlNode& node) { return node.properties.parameter == wanted; },
      [&](const ControlNode& node) { return node.properties.tag == wanted; },
      [&](const ControlNode& node) {
        return WithoutAccelerator(node.properties.caption) == plainWanted;
      },
      [&](const ControlNode& node) { return node.properties.tooltip == wanted; },
  };
  for (const auto& matches : preferences) {
    if (Office::CommandBarButtonPtr found = FindIn(explorer, matches)) return found;
  }
  return nullptr;
}

Office::CommandBarButtonPtr FindButton(Outlook::_Explorer* explorer, const std::string& tag,
                                       const std::string& parameter) {
  const std::u16string wantedTag = Utf16(tag);
  const std::u16string wantedParameter = Utf16(parameter);
  return FindIn(explorer, [&](const ControlNode& node) {
    return node.properties.tag == wantedTag && node.properties.parameter == wantedParameter;
  });
}

bool Click(Office::CommandBarControl* button) {
  BarButton* clicked = ButtonOf(button);
  if (clicked == nullptr || clicked->list == nullptr || !clicked->properties.visible ||
      !clicked->properties.enabled) {
    return false;
  }
  kelvra::office::ButtonRegistry::Click(clicked);
  return true;
}

bool ClickButton(Outlook::_Explorer* explorer, const std::string& text) {
  const Office::CommandBarButtonPtr button = FindButton(explorer, text);
  return button != nullptr && Click(button);
}

std::string PrintCommandBars(Outlook::_Explorer* explorer, bool addedOnly) {
  const Office::_CommandBarsPtr bars = BarsOf(explorer);
  const CommandBarSet* set = SetOf(bars);
  return set != nullptr ? kelvra::office::PrintCommandBars(*set, addedOnly) : std::string();
}

std::size_t ClickSinks(Office::CommandBarControl* button) {
  const BarButton* each = ButtonOf(button);
  return each != nullptr ? each->Connections() : 0;
}

std::size_t ClickSinksAlive() {
  std::size_t sinks = 0;
  for (const Office::CommandBarButtonPtr& button :
       kelvra::office::ButtonRegistry::Instance().All()) {
    sinks += ClickSinks(button);
  }
  return sinks;
}

int PictureResource(Office::CommandBarControl* button) {
  const BarButton* each = ButtonOf(button);
  return each != nullptr && each->picture() ? each->picture()->resourceId : 0;
}

int MaskResource(Office::CommandBarControl* button) {
  const BarButton* each = ButtonOf(button);
  return each != nullptr && each->mask() ? each->mask()->resourceId : 0;
}

bool RemoveCommandBar(Outlook::_Explorer* explorer, const std::string& name) {
  const Office::_CommandBarsPtr bars = BarsOf(explorer);
  CommandBarSet* set = SetOf(bars);
  return set != nullptr && set->RemoveBar(Utf16(name));
}

void FailControlAdd(int nth, HRESULT failure) { FailCall("CommandBarControls.Add", nth, failure); }

}  // namespace testkit
