#include "TransitionProbe.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>

namespace tzgen {
namespace {

std::string ZoneFolder() {
  const char* dir = std::getenv("TZDIR");
  return dir && *dir ? dir : "/usr/share/zoneinfo";
}

}  // namespace

std::int64_t DaysFromCivil(int year, int month, int day) {
  year -= month <= 2;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yoe = year - era * 400;
  const std::int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

bool TransitionProbe::Known(const std::string& iana) {
  return !iana.empty() && std::filesystem::is_regular_file(ZoneFolder() + "/" + iana);
}

TransitionProbe::TransitionProbe(const std::string& iana) {
  if (const char* tz = std::getenv("TZ")) {
    hadTz_ = true;
    savedTz_ = tz;
  }
  setenv("TZ", iana.c_str(), 1);
  tzset();
}

TransitionProbe::~TransitionProbe() {
  if (hadTz_) {
    setenv("TZ", savedTz_.c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
}

int TransitionProbe::OffsetAt(std::int64_t utc) const {
  const std::time_t t = static_cast<std::time_t>(utc);
  std::tm local{};
  localtime_r(&t, &local);
  return static_cast<int>(local.tm_gmtoff);
}

std::vector<Transition> TransitionProbe::InYear(int year) const {
  constexpr std::int64_t kStep = 3600;
  const std::int64_t begin = DaysFromCivil(year, 1, 1) * 86400;
  const std::int64_t end = DaysFromCivil(year + 1, 1, 1) * 86400;
  std::vector<Transition> found;
  std::int64_t previous = begin - 1;
  int previousOffset = OffsetAt(previous);
  for (std::int64_t t = begin; t < end + kStep; t += kStep) {
    const std::int64_t probe = std::min(t, end - 1);
    const int offset = OffsetAt(probe);
    if (offset != previousOffset) {
      // The change lies in (previous, probe]: narrow it to the second.
      std::int64_t low = previous;
      std::int64_t high = probe;
      while (high - low > 1) {
        const std::int64_t middle = low + (high - low) / 2;
        (OffsetAt(middle) == previousOffset ? low : high) = middle;
      }
      found.push_back({high, previousOffset, offset});
    }
    previous = probe;
    previousOffset = offset;
  }
  return found;
}

}  // namespace tzgen
