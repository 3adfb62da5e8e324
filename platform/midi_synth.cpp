#include "platform/midi_synth.h"

#include <dlfcn.h>
#include <fluidsynth.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cassert>
#include <cmath>
#include <cstdio>
#include <string>

#include "platform/audio_engine.h"
#include "platform/environment.h"
#include "platform/file_read.h"
#include "platform/interface_thread.h"

namespace midi {
namespace {

constexpr int kBlocks = 16;
constexpr int kBlockChannels = 16;
constexpr int kDrumChannel = 9;
constexpr int kChunkFrames = 1024;
// The library's default gain leaves General MIDI songs some 10 dB below the sound effects; this
// sets them level with the bubbles loop.
constexpr double kSynthGain = 0.6;
constexpr const char* kDefaultSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
// The voices that sound at once; a note beyond them takes the place of the quietest.
constexpr int kPolyphony = 256;

// The synthesizer reports every voice it cannot start (with its channel and key) and every full
// queue, thousands of lines a second under a crowded song, while one line of each kind tells
// what went wrong. A kind is the message without its digits. It is called on whichever thread
// the synthesizer reports from, the render thread among them, so its memory of the kinds takes
// no lock and no allocation, and only the first line of a kind reaches the (unbuffered) standard
// error; kinds beyond those it has room to remember go unreported.
void ReportOncePerKind(int level, const char* message, void* /*data*/) {
  static std::array<std::atomic<std::uint64_t>, 64> reported{};  // 0: a free slot
  std::uint64_t kind = 14695981039346656037ull;                  // FNV-1a
  for (const char* c = message; *c; ++c) {
    if (*c >= '0' && *c <= '9') continue;
    kind = (kind ^ static_cast<unsigned char>(*c)) * 1099511628211ull;
  }
  kind |= 1;  // never 0
  for (auto& slot : reported) {
    std::uint64_t held = 0;
    if (slot.compare_exchange_strong(held, kind)) {
      std::fprintf(stderr, "fluidsynth: %s: %s\n", level == FLUID_WARN ? "warning" : "error",
                   message);
      return;
    }
    if (held == kind) return;
  }
}

// Start a song on a block (song set) or stop the block (song null).
struct Command {
  int block;
  std::shared_ptr<const Sequence> song;
  double start_seconds;
  std::uint32_t serial;
};

// State shared between the two threads: the synthesizer (created and deleted on the
// user-interface thread while no render can run) and, per block, the serial of the last
// playing that reached its end.
std::atomic<fluid_synth_t*> shared_synth{nullptr};
std::array<std::atomic<std::uint32_t>, kBlocks> ended_serial{};

// The render side: the songs being played, advanced by the frames the render produces.
class SongSource final : public audio::Source {
 public:
  audio::CommandQueue<Command> commands;

  void Mix(float* out, int frames) override {
    fluid_synth_t* synth = shared_synth.load(std::memory_order_acquire);
    commands.TakeEach([this, synth](Command& c) { Apply(synth, c); });
    if (!synth) return;
    int budget = kMaxEventsPerBlock;
    int done = 0;
    while (done < frames) {
      DispatchDue(synth, budget);
      int chunk = std::min(frames - done, kChunkFrames);
      // Events left waiting for the next block do not cut this one short.
      for (auto& v : voices_) {
        if (v.song && NextFrame(v) > v.frames)
          chunk = static_cast<int>(std::min<std::int64_t>(chunk, NextFrame(v) - v.frames));
      }
      fluid_synth_write_float(synth, chunk, left_.data(), 0, 1, right_.data(), 0, 1);
      for (int i = 0; i < chunk; ++i) {
        out[2 * (done + i)] += left_[i];
        out[2 * (done + i) + 1] += right_[i];
      }
      for (auto& v : voices_) v.frames += chunk;
      done += chunk;
    }
  }

  void Reset() override {
    commands.Clear();
    for (auto& v : voices_) v = Voice{};
  }

 private:
  struct Voice {
    std::shared_ptr<const Sequence> song;  // null when the block is silent
    std::size_t cursor = 0;
    double start_seconds = 0;
    std::int64_t frames = 0;  // rendered since the start
    std::uint32_t serial = 0;
  };

  std::int64_t FrameOf(const Voice& v, double seconds) const {
    return std::llround((seconds - v.start_seconds) * audio::kRate);
  }
  std::int64_t NextFrame(const Voice& v) const {
    const auto& events = v.song->events;
    return FrameOf(v, v.cursor < events.size() ? events[v.cursor].seconds : v.song->end_seconds);
  }

  static void Send(fluid_synth_t* synth, int block, const Event& e) {
    const int chan = block * kBlockChannels + (e.status & 0x0F);
    switch (e.status & 0xF0) {
      case 0x80:
        fluid_synth_noteoff(synth, chan, e.data1);
        break;
      case 0x90:
        if (e.data2 == 0) {
          fluid_synth_noteoff(synth, chan, e.data1);
        } else {
          fluid_synth_noteon(synth, chan, e.data1, e.data2);
        }
        break;
      case 0xA0:
        fluid_synth_key_pressure(synth, chan, e.data1, e.data2);
        break;
      case 0xB0:
        fluid_synth_cc(synth, chan, e.data1, e.data2);
        break;
      case 0xC0:
        fluid_synth_program_change(synth, chan, e.data1);
        break;
      case 0xD0:
        fluid_synth_channel_pressure(synth, chan, e.data1);
        break;
      case 0xE0:
        fluid_synth_pitch_bend(synth, chan, e.data1 | e.data2 << 7);
        break;
    }
  }

  // Every note of the block is released, never cut: a note cut in mid-swing clicks, while its
  // release is the ending the instrument was made with.
  static void Silence(fluid_synth_t* synth, int block) {
    for (int c = 0; c < kBlockChannels; ++c) {
      const int chan = block * kBlockChannels + c;
      fluid_synth_cc(synth, chan, 64, 0);  // sustain pedal up, so that notes can end
      fluid_synth_all_notes_off(synth, chan);
    }
  }

  // A song starts on fresh channels.
  static void Prepare(fluid_synth_t* synth, int block) {
    Silence(synth, block);
    for (int c = 0; c < kBlockChannels; ++c) {
      const int chan = block * kBlockChannels + c;
      fluid_synth_cc(synth, chan, 121, 0);  // reset all controllers
      fluid_synth_cc(synth, chan, 7, 100);
      fluid_synth_cc(synth, chan, 10, 64);
      fluid_synth_program_change(synth, chan, 0);
    }
  }

  void Apply(fluid_synth_t* synth, Command& c) {
    Voice& v = voices_[c.block];
    if (synth && v.song && !c.song) Silence(synth, c.block);
    v = Voice{};
    if (!c.song || !synth) return;
    Prepare(synth, c.block);
    v.song = std::move(c.song);
    v.start_seconds = c.start_seconds;
    v.serial = c.serial;
  }

  // Sends the due events, at most `budget` of them, which it uses up: what is left waits for
  // the next block, so that however many events a song crowds into one instant, a block ends in
  // good time and the output can always be closed. The events before a song's start position
  // are due at once; of them only the controller and program changes are sent, so that the
  // song starts with the instruments it would have there.
  void DispatchDue(fluid_synth_t* synth, int& budget) {
    for (int b = 0; b < kBlocks; ++b) {
      Voice& v = voices_[b];
      if (!v.song) continue;
      const auto& events = v.song->events;
      while (budget > 0 && v.cursor < events.size() &&
             FrameOf(v, events[v.cursor].seconds) <= v.frames) {
        const Event& e = events[v.cursor++];
        const int kind = e.status & 0xF0;
        if (e.seconds < v.start_seconds && (kind == 0x80 || kind == 0x90 || kind == 0xA0)) continue;
        Send(synth, b, e);
        --budget;
      }
      if (v.cursor == events.size() && FrameOf(v, v.song->end_seconds) <= v.frames) {
        Silence(synth, b);
        ended_serial[b].store(v.serial, std::memory_order_release);
        v = Voice{};
      }
    }
  }

  std::array<Voice, kBlocks> voices_;
  std::array<float, kChunkFrames> left_{};
  std::array<float, kChunkFrames> right_{};
};

// The user-interface side.
struct Control {
  SongSource source;
  fluid_settings_t* settings = nullptr;
  std::array<bool, kBlocks> taken{};
  int next_block = 0;  // where the search for a free block starts
  std::array<bool, kBlocks> playing{};
  std::array<std::uint32_t, kBlocks> serial{};
};

void DeleteSynth(Control& control) {
  if (auto* synth = shared_synth.exchange(nullptr)) delete_fluid_synth(synth);
  if (control.settings) delete_fluid_settings(control.settings);
  control.settings = nullptr;
  control.taken.fill(false);
  control.next_block = 0;
  control.playing.fill(false);
}

Control& TheControl() {
  assert(forms::OnInterfaceThread());
  static Control& control = audio::NewClient<Control>(DeleteSynth);
  return control;
}

}  // namespace

bool EnsureSynth() {
  Control& control = TheControl();
  if (shared_synth.load()) return true;
  std::string path = env::Get(env::kSoundFont);
  if (path.empty()) path = kDefaultSoundFont;
  for (const int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN})
    fluid_set_log_function(level, ReportOncePerKind, nullptr);
  control.settings = new_fluid_settings();
  fluid_settings_setnum(control.settings, "synth.sample-rate", audio::kRate);
  fluid_settings_setint(control.settings, "synth.midi-channels", kBlocks * kBlockChannels);
  fluid_settings_setint(control.settings, "synth.lock-memory", 0);
  fluid_settings_setint(control.settings, "synth.polyphony", kPolyphony);
  fluid_settings_setint(control.settings, "synth.cpu-cores", 1);  // no mixer threads
  // The library also runs the loading of the samples and each block's reverb and chorus in
  // OpenMP parallel regions, which start a worker thread a processor; with no active levels
  // allowed every region runs on the thread that enters it alone.
  using SetMaxActiveLevels = void (*)(int);
  if (auto* set =
          reinterpret_cast<SetMaxActiveLevels>(::dlsym(RTLD_DEFAULT, "omp_set_max_active_levels")))
    set(0);
  fluid_settings_setnum(control.settings, "synth.gain", kSynthGain);
  fluid_synth_t* synth = new_fluid_synth(control.settings);
  // The synthesizer opens the file itself, and would wait for ever on a named pipe.
  if (!synth || !files::RegularFile::Open(path) ||
      fluid_synth_sfload(synth, path.c_str(), 1) == FLUID_FAILED) {
    std::fprintf(stderr, "MIDI sequencer: cannot load the SoundFont %s\n", path.c_str());
    if (synth) delete_fluid_synth(synth);
    delete_fluid_settings(control.settings);
    control.settings = nullptr;
    return false;
  }
  for (int chan = 0; chan < kBlocks * kBlockChannels; ++chan) {
    const bool drums = chan % kBlockChannels == kDrumChannel;
    fluid_synth_set_channel_type(synth, chan, drums ? CHANNEL_TYPE_DRUM : CHANNEL_TYPE_MELODIC);
  }
  fluid_synth_program_reset(synth);
  shared_synth.store(synth, std::memory_order_release);
  return true;
}

// The blocks are taken in turn, so that a song opened just after another was closed gets other
// channels than those on which the closed song's last notes still ring out.
int TakeBlock() {
  Control& control = TheControl();
  for (int i = 0; i < kBlocks; ++i) {
    const int b = (control.next_block + i) % kBlocks;
    if (!control.taken[b]) {
      control.taken[b] = true;
      control.next_block = (b + 1) % kBlocks;
      return b;
    }
  }
  return -1;
}

void FreeBlock(int block) {
  Stop(block);
  TheControl().taken[block] = false;
}

void Play(int block, std::shared_ptr<const Sequence> song, double start_seconds) {
  Control& control = TheControl();
  const std::uint32_t serial = ++control.serial[block];
  control.playing[block] = true;
  control.source.commands.Post({block, audio::Lend(std::move(song)), start_seconds, serial});
}

void Stop(int block) {
  Control& control = TheControl();
  if (!control.playing[block]) return;
  ++control.serial[block];
  control.playing[block] = false;
  control.source.commands.Post({block, nullptr, 0, 0});
}

bool Playing(int block) {
  Control& control = TheControl();
  if (control.playing[block] &&
      ended_serial[block].load(std::memory_order_acquire) == control.serial[block]) {
    control.playing[block] = false;
  }
  return control.playing[block];
}

}  // namespace midi
