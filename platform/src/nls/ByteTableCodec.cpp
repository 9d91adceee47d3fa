#include "nls/ByteTableCodec.h"

#include "nls/IconvDescriptor.h"

namespace kelvra::platform {
namespace {

enum class ProbeResult { kCharacter, kIncomplete, kInvalid };

// What iconv makes of one byte sequence standing alone: exactly one BMP character,
// the beginning of a longer sequence, or nothing usable.
ProbeResult Probe(IconvDescriptor& decoder, std::string_view bytes, char16_t& unit) {
  decoder.Reset();
  std::size_t position = 0;
  std::string output;
  const auto outcome = decoder.Convert(bytes, position, output);
  if (outcome == IconvDescriptor::Outcome::kIncomplete && position == 0)
    return ProbeResult::kIncomplete;
  if (outcome != IconvDescriptor::Outcome::kDone) return ProbeResult::kInvalid;
  // Some pages hold a character back until they know no combining mark follows.
  decoder.Flush(output);
  if (output.size() != 4 || output[2] != 0 || output[3] != 0) return ProbeResult::kInvalid;
  unit = static_cast<char16_t>(static_cast<unsigned char>(output[0]) |
                               static_cast<unsigned char>(output[1]) << 8);
  return ProbeResult::kCharacter;
}

std::string Utf32(char16_t unit) {
  return std::string{static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8), '\0', '\0'};
}

std::uint32_t SequenceValue(std::string_view bytes) {
  std::uint32_t value = 0;
  for (const char byte : bytes) value = value << 8 | static_cast<unsigned char>(byte);
  return value;
}

}  // namespace

std::unique_ptr<ByteTableCodec> ByteTableCodec::Build(const CodePageTraits& traits) {
  IconvDescriptor decoder(kIconvUtf32, traits.iconvName);
  IconvDescriptor encoder(traits.iconvName, kIconvUtf32);
  if (!decoder.IsOpen() || !encoder.IsOpen()) return nullptr;
  std::unique_ptr<ByteTableCodec> codec(new ByteTableCodec(traits.defaultChar));
  codec->ReadSingles(decoder, traits);
  if (traits.kind == CodePageKind::kDoubleByte) codec->ReadPairs(decoder);
  codec->BuildEncoder(encoder);
  return codec;
}

ByteTableCodec::ByteTableCodec(char16_t defaultChar)
    : defaultChar_(defaultChar), encoder_(0x10000, kUnmapped) {
  singles_.fill(kUndefined);
}

void ByteTableCodec::ReadSingles(IconvDescriptor& decoder, const CodePageTraits& traits) {
  for (int byte = 0; byte < 256; ++byte) {
    const char bytes[] = {static_cast<char>(byte)};
    char16_t unit = 0;
    switch (Probe(decoder, {bytes, 1}, unit)) {
      case ProbeResult::kCharacter:
        singles_[byte] = unit;
        break;
      case ProbeResult::kIncomplete:
        leads_[byte] = traits.kind == CodePageKind::kDoubleByte;
        break;
      case ProbeResult::kInvalid:
        break;
    }
    if (singles_[byte] == kUndefined && !leads_[byte] && traits.controlsForUndefined &&
        byte >= 0x80 && byte <= 0x9F) {
      singles_[byte] = static_cast<char16_t>(byte);
    }
  }
}

void ByteTableCodec::ReadPairs(IconvDescriptor& decoder) {
  pairs_.assign(0x10000, kUndefined);
  for (int lead = 0; lead < 256; ++lead) {
    if (!leads_[lead]) continue;
    for (int trail = 1; trail < 256; ++trail) {
      const char bytes[] = {static_cast<char>(lead), static_cast<char>(trail)};
      char16_t unit = 0;
      if (Probe(decoder, {bytes, 2}, unit) == ProbeResult::kCharacter)
        pairs_[lead << 8 | trail] = unit;
    }
  }
}

void ByteTableCodec::BuildEncoder(IconvDescriptor& encoder) {
  // Single bytes first: a character with both forms is written in one byte.
  for (int byte = 0; byte < 256; ++byte) {
    if (singles_[byte] != kUndefined)
      AddEncoding(encoder, singles_[byte], static_cast<std::uint32_t>(byte));
  }
  for (std::uint32_t pair = 0; pair < pairs_.size(); ++pair) {
    if (pairs_[pair] != kUndefined) AddEncoding(encoder, pairs_[pair], pair);
  }
}

// Where two sequences decode to the same character, the one iconv writes wins.
void ByteTableCodec::AddEncoding(IconvDescriptor& encoder, char16_t unit, std::uint32_t sequence) {
  std::uint32_t& slot = encoder_[unit];
  if (slot == kUnmapped) {
    slot = sequence;
    return;
  }
  encoder.Reset();
  std::string written;
  std::size_t position = 0;
  const std::string input = Utf32(unit);
  if (encoder.Convert(input, position, written) == IconvDescriptor::Outcome::kDone &&
      SequenceValue(written) == sequence) {
    slot = sequence;
  }
}

char16_t ByteTableCodec::Lookup(unsigned char lead, unsigned char trail) const {
  return pairs_[static_cast<std::size_t>(lead) << 8 | trail];
}

void ByteTableCodec::Decode(std::string_view bytes, std::u16string& text) const {
  std::size_t position = 0;
  while (position < bytes.size()) {
    const auto byte = static_cast<unsigned char>(bytes[position++]);
    char16_t unit = singles_[byte];
    if (leads_[byte]) {
      // A lead byte at the end, or before a NUL, stands alone.
      const bool hasTrail = position < bytes.size() && bytes[position] != '\0';
      unit = hasTrail ? Lookup(byte, static_cast<unsigned char>(bytes[position++])) : kUndefined;
    }
    text.push_back(unit == kUndefined ? defaultChar_ : unit);
  }
}

void ByteTableCodec::Encode(std::u16string_view text, std::string& bytes,
                            Replacement& replacement) const {
  for (const char16_t unit : text) {
    const std::uint32_t sequence = encoder_[unit];
    if (sequence == kUnmapped) {
      bytes += replacement.bytes;
      replacement.used = true;
    } else {
      if (sequence > 0xFF) bytes.push_back(static_cast<char>(sequence >> 8));
      bytes.push_back(static_cast<char>(sequence & 0xFF));
    }
  }
}

}  // namespace kelvra::platform
