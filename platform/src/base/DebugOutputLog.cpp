#include "base/DebugOutputLog.h"

#include <mutex>

#include "win32/base.h"

namespace kelvra::platform {
namespace {

std::mutex g_mutex;
std::vector<std::string> g_entries;

}  // namespace

void DebugOutputLog::Append(const char* text) {
  std::lock_guard lock(g_mutex);
  g_entries.emplace_back(text);
}

std::vector<std::string> DebugOutputLog::Entries() {
  std::lock_guard lock(g_mutex);
  return g_entries;
}

void DebugOutputLog::Clear() {
  std::lock_guard lock(g_mutex);
  g_entries.clear();
}

}  // namespace kelvra::platform

void WINAPI OutputDebugStringA(LPCSTR text) {
  if (text != nullptr) kelvra::platform::DebugOutputLog::Append(text);
}
