#include "files/WriteFaults.h"

#include <mutex>

namespace kelvra::platform {
namespace {

std::mutex g_mutex;
std::optional<std::size_t> g_shortWrite;

}  // namespace

void WriteFaults::InjectShortWrite(std::size_t maxBytes) {
  std::lock_guard lock(g_mutex);
  g_shortWrite = maxBytes;
}

std::optional<std::size_t> WriteFaults::TakeShortWrite() {
  std::lock_guard lock(g_mutex);
  std::optional<std::size_t> armed = g_shortWrite;
  g_shortWrite.reset();
  return armed;
}

void WriteFaults::Reset() {
  std::lock_guard lock(g_mutex);
  g_shortWrite.reset();
}

}  // namespace kelvra::platform
