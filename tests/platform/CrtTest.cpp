#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "FileTestFixture.h"
#include "win32/crt.h"

namespace {

class CrtStreamTest : public FileTestFixture {
 protected:
  FILE* Open(const std::string& name, const char* mode) {
    FILE* f = nullptr;
    EXPECT_EQ(fopen_s(&f, Win(name).c_str(), mode), 0) << name << " " << mode;
    return f;
  }
  std::string ReadAll(FILE* f) {
    std::string text;
    char block[1000];
    for (std::size_t n; (n = std::fread(block, 1, sizeof block, f)) > 0;) text.append(block, n);
    return text;
  }
};

class TextModeTest : public CrtStreamTest {};

TEST_F(TextModeTest, WritesLineEndsAsCrLf) {
  FILE* f = Open("a.txt", "wt");
  ASSERT_NE(f, nullptr);
  std::fprintf(f, "one\ntwo %d\n", 2);
  std::fputs("three\r\n", f);
  std::fclose(f);
  EXPECT_EQ(dir.read("a.txt"), "one\r\ntwo 2\r\nthree\r\r\n");
}

TEST_F(TextModeTest, TextIsTheDefaultMode) {
  FILE* f = Open("a.txt", "w");
  std::fputs("x\n", f);
  std::fclose(f);
  EXPECT_EQ(dir.read("a.txt"), "x\r\n");
}

TEST_F(TextModeTest, ReadsCrLfAsLfAndKeepsLoneCr) {
  dir.write("a.txt", "one\r\ntwo\rthree\n\r\nend\r");
  FILE* f = Open("a.txt", "rt");
  ASSERT_NE(f, nullptr);
  char line[64];
  ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);
  EXPECT_STREQ(line, "one\n");
  EXPECT_EQ(ReadAll(f), "two\rthree\n\nend\r");
  std::fclose(f);
}

TEST_F(TextModeTest, CrLfSplitAcrossReadsIsStillOneLineEnd) {
  // Line ends placed on every offset around the stream's read size of 4096 bytes.
  std::string raw;
  std::string expected;
  for (int i = 0; raw.size() < 3 * 4096; ++i) {
    const std::string text(static_cast<std::size_t>(i % 7), 'x');
    raw += text + "\r\n";
    expected += text + "\n";
  }
  dir.write("a.txt", raw);
  FILE* f = Open("a.txt", "r");
  EXPECT_EQ(ReadAll(f), expected);
  std::fclose(f);

  f = Open("a.txt", "r");
  std::string byLines;
  char line[16];
  while (std::fgets(line, sizeof line, f) != nullptr) byLines += line;
  EXPECT_EQ(byLines, expected);
  std::fclose(f);
}

TEST_F(TextModeTest, AppendAddsCrLfLinesAtTheEnd) {
  dir.write("log.txt", "first\r\n");
  FILE* f = Open("log.txt", "at");
  std::fprintf(f, "second\n");
  std::fflush(f);
  EXPECT_EQ(std::ftell(f), 15);
  std::fclose(f);
  EXPECT_EQ(dir.read("log.txt"), "first\r\nsecond\r\n");
}

TEST_F(TextModeTest, PositionsAreFileOffsets) {
  dir.write("a.txt", "ab\r\ncd\r\nef");
  FILE* f = Open("a.txt", "r");
  char line[16];
  std::fgets(line, sizeof line, f);
  const long second = std::ftell(f);
  EXPECT_EQ(second, 4);
  std::fgets(line, sizeof line, f);
  EXPECT_STREQ(line, "cd\n");
  ASSERT_EQ(std::fseek(f, second, SEEK_SET), 0);
  std::fgets(line, sizeof line, f);
  EXPECT_STREQ(line, "cd\n");
  std::fseek(f, 0, SEEK_END);
  EXPECT_EQ(std::ftell(f), 10);
  std::fclose(f);
}

TEST_F(TextModeTest, ReopenForReadingThenAppending) {
  FILE* f = Open("base.txt", "at");
  std::fputs("A=1\n", f);
  ASSERT_EQ(freopen_s(&f, Win("base.txt").c_str(), "rt", f), 0);
  char line[16];
  ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);
  EXPECT_STREQ(line, "A=1\n");
  ASSERT_EQ(freopen_s(&f, Win("base.txt").c_str(), "at", f), 0);
  std::fputs("B=2\n", f);
  std::fclose(f);
  EXPECT_EQ(dir.read("base.txt"), "A=1\r\nB=2\r\n");
}

class BinaryModeTest : public CrtStreamTest {};

TEST_F(BinaryModeTest, BytesPassUnchanged) {
  FILE* f = Open("a.bin", "wb");
  std::fputs("a\nb\r\n", f);
  std::fclose(f);
  EXPECT_EQ(dir.read("a.bin"), "a\nb\r\n");
  f = Open("a.bin", "rb");
  EXPECT_EQ(ReadAll(f), "a\nb\r\n");
  std::fseek(f, 0, SEEK_END);
  EXPECT_EQ(std::ftell(f), 5);
  std::fclose(f);
}

TEST_F(BinaryModeTest, PlusModesReadAndWrite) {
  dir.write("a.bin", "abcdef");
  FILE* f = Open("a.bin", "r+b");
  std::fseek(f, 2, SEEK_SET);
  std::fputc('X', f);
  std::fseek(f, 0, SEEK_SET);
  EXPECT_EQ(ReadAll(f), "abXdef");
  std::fclose(f);
}

class OpenFailureTest : public CrtStreamTest {};

TEST_F(OpenFailureTest, MissingFilesAndBadModesGiveErrnoAndNoStream) {
  FILE* f = reinterpret_cast<FILE*>(1);
  EXPECT_EQ(fopen_s(&f, Win("none.txt").c_str(), "r"), ENOENT);
  EXPECT_EQ(f, nullptr);
  EXPECT_EQ(fopen_s(&f, Win("none\\x.txt").c_str(), "w"), ENOENT);
  EXPECT_EQ(fopen_s(&f, Win("x.txt").c_str(), "q"), EINVAL);
  EXPECT_EQ(fopen_s(&f, Win("x.txt").c_str(), "rtb"), EINVAL);
  EXPECT_EQ(fopen_s(&f, "\\\\server\\share\\x.txt", "r"), ENOENT);
  EXPECT_EQ(fopen_s(nullptr, Win("x.txt").c_str(), "r"), EINVAL);
  EXPECT_FALSE(dir.exists("x.txt"));
}

class AccessTest : public FileTestFixture {};

TEST_F(AccessTest, ExistenceIgnoresCase) {
  dir.write("File.txt", "");
  MakeFolder("Sub");
  EXPECT_EQ(_access(Win("FILE.TXT").c_str(), 0), 0);
  EXPECT_EQ(_access(Win("sub").c_str(), 0), 0);
  EXPECT_EQ(_access(Win("File.txt").c_str(), 6), 0);
  EXPECT_EQ(_access(Win("none").c_str(), 0), -1);
  EXPECT_EQ(errno, ENOENT);
  EXPECT_EQ(_access(Win("File.txt").c_str(), 1), -1);
  EXPECT_EQ(errno, EINVAL);
}

class CrtStringTest : public ::testing::Test {};

TEST_F(CrtStringTest, CompareIgnoringCase) {
  EXPECT_EQ(_stricmp("Defaults", "DEFAULTS"), 0);
  EXPECT_LT(_stricmp("abc", "ABD"), 0);
  EXPECT_GT(_stricmp("abc", "AB"), 0);
  EXPECT_GT(_stricmp("A", "_"), 0);  // letters fold to lower case, after '_'
  EXPECT_EQ(_strnicmp("SyncAll", "SYNCxxx", 4), 0);
  EXPECT_NE(_strnicmp("SyncAll", "SYNCxxx", 5), 0);
  EXPECT_EQ(_strnicmp("ab", "AB", 10), 0);
}

TEST_F(CrtStringTest, SnprintfCutsWithoutTerminating) {
  char buffer[8];
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(_snprintf(buffer, 6, "%s", "abc"), 3);
  EXPECT_STREQ(buffer, "abc");

  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(_snprintf(buffer, 4, "%d", 12345), -1);
  EXPECT_EQ(std::string(buffer, 5), "1234#");

  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(_snprintf(buffer, 4, "%s", "abcd"), 4);
  EXPECT_EQ(std::string(buffer, 5), "abcd#");

  EXPECT_EQ(_snprintf(nullptr, 0, "%s-%d", "ab", 7), 4);
}

}  // namespace
