#include "nls/PictureString.h"

#include <vector>

#include "atl/OleSeconds.h"

namespace kelvra::platform {

namespace {

using atl::OleSeconds;

constexpr std::u16string_view kDateLetters = u"dMy";
constexpr std::u16string_view kTimeLetters = u"hHmst";

// A run of one picture letter, or literal text (letter 0).
struct Piece {
  char16_t letter = 0;
  std::size_t count = 0;
  std::u16string text;
};

// The text between apostrophes, `at` on the opening one; leaves `at` past the closing
// one (or at the end).
std::u16string Quoted(std::u16string_view picture, std::size_t& at) {
  std::u16string text;
  for (++at; at < picture.size(); ++at) {
    if (picture[at] != u'\'') {
      text += picture[at];
    } else if (at + 1 < picture.size() && picture[at + 1] == u'\'') {
      text += picture[++at];
    } else {
      ++at;
      break;
    }
  }
  return text;
}

std::vector<Piece> Pieces(std::u16string_view picture, std::u16string_view letters) {
  std::vector<Piece> pieces;
  std::size_t at = 0;
  while (at < picture.size()) {
    const char16_t c = picture[at];
    if (c == u'\'') {
      pieces.push_back({0, 0, Quoted(picture, at)});
    } else if (letters.find(c) != std::u16string_view::npos) {
      const std::size_t start = at;
      while (at < picture.size() && picture[at] == c) ++at;
      pieces.push_back({c, at - start, {}});
    } else {
      pieces.push_back({0, 0, std::u16string(1, c)});
      ++at;
    }
  }
  return pieces;
}

std::u16string Number(int value, std::size_t width) {
  std::u16string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
    value /= 10;
  } while (value > 0);
  if (digits.size() < width) digits.insert(0, width - digits.size(), u'0');
  return digits;
}

// A field of one or two digits: d, dd, M, MM, h, hh...
std::optional<std::u16string> ShortNumber(int value, std::size_t count) {
  if (count > 2) return std::nullopt;
  return Number(value, count);
}

std::optional<std::u16string> DateField(const Piece& piece, const SYSTEMTIME& time) {
  switch (piece.letter) {
    case u'd':
      return ShortNumber(time.wDay, piece.count);
    case u'M':
      return ShortNumber(time.wMonth, piece.count);
    default:
      break;
  }
  if (piece.count == 2) return Number(time.wYear % 100, 2);
  if (piece.count == 4) return Number(time.wYear, 4);
  return std::nullopt;
}

std::optional<std::u16string> TimeField(const Piece& piece, const SYSTEMTIME& time) {
  const bool morning = time.wHour < 12;
  switch (piece.letter) {
    case u'h':
      return ShortNumber(time.wHour % 12 == 0 ? 12 : time.wHour % 12, piece.count);
    case u'H':
      return ShortNumber(time.wHour, piece.count);
    case u'm':
      return ShortNumber(time.wMinute, piece.count);
    case u's':
      return ShortNumber(time.wSecond, piece.count);
    default:
      break;
  }
  if (piece.count == 1) return std::u16string(morning ? u"A" : u"P");
  if (piece.count == 2) return std::u16string(morning ? u"AM" : u"PM");
  return std::nullopt;
}

template <class Field>
std::optional<std::u16string> Render(std::u16string_view picture, std::u16string_view letters,
                                     Field field) {
  std::u16string text;
  for (const Piece& piece : Pieces(picture, letters)) {
    const std::optional<std::u16string> shown = piece.letter == 0 ? piece.text : field(piece);
    if (!shown) return std::nullopt;
    text += *shown;
  }
  return text;
}

bool RealDay(int year, int month, int day) {
  return year >= 1601 && year <= 30827 && month >= 1 && month <= 12 && day >= 1 &&
         day <= OleSeconds::DaysInMonth(year, month);
}

// One to `most` digits from `at`.
std::optional<int> Digits(std::u16string_view text, std::size_t& at, std::size_t most) {
  int value = 0;
  std::size_t read = 0;
  while (read < most && at < text.size() && text[at] >= u'0' && text[at] <= u'9') {
    value = value * 10 + (text[at++] - u'0');
    ++read;
  }
  if (read == 0) return std::nullopt;
  return value;
}

// Reads one date picture into `day`; false when the text does not follow it.
bool ReadField(const Piece& piece, std::u16string_view text, std::size_t& at,
               PictureString::Day& day) {
  const bool year = piece.letter == u'y';
  const bool known = year ? piece.count == 2 || piece.count == 4 : piece.count <= 2;
  const std::optional<int> number = known ? Digits(text, at, year ? piece.count : 2) : std::nullopt;
  if (!number) return false;
  if (piece.letter == u'd') {
    day.day = *number;
  } else if (piece.letter == u'M') {
    day.month = *number;
  } else {
    day.year = piece.count == 4 ? *number : (*number < 30 ? 2000 : 1900) + *number;
  }
  return true;
}

}  // namespace

std::optional<std::u16string> PictureString::FormatDate(std::u16string_view picture,
                                                        const SYSTEMTIME& time) {
  if (!RealDay(time.wYear, time.wMonth, time.wDay)) return std::nullopt;
  return Render(picture, kDateLetters, [&](const Piece& piece) { return DateField(piece, time); });
}

std::optional<std::u16string> PictureString::FormatTime(std::u16string_view picture,
                                                        const SYSTEMTIME& time) {
  if (time.wHour > 23 || time.wMinute > 59 || time.wSecond > 59 || time.wMilliseconds > 999) {
    return std::nullopt;
  }
  return Render(picture, kTimeLetters, [&](const Piece& piece) { return TimeField(piece, time); });
}

std::optional<PictureString::Day> PictureString::ParseDate(std::u16string_view picture,
                                                           std::u16string_view text,
                                                           std::size_t& used) {
  Day day{0, 0, 0};
  std::size_t at = 0;
  for (const Piece& piece : Pieces(picture, kDateLetters)) {
    if (piece.letter != 0) {
      if (!ReadField(piece, text, at, day)) return std::nullopt;
    } else if (text.substr(at, piece.text.size()) == piece.text) {
      at += piece.text.size();
    } else {
      return std::nullopt;
    }
  }
  if (!RealDay(day.year, day.month, day.day)) return std::nullopt;
  used = at;
  return day;
}

}  // namespace kelvra::platform
