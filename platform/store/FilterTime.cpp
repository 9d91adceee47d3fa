#include "store/FilterTime.h"

#include <string>

#include "atl/OleSeconds.h"
#include "nls/LocaleSettings.h"
#include "nls/PictureString.h"
#include "store/Utf.h"

namespace kelvra::store {

namespace {

using platform::PictureString;

class TimeReader {
 public:
  explicit TimeReader(std::u16string_view text) : text_(text) {}

  // At least one blank when `required`.
  bool Blanks(bool required) {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] == u' ') ++pos_;
    return !required || pos_ > start;
  }
  std::optional<int> Number(std::size_t least, std::size_t most) {
    int value = 0;
    std::size_t read = 0;
    while (read < most && pos_ < text_.size() && text_[pos_] >= u'0' && text_[pos_] <= u'9') {
      value = value * 10 + (text_[pos_++] - u'0');
      ++read;
    }
    if (read < least) return std::nullopt;
    return value;
  }
  bool Take(char16_t c) {
    if (pos_ >= text_.size() || text_[pos_] != c) return false;
    ++pos_;
    return true;
  }
  // "AM" or "PM" in any case: 'A' or 'P'; 0 when neither stands here.
  char16_t Suffix() {
    if (text_.size() - pos_ < 2 || (text_[pos_ + 1] | 0x20) != u'm') return 0;
    const char16_t first = text_[pos_] | 0x20;
    if (first != u'a' && first != u'p') return 0;
    pos_ += 2;
    return first == u'a' ? u'A' : u'P';
  }
  bool AtEnd() const { return pos_ == text_.size(); }

 private:
  std::u16string_view text_;
  std::size_t pos_ = 0;
};

// The hour of the day; nothing when the suffix contradicts a 24-hour reading.
std::optional<int> HourOfDay(int hour, char16_t suffix) {
  if (hour > 23) return std::nullopt;
  if (suffix == 0) return hour;
  const bool afternoon = suffix == u'P';
  if (hour == 0 || hour > 12) {
    if (afternoon != (hour > 12)) return std::nullopt;
    return hour;
  }
  return hour % 12 + (afternoon ? 12 : 0);
}

}  // namespace

std::optional<std::int64_t> FilterTime::Minutes(std::u16string_view text) {
  const std::u16string picture =
      Utf::ToUtf16(platform::LocaleSettings::Instance().ShortDatePicture());
  std::size_t used = 0;
  const std::optional<PictureString::Day> day = PictureString::ParseDate(picture, text, used);
  if (!day) return std::nullopt;
  TimeReader reader(text.substr(used));
  if (!reader.Blanks(true)) return std::nullopt;
  const std::optional<int> hour = reader.Number(1, 2);
  if (!hour || !reader.Take(u':')) return std::nullopt;
  const std::optional<int> minute = reader.Number(2, 2);
  reader.Blanks(false);
  const std::optional<int> hourOfDay = HourOfDay(hour.value_or(0), reader.Suffix());
  reader.Blanks(false);
  if (!minute || !hourOfDay || !reader.AtEnd()) return std::nullopt;
  const std::optional<std::int64_t> seconds =
      atl::OleSeconds::FromCivil({day->year, day->month, day->day, *hourOfDay, *minute, 0});
  if (!seconds) return std::nullopt;
  return *seconds / 60;
}

}  // namespace kelvra::store
