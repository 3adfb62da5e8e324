// Pictures built into the program (the old forms carried them in their resources): drawn in
// code, named by the form and control that show them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace forms {

inline constexpr char kBugReportPicture[] = "BugReport.Picture1";

struct BuiltinPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first
};

// The picture of that name; an unknown name fails loudly.
const BuiltinPicture& FindBuiltinPicture(const std::string& name);

}  // namespace forms
