#include "bruvel/OpenFileScript.h"

#include "win32/module.h"

namespace kelvra::platform {

OpenFileScript& OpenFileScript::Instance() {
  static OpenFileScript script;
  return script;
}

void OpenFileScript::SetAnswer(std::optional<std::string> answer) {
  std::lock_guard<std::mutex> lock(m_lock);
  m_answer = std::move(answer);
}

std::optional<std::string> OpenFileScript::Answer(const char* initial, int maxLength,
                                                  const char* filter) {
  std::lock_guard<std::mutex> lock(m_lock);
  m_calls.push_back(OpenFileCall{initial ? initial : "", maxLength, filter ? filter : ""});
  if (!m_answer) return std::nullopt;
  std::string text = *m_answer;
  if (maxLength > 0 && text.size() >= static_cast<size_t>(maxLength))
    text.resize(static_cast<size_t>(maxLength) - 1);
  return text;
}

void OpenFileScript::Notify(DWORD reason) {
  std::lock_guard<std::mutex> lock(m_lock);
  if (reason == DLL_PROCESS_ATTACH) ++m_attaches;
  if (reason == DLL_PROCESS_DETACH) ++m_detaches;
}

std::vector<OpenFileCall> OpenFileScript::Calls() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_calls;
}

int OpenFileScript::Attaches() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_attaches;
}

int OpenFileScript::Detaches() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_detaches;
}

void OpenFileScript::Reset() {
  std::lock_guard<std::mutex> lock(m_lock);
  m_answer.reset();
  m_calls.clear();
  m_attaches = 0;
  m_detaches = 0;
}

}  // namespace kelvra::platform
