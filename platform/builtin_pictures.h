// Pictures built into the program (the old forms carried them in their resources): drawn in
// code, named by the form and control that show them, or by what they show.
//
// The settings dialog's pictures:
//   "icon_whale", "icon_manatee", "icon_orca", "icon_octopus", "icon_hammerhead", "icon_tuna",
//   "icon_shark", "icon_swimmaid", "icon_tigershark", "icon_dolphin" (the "Large Fish" tab),
//   "icon_redfish", "icon_crab", "icon_emperorfish", "icon_clams", "icon_swimhorses",
//   "icon_seahorse", "icon_yellowfish", "icon_jellyfish", "icon_bluedevils", "icon_angelfish"
//   (the "Coral Fish" tab), "icon_scubadiver", "icon_bubbles", "icon_worm", "icon_anchor",
//   "icon_mofiasnitch", "icon_marinasign", "icon_pillars", "icon_eyes", "icon_bottles",
//   "icon_diverhead" (the "More..." tab): 17x17 preview-button icons on the dialog's grey;
//   "speaker": the 17x16 audition button;
//   "banner": the About tab's 201x66 title picture; "logo": its 144x16 wordmark;
//   "pointer": the preview buttons' 32x32 cursor, a pointing hand with its hotspot at the
//   fingertip, transparent around it.
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
  std::vector<std::uint8_t> alpha;    // one a pixel (0 clear, 255 opaque); empty when opaque
  int hotspot_x = 0;                  // where a cursor picture points
  int hotspot_y = 0;
};

// The picture of that name; an unknown name fails loudly.
const BuiltinPicture& FindBuiltinPicture(const std::string& name);
// Every name, in no particular order.
std::vector<std::string> BuiltinPictureNames();

}  // namespace forms
