#include "office/ButtonRegistry.h"

#include <algorithm>

#include "office/BarButton.h"

namespace kelvra::office {

ButtonRegistry& ButtonRegistry::Instance() {
  static auto* registry = new ButtonRegistry;
  return *registry;
}

void ButtonRegistry::Add(BarButton* button) {
  std::lock_guard lock(mutex_);
  buttons_.push_back(button);
}

void ButtonRegistry::Remove(BarButton* button) {
  std::lock_guard lock(mutex_);
  buttons_.erase(std::remove(buttons_.begin(), buttons_.end(), button), buttons_.end());
}

std::vector<Office::CommandBarButtonPtr> ButtonRegistry::Tagged(const std::u16string& tag) const {
  std::vector<Office::CommandBarButtonPtr> tagged;
  std::lock_guard lock(mutex_);
  for (BarButton* button : buttons_) {
    if (button->list != nullptr && button->properties.tag == tag) {
      tagged.emplace_back(static_cast<Office::CommandBarButton*>(button));
    }
  }
  return tagged;
}

std::vector<Office::CommandBarButtonPtr> ButtonRegistry::All() const {
  std::vector<Office::CommandBarButtonPtr> all;
  std::lock_guard lock(mutex_);
  for (BarButton* button : buttons_)
    all.emplace_back(static_cast<Office::CommandBarButton*>(button));
  return all;
}

void ButtonRegistry::Click(BarButton* clicked) {
  // The clicked button is held, so that a handler that deletes it does not end the event.
  const Office::CommandBarButtonPtr held(static_cast<Office::CommandBarButton*>(clicked));
  if (clicked->properties.tag.empty()) {
    clicked->RaiseClick(held);
    return;
  }
  for (const Office::CommandBarButtonPtr& each : Instance().Tagged(clicked->properties.tag)) {
    static_cast<BarButton*>(static_cast<Office::CommandBarButton*>(each))->RaiseClick(held);
  }
}

}  // namespace kelvra::office
