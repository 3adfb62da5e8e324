#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

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

win::HKEY Open(std::string_view sub_key, RegResult expected = RegResult::ERROR_SUCCESS) {
  win::HKEY key = 77;
  EXPECT_EQ(win::RegOpenKeyA(win::HKEY_CURRENT_USER, sub_key, &key), expected) << sub_key;
  return key;
}

// Values written, the key closed and opened again under another case, and read back byte for
// byte: a DWORD as four little-endian bytes, a string with its terminating zero in the size.
TEST(Registry, ValuesComeBackAsWrittenAcrossOpenings) {
  TempWindir windir;
  const std::uint32_t dword = 0x01020304;
  const char text[] = "salt$hash";
  const struct {
    const char* name;  // looked up in another case than written
    RegType type;
    std::vector<std::uint8_t> bytes;
  } cases[] = {
      {"screensaveusepassword", RegType::REG_DWORD, {4, 3, 2, 1}},
      {"SCREENSAVE_DATA", RegType::REG_SZ, {text, text + sizeof text}},
  };
  win::HKEY key = Create("Control Panel\\Desktop");
  ASSERT_EQ(win::RegSetValueExA(key, "ScreenSaveUsePassword", 0, RegType::REG_DWORD, &dword, 4),
            RegResult::ERROR_SUCCESS);
  ASSERT_EQ(win::RegSetValueExA(key, "ScreenSave_Data", 0, RegType::REG_SZ, text, sizeof text),
            RegResult::ERROR_SUCCESS);
  win::RegCloseKey(key);
  EXPECT_TRUE(std::filesystem::exists(windir.File("registry.ini")));

  key = Open("control panel\\desktop");
  for (const auto& c : cases) {
    std::uint8_t data[64] = {};
    std::uint32_t size = sizeof data;
    RegType type = RegType::REG_NONE;
    ASSERT_EQ(win::RegQueryValueExA(key, c.name, nullptr, &type, data, &size),
              RegResult::ERROR_SUCCESS)
        << c.name;
    EXPECT_EQ(type, c.type) << c.name;
    EXPECT_EQ(std::vector<std::uint8_t>(data, data + size), c.bytes) << c.name;
  }
  win::RegCloseKey(key);
}

TEST(Registry, CreatingAKeyCreatesTheKeysAboveIt) {
  TempWindir windir;
  win::RegCloseKey(Create("Control Panel\\Desktop"));
  const win::HKEY key = Open("Control Panel");
  EXPECT_NE(key, 0);
  win::RegCloseKey(key);
}

TEST(Registry, MissingGarbledOrTooLargeValuesAreReportedAsSuch) {
  TempWindir windir;
  EXPECT_EQ(Open("Control Panel\\Desktop", RegResult::ERROR_FILE_NOT_FOUND), 0);
  windir.Write("registry.ini",
               "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\nA=dword:xyz\nB=hex(1):4\nC=text\n");
  const win::HKEY key = Open("Control Panel\\Desktop");
  const char text[] = "longer than four";
  win::RegSetValueExA(key, "D", 0, RegType::REG_SZ, text, sizeof text);
  const struct {
    const char* name;
    RegResult result;
  } cases[] = {{"A", RegResult::ERROR_FILE_NOT_FOUND},
               {"B", RegResult::ERROR_FILE_NOT_FOUND},
               {"C", RegResult::ERROR_FILE_NOT_FOUND},
               {"Missing", RegResult::ERROR_FILE_NOT_FOUND},
               {"D", RegResult::ERROR_MORE_DATA}};
  for (const auto& c : cases) {
    char data[4];
    std::uint32_t size = sizeof data;
    EXPECT_EQ(win::RegQueryValueExA(key, c.name, nullptr, nullptr, data, &size), c.result)
        << c.name;
  }
  char data[4];
  std::uint32_t size = sizeof data;
  win::RegQueryValueExA(key, "D", nullptr, nullptr, data, &size);
  EXPECT_EQ(size, sizeof text) << "too small a buffer asks for the size needed";
  win::RegCloseKey(key);
}

// The store has the settings file's writer: a store the user may not change stays as it was.
TEST(Registry, AStoreThatCannotBeWrittenIsReportedAndLeftAsItWas) {
  TempWindir windir;
  const win::HKEY key = Create("Control Panel\\Desktop");
  std::filesystem::permissions(windir.File("registry.ini"), std::filesystem::perms(0444));
  const std::string before = windir.Read("registry.ini");
  const std::uint32_t one = 1;
  EXPECT_EQ(win::RegSetValueExA(key, "v", 0, RegType::REG_DWORD, &one, 4),
            RegResult::ERROR_CANTWRITE);
  EXPECT_EQ(windir.Read("registry.ini"), before);
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
