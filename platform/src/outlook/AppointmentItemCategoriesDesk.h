// Where Outlook's categories dialog goes: each one is recorded with the categories it
// showed and answered by the operator with the categories chosen, or nothing for
// Cancel (the item keeps its categories). Texts are UTF-8.
#pragma once

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace kelvra::outlook {

class AppointmentItemCategoriesDesk {
 public:
  using Handler = std::function<std::optional<std::string>(const std::string& shown)>;

  static AppointmentItemCategoriesDesk& Instance();

  // Records the dialog and gives the operator's answer (nullopt: Cancel).
  std::optional<std::string> Show(const std::string& categories);
  // The categories each dialog showed, oldest first.
  std::vector<std::string> Shown() const;
  // Forgets the dialogs, the answer and the handler.
  void Reset();
  void SetAnswer(std::optional<std::string> answer);
  // Takes precedence over the answer; an empty function removes it.
  void SetHandler(Handler handler);

 private:
  AppointmentItemCategoriesDesk() = default;

  mutable std::mutex mutex_;
  std::vector<std::string> shown_;
  std::optional<std::string> answer_;
  Handler handler_;
};

}  // namespace kelvra::outlook
