// Reading speed of the vCard reader, in MB/s, over a file of 10,000 varied cards in the
// shapes Kelvra's writer produces: version 2.1 with CHARSET=UTF-8 and quoted-printable
// values (soft line breaks included), and version 3.0 with escaped, folded UTF-8 text.
// Beside each, python3-vobject reads the very same file in the same run, for scale.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "contacts/CvCardImport.h"
#include "contacts/DovantCharConverter.h"
#include "testkit/Locale.h"
#include "testkit/Modules.h"

namespace {

constexpr int kCards = 10000;
constexpr int kVCard21 = 21;
constexpr int kVCard30 = 30;
constexpr const char* kPython = "/usr/bin/python3";

// Reads every card of the file once and prints the rate in MB/s.
constexpr const char* kVobjectTiming =
    "import sys, time, vobject\n"
    "data = open(sys.argv[1], 'rb').read()\n"
    "start = time.perf_counter()\n"
    "text = data.decode('utf-8')\n"
    "cards = sum(1 for _ in vobject.readComponents(text, allowQP=True))\n"
    "elapsed = time.perf_counter() - start\n"
    "print(len(data) / 1e6 / elapsed, cards)\n";

// A fixed pseudo-random sequence, so that every run reads the same file.
class Sequence {
 public:
  uint32_t Next() {
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return m_state;
  }
  template <size_t N>
  const char* Pick(const char* const (&words)[N]) {
    return words[Next() % N];
  }
  bool Chance(int percent) { return static_cast<int>(Next() % 100) < percent; }

 private:
  uint32_t m_state = 0x6b656c76;
};

constexpr const char* kFirstNames[] = {"Jürgen", "Anna",   "Łukasz", "Zoë",   "Mei",
                                       "José",   "Olivia", "Søren",  "Ahmed", "Émilie",
                                       "Peter",  "Ivan",   "Yuki",   "Chloé", "Nora"};
constexpr const char* kLastNames[] = {"Müller", "Smith",  "Kowalski", "Dubois", "Nakamura",
                                      "García", "Jensen", "O'Brien",  "Petrov", "Brown",
                                      "Rossi",  "Öztürk", "Lee",      "Nguyễn", "Walker"};
constexpr const char* kNickNames[] = {"Jü", "Ann", "Łuki", "Zo", "Pepe", "Liv", "Sø"};
constexpr const char* kCompanies[] = {"Acme, Inc.", "Bäckerei Groß", "Northwind",       "R&D Labs",
                                      "Contoso",    "Fabrikam",      "Société Générale"};
constexpr const char* kTitles[] = {"Chief Engineer", "Sales Manager", "Geschäftsführer",
                                   "Intern",         "Buyer",         "Directrice"};
constexpr const char* kStreets[] = {"Hauptstraße 1", "12 High Street", "Rue de la Paix 7",
                                    "Main St. 400",  "Am Weg 2",       "Calle Mayor 3"};
constexpr const char* kCities[] = {"Berlin", "London", "Paris", "Köln", "Madrid", "Zürich"};
constexpr const char* kSentences[] = {
    "Met at the trade fair; follow up in spring.",
    "Prefers calls after 10:00, never on Fridays.",
    "Ordered 12 units, invoice #4711 still open \\ see ledger.",
    "Spricht Deutsch und Französisch, café au lait, keine Meetings vor neun.",
    "Birthday gift: book about naïve art, résumé attached.",
    "Line with a tab\tand an = sign, 50% off."};
constexpr const char* kPhoneTypes[] = {"WORK", "HOME",  "CELL",  "CAR",
                                       "FAX",  "PAGER", "VOICE", "PREF"};

bool NeedsQuotedPrintable(std::string_view value) {
  for (unsigned char c : value)
    if (c >= 0x80 || c < 0x20 || c == '=') return true;
  return false;
}

// Quoted-printable with soft breaks that keep every physical line within 76 bytes.
std::string QuotedPrintable(std::string_view value, size_t headLength) {
  std::string out;
  size_t column = headLength;
  for (unsigned char c : value) {
    char piece[4];
    const bool literal = c >= 0x21 && c <= 0x7e && c != '=';
    if (literal || c == ' ')
      std::snprintf(piece, sizeof piece, "%c", c);
    else
      std::snprintf(piece, sizeof piece, "=%02X", c);
    const size_t length = std::string_view(piece).size();
    if (column + length > 75) {
      out += "=\r\n";
      column = 0;
    }
    out += piece;
    column += length;
  }
  return out;
}

// A component of a structured value escapes ";" too; a plain text keeps it.
std::string Escaped30(std::string_view value, bool component) {
  std::string out;
  for (char c : value) {
    if (c == '\\' || c == ',' || (c == ';' && component)) out += '\\';
    if (c == '\r') continue;
    if (c == '\n') {
      out += "\\n";
      continue;
    }
    out += c;
  }
  return out;
}

// Folds at 75 bytes without splitting a UTF-8 sequence.
std::string Folded(const std::string& line) {
  std::string out;
  size_t column = 0;
  for (size_t i = 0; i < line.size(); ++i) {
    const bool continuation = (static_cast<unsigned char>(line[i]) & 0xc0) == 0x80;
    if (column >= 75 && !continuation) {
      out += "\r\n ";
      column = 1;
    }
    out += line[i];
    ++column;
  }
  return out + "\r\n";
}

class CardWriter {
 public:
  explicit CardWriter(int version) : m_version(version) {}

  // head: name and types; the components are joined by ";".
  void Property(const std::string& head, const std::vector<std::string>& parts) {
    std::string joined;
    for (size_t i = 0; i < parts.size(); ++i) {
      if (i) joined += ';';
      joined += m_version == kVCard30 ? Escaped30(parts[i], true) : parts[i];
    }
    Line(head, joined);
  }
  void Text(const std::string& head, const std::string& value) {
    Line(head, m_version == kVCard30 ? Escaped30(value, false) : value);
  }
  void Raw(const std::string& line) { m_text += line + "\r\n"; }
  std::string Types(const char* a, const char* b = nullptr) const {
    std::string types;
    for (const char* type : {a, b})
      if (type) types += (m_version == kVCard30 ? ";TYPE=" : ";") + std::string(type);
    return types;
  }
  bool Is30() const { return m_version == kVCard30; }
  std::string& Text() { return m_text; }

 private:
  void Line(const std::string& head, const std::string& value) {
    const size_t types = head.find(';');
    const std::string charsetHead = head.substr(0, types) + ";CHARSET=UTF-8" +
                                    (types == std::string::npos ? "" : head.substr(types));
    if (m_version == kVCard30) {
      m_text += Folded(charsetHead + ":" + value);
    } else if (NeedsQuotedPrintable(value)) {
      const std::string qpHead = charsetHead + ";ENCODING=QUOTED-PRINTABLE:";
      m_text += qpHead + QuotedPrintable(value, qpHead.size()) + "\r\n";
    } else {
      m_text += charsetHead + ":" + value + "\r\n";
    }
  }

  int m_version;
  std::string m_text;
};

void AppendCard(CardWriter& card, Sequence& random, int index) {
  const std::string first = random.Pick(kFirstNames);
  const std::string last = random.Pick(kLastNames);
  card.Raw("BEGIN:VCARD");
  card.Raw(card.Is30() ? "VERSION:3.0" : "VERSION:2.1");
  card.Property("N",
                {last, first, random.Chance(30) ? "K." : "", random.Chance(20) ? "Dr." : "", ""});
  card.Text("FN", first + " " + last);
  if (random.Chance(30)) card.Text("NICKNAME", random.Pick(kNickNames));
  card.Property("ORG", {random.Pick(kCompanies), random.Chance(50) ? "Research" : ""});
  card.Text("TITLE", random.Pick(kTitles));
  std::string note;
  for (int n = static_cast<int>(random.Next() % 6); n > 0; --n)
    note += std::string(random.Pick(kSentences)) + (n > 1 ? "\r\n" : "");
  if (!note.empty()) card.Text("NOTE", note);
  for (int n = 1 + static_cast<int>(random.Next() % 5); n > 0; --n) {
    char number[32];
    std::snprintf(number, sizeof number, "+49 30 %07u", random.Next() % 10000000);
    const char* type = random.Pick(kPhoneTypes);
    card.Text("TEL" + card.Types(type, random.Chance(20) ? "VOICE" : nullptr), number);
  }
  card.Property("ADR" + card.Types("WORK"),
                {random.Chance(20) ? "PO 12" : "", "Building 5", random.Pick(kStreets),
                 random.Pick(kCities), "BE", "10115", "Germany"});
  if (random.Chance(60))
    card.Property("ADR" + card.Types("HOME"),
                  {"", "", random.Pick(kStreets), random.Pick(kCities), "", "50667", ""});
  if (random.Chance(50)) card.Text("URL" + card.Types("WORK"), "https://www.example.com/");
  char date[16];
  std::snprintf(date, sizeof date, "%04u%02u%02u", 1950 + random.Next() % 60,
                1 + random.Next() % 12, 1 + random.Next() % 28);
  if (random.Chance(70)) card.Text("BDAY", date);
  const std::string mailbox = "user" + std::to_string(index);
  card.Text("EMAIL" + card.Types("PREF", "INTERNET"), mailbox + "@example.com");
  if (random.Chance(40)) card.Text("EMAIL" + card.Types("INTERNET"), mailbox + "@acme.example");
  if (random.Chance(30)) card.Text("X-OUTL-MANAGERNAME", "Eva Boss");
  if (random.Chance(20)) card.Text("X-OUTL-SPOUSE", "Maria");
  if (random.Chance(50))
    card.Text(card.Is30() ? "CATEGORIES" : "X-OUTL-CATEGORIES", "Business,Friends");
  card.Text("REV", "20240305T143015");
  if (random.Chance(10)) card.Raw(card.Is30() ? "CLASS:PRIVATE" : "X-OUTL-CLASS:PRIVATE");
  card.Raw("END:VCARD");
}

const std::string& CardFile(int version) {
  static std::string files[2];
  std::string& file = files[version == kVCard30];
  if (file.empty()) {
    CardWriter card(version);
    Sequence random;
    for (int i = 0; i < kCards; ++i) AppendCard(card, random, i);
    file = std::move(card.Text());
  }
  return file;
}

// Counts the cards the reader finishes; the import run is not involved.
class CountingReader : public CvCardImport {
 public:
  int Cards() const { return m_cards; }

 protected:
  int putContactItem(const ParsedCard& card) override {
    benchmark::DoNotOptimize(card.fullName.data());
    ++m_cards;
    return 0;
  }

 private:
  int m_cards = 0;
};

// The shipped encodings list and a Western ANSI code page, as on a typical desktop.
void SetUpReading() {
  static const std::unique_ptr<DovantCharConverter> converter = [] {
    std::string folder = "Z:" KELVRA_SOURCE_DIR "/resources";
    for (char& c : folder)
      if (c == '/') c = '\\';
    testkit::SetModuleFolder("Kelvra.dll", folder);
    testkit::SetAcp(1252);
    return std::make_unique<DovantCharConverter>();
  }();
  g_CharConverter = converter.get();
}

void BM_ReadCards(benchmark::State& state) {
  SetUpReading();
  const std::string& file = CardFile(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    CountingReader reader;
    reader.SetOutlookVersion(14);
    if (reader.ParseBytes(file.data(), file.size()) != 0 || reader.Cards() != kCards)
      state.SkipWithError("the reader did not finish every card");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
  state.counters["MB"] = benchmark::Counter(
      static_cast<double>(state.iterations() * file.size()) / 1e6, benchmark::Counter::kIsRate);
  state.counters["file MB"] = static_cast<double>(file.size()) / 1e6;
}
BENCHMARK(BM_ReadCards)
    ->ArgName("version")
    ->Arg(kVCard21)
    ->Arg(kVCard30)
    ->Unit(benchmark::kMillisecond);

// One run of python3 over the same file; the counters are its rate and the cards it read.
void BM_VobjectReadCards(benchmark::State& state) {
  if (access(kPython, X_OK) != 0) {
    state.SkipWithError("/usr/bin/python3 is missing");
    return;
  }
  char filePath[] = "/tmp/kelvra-bench-XXXXXX";
  const int fd = mkstemp(filePath);
  if (fd < 0) {
    state.SkipWithError("no temporary file");
    return;
  }
  close(fd);
  std::ofstream(filePath, std::ios::binary) << CardFile(static_cast<int>(state.range(0)));
  char scriptPath[] = "/tmp/kelvra-bench-XXXXXX";
  const int scriptFd = mkstemp(scriptPath);
  if (scriptFd >= 0) close(scriptFd);
  std::ofstream(scriptPath) << kVobjectTiming;
  double rate = 0;
  int cards = 0;
  for (auto _ : state) {
    const std::string command =
        std::string(kPython) + " " + scriptPath + " " + filePath + " 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), &pclose);
    if (!pipe || std::fscanf(pipe.get(), "%lf %d", &rate, &cards) != 2) rate = 0;
  }
  std::remove(filePath);
  std::remove(scriptPath);
  if (rate <= 0) {
    state.SkipWithError("python3-vobject could not read the file (is it installed?)");
    return;
  }
  state.counters["MB/s"] = rate;
  state.counters["cards"] = cards;
}
BENCHMARK(BM_VobjectReadCards)
    ->ArgName("version")
    ->Arg(kVCard21)
    ->Arg(kVCard30)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
