// Windows date and time picture strings ("M/d/yyyy", "h:mm:ss tt"): the pictures
// d dd M MM yy yyyy of a date, h hh H HH m mm s ss t tt of a time; text between
// apostrophes stands as it is ('' inside is one apostrophe), as does every other
// character.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "win32/base.h"

namespace kelvra::platform {

class PictureString {
 public:
  struct Day {
    int year, month, day;
  };

  // The date fields of `time` as the picture shows them; nothing for a picture this
  // stand-in does not know (ddd, MMM, y, g...) or a date that does not exist.
  static std::optional<std::u16string> FormatDate(std::u16string_view picture,
                                                  const SYSTEMTIME& time);
  // The time fields likewise; nothing for an unknown picture or a time out of range.
  static std::optional<std::u16string> FormatTime(std::u16string_view picture,
                                                  const SYSTEMTIME& time);

  // Reads a date written with the picture from the start of `text` (numbers of one
  // or two digits for days and months, up to four for yyyy; a yy year is 1930-2029)
  // and sets `used` to the characters read. Nothing when the text does not follow
  // the picture or names no real day.
  static std::optional<Day> ParseDate(std::u16string_view picture, std::u16string_view text,
                                      std::size_t& used);
};

}  // namespace kelvra::platform
