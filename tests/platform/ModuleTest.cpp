#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/TempDir.h"
#include "testkit/Debug.h"
#include "testkit/Modules.h"
#include "win32/module.h"

namespace {

std::string WindowsView(const std::filesystem::path& linuxPath) {
  std::string path = "Z:" + linuxPath.string();
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

// The folder of this test program, where the linked-in resources were registered from.
std::string ProgramFolder() {
  char path[PATH_MAX] = {};
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  return WindowsView(
      std::filesystem::path(std::string(path, length > 0 ? length : 0)).parent_path());
}

std::string FileNameOf(HMODULE module, DWORD size = MAX_PATH) {
  std::vector<char> name(size + 1, '\x7F');
  DWORD length = GetModuleFileNameA(module, name.data(), size);
  return std::string(name.data(), length < size ? length : size - 1);
}

std::string Format(const VS_FIXEDFILEINFO& info, bool product) {
  DWORD ms = product ? info.dwProductVersionMS : info.dwFileVersionMS;
  DWORD ls = product ? info.dwProductVersionLS : info.dwFileVersionLS;
  char text[32];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF);
  return text;
}

class ModuleTest : public ::testing::Test {
 protected:
  void TearDown() override {
    testkit::SetModuleFolder("Kelvra.dll", "");
    testkit::FailVersionInfo(false);
  }

  HMODULE Addin() const { return GetModuleHandleA("Kelvra.dll"); }
};

// --- Finding modules and their strings ----------------------------------------------------

using ModuleStringsTest = ModuleTest;

TEST_F(ModuleStringsTest, TheGeneratedStringTableAnswersTheCompanyAndProduct) {
  ASSERT_NE(Addin(), nullptr);
  char text[64];
  EXPECT_EQ(LoadStringA(Addin(), 602, text, sizeof text), 7);
  EXPECT_STREQ(text, "Ostrane");
  EXPECT_EQ(LoadStringA(Addin(), 603, text, sizeof text), 6);
  EXPECT_STREQ(text, "Kelvra");
}

TEST_F(ModuleStringsTest, AStringIsCutToTheBufferLessOne) {
  char text[4] = "xxx";
  EXPECT_EQ(LoadStringA(Addin(), 602, text, sizeof text), 3);
  EXPECT_STREQ(text, "Ost");
}

TEST_F(ModuleStringsTest, AMissingStringGivesZeroAndAnEmptyBuffer) {
  char text[8] = "xxx";
  EXPECT_EQ(LoadStringA(Addin(), 9999, text, sizeof text), 0);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
}

TEST_F(ModuleStringsTest, ModulesAreFoundByNameInAnyCaseOrByFullPath) {
  EXPECT_EQ(GetModuleHandleA("KELVRA.DLL"), Addin());
  EXPECT_EQ(GetModuleHandleA(FileNameOf(Addin()).c_str()), Addin());
  SetLastError(0);
  EXPECT_EQ(GetModuleHandleA("Other.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  EXPECT_NE(GetModuleHandleA(nullptr), nullptr);
  EXPECT_NE(GetModuleHandleA(nullptr), Addin());
}

// --- Module file names ----------------------------------------------------------------------

using ModuleFileNameTest = ModuleTest;

TEST_F(ModuleFileNameTest, TheAddinSitsInTheFolderOfTheBinaryThatHoldsItsResources) {
  EXPECT_EQ(FileNameOf(Addin()), ProgramFolder() + "\\Kelvra.dll");
  char self[PATH_MAX] = {};
  ASSERT_GT(readlink("/proc/self/exe", self, sizeof self - 1), 0);
  EXPECT_EQ(FileNameOf(nullptr), WindowsView(self));
}

TEST_F(ModuleFileNameTest, ATestCanMoveTheModuleToAnotherFolderAndBack) {
  testkit::SetModuleFolder("kelvra.dll", "C:\\Program Files\\Kelvra");
  EXPECT_EQ(FileNameOf(Addin()), "C:\\Program Files\\Kelvra\\Kelvra.dll");
  testkit::SetModuleFolder("Kelvra.dll", "C:\\");
  EXPECT_EQ(FileNameOf(Addin()), "C:\\Kelvra.dll");
  testkit::SetModuleFolder("Kelvra.dll", "");
  EXPECT_EQ(FileNameOf(Addin()), ProgramFolder() + "\\Kelvra.dll");
}

TEST_F(ModuleFileNameTest, ALongNameIsCutWithItsNulAndReportsTheFullBuffer) {
  testkit::SetModuleFolder("Kelvra.dll", "C:\\Addin");
  char name[8] = {};
  SetLastError(0);
  EXPECT_EQ(GetModuleFileNameA(Addin(), name, sizeof name), 8u);
  EXPECT_STREQ(name, "C:\\Addi");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  char exact[20] = {};
  EXPECT_EQ(GetModuleFileNameA(Addin(), exact, sizeof exact), 19u);
  EXPECT_STREQ(exact, "C:\\Addin\\Kelvra.dll");
}

// --- Version resources ---------------------------------------------------------------------

class VersionInfoTest : public ModuleTest {
 protected:
  // The version block of the module, read as the log reads it; empty on failure.
  std::vector<BYTE> Block(const std::string& fileName) {
    DWORD handle = 1;
    DWORD size = GetFileVersionInfoSizeA(fileName.c_str(), &handle);
    EXPECT_EQ(handle, 0u);
    if (size == 0) return {};
    std::vector<BYTE> data(size);
    if (!GetFileVersionInfoA(fileName.c_str(), 0, size, data.data())) return {};
    return data;
  }
};

TEST_F(VersionInfoTest, TheFixedPartGivesTheFileAndProductVersions) {
  std::vector<BYTE> data = Block(FileNameOf(Addin()));
  ASSERT_FALSE(data.empty());
  void* block = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(data.data(), "\\", &block, &length));
  ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  const auto& info = *static_cast<const VS_FIXEDFILEINFO*>(block);
  EXPECT_EQ(info.dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(Format(info, false), "1.0.0.1");
  EXPECT_EQ(Format(info, true), "1.0.0.1");
  EXPECT_EQ(info.dwFileType, static_cast<DWORD>(VFT_DLL));
}

TEST_F(VersionInfoTest, TheStringValuesOfTheScriptAreThere) {
  std::vector<BYTE> data = Block(FileNameOf(Addin()));
  ASSERT_FALSE(data.empty());
  void* text = nullptr;
  UINT length = 0;
  ASSERT_TRUE(
      VerQueryValueA(data.data(), "\\StringFileInfo\\040904B0\\ProductName", &text, &length));
  EXPECT_STREQ(static_cast<const char*>(text), "Kelvra");
  EXPECT_EQ(length, 7u);
  ASSERT_TRUE(
      VerQueryValueA(data.data(), "\\StringFileInfo\\040904b0\\FileDescription", &text, &length));
  EXPECT_STREQ(static_cast<const char*>(text), "Kelvra Outlook add-in");
  EXPECT_FALSE(VerQueryValueA(data.data(), "\\StringFileInfo\\040904b0\\Comments", &text, &length));
}

TEST_F(VersionInfoTest, AnInjectedFailureRefusesTheVersionUntilLifted) {
  std::string name = FileNameOf(Addin());
  testkit::FailVersionInfo(true);
  DWORD handle = 0;
  EXPECT_EQ(GetFileVersionInfoSizeA(name.c_str(), &handle), 0u);
  std::vector<BYTE> data(4096);
  EXPECT_FALSE(GetFileVersionInfoA(name.c_str(), 0, 4096, data.data()));
  testkit::FailVersionInfo(false);
  EXPECT_FALSE(Block(name).empty());
}

TEST_F(VersionInfoTest, TheVersionFollowsTheModulesFileName) {
  std::string before = FileNameOf(Addin());
  testkit::SetModuleFolder("Kelvra.dll", "C:\\Moved");
  EXPECT_FALSE(Block("c:/moved//KELVRA.dll").empty());
  DWORD handle = 0;
  EXPECT_EQ(GetFileVersionInfoSizeA(before.c_str(), &handle), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(VersionInfoTest, ABufferTooSmallForTheBlockIsRefused) {
  std::string name = FileNameOf(Addin());
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(name.c_str(), &handle);
  ASSERT_GT(size, 1u);
  std::vector<BYTE> data(size);
  EXPECT_FALSE(GetFileVersionInfoA(name.c_str(), 0, size - 1, data.data()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

// --- Loading libraries ----------------------------------------------------------------------

class LibraryTest : public ModuleTest {
 protected:
  void SetUp() override {
    testkit::ClearDebugOutput();
    unsetenv("KELVRA_PROBE_REFUSE");
  }
  void TearDown() override {
    unsetenv("KELVRA_PROBE_REFUSE");
    ModuleTest::TearDown();
  }

  std::string runtime = WindowsView(std::filesystem::canonical(KELVRA_RUNTIME_DIR));
  std::string probe = runtime + "\\ModuleProbe.dll";
};

TEST_F(LibraryTest, AMissingFileDoesNotLoad) {
  SetLastError(0);
  EXPECT_EQ(LoadLibraryA((runtime + "\\Missing.dll").c_str()), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  EXPECT_EQ(LoadLibraryA("\\\\server\\share\\Missing.dll"), nullptr);
}

TEST_F(LibraryTest, ALoadedLibraryServesItsExportsAndItsOwnResources) {
  HMODULE module = LoadLibraryA(probe.c_str());
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(GetModuleHandleA("moduleprobe.dll"), module);
  EXPECT_EQ(FileNameOf(module), probe);
  char text[32];
  EXPECT_EQ(LoadStringA(module, 7, text, sizeof text), 10);
  EXPECT_STREQ(text, "probe text");
  auto answer = reinterpret_cast<int (*)()>(GetProcAddress(module, "ModuleProbeAnswer"));
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer(), 42);
  SetLastError(0);
  EXPECT_EQ(GetProcAddress(module, "NoSuchExport"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  EXPECT_TRUE(FreeLibrary(module));
}

TEST_F(LibraryTest, DllMainSeesTheFirstLoadAndTheLastFree) {
  HMODULE first = LoadLibraryA(probe.c_str());
  HMODULE second = LoadLibraryA(probe.c_str());
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(second, first);
  EXPECT_EQ(testkit::DebugOutput(), std::vector<std::string>{"ModuleProbe 1 " + probe});
  EXPECT_TRUE(FreeLibrary(second));
  EXPECT_EQ(testkit::DebugOutput().size(), 1u);
  EXPECT_NE(GetModuleHandleA("ModuleProbe.dll"), nullptr);
  EXPECT_TRUE(FreeLibrary(first));
  EXPECT_EQ(testkit::DebugOutput(),
            (std::vector<std::string>{"ModuleProbe 1 " + probe, "ModuleProbe 0 " + probe}));
  EXPECT_EQ(GetModuleHandleA("ModuleProbe.dll"), nullptr);
}

TEST_F(LibraryTest, ALibraryThatRefusesToAttachIsNotLoaded) {
  setenv("KELVRA_PROBE_REFUSE", "1", 1);
  SetLastError(0);
  EXPECT_EQ(LoadLibraryA(probe.c_str()), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DLL_INIT_FAILED));
  EXPECT_EQ(GetModuleHandleA("ModuleProbe.dll"), nullptr);
}

TEST_F(LibraryTest, FreeingSomethingThatIsNotAModuleFails) {
  SetLastError(0);
  EXPECT_FALSE(FreeLibrary(reinterpret_cast<HMODULE>(0x4242)));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_TRUE(FreeLibrary(Addin()));
  EXPECT_EQ(GetModuleHandleA("Kelvra.dll"), Addin());
}

}  // namespace
