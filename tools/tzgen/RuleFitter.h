// Turns a zone's offset changes into the Windows rule form: one yearly change into
// daylight time and one into standard time, each on the n-th (or last) weekday of a
// month at a local wall-clock time.
#pragma once

#include <string>

#include "TransitionProbe.h"

namespace tzgen {

struct WindowsRule {
  int month = 0;    // 0: no such change
  int weekday = 0;  // 0 = Sunday
  int week = 0;     // 1-5, 5 = the last such weekday of the month
  int hour = 0;
  int minute = 0;
  int second = 0;
};

struct WindowsZoneRules {
  int bias = 0;  // minutes, UTC = local + bias (+ the daylight bias in daylight time)
  int standardBias = 0;
  int daylightBias = 0;
  WindowsRule standard;  // at a daylight wall-clock time
  WindowsRule daylight;  // at a standard wall-clock time
  std::string mismatch;  // why the rules miss the zone's changes; empty when they don't
};

class RuleFitter {
 public:
  // The rules are taken from firstYear and must reproduce every year up to lastYear.
  RuleFitter(const TransitionProbe& probe, int firstYear, int lastYear);

  WindowsZoneRules Fit() const;

 private:
  WindowsZoneRules FixedOffset(int offsetSeconds, std::string mismatch) const;
  WindowsZoneRules Seasonal(const Transition& toDaylight, const Transition& toStandard) const;
  bool Reproduces(const WindowsRule& daylight, const WindowsRule& standard, int standardOffset,
                  int daylightOffset) const;

  const TransitionProbe& probe_;
  int firstYear_;
  int lastYear_;
};

}  // namespace tzgen
