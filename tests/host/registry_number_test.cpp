#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "host/starter.h"
#include "host_test_support.h"
#include "platform/advapi32.h"
#include "platform/temp_windir.h"

namespace {

using host_test::ErrorRecorder;
using win::RegType;

class RegistryNumber : public ::testing::Test {
 protected:
  void SetUp() override {
    ErrNumberText.clear();
    ErrContext.clear();
  }
  void Store(RegType type, const void* data, std::uint32_t size) {
    win::HKEY key = 0;
    ASSERT_EQ(win::RegCreateKeyA(win::HKEY_CURRENT_USER, "Control Panel\\Desktop", &key),
              win::RegResult::ERROR_SUCCESS);
    ASSERT_EQ(win::RegSetValueExA(key, "ScreenSaveUsePassword", 0, type, data, size),
              win::RegResult::ERROR_SUCCESS);
    win::RegCloseKey(key);
  }
  void StoreDword(std::uint32_t value) {
    const unsigned char bytes[4] = {
        static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
        static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    Store(RegType::REG_DWORD, bytes, 4);
  }
  static int Read() {
    return GetRegistryNumber(win::HKEY_CURRENT_USER, "Control Panel\\Desktop",
                             "ScreenSaveUsePassword")
        .Value();
  }
  test_support::TempWindir windir_;
  ErrorRecorder errors_;
};

TEST_F(RegistryNumber, DwordsUpTo999ComeThroughWholeLargerOnesKeepThreeDigits) {
  struct Case {
    std::uint32_t stored;
    int number;
  };
  const Case cases[] = {{1, 1}, {0, 0}, {999, 999}, {1234, 123}, {70000, 700}, {65536, 655}};
  for (const auto& c : cases) {
    StoreDword(c.stored);
    EXPECT_EQ(Read(), c.number) << c.stored;
  }
  EXPECT_TRUE(errors_.contexts().empty());
}

TEST_F(RegistryNumber, AStringValueGivesItsLeadingNumber) {
  struct Case {
    const char* text;
    int number;
  };
  const Case cases[] = {{"1", 1}, {"0", 0}, {" 12abc", 12}, {"yes", 0}, {"2.5", 2}};
  for (const auto& c : cases) {
    Store(RegType::REG_SZ, c.text, static_cast<std::uint32_t>(std::string(c.text).size() + 1));
    EXPECT_EQ(Read(), c.number) << c.text;
  }
}

TEST_F(RegistryNumber, AMissingKeyOrValueGivesZero) {
  EXPECT_EQ(Read(), 0);
  win::HKEY key = 0;
  win::RegCreateKeyA(win::HKEY_CURRENT_USER, "Control Panel\\Desktop", &key);
  win::RegCloseKey(key);
  EXPECT_EQ(Read(), 0);
  EXPECT_EQ(ErrNumberText, "");
}

TEST_F(RegistryNumber, ErrorsAreNotedWithoutTheDialogAndTheRoutineGoesOn) {
  // A string that does not fit 16 bits: the number is lost, the error number kept.
  Store(RegType::REG_SZ, "40000", 6);
  EXPECT_EQ(Read(), 0);
  EXPECT_EQ(ErrNumberText, " 6");
  // A value of size 0 cannot be cut to -1 characters: the buffer's blanks remain, giving 0.
  ErrNumberText.clear();
  Store(RegType::REG_SZ, "", 0);
  EXPECT_EQ(Read(), 0);
  EXPECT_EQ(ErrNumberText, " 5");
  // A DWORD beyond the 32-bit signed range overflows while it is turned into digits.
  ErrNumberText.clear();
  StoreDword(0x80000001u);
  EXPECT_EQ(Read(), 0);
  EXPECT_EQ(ErrNumberText, " 6");
  EXPECT_EQ(ErrContext, "");
  EXPECT_TRUE(errors_.contexts().empty());
}

}  // namespace
