// The one audio output of the process. Everything the program plays (the wave mixer's
// channels, the MCI songs, the simple wave player) is a Source that adds itself into a single
// render, which runs on the output's own thread:
//   - normally an SDL2 audio device (SDL_AUDIODRIVER=dummy where the machine has none; the
//     dummy driver still calls back in real time);
//   - FINBROOK_AUDIO_CAPTURE=<file.wav>: a thread renders in real time into that WAV file
//     (44100 Hz, stereo, 16-bit), rewriting the header after every block so that the file is
//     complete whenever the process ends;
//   - in unit tests, no thread at all: RenderForTests renders on the caller's thread.
//
// Threads: the user-interface thread owns every decision and every file load; it hands work
// to the render thread through CommandQueues (a mutex held only to swap a vector), and reads
// back what the render thread publishes through atomics. The render thread never waits for the
// user-interface thread, and vice versa.
//
// Life: the first client (a mixer session, an open MCI alias, the simple player) that Acquires
// the output opens it, and it stays open, like a system's sound output, until the process ends
// or CloseAll stops everything: a song closed and the next one opened at once play on one open
// output, and what was stopped rings out instead of being cut off by a closing device.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <utility>
#include <vector>

namespace audio {

inline constexpr int kRate = 44100;  // frames per second of every render
inline constexpr int kChannels = 2;  // interleaved left, right

// A part of the mix. Mix adds `frames` interleaved stereo float frames (full scale 1.0) into
// out. It runs on the render thread only (or in RenderForTests).
class Source {
 public:
  virtual ~Source() = default;
  virtual void Mix(float* out, int frames) = 0;
  // Called by CloseAll once no render runs any more: drop every sound and pending command.
  virtual void Reset() = 0;
};

// Adds a source for the life of the process (sources are module singletons).
void AddSource(Source& source);

// Runs at CloseAll after the output has stopped and the sources are reset, so the owners of
// user-interface state (open aliases, sessions) can forget it without racing a render.
void AddCloseHook(std::function<void()> hook);

// A client needs the output: starts it when it is not running. False when no output can be
// opened.
bool Acquire();

// Stops the output and its thread, resets every source and client, deletes the synthesizer.
void CloseAll();

// ---- For tests ----
enum class Output {
  Default,  // the SDL device, or the capture file when FINBROOK_AUDIO_CAPTURE is set
  Manual,   // no thread: the test renders with RenderForTests
  None,     // no output can be opened
};
// Chooses how the next start opens its output; call it while nothing is running (CloseAll).
void SetOutputForTests(Output output);
// Renders frames synchronously (Manual output only) and returns them as interleaved 16-bit
// stereo, as the device would receive them.
std::vector<std::int16_t> RenderForTests(int frames);

// Commands from the user-interface thread to the render thread. Post and Take hold the lock
// only to append or to swap the vector.
template <class Command>
class CommandQueue {
 public:
  void Post(Command command) {
    std::lock_guard lock(mutex_);
    pending_.push_back(std::move(command));
  }
  std::vector<Command> Take() {
    std::vector<Command> taken;
    std::lock_guard lock(mutex_);
    taken.swap(pending_);
    return taken;
  }

 private:
  std::mutex mutex_;
  std::vector<Command> pending_;
};

}  // namespace audio
