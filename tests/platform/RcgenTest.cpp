// The resource generator run as the build runs it, on small scripts.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "support/TempDir.h"

namespace {

class RcgenTest : public ::testing::Test {
 protected:
  // Runs rcgen on script.rc; false when it failed, with its message in error.
  bool Generate(const std::string& script) {
    dir.write("script.rc", script);
    std::string command = std::string("'") + KELVRA_RUNTIME_DIR + "/../tools/rcgen/rcgen' '" +
                          dir.linuxPath("script.rc") + "' Probe.dll '" + dir.linuxPath("out.cpp") +
                          "' 2> '" + dir.linuxPath("stderr.txt") + "'";
    int status = std::system(command.c_str());
    error = dir.read("stderr.txt");
    output = dir.exists("out.cpp") ? dir.read("out.cpp") : "";
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  bool Has(const std::string& text) const { return output.find(text) != std::string::npos; }
  // The message rcgen gives for a fault on that line of script.rc.
  std::string At(int line) const {
    return dir.linuxPath("script.rc") + ":" + std::to_string(line) + ": error: ";
  }

  kelvra::test::TempDir dir;
  std::string output;
  std::string error;
};

// --- String tables ------------------------------------------------------------------------

using RcgenStringTableTest = RcgenTest;

TEST_F(RcgenStringTableTest, EscapesAndDoubledQuotesBecomeTheirBytes) {
  ASSERT_TRUE(
      Generate("STRINGTABLE\nBEGIN\n"
               "  1 \"a\\tb\"\"c\\\\d\\x41\\101\\n\"\n"
               "  2 \"res\\icon.ico \\0end\"\n"
               "END\n"))
      << error;
  EXPECT_TRUE(Has("{1, \"a\\011b\\\"c\\\\dAA\\012\"sv}")) << output;
  EXPECT_TRUE(Has("{2, \"res\\\\icon.ico \\000end\"sv}")) << output;
  EXPECT_TRUE(Has(".name = \"Probe.dll\"")) << output;
}

TEST_F(RcgenStringTableTest, IdsMayBeNumbersSymbolsOrExpressions) {
  dir.write("symbols.h", "#define IDS_BASE 600\n#define IDS_COMPANY (IDS_BASE + 2)\n");
  ASSERT_TRUE(
      Generate("#include \"symbols.h\"\n"
               "STRINGTABLE DISCARDABLE\nBEGIN\n"
               "  IDS_COMPANY, \"Ostrane\"\n"
               "  IDS_COMPANY+1 \"Kelvra\"\n"
               "  0x25C L\"wide\"\n"
               "END\n"))
      << error;
  EXPECT_TRUE(Has("{602, \"Ostrane\"sv}")) << output;
  EXPECT_TRUE(Has("{603, \"Kelvra\"sv}")) << output;
  EXPECT_TRUE(Has("{604, \"wide\"sv}")) << output;
}

// --- Statements that are passed over ---------------------------------------------------

using RcgenSkippingTest = RcgenTest;

TEST_F(RcgenSkippingTest, DialogsIconsBitmapsAndCommentsLeaveOnlyTheStrings) {
  ASSERT_TRUE(
      Generate("#include <windows.h>\n"
               "#include \"winres.h\"\n"
               "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\n"
               "#pragma code_page(1252)\n"
               "#ifdef APSTUDIO_INVOKED\n"
               "1 TEXTINCLUDE\nBEGIN\n  \"resource.h\\0\"\nEND\n"
               "#endif\n"
               "/* STRINGTABLE BEGIN 9 \"in a comment\" END\n"
               "   still the comment */\n"
               "132 DIALOGEX 0, 0, 186, 95\n"
               "STYLE DS_SETFONT | DS_MODALFRAME | WS_POPUP\n"
               "CAPTION \"Progress \"\"x\"\" END\"\n"
               "FONT 8, \"MS Shell Dlg\", 400, 0, 0x1\n"
               "BEGIN\n"
               "    DEFPUSHBUTTON   \"OK\",IDOK,129,7,50,14\n"
               "    CONTROL \"\",1001,\"msctls_progress32\",WS_BORDER,7,7,100,14\n"
               "END\n"
               "280 ICON \"res\\\\kelvra.ico\"\n"
               "257 BITMAP res\\banner.bmp\n"
               "1 24 \"Kelvra.manifest\"\n"
               "STRINGTABLE // the only one\n"
               "BEGIN\n"
               "  10 \"kept\"\n"
               "END\n"))
      << error;
  EXPECT_TRUE(Has("{10, \"kept\"sv}")) << output;
  EXPECT_FALSE(Has("{9,")) << output;
  EXPECT_FALSE(Has("kVersion")) << output;
}

TEST_F(RcgenSkippingTest, ConditionalSectionsFollowTheDefinedNames) {
  ASSERT_TRUE(
      Generate("#define FEATURE 2\n"
               "STRINGTABLE\nBEGIN\n"
               "#if defined(FEATURE) && FEATURE > 1\n"
               "  1 \"if\"\n"
               "#elif 1\n"
               "  1 \"elif\"\n"
               "#else\n"
               "  1 \"else\"\n"
               "#endif\n"
               "#ifndef FEATURE\n"
               "  2 \"undefined\"\n"
               "#endif\n"
               "END\n"))
      << error;
  EXPECT_TRUE(Has("{1, \"if\"sv}")) << output;
  EXPECT_FALSE(Has("{2,")) << output;
}

TEST_F(RcgenSkippingTest, AUtf8ByteOrderMarkIsPassedOverAndUtf16IsRefused) {
  ASSERT_TRUE(Generate("\xEF\xBB\xBFSTRINGTABLE\nBEGIN\n  1 \"caf\xC3\xA9\"\nEND\n")) << error;
  EXPECT_TRUE(Has("{1, \"caf\\303\\251\"sv}")) << output;
  EXPECT_FALSE(Generate(std::string("\xFF\xFES\0T\0", 6)));
  EXPECT_EQ(error.rfind(At(1) + "UTF-16 files are not read", 0), 0u) << error;
}

// --- Version resources -------------------------------------------------------------------------

using RcgenVersionTest = RcgenTest;

TEST_F(RcgenVersionTest, TheFixedPartAndTheStringValuesAreKept) {
  ASSERT_TRUE(
      Generate("VS_VERSION_INFO VERSIONINFO\n"
               " FILEVERSION 2,5,0,17\n"
               " PRODUCTVERSION 2,5\n"
               " FILEFLAGSMASK VS_FFI_FILEFLAGSMASK\n"
               " FILEOS VOS_NT_WINDOWS32\n"
               " FILETYPE VFT_DLL\n"
               "BEGIN\n"
               "  BLOCK \"StringFileInfo\"\n  BEGIN\n"
               "    BLOCK \"040904b0\"\n    BEGIN\n"
               "      VALUE \"CompanyName\", \"Ostrane\"\n"
               "      VALUE \"FileVersion\", \"2.5.0.17\\0\"\n"
               "    END\n  END\n"
               "  BLOCK \"VarFileInfo\"\n  BEGIN\n"
               "    VALUE \"Translation\", 0x409, 1200\n"
               "  END\n"
               "END\n"))
      << error;
  EXPECT_TRUE(Has(".fileVersion = {2, 5, 0, 17}")) << output;
  EXPECT_TRUE(Has(".productVersion = {2, 5, 0, 0}")) << output;
  EXPECT_TRUE(Has(".fileFlagsMask = 0x3F")) << output;
  EXPECT_TRUE(Has(".fileOS = 0x40004")) << output;
  EXPECT_TRUE(Has("{\"040904b0\"sv, \"CompanyName\"sv, \"Ostrane\"sv}")) << output;
  EXPECT_TRUE(Has("{\"040904b0\"sv, \"FileVersion\"sv, \"2.5.0.17\"sv}")) << output;
  EXPECT_FALSE(Has("Translation")) << output;
}

// --- Faults in the script -----------------------------------------------------------------------

using RcgenErrorTest = RcgenTest;

TEST_F(RcgenErrorTest, AnUnterminatedStringNamesItsLineAndWritesNothing) {
  EXPECT_FALSE(Generate("STRINGTABLE\nBEGIN\n  1 \"ok\"\n  2 \"broken\nEND\n"));
  EXPECT_EQ(error, At(4) + "unterminated string\n");
  EXPECT_FALSE(dir.exists("out.cpp"));
}

TEST_F(RcgenErrorTest, AnUnknownSymbolOrADuplicateIdIsReportedWhereItStands) {
  EXPECT_FALSE(Generate("STRINGTABLE\nBEGIN\n  IDS_NOWHERE \"x\"\nEND\n"));
  EXPECT_EQ(error, At(3) + "unknown symbol 'IDS_NOWHERE'\n");
  EXPECT_FALSE(Generate("STRINGTABLE\nBEGIN\n  5 \"x\"\n\n  5 \"y\"\nEND\n"));
  EXPECT_EQ(error, At(5) + "string id 5 is defined twice (first at " + dir.linuxPath("script.rc") +
                       ":3)\n");
}

TEST_F(RcgenErrorTest, MissingEndsAndBrokenStatementsAreFaults) {
  EXPECT_FALSE(Generate("STRINGTABLE\nBEGIN\n  1 \"x\"\n"));
  EXPECT_EQ(error, At(1) + "STRINGTABLE without END\n");
  EXPECT_FALSE(Generate("STRINGTABLE\nBEGIN\n  1 2\nEND\n"));
  EXPECT_EQ(error.rfind(At(3) + "expected the text of string 1", 0), 0u) << error;
  EXPECT_FALSE(Generate("100 DIALOGEX 0, 0, 10, 10\nBEGIN\n  PUSHBUTTON \"OK\",1,0,0,1,1\n"));
  EXPECT_EQ(error, At(2) + "BEGIN without END\n");
  EXPECT_FALSE(Generate("1 VERSIONINFO\n FILEVERSION 1,0,0,70000\nBEGIN\nEND\n"));
  EXPECT_EQ(error, At(2) + "version part 70000 exceeds 65535\n");
}

TEST_F(RcgenErrorTest, PreprocessorFaultsNameTheirLine) {
  EXPECT_FALSE(Generate("#include \"absent.h\"\n"));
  EXPECT_EQ(error, At(1) + "cannot open include file 'absent.h'\n");
  EXPECT_FALSE(Generate("\n#ifdef X\n"));
  EXPECT_EQ(error, At(2) + "#if without #endif\n");
  EXPECT_FALSE(Generate("#endif\n"));
  EXPECT_EQ(error, At(1) + "#endif without #if\n");
}

}  // namespace
