// The program's own names and version. The run time knows them as it knows a project's title,
// and both the core and platform/ use them; they live here because neither of those two may
// include the other.
#pragma once

namespace product {

inline constexpr char kName[] = "Solmere Finbrook";
// The caption of the program's windows and of the run time's message boxes.
inline constexpr char kTitle[] = "Solmere Finbrook ScreenSaver";
// Shown on the About tab and sent with an error report.
inline constexpr char kVersion[] = "7.0";
// The settings file in the Windows directory, and the one section the program uses in it.
inline constexpr char kSettingsFile[] = "quorvane.ini";
inline constexpr const char* kSettingsSection = kName;
// The pictures, songs and sounds, in this folder of the Windows directory.
inline constexpr char kMediaFolder[] = "Quorvane\\Solmere Finbrook";
// The name the program goes by on the host: its messages on standard error start with it, and
// its per-user folder and its lock file are named after it.
inline constexpr char kHostName[] = "finbrook";

}  // namespace product
