// Cards per second the vCard writer builds for a typical full contact (every group but
// the photo, UTF-8), read through the stand-in object model and Redemption; beside them
// the rate at which python3-vobject serialises the same card, for scale.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "addin/Application.h"
#include "contacts/CvCardExport.h"
#include "contacts/DovantCharConverter.h"
#include "testkit/Modules.h"
#include "testkit/Outlook.h"
#include "testkit/Store.h"

namespace {

constexpr const char* kPython = "/usr/bin/python3";
// Serialises the card read from the file again and again for a second; prints the rate.
constexpr const char* kVobjectTiming =
    "import sys, time, vobject\n"
    "card = vobject.readOne(open(sys.argv[1], encoding='utf-8').read())\n"
    "count, start = 0, time.perf_counter()\n"
    "while time.perf_counter() - start < 2.0:\n"
    "    card.serialize()\n"
    "    count += 1\n"
    "print(count / (time.perf_counter() - start))\n";

std::string WindowsPath(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return "Z:" + path;
}

// The mailbox of the writer's tests, the shipped encodings list in UTF-8 and Outlook
// 2010, set up once for every benchmark.
class Setting {
 public:
  Setting() {
    testkit::SetModuleFolder("Kelvra.dll", WindowsPath(KELVRA_SOURCE_DIR "/resources"));
    m_converter = std::make_unique<DovantCharConverter>();
    g_CharConverter = m_converter.get();
    g_CharConverter->SetCurrentByName("UTF-8");
    testkit::LoadMailboxFile(KELVRA_SOURCE_DIR "/tests/data/vcard/contacts.json");
    testkit::SetOutlookVersion(14);
    m_application = testkit::CreateOutlookApplication();
    g_Application = m_application;
  }

  Outlook::_ContactItemPtr FullContact() const {
    Outlook::_ItemsPtr items =
        m_application->GetSession()->GetDefaultFolder(Outlook::olFolderContacts)->GetItems();
    for (long i = 1; i <= items->GetCount(); ++i) {
      Outlook::_ContactItemPtr contact = items->Item(_variant_t(i));
      if (contact && contact->GetFileAs() == "full") return contact;
    }
    return nullptr;
  }

 private:
  std::unique_ptr<DovantCharConverter> m_converter;
  Outlook::_ApplicationPtr m_application;
};

const Setting& TheSetting() {
  static const Setting setting;
  return setting;
}

std::string CardOf(int format) {
  CvCardExport writer;
  writer.SetOutlookVersion(14);
  writer.SetFormat(format);
  writer.SetContact(TheSetting().FullContact());
  writer.WriteContact();
  return writer.GetCard();
}

void BM_WriteFullContact(benchmark::State& state) {
  const Outlook::_ContactItemPtr contact = TheSetting().FullContact();
  if (!contact) {
    state.SkipWithError("the full contact is missing");
    return;
  }
  CvCardExport writer;
  writer.SetOutlookVersion(14);
  writer.SetFormat(static_cast<int>(state.range(0)));
  size_t bytes = 0;
  for (auto _ : state) {
    writer.SetContact(contact);
    if (writer.WriteContact() != 0) state.SkipWithError("the card was abandoned");
    bytes += writer.GetCard().size();
    benchmark::DoNotOptimize(writer.GetCard().data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
  state.counters["cards/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WriteFullContact)
    ->ArgName("format")
    ->Arg(CvCardExport::kVCard21)
    ->Arg(CvCardExport::kVCard30);

// One run of python3: vobject reads the 3.0 card once, then serialises it for two
// seconds; the counter is its rate.
void BM_VobjectSerialiseFullContact(benchmark::State& state) {
  if (access(kPython, X_OK) != 0) {
    state.SkipWithError("/usr/bin/python3 is missing");
    return;
  }
  char cardPath[] = "/tmp/kelvra-bench-XXXXXX";
  const int fd = mkstemp(cardPath);
  if (fd < 0) {
    state.SkipWithError("no temporary file");
    return;
  }
  close(fd);
  std::ofstream(cardPath, std::ios::binary) << CardOf(CvCardExport::kVCard30);
  char scriptPath[] = "/tmp/kelvra-bench-XXXXXX";
  const int scriptFd = mkstemp(scriptPath);
  close(scriptFd);
  std::ofstream(scriptPath) << kVobjectTiming;
  double rate = 0;
  for (auto _ : state) {
    const std::string command =
        std::string(kPython) + " " + scriptPath + " " + cardPath + " 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), &pclose);
    if (!pipe || std::fscanf(pipe.get(), "%lf", &rate) != 1) rate = 0;
  }
  std::remove(cardPath);
  std::remove(scriptPath);
  if (rate <= 0) {
    state.SkipWithError("python3-vobject could not serialise the card (is it installed?)");
    return;
  }
  state.counters["cards/s"] = rate;
}
BENCHMARK(BM_VobjectSerialiseFullContact)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
