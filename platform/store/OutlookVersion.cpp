#include "store/OutlookVersion.h"

#include <array>
#include <atomic>
#include <stdexcept>

namespace kelvra::store {

namespace {

struct Release {
  int major;
  std::u16string_view text;
};

constexpr std::array<Release, 5> kReleases{{{9, u"9.0.0.2416"},
                                            {10, u"10.0.0.2627"},
                                            {11, u"11.0.0.5510"},
                                            {12, u"12.0.0.6423"},
                                            {14, u"14.0.0.4760"}}};

std::atomic<int>& TheMajor() {
  static std::atomic<int> major{14};
  return major;
}

}  // namespace

int OutlookVersion::Major() { return TheMajor().load(); }

void OutlookVersion::SetMajor(int major) {
  for (const Release& release : kReleases) {
    if (release.major == major) {
      TheMajor().store(major);
      return;
    }
  }
  throw std::invalid_argument("no Outlook release has major version " + std::to_string(major));
}

std::u16string OutlookVersion::Text() {
  const int major = Major();
  for (const Release& release : kReleases) {
    if (release.major == major) return std::u16string(release.text);
  }
  return {};
}

}  // namespace kelvra::store
