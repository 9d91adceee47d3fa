// Registry scripts named by a resource script (REGISTRY statements): rcgen reads their
// file beside the script and makes them known to the ATL module by id.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "support/TempDir.h"

namespace {

class RegistrationResourceTest : public ::testing::Test {
 protected:
  bool Generate(const std::string& script) {
    dir.write("script.rc", script);
    const std::string command = std::string("'") + KELVRA_RUNTIME_DIR + "/../tools/rcgen/rcgen' '" +
                                dir.linuxPath("script.rc") + "' Probe.dll '" +
                                dir.linuxPath("out.cpp") + "' 2> '" + dir.linuxPath("stderr.txt") +
                                "'";
    const int status = std::system(command.c_str());
    error = dir.read("stderr.txt");
    output = dir.exists("out.cpp") ? dir.read("out.cpp") : "";
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  bool Has(const std::string& text) const { return output.find(text) != std::string::npos; }

  kelvra::test::TempDir dir;
  std::string output;
  std::string error;
};

TEST_F(RegistrationResourceTest, TheScriptFileBecomesARegistryScriptResourceByItsId) {
  dir.write("Probe.rgs", "HKCR\n{\n\tProbe.Class = s 'It''s \"mine\"'\n}\n");
  ASSERT_TRUE(Generate("#define IDR_PROBE 900\nIDR_PROBE REGISTRY \"Probe.rgs\"\n")) << error;
  EXPECT_TRUE(Has("#include \"atl/AtlModule.h\""));
  EXPECT_TRUE(
      Has("kelvra::atl::RegistryScriptResource kRegistryScript900(900, "
          "\"HKCR\\012{\\012\\011Probe.Class = s 'It''s \\\"mine\\\"'\\012}\\012\"sv);"))
      << output;
}

TEST_F(RegistrationResourceTest, AScriptWithoutRegistryStatementsNeedsNoAtlModule) {
  ASSERT_TRUE(Generate("STRINGTABLE\nBEGIN\n  602 \"Ostrane\"\nEND\n")) << error;
  EXPECT_FALSE(Has("atl/AtlModule.h"));
  EXPECT_FALSE(Has("RegistryScriptResource"));
}

TEST_F(RegistrationResourceTest, AMissingScriptFileFailsAtItsStatementAndWritesNothing) {
  EXPECT_FALSE(Generate("\n901 REGISTRY \"res\\\\Gone.rgs\"\n"));
  EXPECT_NE(error.find(dir.linuxPath("script.rc") + ":2: error: cannot read registry script"),
            std::string::npos)
      << error;
  EXPECT_EQ(output, "");
}

}  // namespace
