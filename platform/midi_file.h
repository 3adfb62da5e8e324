// Reading of Standard MIDI Files (formats 0 and 1, ticks-per-quarter division) into one
// time-ordered list of channel messages with their times in seconds, for the sequencer behind
// the MCI stand-in. Broken or unsupported files, and songs of more events than
// files::kMaxDecodedBytes holds, are refused, never half-read.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

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

  double SecondsAt(double tick) const;
};

std::optional<Sequence> ParseMidi(std::span<const std::uint8_t> bytes);
std::optional<Sequence> ReadMidiFile(const std::string& host_path);

}  // namespace midi
