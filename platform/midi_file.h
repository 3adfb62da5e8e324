// Reading of Standard MIDI Files (formats 0 and 1, ticks-per-quarter division) into one
// time-ordered list of channel messages with their times in seconds, for the sequencer behind
// the MCI stand-in. Broken or unsupported files, songs of more events than
// files::kMaxDecodedBytes holds and songs too large for what is left of files::kMaxLoadedBytes
// are refused, never half-read.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/file_read.h"

namespace midi {

struct Event {
  double seconds = 0;       // from the start of the song
  std::uint8_t status = 0;  // a channel message: 0x80..0xEF
  std::uint8_t data1 = 0;
  std::uint8_t data2 = 0;
};

struct Sequence {
  int division = 0;            // ticks per quarter note
  std::uint64_t end_tick = 0;  // the latest end of any track
  double end_seconds = 0;
  std::vector<Event> events;  // sorted by time, ties in file order
  // Tempo changes, sorted by tick: from `tick` on, a quarter lasts `us_per_quarter`.
  struct Tempo {
    std::uint64_t tick;
    double seconds;
    std::uint32_t us_per_quarter;
  };
  std::vector<Tempo> tempi;
  files::Charge charge;  // its share of the loaded-media budget

  double SecondsAt(double tick) const;
};

// The song holds its share of files::kMaxLoadedBytes; one that would not fit is refused.
std::optional<Sequence> ParseMidi(std::span<const std::uint8_t> bytes);
// The file, of at most 16 MiB, is read whole before its events are counted: its format declares
// no sizes but its chunks'.
std::optional<Sequence> ReadMidiFile(const std::string& host_path);

}  // namespace midi
