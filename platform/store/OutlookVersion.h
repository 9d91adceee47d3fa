// The Outlook version the stand-in plays, process-wide: 9 (2000), 10 (2002),
// 11 (2003), 12 (2007) or 14 (2010, the default).
#pragma once

#include <string>

namespace kelvra::store {

class OutlookVersion {
 public:
  static int Major();
  // Throws std::invalid_argument for a version that never shipped.
  static void SetMajor(int major);
  // The full version text, "14.0.0.4760" for 14.
  static std::u16string Text();
};

}  // namespace kelvra::store
