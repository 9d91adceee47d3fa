// The UTC offset changes of an IANA zone, as the C library reads them from the
// system's tzdata (the same data zdump shows).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tzgen {

struct Transition {
  std::int64_t utc = 0;  // first second of the new offset, seconds since 1970 UTC
  int offsetBefore = 0;  // seconds east of UTC
  int offsetAfter = 0;
};

class TransitionProbe {
 public:
  // False when tzdata has no file for the zone (the C library would silently use UTC).
  static bool Known(const std::string& iana);

  explicit TransitionProbe(const std::string& iana);
  ~TransitionProbe();
  TransitionProbe(const TransitionProbe&) = delete;
  TransitionProbe& operator=(const TransitionProbe&) = delete;

  // Offset changes whose first second lies in the given UTC year.
  std::vector<Transition> InYear(int year) const;
  int OffsetAt(std::int64_t utc) const;

 private:
  std::string savedTz_;
  bool hadTz_ = false;
};

// Seconds since 1970 of 00:00 UTC on the given day (proleptic Gregorian).
std::int64_t DaysFromCivil(int year, int month, int day);

}  // namespace tzgen
