// Throughput of the character converter on 1 MiB of mixed text: ASCII with accented
// Latin, Cyrillic and CJK, in lines ending in CR LF.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "contacts/DovantCharConverter.h"
#include "testkit/Modules.h"

namespace {

constexpr size_t kTextBytes = 1 << 20;
constexpr int kUtf8 = 65001;

const std::string& MixedText() {
  static const std::string text = [] {
    const std::string line =
        "Meeting with Zoë Müller at the café on Straße 12, naïve façade. "
        "Встреча в понедельник. 会議は月曜日の午前十時です。\r\n";
    std::string mixed;
    while (mixed.size() + line.size() <= kTextBytes) mixed += line;
    mixed.append(kTextBytes - mixed.size(), 'x');
    return mixed;
  }();
  return text;
}

// The shipped encodings list, so that constructing the converter shows no box.
DovantCharConverter& Converter() {
  static std::unique_ptr<DovantCharConverter> converter = [] {
    std::string folder = "Z:" KELVRA_SOURCE_DIR "/resources";
    for (char& c : folder)
      if (c == '/') c = '\\';
    testkit::SetModuleFolder("Kelvra.dll", folder);
    return std::make_unique<DovantCharConverter>();
  }();
  return *converter;
}

void BM_EncodeQuotedPrintable(benchmark::State& state) {
  const std::string& text = MixedText();
  std::string encoded;
  for (auto _ : state) {
    DovantCharConverter::EncodeQuotedPrintable(text, encoded);
    benchmark::DoNotOptimize(encoded.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_EncodeQuotedPrintable);

// Bytes processed are the quoted-printable bytes read.
void BM_DecodeQuotedPrintable(benchmark::State& state) {
  std::string encoded;
  DovantCharConverter::EncodeQuotedPrintable(MixedText(), encoded);
  std::string decoded;
  for (auto _ : state) {
    bool ok = DovantCharConverter::DecodeQuotedPrintable(encoded, decoded, false);
    benchmark::DoNotOptimize(ok);
  }
  if (decoded != MixedText()) state.SkipWithError("decoding did not give the text back");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * encoded.size()));
}
BENCHMARK(BM_DecodeQuotedPrintable);

void BM_Utf8ToUtf16(benchmark::State& state) {
  const DovantCharConverter& converter = Converter();
  const std::string& text = MixedText();
  _bstr_t wide;
  for (auto _ : state) {
    converter.DecodeByCodePage(kUtf8, text, wide);
    benchmark::DoNotOptimize(wide.length());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Utf8ToUtf16);

// Bytes processed are the UTF-8 bytes written.
void BM_Utf16ToUtf8(benchmark::State& state) {
  const DovantCharConverter& converter = Converter();
  _bstr_t wide;
  converter.DecodeByCodePage(kUtf8, MixedText(), wide);
  std::string narrow;
  for (auto _ : state) {
    converter.EncodeByCodePage(kUtf8, wide, narrow);
    benchmark::DoNotOptimize(narrow.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * MixedText().size()));
}
BENCHMARK(BM_Utf16ToUtf8);

}  // namespace

BENCHMARK_MAIN();
