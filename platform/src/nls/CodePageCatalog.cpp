#include "nls/CodePageCatalog.h"

#include <algorithm>
#include <array>

#include "nls/ByteTableCodec.h"
#include "nls/CodePageTraits.h"
#include "nls/IconvCodec.h"
#include "nls/Utf8Codec.h"

namespace kelvra::platform {
namespace {

using enum CodePageKind;

constexpr char16_t kQuestionMark = u'?';
// Shift-JIS text that does not decode shows the katakana middle dot.
constexpr char16_t kKatakanaMiddleDot = u'\u30FB';

constexpr auto kTraits = std::to_array<CodePageTraits>({
    {65001, nullptr, kUtf8, kQuestionMark, false},
    {65000, "UTF-7", kStream, kQuestionMark, false},
    {1250, "CP1250", kSingleByte, kQuestionMark, true},
    {1251, "CP1251", kSingleByte, kQuestionMark, true},
    {1252, "CP1252", kSingleByte, kQuestionMark, true},
    {1253, "CP1253", kSingleByte, kQuestionMark, true},
    {1254, "CP1254", kSingleByte, kQuestionMark, true},
    {1255, "CP1255", kSingleByte, kQuestionMark, true},
    {1256, "CP1256", kSingleByte, kQuestionMark, true},
    {1257, "CP1257", kSingleByte, kQuestionMark, true},
    {1258, "CP1258", kSingleByte, kQuestionMark, true},
    {874, "CP874", kSingleByte, kQuestionMark, false},
    {932, "CP932", kDoubleByte, kKatakanaMiddleDot, false},
    {936, "CP936", kDoubleByte, kQuestionMark, false},
    {949, "CP949", kDoubleByte, kQuestionMark, false},
    {950, "CP950", kDoubleByte, kQuestionMark, false},
    {54936, "GB18030", kStream, kQuestionMark, false},
    {20127, "ASCII", kSingleByte, kQuestionMark, false},
    {20866, "KOI8-R", kSingleByte, kQuestionMark, false},
    {21866, "KOI8-U", kSingleByte, kQuestionMark, false},
    {28591, "ISO-8859-1", kSingleByte, kQuestionMark, false},
    {28592, "ISO-8859-2", kSingleByte, kQuestionMark, false},
    {28593, "ISO-8859-3", kSingleByte, kQuestionMark, false},
    {28594, "ISO-8859-4", kSingleByte, kQuestionMark, false},
    {28595, "ISO-8859-5", kSingleByte, kQuestionMark, false},
    {28596, "ISO-8859-6", kSingleByte, kQuestionMark, false},
    {28597, "ISO-8859-7", kSingleByte, kQuestionMark, false},
    {28598, "ISO-8859-8", kSingleByte, kQuestionMark, false},
    {28599, "ISO-8859-9", kSingleByte, kQuestionMark, false},
    {28603, "ISO-8859-13", kSingleByte, kQuestionMark, false},
    {28605, "ISO-8859-15", kSingleByte, kQuestionMark, false},
    {437, "CP437", kSingleByte, kQuestionMark, false},
    {850, "CP850", kSingleByte, kQuestionMark, false},
    {852, "CP852", kSingleByte, kQuestionMark, false},
    {855, "CP855", kSingleByte, kQuestionMark, false},
    {866, "CP866", kSingleByte, kQuestionMark, false},
    // Windows reads these two through its Shift-JIS tables, as EUC-JP-MS does.
    {51932, "EUC-JP-MS", kStream, kQuestionMark, false},
    {50220, "ISO-2022-JP", kStream, kQuestionMark, false},
    {51949, "EUC-KR", kDoubleByte, kQuestionMark, false},
    {10000, "MACINTOSH", kSingleByte, kQuestionMark, false},
});

const CodePageTraits* FindTraits(UINT codePage) {
  const auto found =
      std::find_if(kTraits.begin(), kTraits.end(),
                   [codePage](const CodePageTraits& traits) { return traits.number == codePage; });
  return found == kTraits.end() ? nullptr : &*found;
}

std::unique_ptr<TextCodec> MakeCodec(const CodePageTraits& traits) {
  switch (traits.kind) {
    case kUtf8:
      return std::make_unique<Utf8Codec>();
    case kSingleByte:
    case kDoubleByte:
      return ByteTableCodec::Build(traits);
    case kStream:
      return IconvCodec::Open(traits);
  }
  return nullptr;
}

}  // namespace

CodePageCatalog& CodePageCatalog::Instance() {
  static CodePageCatalog catalog;
  return catalog;
}

const TextCodec* CodePageCatalog::Find(UINT codePage) {
  const CodePageTraits* traits = FindTraits(codePage);
  if (traits == nullptr) return nullptr;
  std::lock_guard lock(mutex_);
  auto [entry, added] = codecs_.try_emplace(codePage);
  if (added) entry->second = MakeCodec(*traits);
  return entry->second.get();
}

}  // namespace kelvra::platform
