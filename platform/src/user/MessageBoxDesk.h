// Where the system's message boxes go: each one is recorded and answered by the
// operator that tests and the host script.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "win32/base.h"

namespace kelvra::platform {

struct ShownMessageBox {
  HWND owner = nullptr;
  std::string text;
  std::string caption;
  UINT type = 0;
  int answer = 0;
};

class MessageBoxDesk {
 public:
  using Handler = std::function<int(const ShownMessageBox&)>;

  static MessageBoxDesk& Instance();

  // Answers the box and records it with the answer.
  int Show(ShownMessageBox box);

  std::vector<ShownMessageBox> Shown() const;
  void Clear();
  // 0 = the default answer of each box.
  void SetAnswer(int answer);
  void SetHandler(Handler handler);

 private:
  MessageBoxDesk() = default;
  int Answer(const ShownMessageBox& box) const;

  mutable std::mutex mutex_;
  std::vector<ShownMessageBox> shown_;
  int answer_ = 0;
  Handler handler_;
};

}  // namespace kelvra::platform
