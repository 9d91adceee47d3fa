// The shipped language files against the code that reads them: every dialog shows all
// of its texts in every language, every text key the code asks for is there, and every
// language has each text of the English file with the same placeholders.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "ConnectTestSupport.h"
#include "addin/Application.h"
#include "addin/CDlgDebug.h"
#include "addin/CDlgLabels.h"
#include "addin/CLang.h"
#include "addin/DebugDialogList.h"
#include "contacts/DovantCharConverter.h"
#include "resource.h"
#include "testkit/Clock.h"
#include "testkit/Dialogs.h"
#include "testkit/Operator.h"
#include "testkit/Watchdog.h"
#include "testkit/Windows.h"

namespace kelvra::test {
namespace {

const std::string kResourceDir = KELVRA_SOURCE_DIR "/resources";
constexpr const char* kBaseSection = "Kelvra.dll";

// The names of the language files the build ships beside the add-in.
std::vector<std::string> ShippedLanguageFiles() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(kResourceDir))
    if (entry.path().extension() == ".ini") names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string Trim(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// One "key=value" line of a language file, as written.
struct IniEntry {
  std::string section;
  std::string key;
  std::string value;
};

std::vector<IniEntry> ReadIniEntries(const std::string& linuxPath) {
  std::ifstream in(linuxPath, std::ios::binary);
  std::vector<IniEntry> entries;
  std::string section;
  for (std::string line; std::getline(in, line);) {
    line = Trim(line);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      section = line.substr(1, line.find(']') - 1);
      continue;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    entries.push_back({section, Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))});
  }
  return entries;
}

// The placeholders and line breaks of a value as written, in a fixed order.
std::vector<std::string> PlaceholdersOf(const std::string& value) {
  static const std::regex kPlaceholder(R"(%[0-9]|%s|%d|\\n)");
  std::vector<std::string> found;
  for (auto it = std::sregex_iterator(value.begin(), value.end(), kPlaceholder);
       it != std::sregex_iterator(); ++it)
    found.push_back(it->str());
  std::sort(found.begin(), found.end());
  return found;
}

// --- The text keys the code asks for ---------------------------------------------------------

// The "IDS_..." string literals of the add-in's sources; a literal that code extends at
// run time ("IDS_EVENT_LABEL" + n) is a prefix.
struct AskedKeys {
  std::set<std::string> keys;
  std::set<std::string> prefixes;
};

bool IsTextKey(const std::string& literal) {
  static const std::regex kKey("IDS_[A-Za-z0-9_]+");
  return std::regex_match(literal, kKey);
}

// The end of the literal or character constant that starts at begin (its quote).
std::size_t EndOfQuoted(const std::string& code, std::size_t begin) {
  const char quote = code[begin];
  std::size_t i = begin + 1;
  while (i < code.size() && code[i] != quote) i += code[i] == '\\' ? 2 : 1;
  return std::min(i, code.size());
}

void ScanSource(const std::string& code, AskedKeys& asked) {
  for (std::size_t i = 0; i < code.size(); ++i) {
    if (code.compare(i, 2, "//") == 0) {
      i = code.find('\n', i);
      if (i == std::string::npos) return;
    } else if (code.compare(i, 2, "/*") == 0) {
      i = code.find("*/", i + 2);
      if (i == std::string::npos) return;
      ++i;
    } else if (code[i] == '"' || code[i] == '\'') {
      const std::size_t end = EndOfQuoted(code, i);
      const std::string literal = code.substr(i + 1, end - i - 1);
      const std::size_t next = code.find_first_not_of(" \t\r\n", end + 1);
      const bool extended = next != std::string::npos && code[next] == '+';
      if (code[i] == '"' && IsTextKey(literal))
        (extended ? asked.prefixes : asked.keys).insert(literal);
      i = end;
    }
  }
}

AskedKeys KeysAskedByTheSources() {
  AskedKeys asked;
  for (const char* folder : {"addin", "contacts", "calendar"}) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(
             std::string(KELVRA_SOURCE_DIR) + "/" + folder)) {
      const std::string extension = entry.path().extension().string();
      if (extension != ".cpp" && extension != ".h") continue;
      std::ifstream in(entry.path(), std::ios::binary);
      std::stringstream code;
      code << in.rdbuf();
      ScanSource(code.str(), asked);
    }
  }
  return asked;
}

// How far each key built at run time goes: the numbers the code appends.
int NumberedKeyCount(const std::string& prefix) {
  if (prefix == "IDS_EVENT_LABEL") return CDlgLabels::kLabelCount;
  return 0;
}

TEST(LanguageKeyScanTest, FindsKeysAndTheKeysBuiltAtRunTime) {
  AskedKeys asked;
  ScanSource(
      "a(\"IDS_ONE\"); // \"IDS_COMMENTED\"\n/* \"IDS_BLOCK\" */ b('\"', \"IDS_TWO\");\n"
      "c(\"IDS_NUMBERED\" + std::to_string(n)); d(\"IDS_SPLIT\"\n  + x); e(\"IDS x\");",
      asked);
  EXPECT_EQ(asked.keys, (std::set<std::string>{"IDS_ONE", "IDS_TWO"}));
  EXPECT_EQ(asked.prefixes, (std::set<std::string>{"IDS_NUMBERED", "IDS_SPLIT"}));
}

TEST(ShippedLanguageFileTest, EveryTextKeyTheCodeAsksForHasATextInEveryLanguage) {
  const AskedKeys asked = KeysAskedByTheSources();
  ASSERT_GT(asked.keys.size(), 50u);
  std::vector<std::string> keys(asked.keys.begin(), asked.keys.end());
  for (const std::string& prefix : asked.prefixes) {
    const int count = NumberedKeyCount(prefix);
    EXPECT_GT(count, 0) << "the code builds keys from \"" << prefix
                        << "\": tell this test which numbers it appends";
    for (int n = 1; n <= count; ++n) keys.push_back(prefix + std::to_string(n));
  }
  for (const std::string& name : ShippedLanguageFiles()) {
    CLang lang;
    ASSERT_TRUE(lang.LoadFile(WindowsPath(kResourceDir + "/" + name).c_str(), kBaseSection))
        << name;
    for (const std::string& key : keys)
      EXPECT_FALSE(Trim(lang.GetText(key.c_str())).empty()) << name << ": " << key;
  }
}

TEST(ShippedLanguageFileTest, EveryLanguageHasEachEnglishTextWithItsPlaceholders) {
  const std::vector<IniEntry> english = ReadIniEntries(kResourceDir + "/EN.ini");
  ASSERT_FALSE(english.empty());
  for (const std::string& name : ShippedLanguageFiles()) {
    if (name == "EN.ini") continue;
    std::map<std::pair<std::string, std::string>, std::string> texts;
    for (const IniEntry& entry : ReadIniEntries(kResourceDir + "/" + name))
      texts[{entry.section, entry.key}] = entry.value;
    for (const IniEntry& entry : english) {
      if (entry.section == "version") continue;
      const auto found = texts.find({entry.section, entry.key});
      if (found == texts.end()) {
        ADD_FAILURE() << name << " lacks [" << entry.section << "] " << entry.key;
        continue;
      }
      EXPECT_EQ(found->second.empty(), entry.value.empty())
          << name << ": [" << entry.section << "] " << entry.key;
      EXPECT_EQ(PlaceholdersOf(found->second), PlaceholdersOf(entry.value))
          << name << ": [" << entry.section << "] " << entry.key << "=" << found->second;
    }
  }
}

// --- The dialogs in every language -----------------------------------------------------------

// The dialog symbols of resource.h.
std::vector<std::string> DialogsOfTheResources() {
  std::ifstream header(kResourceDir + "/resource.h");
  static const std::regex kDialog(R"(#define\s+(IDD_[A-Z0-9_]+)\s+\d+)");
  std::vector<std::string> symbols;
  std::smatch match;
  for (std::string line; std::getline(header, line);)
    if (std::regex_search(line, match, kDialog)) symbols.push_back(match[1]);
  return symbols;
}

bool IsTextButton(HWND control) {
  if (testkit::WindowClass(control) != "Button") return false;
  const LONG_PTR style = testkit::WindowStyle(control);
  return (style & (BS_BITMAP | BS_ICON)) == 0;
}

class LanguageFileDialogsTest : public ConnectTest {
 protected:
  void SetUp() override {
    ConnectTest::SetUp();
    // The pages' encoding lists come from the file beside the add-in.
    std::filesystem::copy_file(std::string(KELVRA_RUNTIME_DIR) + "/supportedEncodings.txt",
                               m_folder.linuxPath("supportedEncodings.txt"));
    for (const std::string& name : ShippedLanguageFiles()) CopyLanguageFile(name);
    ASSERT_TRUE(g_Lang.LoadFile(m_folder.windowsPath("EN.ini").c_str(), kBaseSection));
    m_converter = std::make_unique<DovantCharConverter>();
    g_CharConverter = m_converter.get();
    g_Application = m_app;
    // Sleep moves the frozen clock at once: a sample progress run takes no real time.
    testkit::SetTickCount(0);
    testkit::ClearMessageBoxes();
  }
  void TearDown() override {
    g_Application = nullptr;
    g_CharConverter = nullptr;
    m_converter.reset();
    testkit::UseRealClock();
    ConnectTest::TearDown();
  }

  // Notes the dialog with the language in force and its buttons without a text, then
  // closes it.
  void Review(HWND dlg, const char* symbol) {
    const std::string shown = std::string(g_Lang.GetLangId()) + " " + symbol;
    std::lock_guard lock(m_mutex);
    m_shown.push_back(shown);
    for (HWND control : testkit::ChildWindows(dlg))
      if (IsTextButton(control) && testkit::WindowVisible(control) &&
          Trim(testkit::WindowText(control)).empty())
        m_blankButtons.push_back(shown + " control " + std::to_string(GetDlgCtrlID(control)));
    testkit::PressEscape(dlg);
  }

  std::unique_ptr<DovantCharConverter> m_converter;
  std::mutex m_mutex;
  std::vector<std::string> m_shown;
  std::vector<std::string> m_blankButtons;
  testkit::Watchdog m_watchdog{"language files", std::chrono::seconds(60)};
};

TEST_F(LanguageFileDialogsTest, EveryDialogOfTheResourcesCanBeReviewed) {
  for (const std::string& symbol : DialogsOfTheResources()) {
    // The debug dialog itself is a developer's tool in English only.
    if (symbol == "IDD_DEBUG") continue;
    const auto& list = DebugDialogList();
    const auto found = std::find_if(list.begin(), list.end(),
                                    [&](const DebugDialogEntry& e) { return e.symbol == symbol; });
    ASSERT_NE(found, list.end()) << symbol;
    EXPECT_NE(found->show, nullptr) << symbol;
  }
}

// The slide show of the debug dialog opens every dialog in every language beside the
// add-in: each sets every text its localisation table asks for, and no button is blank.
TEST_F(LanguageFileDialogsTest, EveryDialogShowsAllItsTextsInEveryLanguage) {
  const std::vector<std::string> languages = ShippedLanguageFiles();
  std::vector<std::string> expected;
  for (const CLang::FileInfo& file : CLang::ListFiles(m_folder.windows().c_str(), "*.ini")) {
    for (const DebugDialogEntry& entry : DebugDialogList()) {
      expected.push_back(file.langId + " " + entry.symbol);
      testkit::OnDialog(entry.id, [this, symbol = entry.symbol](HWND d) { Review(d, symbol); });
    }
  }
  ASSERT_EQ(expected.size(), languages.size() * DebugDialogList().size());
  const LogWatch log;
  testkit::OnDialog(IDD_DEBUG, [](HWND d) {
    EXPECT_TRUE(testkit::Click(d, IDC_BTN_DEBUG_SLIDE_SHOW));
    EXPECT_TRUE(testkit::Click(d, IDCANCEL));
  });
  CDlgDebug debug;
  debug.DoModal(nullptr);

  std::sort(expected.begin(), expected.end());
  std::sort(m_shown.begin(), m_shown.end());
  EXPECT_EQ(m_shown, expected);
  EXPECT_EQ(m_blankButtons, std::vector<std::string>{});
  std::istringstream lines(log.Err());
  for (std::string line; std::getline(lines, line);)
    EXPECT_EQ(line.find(" in CLang"), std::string::npos) << line;
  EXPECT_TRUE(testkit::MessageBoxes().empty());
}

}  // namespace
}  // namespace kelvra::test
