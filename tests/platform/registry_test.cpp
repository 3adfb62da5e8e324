#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/advapi32.h"
#include "platform/temp_windir.h"

namespace {

using win::RegResult;
using win::RegType;

win::HKEY Key(std::string_view sub_key, bool create = false) {
  win::HKEY key = 77;
  (create ? win::RegCreateKeyA : win::RegOpenKeyA)(win::HKEY_CURRENT_USER, sub_key, &key);
  return key;
}
RegResult SetDword(win::HKEY key, std::string_view name, std::uint32_t value) {
  return win::RegSetValueExA(key, name, 0, RegType::REG_DWORD, &value, 4);
}
// A value's result, type and bytes, read through a buffer of the given size.
struct Value {
  RegResult result;
  RegType type = RegType::REG_NONE;
  std::vector<std::uint8_t> bytes;
};
Value Query(win::HKEY key, std::string_view name, std::uint32_t size = 64) {
  Value v{RegResult::ERROR_SUCCESS, RegType::REG_NONE, std::vector<std::uint8_t>(size)};
  v.result = win::RegQueryValueExA(key, name, nullptr, &v.type, v.bytes.data(), &size);
  v.bytes.resize(size);
  return v;
}

// Values written, the key closed and opened again in other capitals, and read back byte for
// byte: a DWORD as four little-endian bytes, a string with its terminating zero in the size. A
// garbled, missing or too large value says so. (A store that cannot be written is the password's
// test.)
TEST(Registry, ValuesComeBackAsWrittenAcrossOpeningsOrSayWhyNot) {
  test_support::TempWindir windir;
  EXPECT_EQ(Key("Control Panel\\Desktop"), 0);
  windir.Write("registry.ini",
               "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\nA=dword:xyz\nB=hex(1):4\nC=text\n");
  win::HKEY key = Key("Control Panel\\Desktop", true);
  const char text[] = "salt$hash";
  ASSERT_EQ(SetDword(key, "ScreenSaveUsePassword", 0x01020304), RegResult::ERROR_SUCCESS);
  ASSERT_EQ(win::RegSetValueExA(key, "ScreenSave_Data", 0, RegType::REG_SZ, text, sizeof text),
            RegResult::ERROR_SUCCESS);
  win::RegCloseKey(key);

  key = Key("control panel\\desktop");
  const Value dword = Query(key, "screensaveusepassword"), sz = Query(key, "SCREENSAVE_DATA");
  EXPECT_EQ(dword.type, RegType::REG_DWORD);
  EXPECT_EQ(dword.bytes, (std::vector<std::uint8_t>{4, 3, 2, 1}));
  EXPECT_EQ(sz.type, RegType::REG_SZ);
  EXPECT_EQ(sz.bytes, (std::vector<std::uint8_t>(text, text + sizeof text)));
  EXPECT_EQ(Query(key, "ScreenSave_Data", 4).result, RegResult::ERROR_MORE_DATA);
  EXPECT_EQ(Query(key, "ScreenSave_Data", 4).bytes.size(), sizeof text) << "the size needed";
  for (const char* name : {"A", "B", "C", "Missing"})
    EXPECT_EQ(Query(key, name).result, RegResult::ERROR_FILE_NOT_FOUND) << name;

  EXPECT_NE(Key("Control Panel"), 0) << "the keys above were made too";
  EXPECT_THROW(win::RegOpenKeyA(static_cast<win::HKEY>(0x80000002u), "Software", &key),
               std::logic_error);
}

}  // namespace
