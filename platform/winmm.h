// Our stand-ins for the multimedia calls of winmm that the program uses: the MCI command-string
// interface with its MIDI sequencer device, MCI's one-line command function for wave files,
// and the simple sound player's stop request. They play through the process's audio engine
// (platform/audio_engine.h). Paths are the program's Windows-style paths (mapped by HostPath).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/gdi.h"

namespace win {

// MCI's error codes, as the real interface numbers them.
enum class MciError : std::int32_t {
  MCIERR_HARDWARE = 262,
  MCIERR_INVALID_DEVICE_NAME = 263,  // an alias that is not open
  MCIERR_CANNOT_LOAD_DRIVER = 266,
  MCIERR_FILE_NOT_FOUND = 275,
  MCIERR_OUTOFRANGE = 282,
  MCIERR_DUPLICATE_ALIAS = 289,
  MCIERR_INVALID_FILE = 296,
};

// mciSendStringA: runs one command and returns 0 or an MciError code. The commands understood
// are exactly these (keywords and aliases without regard to case; a path with blanks in double
// quotes; positions in the sequencer's default format, sixteenth notes):
//   open "<path>" type sequencer alias <name>     play <name> from <n>
//   status <name> mode  -> "playing" or "stopped"  stop <name>    close <name>
// A song that has reached its end, or was opened and never played, is "stopped". Any other
// command is refused by win::Unsupported; the failures the program checks for (a song file that
// is missing or broken, an alias that is not open, no sound output) return their codes.
//
// The reply buffer stands for a fixed-length buffer of reply_size characters: on success the
// reply text (cut to reply_size - 1 characters) and a terminating NUL are written over its
// start, after it has been padded with NULs to reply_size characters if it was shorter; the
// rest keeps its old contents. Commands that answer nothing write an empty text. A command that
// fails leaves the buffer untouched. reply may be null; callback is not used (no notify).
std::int32_t mciSendStringA(const std::string& command, std::string* reply, int reply_size,
                            HWND callback);

// mciExecute: the one-line command function, for wave files:
//   play "<path>"   opens the file by itself, starts it once and returns while it plays
//   stop "<path>"   stops it (a file that exists but does not play: nothing to do)
// On failure (a missing or broken file, no sound output) it shows its own message box (MsgBox,
// title "MCI") and returns false. Any other command is refused by win::Unsupported, and so is a
// ninth file between two stops of everything (sndPlaySoundA below): each has a voice of its own.
bool mciExecute(const std::string& command);

// sndPlaySoundA with no sound name: stops whatever the simple player plays, which in this
// stand-in includes every wave started by mciExecute. A sound name or another flag is refused by
// win::Unsupported.
constexpr unsigned SND_NODEFAULT = 0x0002;
bool sndPlaySoundA(const char* sound_name, unsigned flags);

// ---- For tests ----
// Every winmm call above is appended to the log as text ("mciSendStringA(status song1 mode)",
// "mciExecute(play \"x.wav\")", "sndPlaySoundA(null, 2)") while a log is set; null stops.
void RecordWinmmCallsForTests(std::vector<std::string>* log);
// Closes every open alias, as "close" does one by one.
void CloseMciAliasesForTests();
// Where mciExecute's failure message goes instead of a message box while set (text, title).
void SetMciExecuteMessageHookForTests(
    std::function<void(const std::string& text, const std::string& title)> hook);

namespace detail {
void LogWinmmCall(const std::string& call);  // shared by the stand-ins' source files
}

}  // namespace win
