// A small writer of Standard MIDI Files (format 1): one tempo track followed by any number of
// instrument tracks, each built from notes and channel events at absolute tick positions.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace mediagen {

// One track of a MIDI file. Notes are kept as whole notes (start and length) rather than as
// loose note-on and note-off events, so that every note-on is sure to get its note-off and two
// notes of one key on one channel never overlap in the bytes written.
class MidiTrack {
 public:
  explicit MidiTrack(std::string name);

  void Tempo(std::uint32_t tick, double beats_per_minute);
  // denominator_power: the denominator as a power of two (2 for quarter notes).
  void TimeSignature(std::uint32_t tick, int numerator, int denominator_power);
  void Program(std::uint32_t tick, int channel, int program);
  void Control(std::uint32_t tick, int channel, int controller, int value);
  void Note(std::uint32_t tick, std::uint32_t length, int channel, int key, int velocity);

  // The whole "MTrk" chunk: delta times, running status, end-of-track.
  std::vector<std::uint8_t> Chunk() const;

 private:
  struct Event {
    std::uint32_t tick;
    int order;  // events of one tick: meta, note-offs, then channel set-up, then note-ons
    std::vector<std::uint8_t> bytes;
  };
  struct NoteSpan {
    std::uint32_t start;
    std::uint32_t end;
    int channel;
    int key;
    int velocity;
  };

  std::vector<Event> SortedEvents() const;

  std::string name_;
  std::vector<Event> events_;
  std::vector<NoteSpan> notes_;
};

// The file's bytes: "MThd" (format 1, the given ticks per quarter note) and one chunk per track.
std::vector<std::uint8_t> SmfBytes(std::uint16_t ticks_per_quarter,
                                   const std::vector<MidiTrack>& tracks);

// Writes SmfBytes to the file; throws std::runtime_error naming the file when it cannot.
void WriteSmf(const std::filesystem::path& file, std::uint16_t ticks_per_quarter,
              const std::vector<MidiTrack>& tracks);

}  // namespace mediagen
