// The MIDI sequencer behind the MCI stand-in: one FluidSynth synthesizer with the General MIDI
// SoundFont (FINBROOK_SOUNDFONT, else the system's TimGM6mb.sf2), rendered inside the audio
// engine's render, and a scheduler that plays each song's events at sample-exact times as the
// render advances. Every open song owns a block of 16 synthesizer channels, so songs that play
// at the same time never share a channel.
//
// All calls below are for the user-interface thread; they load and decide there and post the
// rest to the render thread.
//
// The synthesizer renders on the render thread alone, with no thread of its own and with its
// voices allocated beforehand. One thing on that path still allocates: the OpenMP run time
// allocates and frees a record of about 1.6 kB for each block's reverb and chorus region, which
// the library enters whenever either effect is on; no setting avoids it short of turning both
// effects off, and they stay, as the songs are voiced with them.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/midi_file.h"

namespace midi {

// The most song events sent to the synthesizer in one block of the render, whatever is due.
inline constexpr int kMaxEventsPerBlock = 256;

// Loads the synthesizer on first use (a few megabytes of SoundFont, read on this thread).
// False when the SoundFont or the synthesizer cannot be loaded.
bool EnsureSynth();

// A block of channels for a newly opened song; -1 when all are taken.
int TakeBlock();
void FreeBlock(int block);  // stops what the block plays

// Starts the song on its block at start_seconds into it, replacing what the block played.
void Play(int block, std::shared_ptr<const Sequence> song, double start_seconds);
void Stop(int block);
// The last Play on the block has not reached the song's end, and no Stop followed it.
bool Playing(int block);

}  // namespace midi
