// The environment variables the program reads, and the one place that reads them. The README's
// table describes the program's own (FINBROOK_...); the others are the desktop's.
//
// Each is read afresh at every call, since tests change them between two calls. A variable that
// is set but empty counts as unset.
#pragma once

#include <string>

namespace env {

struct Variable {
  const char* name;
};

// A host folder that stands for the whole Windows directory.
inline constexpr Variable kWinDir{"FINBROOK_WINDIR"};
// The Windows family the program sees: "95", "nt" (the default) or "unknown".
inline constexpr Variable kWinVer{"FINBROOK_WINVER"};
// The program that opens web pages instead of xdg-open.
inline constexpr Variable kOpener{"FINBROOK_OPENER"};
// A General MIDI SoundFont to play the songs with instead of the system's.
inline constexpr Variable kSoundFont{"FINBROOK_SOUNDFONT"};
// A WAV file that receives everything the program plays, instead of the sound device.
inline constexpr Variable kAudioCapture{"FINBROOK_AUDIO_CAPTURE"};
// Where the per-user settings go: $XDG_CONFIG_HOME, else $HOME/.config.
inline constexpr Variable kConfigHome{"XDG_CONFIG_HOME"};
inline constexpr Variable kHome{"HOME"};
// Where the mark of a running instance goes.
inline constexpr Variable kRuntimeDir{"XDG_RUNTIME_DIR"};
// The X display, and the toolkit's platform plugin (X unless it names another).
inline constexpr Variable kDisplay{"DISPLAY"};
inline constexpr Variable kQtPlatform{"QT_QPA_PLATFORM"};

// The variable's value; empty when it is unset.
std::string Get(Variable variable);

}  // namespace env
