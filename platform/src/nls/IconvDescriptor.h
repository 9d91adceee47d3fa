// Owner of one iconv conversion descriptor. A descriptor carries shift state, so it
// serves one thread at a time.
#pragma once

#include <iconv.h>

#include <string>
#include <string_view>

namespace kelvra::platform {

class IconvDescriptor {
 public:
  enum class Outcome { kDone, kInvalid, kIncomplete };

  IconvDescriptor(const char* to, const char* from);
  ~IconvDescriptor();
  IconvDescriptor(IconvDescriptor&& other) noexcept;
  IconvDescriptor& operator=(IconvDescriptor&&) = delete;
  IconvDescriptor(const IconvDescriptor&) = delete;
  IconvDescriptor& operator=(const IconvDescriptor&) = delete;

  bool IsOpen() const { return handle_ != kClosed; }
  // Back to the initial shift state.
  void Reset();

  // Converts from the input's position on, appending to output, until the input ends
  // or a sequence fails; position then stands at the failing sequence.
  Outcome Convert(std::string_view input, std::size_t& position, std::string& output);
  // Appends what returns the output to its initial shift state.
  void Flush(std::string& output);

  // A descriptor owned by the calling thread, reset, kept for the thread's next calls.
  static IconvDescriptor& ForThread(const char* to, const char* from);

 private:
  static inline const iconv_t kClosed = reinterpret_cast<iconv_t>(-1);
  iconv_t handle_;
};

}  // namespace kelvra::platform
