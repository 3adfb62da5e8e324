#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>

#include "platform/advapi32.h"
#include "platform/temp_windir.h"

namespace {

using test_support::TempWindir;
using win::RegResult;
using win::RegType;

win::HKEY Create(std::string_view sub_key) {
  win::HKEY key = 0;
  EXPECT_EQ(win::RegCreateKeyA(win::HKEY_CURRENT_USER, sub_key, &key), RegResult::ERROR_SUCCESS);
  return key;
}

TEST(Registry, ADwordComesBackAsFourLittleEndianBytes) {
  TempWindir windir;
  const win::HKEY key = Create("Control Panel\\Desktop");
  const std::uint32_t value = 0x01020304;
  ASSERT_EQ(win::RegSetValueExA(key, "ScreenSaveUsePassword", 0, RegType::REG_DWORD, &value, 4),
            RegResult::ERROR_SUCCESS);
  unsigned char data[16] = {};
  std::uint32_t size = sizeof data;
  RegType type = RegType::REG_NONE;
  ASSERT_EQ(win::RegQueryValueExA(key, "screensaveusepassword", nullptr, &type, data, &size),
            RegResult::ERROR_SUCCESS);
  EXPECT_EQ(type, RegType::REG_DWORD);
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(data[0], 0x04);
  EXPECT_EQ(data[3], 0x01);
  win::RegCloseKey(key);
}

TEST(Registry, AStringKeepsItsTerminatingZeroInTheSize) {
  TempWindir windir;
  const win::HKEY key = Create("Control Panel\\Desktop");
  const char text[] = "salt$hash";
  ASSERT_EQ(win::RegSetValueExA(key, "ScreenSavePassword", 0, RegType::REG_SZ, text, sizeof text),
            RegResult::ERROR_SUCCESS);
  char data[64];
  std::uint32_t size = sizeof data;
  RegType type = RegType::REG_NONE;
  ASSERT_EQ(win::RegQueryValueExA(key, "ScreenSavePassword", nullptr, &type, data, &size),
            RegResult::ERROR_SUCCESS);
  EXPECT_EQ(type, RegType::REG_SZ);
  EXPECT_EQ(size, sizeof text);
  EXPECT_STREQ(data, text);
  win::RegCloseKey(key);
}

TEST(Registry, ValuesLastAcrossOpeningsAndLiveBesideTheSettings) {
  TempWindir windir;
  win::HKEY key = Create("Control Panel\\Desktop");
  const std::uint32_t one = 1;
  win::RegSetValueExA(key, "ScreenSaveUsePassword", 0, RegType::REG_DWORD, &one, 4);
  win::RegCloseKey(key);
  ASSERT_EQ(win::RegOpenKeyA(win::HKEY_CURRENT_USER, "control panel\\desktop", &key),
            RegResult::ERROR_SUCCESS);
  std::uint32_t size = 0;
  EXPECT_EQ(win::RegQueryValueExA(key, "ScreenSaveUsePassword", nullptr, nullptr, nullptr, &size),
            RegResult::ERROR_SUCCESS);
  EXPECT_EQ(size, 4u);
  win::RegCloseKey(key);
  EXPECT_TRUE(std::filesystem::exists(windir.File("registry.ini")));
}

TEST(Registry, CreatingAKeyCreatesTheKeysAboveIt) {
  TempWindir windir;
  win::RegCloseKey(Create("Control Panel\\Desktop"));
  win::HKEY key = 0;
  EXPECT_EQ(win::RegOpenKeyA(win::HKEY_CURRENT_USER, "Control Panel", &key),
            RegResult::ERROR_SUCCESS);
  EXPECT_NE(key, 0);
  win::RegCloseKey(key);
}

TEST(Registry, MissingKeysAndValuesAreNotFound) {
  TempWindir windir;
  win::HKEY key = 77;
  EXPECT_EQ(win::RegOpenKeyA(win::HKEY_CURRENT_USER, "Control Panel\\Desktop", &key),
            RegResult::ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, 0);
  key = Create("Control Panel\\Desktop");
  char data[8];
  std::uint32_t size = sizeof data;
  EXPECT_EQ(win::RegQueryValueExA(key, "ScreenSaveUsePassword", nullptr, nullptr, data, &size),
            RegResult::ERROR_FILE_NOT_FOUND);
  win::RegCloseKey(key);
}

TEST(Registry, TooSmallABufferAsksForMore) {
  TempWindir windir;
  const win::HKEY key = Create("Control Panel\\Desktop");
  const char text[] = "longer than four";
  win::RegSetValueExA(key, "v", 0, RegType::REG_SZ, text, sizeof text);
  char data[4];
  std::uint32_t size = sizeof data;
  EXPECT_EQ(win::RegQueryValueExA(key, "v", nullptr, nullptr, data, &size),
            RegResult::ERROR_MORE_DATA);
  EXPECT_EQ(size, sizeof text);
  win::RegCloseKey(key);
}

TEST(Registry, HandEditedGarbageReadsAsNoValue) {
  TempWindir windir;
  windir.Write("registry.ini",
               "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\nA=dword:xyz\nB=hex(1):4\nC=text\n");
  win::HKEY key = 0;
  ASSERT_EQ(win::RegOpenKeyA(win::HKEY_CURRENT_USER, "Control Panel\\Desktop", &key),
            RegResult::ERROR_SUCCESS);
  for (const char* name : {"A", "B", "C"}) {
    char data[8];
    std::uint32_t size = sizeof data;
    EXPECT_EQ(win::RegQueryValueExA(key, name, nullptr, nullptr, data, &size),
              RegResult::ERROR_FILE_NOT_FOUND)
        << name;
  }
  win::RegCloseKey(key);
}

TEST(Registry, ClosedOrUnknownHandlesAndOtherRootsAreRefused) {
  TempWindir windir;
  const win::HKEY key = Create("Control Panel\\Desktop");
  EXPECT_EQ(win::RegCloseKey(key), RegResult::ERROR_SUCCESS);
  EXPECT_EQ(win::RegCloseKey(key), RegResult::ERROR_INVALID_HANDLE);
  std::uint32_t size = 0;
  EXPECT_EQ(win::RegQueryValueExA(key, "v", nullptr, nullptr, nullptr, &size),
            RegResult::ERROR_INVALID_HANDLE);
  EXPECT_EQ(win::RegQueryValueExA(0, "v", nullptr, nullptr, nullptr, &size),
            RegResult::ERROR_INVALID_HANDLE);
  const std::uint32_t one = 1;
  EXPECT_EQ(win::RegSetValueExA(key, "v", 0, RegType::REG_DWORD, &one, 4),
            RegResult::ERROR_INVALID_HANDLE);
  win::HKEY other = 0;
  const auto kLocalMachine = static_cast<win::HKEY>(0x80000002u);
  EXPECT_THROW(win::RegOpenKeyA(kLocalMachine, "Software", &other), std::logic_error);
}

}  // namespace
