// Our stand-ins for the screen-saver password services: the change dialog behind
// PwdChangePasswordA (mpr) and the check behind VerifyScreenSavePwd (password.cpl).
#pragma once

#include <cstdint>

#include "platform/gdi.h"

namespace win {

// The screen-saver password-change dialog, owned by the given window. Sets the password that
// VerifyScreenSavePwd checks and returns 0, or 1223 when cancelled. A password that cannot be
// stored is reported to the user, gives ERROR_CANTWRITE and makes the process end with 1.
std::int32_t PwdChangePasswordA(const char* provider, HWND owner, std::int32_t reserved1,
                                std::int32_t reserved2);
// Asks for the screen-saver password; 0 when it was not confirmed.
std::int32_t VerifyScreenSavePwd(HWND owner);

}  // namespace win
