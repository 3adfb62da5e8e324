// The saver's two sound effects on the wave mixer: effect 0 (bubbles) repeats until the saver
// ends, effect 1 (whale call) plays once at the start. The mixer mixes and repeats on its own,
// so after Initialize_SoundFX nothing touches it until the common exit calls CloseSoundFX.
#include <cstdint>

#include "audio/sounds.h"
#include "host/starter.h"
#include "host/system.h"
#include "platform/wavemix.h"
#include "platform/winmm.h"
#include "runtime/conversions.h"

namespace {

// Flags of the play record: clear the channel's queue, high priority.
constexpr rt::Long kPlayFlags = 5;
constexpr rt::Long kRepeatForEver = 65535;

// The 24-byte play record of effect i, as twelve 16-bit words with each 32-bit field split
// into its low and high halves.
void FillPlayParams(rt::Integer i) {
  PlayRecord& p = PlayParams(i);
  const rt::Long words[] = {MixSession, i, WaveHandle(i), 0, kPlayFlags};
  p[0] = 24;
  for (int field = 0; field < 5; ++field) {
    p[1 + 2 * field] = LoWord(words[field]).Value();
    p[2 + 2 * field] = HiWord(words[field]).Value();
  }
  p[11] = i == 0 ? LoWord(kRepeatForEver).Value() : std::int16_t{0};
}

}  // namespace

rt::Integer LoWord(rt::Long x) {
  return static_cast<std::int16_t>(static_cast<std::uint32_t>(x.Value()) & 0xFFFF);
}

rt::Integer HiWord(rt::Long x) {
  return static_cast<std::int16_t>(x.Value() >> 16);
}

void Initialize_SoundFX() {
  rt::Trap("ScreenSaver/Initialize_SoundFX", [] {
    MixSession = win::WaveMixInit();
    if (MixSession == 0) {
      SoundOn(0) = rt::kFalse;
      SoundOn(1) = rt::kFalse;
      MixerReady = rt::kFalse;
      return;
    }
    MixerReady = rt::kTrue;
    for (LoopIndex = 0; LoopIndex <= 1; LoopIndex += 1) {
      if (rt::IsTrue(SoundOn(LoopIndex))) {
        WaveHandle(LoopIndex) = win::WaveMixOpenWave(
            MixSession.Value(), DataDir + "a_sound" + rt::Digits(LoopIndex) + ".wav", 0, 0);
      }
    }
    win::WaveMixOpenChannel(MixSession.Value(), 8, win::WaveMixOpen::Count);
    win::WaveMixActivate(MixSession.Value(), true);
    for (LoopIndex = 0; LoopIndex <= 1; LoopIndex += 1) {
      if (rt::IsTrue(SoundOn(LoopIndex))) FillPlayParams(LoopIndex);
    }
    if (rt::IsTrue(SoundOn(0))) win::WaveMixPlay(PlayParams(0));
    if (rt::IsTrue(SoundOn(1))) win::WaveMixPlay(PlayParams(1));
  });
}

// Part of the common exit: the mixer exists only in the saver; the settings dialog played its
// auditions through the simple player.
void CloseSoundFX() {
  if (RunMode == 1) {
    if (rt::IsTrue(MixerReady)) {
      win::WaveMixCloseChannel(MixSession.Value(), 0, win::WaveMixClose::All);
      win::WaveMixFreeWave(MixSession.Value(), WaveHandle(0).Value());
      win::WaveMixFreeWave(MixSession.Value(), WaveHandle(1).Value());
      win::WaveMixCloseSession(MixSession.Value());
    }
  } else if (RunMode == 2) {
    win::sndPlaySoundA(nullptr, win::SND_NODEFAULT);
  }
}
