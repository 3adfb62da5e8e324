// The one audio output of the process. Everything the program plays (the wave mixer's
// channels, the MCI songs, the simple wave player) is a Source that adds itself into a single
// render, which runs on the output's own thread:
//   - normally an SDL2 audio device (SDL_AUDIODRIVER=dummy where the machine has none; the
//     dummy driver still calls back in real time);
//   - FINBROOK_AUDIO_CAPTURE=<file.wav>: a thread renders in real time into that WAV file
//     (44100 Hz, stereo, 16-bit), one write a block; the sizes in its header are brought up to
//     date every second and when the output closes;
//   - in unit tests, no thread at all: RenderForTests renders on the caller's thread.
//
// Threads: the user-interface thread owns every decision and every file load; it hands work
// to the render thread through CommandQueues, and reads back what the render thread publishes
// through atomics. The render thread never waits for the user-interface thread, which waits for
// the render thread only when a command queue is full (see WaitForRoom); the render thread
// neither allocates nor frees memory: sources hold what they play in storage of a fixed size,
// command queues are rings of fixed size, and whatever the render thread holds by shared_ptr
// was lent to it (Lend), so that the last reference is always dropped on the user-interface
// thread.
//
// Life: the first client (a mixer session, an open MCI alias, the simple player) that Acquires
// the output opens it, and it stays open, like a system's sound output, until the process ends
// through the run time (forms::End and every other way out of platform/app.cpp), which calls
// CloseAll: a song closed and the next one opened at once play on one open output, and what was
// stopped rings out instead of being cut off by a closing device.
#pragma once

#include <array>
#include <atomic>
#include <cassert>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/interface_thread.h"

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

// A client of the output for the life of the process (a module singleton): its member `source`
// joins the mix, and forget(client) runs at CloseAll.
template <class Client, class Forget>
Client& NewClient(Forget forget) {
  auto* client = new Client;  // lives as long as the process
  AddSource(client->source);
  AddCloseHook([client, forget] { forget(*client); });
  return *client;
}

// A client needs the output: starts it when it is not running. False when no output can be
// opened.
bool Acquire();

// Keeps a reference to what is about to be posted to the render thread (a wave, a song) until
// the render thread has let go of it, and returns it for posting. What the render thread no
// longer holds is let go of here, at the next Lend, or at CloseAll.
void LendAny(std::shared_ptr<const void> item);
template <class T>
std::shared_ptr<const T> Lend(std::shared_ptr<const T> item) {
  LendAny(item);
  return item;
}

// The end of the process's sound: stops the output and its thread, completes the capture file,
// resets every source and client and deletes the synthesizer. The run time calls it as the
// process ends; tests, to start afresh.
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

// The user-interface thread's wait when a command queue is full: the render thread empties
// every queue at each block, so room comes within one block. A render that has not run for a
// second is not coming back, and the process ends naming the call rather than hang.
void WaitForRoom(const char* call, const std::function<bool()>& has_room);

// Commands from the user-interface thread to the render thread: a ring of fixed size with one
// producer and one consumer, so that neither side takes a lock or allocates. The render thread
// moves each command out of its slot and the slot is reused by later posts; what a command
// holds by shared_ptr was lent (Lend), so the render thread never drops the last reference.
template <class Command>
class CommandQueue {
 public:
  // Far more than the program posts between two blocks.
  static constexpr std::size_t kCapacity = 256;

  void Post(Command command) {
    assert(forms::OnInterfaceThread());
    const std::size_t tail = tail_.load(std::memory_order_relaxed);
    if (tail - head_.load(std::memory_order_acquire) == kCapacity) {
      WaitForRoom("CommandQueue::Post", [this, tail] {
        return tail - head_.load(std::memory_order_acquire) < kCapacity;
      });
    }
    slots_[tail % kCapacity] = std::move(command);
    tail_.store(tail + 1, std::memory_order_release);
  }
  // Render thread: hands each command posted since the last call to apply, in order.
  template <class Apply>
  void TakeEach(Apply&& apply) {
    std::size_t head = head_.load(std::memory_order_relaxed);
    const std::size_t tail = tail_.load(std::memory_order_acquire);
    for (; head != tail; ++head) {
      Command command = std::move(slots_[head % kCapacity]);
      apply(command);
    }
    head_.store(head, std::memory_order_release);
  }
  // While no render runs: forgets every command.
  void Clear() {
    slots_.fill(Command{});
    head_.store(0);
    tail_.store(0);
  }

 private:
  std::array<Command, kCapacity> slots_{};
  std::atomic<std::size_t> head_{0};  // written by the render thread only
  std::atomic<std::size_t> tail_{0};  // written by the user-interface thread only
};

}  // namespace audio
