#include <cstring>

#include "host_test_support.h"
#include "platform/advapi32.h"

namespace {

using win::RegType;

// The password flag as the saver reads it, stored first as the value given, and the error
// number noted without the dialog: "number|error".
class RegistryNumber : public host_test::HostTest {
 protected:
  std::string Read(RegType type, const void* data, std::uint32_t size) {
    win::HKEY key = 0;
    EXPECT_EQ(win::RegCreateKeyA(win::HKEY_CURRENT_USER, "Control Panel\\Desktop", &key),
              win::RegResult::ERROR_SUCCESS);
    win::RegSetValueExA(key, "ScreenSaveUsePassword", 0, type, data, size);
    win::RegCloseKey(key);
    ErrNumberText.clear();
    const int number =
        GetRegistryNumber(win::HKEY_CURRENT_USER, "Control Panel\\Desktop", "ScreenSaveUsePassword")
            .Value();
    return std::to_string(number) + "|" + ErrNumberText;
  }
  std::string ReadDword(std::uint32_t value) { return Read(RegType::REG_DWORD, &value, 4); }
};

// A DWORD keeps its first three digits; a number beyond 16 or 32 bits, or a value of size 0
// (cut to -1 characters), is an error that leaves 0 and goes on.
TEST_F(RegistryNumber, DwordsUpTo999ComeThroughWholeAndErrorsAreNotedWithoutTheDialog) {
  const std::pair<std::uint32_t, const char*> dwords[] = {
      {1, "1|"}, {0, "0|"}, {999, "999|"}, {1234, "123|"}, {65536, "655|"}, {0x80000001u, "0| 6"}};
  for (const auto& [stored, read] : dwords) EXPECT_EQ(ReadDword(stored), read) << stored;
  EXPECT_EQ(Read(RegType::REG_SZ, "40000", 6), "0| 6");
  EXPECT_EQ(Read(RegType::REG_SZ, "", 0), "0| 5");
  EXPECT_EQ(Read(RegType::REG_SZ, " 12abc", 7), "12|");
  EXPECT_EQ(ErrContext, "");
  EXPECT_TRUE(errors_.contexts().empty());
}

}  // namespace
