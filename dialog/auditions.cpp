// Auditions: each speaker button plays its song or sound effect at once, ticked or not. Songs
// share the one sequencer alias "song1"; effects are played by file name. A new audition first
// ends the song audition that is playing.
#include <string>

#include "dialog/configuration.h"
#include "host/starter.h"
#include "host/system.h"
#include "platform/winmm.h"
#include "runtime/conversions.h"

namespace {

constexpr char kQuote = '"';
constexpr int kReplyLength = 255;
constexpr int kHourglass = 11;
constexpr int kCustomPointer = 99;

std::string EffectFile(rt::Integer index) {
  return kQuote + DataDir + "a_sound" + rt::Digits(index) + ".wav" + kQuote;
}

// A song still playing is stopped, and one that is stopped (or has ended) is closed; with no
// song open neither word comes back and nothing more is sent.
void EndSongAudition(std::string& reply) {
  reply.assign(kReplyLength, ' ');
  win::mciSendStringA(std::string("status song1") + " mode", &reply, kReplyLength, 0);
  if (reply.substr(0, 7) == "playing") win::mciSendStringA("stop song1", &reply, kReplyLength, 0);
  reply.assign(kReplyLength, ' ');
  win::mciSendStringA(std::string("status song1") + " mode", &reply, kReplyLength, 0);
  if (reply.substr(0, 7) == "stopped") win::mciSendStringA("close song1", &reply, kReplyLength, 0);
}

// Where each song's audition starts, in the sequencer's own units: past the quiet openings.
const char* StartCommand(rt::Integer index) {
  switch (index.Value()) {
    case 1:
      return "play song1 from 110";
    case 2:
      return "play song1 from 10";
    case 3:
    case 5:
      return "play song1 from 30";
    default:
      return "play song1 from 0";
  }
}

}  // namespace

void ConfigurationForm::speaker_Click(rt::Integer Index) {
  std::string reply(kReplyLength, ' ');
  LoopIndex = 0;
  win::mciExecute("stop " + EffectFile(LoopIndex));
  EndSongAudition(reply);
  forms::Screen.SetMousePointer(kHourglass);
  win::mciSendStringA("open " +
                          (kQuote + DataDir + "a_song" + rt::Digits(Index) + ".Mid" + kQuote) +
                          " type sequencer alias song1",
                      &reply, kReplyLength, 0);
  win::mciSendStringA(StartCommand(Index), &reply, kReplyLength, 0);
  forms::Screen.SetMousePointer(kCustomPointer);
}

void ConfigurationForm::speakerfx_Click(rt::Integer Index) {
  std::string reply(kReplyLength, ' ');
  EndSongAudition(reply);
  for (LoopIndex = 0; LoopIndex <= 1; LoopIndex += 1)
    win::mciExecute("stop " + EffectFile(LoopIndex));
  win::mciExecute("play " + EffectFile(Index));
}
