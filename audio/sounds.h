// Module Sounds: the wave-mixer sound effects and the MIDI song cycle of the full-screen saver,
// and the word helpers that build the mixer's play record.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/forms.h"
#include "runtime/array.h"
#include "runtime/checked.h"

// ---- Sound effects ----
inline rt::Long MixSession;
inline rt::Integer MixerReady;
inline rt::Array<rt::Long, 1> WaveHandle;
// The mixer's 24-byte play record, held as twelve 16-bit words.
using PlayRecord = std::array<std::int16_t, 12>;
inline rt::Array<PlayRecord, 1> PlayParams;

rt::Integer HiWord(rt::Long x);
rt::Integer LoWord(rt::Long x);
void Initialize_SoundFX();  // ScreenSaver.Initialize_SoundFX
void CloseSoundFX();

// ---- Song cycle ----
inline rt::Integer SongIndex;
inline std::string MciReply;
inline rt::Long MciResult;

// ScreenSaver.Initialize_Songs and ScreenSaver.MusicTimer_Timer: the saver window hands over its
// MusicTimer, which only the song cycle enables or disables.
void Initialize_Songs(forms::Timer& MusicTimer);
void MusicTimer_Timer(forms::Timer& MusicTimer);
void CloseSongs();
