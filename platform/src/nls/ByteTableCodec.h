// A single- or double-byte code page as lookup tables, read once out of iconv. Tables
// give the Windows rules (a bad pair becomes one default character, no composition of
// combining marks) and are safe to share between threads.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <vector>

#include "nls/CodePageTraits.h"
#include "nls/TextCodec.h"

namespace kelvra::platform {

class IconvDescriptor;

class ByteTableCodec : public TextCodec {
 public:
  // nullptr when iconv cannot convert the page.
  static std::unique_ptr<ByteTableCodec> Build(const CodePageTraits& traits);

  void Decode(std::string_view bytes, std::u16string& text) const override;
  // Character by UTF-16 unit, as Windows does, so a surrogate pair becomes two
  // replacements.
  void Encode(std::u16string_view text, std::string& bytes,
              Replacement& replacement) const override;
  bool IsLeadByte(unsigned char byte) const override { return leads_[byte]; }

 private:
  static constexpr char16_t kUndefined = 0xFFFF;
  static constexpr std::uint32_t kUnmapped = 0xFFFF'FFFF;

  explicit ByteTableCodec(char16_t defaultChar);
  void ReadSingles(IconvDescriptor& decoder, const CodePageTraits& traits);
  void ReadPairs(IconvDescriptor& decoder);
  void BuildEncoder(IconvDescriptor& encoder);
  void AddEncoding(IconvDescriptor& encoder, char16_t unit, std::uint32_t sequence);
  char16_t Lookup(unsigned char lead, unsigned char trail) const;

  char16_t defaultChar_;
  std::array<char16_t, 256> singles_;
  std::bitset<256> leads_;
  std::vector<char16_t> pairs_;         // lead * 256 + trail
  std::vector<std::uint32_t> encoder_;  // by UTF-16 unit: the byte or the pair (lead << 8 | trail)
};

}  // namespace kelvra::platform
