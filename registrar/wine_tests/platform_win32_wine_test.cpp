// The Win32 side of Simlocate's seam, on the real system.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/registry_key.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/system_error_text_win32.h"
#include "testing/wine/child_process.h"

namespace registrar_wine {
namespace {

const char kScratchKey[] = "SOFTWARE\\Trimwise platform test";

bool ExistsInView(REGSAM view) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kScratchKey, 0, KEY_READ | view, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

TEST(Win32Registry, WritesAndReadsThe32BitView) {
  RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kScratchKey, KEY_WOW64_32KEY, 0);
  platform::Win32Registry registry;
  {
    platform::RegistryKeyHolder key(registry);
    ASSERT_EQ(registry.CreateKey(platform::kLocalMachine, kScratchKey, platform::kRegOptionNonVolatile,
                                 platform::kKeyWrite, key.Receive(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(registry.SetValue(key.Get(), "EXE Path", REG_SZ, reinterpret_cast<const unsigned char*>("C:\\FS9"), 7),
              ERROR_SUCCESS);
    EXPECT_EQ(key.Close(), ERROR_SUCCESS);
  }
  EXPECT_TRUE(ExistsInView(KEY_WOW64_32KEY));
  EXPECT_FALSE(ExistsInView(KEY_WOW64_64KEY));
  {
    platform::RegistryKeyHolder key(registry);
    ASSERT_EQ(registry.OpenKey(platform::kLocalMachine, kScratchKey, 0, platform::kKeyQueryValue, key.Receive()),
              ERROR_SUCCESS);
    unsigned char data[260] = {};
    unsigned long size = sizeof data;
    EXPECT_EQ(registry.QueryValue(key.Get(), "EXE Path", nullptr, data, &size), ERROR_SUCCESS);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size), std::string("C:\\FS9\0", 7));
    size = 3;
    EXPECT_EQ(registry.QueryValue(key.Get(), "EXE Path", nullptr, data, &size), ERROR_MORE_DATA);
  }
  EXPECT_EQ(RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kScratchKey, KEY_WOW64_32KEY, 0), ERROR_SUCCESS);
}

TEST(Win32SystemErrorText, SystemTextOrNone) {
  platform::Win32SystemErrorText texts;
  const unsigned long flags = platform::kFormatMessageAllocateBuffer | platform::kFormatMessageIgnoreInserts |
                              platform::kFormatMessageFromSystem;
  const std::string denied = texts.Format(flags, nullptr, ERROR_ACCESS_DENIED, platform::kLangUserDefault);
  EXPECT_FALSE(denied.empty());
  EXPECT_TRUE(denied.ends_with("\r\n"));
  EXPECT_EQ(texts.Format(flags, nullptr, 0x2FFFFFFF, platform::kLangUserDefault), "");
}

TEST(Win32SystemErrorText, ModuleLoadedAsDataFile) {
  platform::Win32SystemErrorText texts;
  EXPECT_EQ(texts.LoadModule("no such module.dll", platform::kLoadLibraryAsDatafile), nullptr);
  const platform::Module module = texts.LoadModule("kernel32.dll", platform::kLoadLibraryAsDatafile);
  ASSERT_NE(module, nullptr);
  texts.UnloadModule(module);
}

// Windowed (no console), and asking for administrator rights.
TEST(SimlocateProgram, IsWindowedWithAnAdministratorManifest) {
  const std::string program = wine_testing::ProgramDir() + "\\Simlocate.exe";
  HMODULE image = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(image, nullptr);
  const auto base = reinterpret_cast<const unsigned char*>(reinterpret_cast<ULONG_PTR>(image) & ~ULONG_PTR{3});
  const auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);

  HRSRC resource = FindResourceA(image, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
  ASSERT_NE(resource, nullptr);
  const auto text = static_cast<const char*>(LockResource(LoadResource(image, resource)));
  const std::string manifest(text, SizeofResource(image, resource));
  EXPECT_THAT(manifest, testing::HasSubstr("<requestedExecutionLevel level=\"requireAdministrator\""));
  FreeLibrary(image);
}

}  // namespace
}  // namespace registrar_wine
