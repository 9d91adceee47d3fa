// The buttons alive in the process, for Office's click routing: a click reaches every
// button on a bar that carries the clicked control's tag.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "office/CommandBarControl.h"

namespace kelvra::office {

class BarButton;

class ButtonRegistry {
 public:
  static ButtonRegistry& Instance();

  void Add(BarButton* button);
  void Remove(BarButton* button);
  // The buttons on a bar whose tag is tag, in the order they were made, each with a
  // reference for the caller.
  std::vector<Office::CommandBarButtonPtr> Tagged(const std::u16string& tag) const;
  // Every button alive, placed or not, each with a reference for the caller.
  std::vector<Office::CommandBarButtonPtr> All() const;
  // A user's click of a button on a bar: Click reaches every placed button that carries
  // its tag, or the button itself when it has none.
  static void Click(BarButton* clicked);

 private:
  ButtonRegistry() = default;

  mutable std::mutex mutex_;
  std::vector<BarButton*> buttons_;
};

}  // namespace kelvra::office
