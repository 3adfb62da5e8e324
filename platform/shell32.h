// Our stand-in for shell32's ShellExecuteA: "open" hands a web address to the desktop's opener
// (xdg-open, or the program that FINBROOK_OPENER names) as one argument, through no shell, and
// does not wait for it.
#pragma once

#include <cstdint>

#include "platform/gdi.h"

namespace win {

enum class ShowCommand : int { SW_HIDE = 0, SW_SHOWNORMAL = 1 };

// Results above 32 mean success, as the platform's are.
constexpr std::int32_t kShellExecuteOk = 42;
constexpr std::int32_t SE_ERR_FNF = 2;

// Only the "open" verb with no parameters and no working directory is served.
std::int32_t ShellExecuteA(HWND window, const char* operation, const char* file,
                           const char* parameters, const char* directory, ShowCommand show);

}  // namespace win
