// The host's usage texts against the command table they are made from: every action
// and option the parsers accept is in --help, in its action's --help and in the
// README's kelvra-host section.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "CommandTable.h"
#include "HostProcess.h"
#include "support/TempDir.h"

namespace kelvra::test {
namespace {

// The README from its "## kelvra-host" heading to the next heading of that level.
std::string ReadmeHostSection() {
  std::ifstream in(KELVRA_SOURCE_DIR "/README.md", std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const std::size_t start = text.find("\n## kelvra-host\n");
  if (start == std::string::npos) return "";
  return text.substr(start, text.find("\n## ", start + 1) - start);
}

// The option as a user types it, with its placeholders ("--between YYYY-MM-DD ...").
std::string Typed(const host::OptionSpec& option) {
  return *option.value != '\0' ? std::string(option.name) + " " + option.value : option.name;
}

// Placeholder words as values: enough for the parser, whatever the action then says.
std::vector<std::string> WithValues(const host::OptionSpec& option) {
  std::vector<std::string> words{option.name};
  for (std::size_t n = host::ValueCount(option); n > 0; --n) words.push_back("x");
  return words;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class HostUsageTest : public ::testing::Test {
 protected:
  HostRun Run(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--root", dir_.linuxPath("root")});
    return RunKelvraHost(arguments, dir_.linux());
  }

  TempDir dir_;
};

TEST_F(HostUsageTest, EveryGlobalOptionIsAcceptedAndDescribed) {
  const std::string help = Run({"--help"}).out;
  const std::string readme = ReadmeHostSection();
  ASSERT_FALSE(readme.empty()) << "README.md has no kelvra-host section";
  for (const host::OptionSpec& option : host::GlobalOptions()) {
    SCOPED_TRACE(option.name);
    EXPECT_TRUE(Contains(help, Typed(option))) << help;
    EXPECT_TRUE(Contains(readme, Typed(option)));
    if (*option.alias != '\0') {
      EXPECT_TRUE(Contains(help, std::string(option.alias) + ", "));
    }
    const HostRun run = Run(WithValues(option));
    EXPECT_FALSE(Contains(run.err, "unknown option")) << run.err;
  }
}

TEST_F(HostUsageTest, EveryActionAndItsOptionsAreAcceptedAndDescribed) {
  const std::string help = Run({"--help"}).out;
  const std::string readme = ReadmeHostSection();
  for (const host::ActionSpec& action : host::Actions()) {
    SCOPED_TRACE(action.name);
    EXPECT_TRUE(Contains(help, std::string("\n  ") + action.name)) << help;
    EXPECT_TRUE(Contains(readme, std::string("\n  ") + action.name));
    const HostRun own = Run({action.name, "--help"});
    EXPECT_EQ(own.status, 0) << own.err;
    EXPECT_EQ(own.out.rfind(std::string("usage: kelvra-host [options] ") + action.name, 0), 0u)
        << own.out;
    for (const host::OptionSpec& option : action.options) {
      SCOPED_TRACE(option.name);
      EXPECT_TRUE(Contains(own.out, "    " + Typed(option))) << own.out;
      EXPECT_TRUE(Contains(help, "    " + Typed(option)));
      EXPECT_TRUE(Contains(readme, Typed(option)));
      std::vector<std::string> arguments{action.name};
      const std::vector<std::string> typed = WithValues(option);
      arguments.insert(arguments.end(), typed.begin(), typed.end());
      const HostRun run = Run(arguments);
      EXPECT_FALSE(Contains(run.err, "unknown option")) << run.err;
      EXPECT_FALSE(Contains(run.err, "needs a value")) << run.err;
    }
  }
}

TEST_F(HostUsageTest, OptionsTheTableDoesNotGiveAreRefused) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--zone", "UTC", "register"},
        {"export-contacts", "--to", "x", "--zone", "UTC"},
        {"import-contacts", "--from", "x", "--skip-private"},
        {"export-calendar", "--to", "x", "--conflict", "1"}}) {
    const HostRun run = Run(arguments);
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_TRUE(Contains(run.err, "unknown option")) << run.err;
  }
}

TEST_F(HostUsageTest, AnActionsOptionsNeedTheirValuesAndTheOnesItCannotDoWithout) {
  HostRun run = Run({"export-calendar", "--to", dir_.linux(), "--between", "2024-01-01"});
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(Contains(run.err, "--between needs a value")) << run.err;
  run = Run({"import-calendar", "--skip-all-day"});
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(Contains(run.err, "import-calendar needs --from PATH")) << run.err;
}

}  // namespace
}  // namespace kelvra::test
