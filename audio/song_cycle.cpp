// The saver's song cycle over the MCI sequencer. Initialize_Songs opens every chosen song
// under its own alias ("song" & i) and starts the first; every 10 seconds MusicTimer_Timer asks
// whether the current song has stopped and, if so, starts the next chosen one from its start;
// CloseSongs, in the common exit, stops and closes whatever is still open.
#include <string>
#include <string_view>

#include "audio/sounds.h"
#include "host/starter.h"
#include "host/system.h"
#include "platform/winmm.h"
#include "runtime/conversions.h"

namespace {

constexpr int kReplySize = 255;
const std::string kQuote = "\"";

rt::Long Send(const std::string& command, std::string& reply) {
  return win::mciSendStringA(command, &reply, kReplySize, 0);
}

std::string Alias(rt::Integer index) {
  return "song" + rt::Digits(index);
}

// A mode reply is judged by its first seven characters, exactly.
bool ReplyIs(const std::string& reply, std::string_view mode) {
  return rt::Left(reply, 7) == mode;
}

}  // namespace

void Initialize_Songs(forms::Timer& MusicTimer) {
  rt::Trap("ScreenSaver/Initialize_Songs", [&] {
    for (SongIndex = 0; SongIndex <= 5; SongIndex += 1) {
      if (rt::IsTrue(SongOn(SongIndex))) {
        MciResult = Send("open " + kQuote + DataDir + "a_song" + rt::Digits(SongIndex) + ".Mid" +
                             kQuote + " type sequencer alias " + Alias(SongIndex),
                         MciReply);
      }
    }
    for (SongIndex = 0; SongIndex <= 5; SongIndex += 1) {
      if (rt::IsTrue(SongOn(SongIndex))) MusicTimer.SetEnabled(true);
    }
    if (!MusicTimer.Enabled()) return;
    SongIndex = 0;
    while (!rt::IsTrue(SongOn(SongIndex))) SongIndex += 1;
    MciResult = Send("play " + Alias(SongIndex) + " from 0", MciReply);
    // The first song cannot start: the saver goes on without music.
    if (MciResult != 0) MusicTimer.SetEnabled(false);
  });
}

void MusicTimer_Timer(forms::Timer& MusicTimer) {
  rt::Trap("ScreenSaver/MusicTimer", [&] {
    MciResult = Send("status " + Alias(SongIndex) + " mode", MciReply);
    if (MciResult != 0) return;
    if (!ReplyIs(MciReply, "stopped")) return;
    // The timer runs only while a song is on, so the search ends within one round.
    int tries = 0;
    do {
      SongIndex += 1;
      if (SongIndex == 6) SongIndex = 0;
      if (++tries > 6) return;
    } while (!rt::IsTrue(SongOn(SongIndex)));
    MciResult = Send("play " + Alias(SongIndex) + " from 0", MciReply);
    // A song that cannot start (its file missing or broken) ends the music, not the saver.
    if (MciResult != 0) MusicTimer.SetEnabled(false);
  });
}

void CloseSongs() {
  std::string reply;
  for (SongIndex = 0; SongIndex <= 5; SongIndex += 1) {
    reply.assign(kReplySize, ' ');
    Send("status " + Alias(SongIndex) + " mode", reply);
    if (ReplyIs(reply, "playing")) Send("stop " + Alias(SongIndex), reply);
    reply.assign(kReplySize, ' ');
    Send("status " + Alias(SongIndex) + " mode", reply);
    if (ReplyIs(reply, "stopped")) Send("close " + Alias(SongIndex), reply);
  }
}
