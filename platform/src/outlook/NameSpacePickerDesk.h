// Where the session's folder picker goes: each one is counted and answered by the
// operator with a folder path ("\\Personal Folders\Contacts", or with "/" between the
// names) or nothing for Cancel.
#pragma once

#include <functional>
#include <mutex>
#include <optional>
#include <string>

namespace kelvra::outlook {

class NameSpacePickerDesk {
 public:
  using Handler = std::function<std::optional<std::string>()>;

  static NameSpacePickerDesk& Instance();

  // Counts the picker and gives the operator's answer (nullopt: Cancel).
  std::optional<std::string> Show();
  int ShownCount() const;
  // Forgets the count, the answer and the handler.
  void Reset();
  void SetAnswer(std::optional<std::string> answer);
  // Takes precedence over the answer; an empty function removes it.
  void SetHandler(Handler handler);

 private:
  NameSpacePickerDesk() = default;

  mutable std::mutex mutex_;
  int shown_ = 0;
  std::optional<std::string> answer_;
  Handler handler_;
};

}  // namespace kelvra::outlook
