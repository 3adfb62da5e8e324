// GetRegistryNumber (module Starter): one numeric registry value as a 16-bit number. It keeps
// going after an error, step by step, noting only the error number: the dialog is never shown
// for a missing or odd password flag.
#include <cstdint>
#include <string>

#include "host/starter.h"
#include "platform/advapi32.h"
#include "runtime/conversions.h"
#include "runtime/errors.h"

namespace {

// Runs one step; an error is noted in Err.Number and ErrNumberText and the next step follows.
template <class Step>
void ResumeNext(Step&& step) {
  try {
    step();
  } catch (const rt::RuntimeError& error) {
    rt::SetErrNumber(error.Number());
    ErrNumberText = rt::Str(rt::Long(error.Number()));
  }
}

}  // namespace

rt::Integer GetRegistryNumber(std::int32_t hKey, const std::string& SubKey,
                              const std::string& ValueName) {
  win::HKEY handle = 0;
  std::string text(2048, ' ');
  std::uint32_t size = 2048;
  win::RegType type = win::RegType::REG_NONE;
  rt::Integer number;

  win::RegOpenKeyA(hKey, SubKey, &handle);
  const win::RegResult result =
      win::RegQueryValueExA(handle, ValueName, nullptr, &type, text.data(), &size);
  if (result == win::RegResult::ERROR_SUCCESS) {
    if (type == win::RegType::REG_DWORD) {
      ResumeNext([&] {
        auto b = [&](int i) { return rt::Long(static_cast<unsigned char>(text[i])); };
        const rt::Long value =
            b(0) + rt::Long(256) * b(1) + rt::Long(65536) * b(2) + rt::Long(16777216) * b(3);
        const std::string digits = rt::Digits(value);
        text = std::string(digits.size() < 3 ? 3 - digits.size() : 0, '0') + digits;
      });
    }
    ResumeNext([&] { text = rt::Left(text, rt::Long(static_cast<std::int64_t>(size)) - 1); });
  } else {
    text = "Not Found";
  }
  win::RegCloseKey(handle);
  ResumeNext([&] { number = rt::CInt(rt::Val(text)); });
  return number;
}
