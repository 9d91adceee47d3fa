// What the fake open-file library (Bruvel.dll, built from testkit/bruvel) answers and
// what it was asked: process-wide, so a test controls the library it cannot link.
#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "win32/base.h"

namespace kelvra::platform {

struct OpenFileCall {
  std::string initial;
  int maxLength = 0;
  std::string filter;
};

class OpenFileScript {
 public:
  static OpenFileScript& Instance();

  // nullopt: the user cancels.
  void SetAnswer(std::optional<std::string> answer);
  // Records the call and gives the answer, cut to maxLength - 1 characters.
  std::optional<std::string> Answer(const char* initial, int maxLength, const char* filter);
  // Called from the library's DllMain.
  void Notify(DWORD reason);

  std::vector<OpenFileCall> Calls() const;
  int Attaches() const;
  int Detaches() const;
  void Reset();

 private:
  OpenFileScript() = default;

  mutable std::mutex m_lock;
  std::optional<std::string> m_answer;
  std::vector<OpenFileCall> m_calls;
  int m_attaches = 0;
  int m_detaches = 0;
};

}  // namespace kelvra::platform
