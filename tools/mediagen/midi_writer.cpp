#include "mediagen/midi_writer.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>
#include <tuple>
#include <utility>

namespace mediagen {
namespace {

constexpr int kOrderMeta = 0;
constexpr int kOrderNoteOff = 1;
constexpr int kOrderSetup = 2;
constexpr int kOrderNoteOn = 3;

void PutVariableLength(std::vector<std::uint8_t>& out, std::uint32_t value) {
  std::uint8_t groups[5];
  int count = 0;
  do {
    groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0);
  while (count > 1) out.push_back(static_cast<std::uint8_t>(groups[--count] | 0x80));
  out.push_back(groups[0]);
}

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) {
    out.push_back(static_cast<std::uint8_t>(value >> shift));
  }
}

std::uint8_t DataByte(int value) {
  return static_cast<std::uint8_t>(std::clamp(value, 0, 127));
}

std::uint8_t Status(int kind, int channel) {
  return static_cast<std::uint8_t>(kind | (channel & 0x0F));
}

}  // namespace

MidiTrack::MidiTrack(std::string name) : name_(std::move(name)) {}

void MidiTrack::Tempo(std::uint32_t tick, double beats_per_minute) {
  const auto micros = static_cast<std::uint32_t>(std::lround(60'000'000.0 / beats_per_minute));
  events_.push_back({tick, kOrderMeta, {0xFF, 0x51, 0x03}});
  PutBigEndian(events_.back().bytes, micros, 3);
}

void MidiTrack::TimeSignature(std::uint32_t tick, int numerator, int denominator_power) {
  events_.push_back({tick,
                     kOrderMeta,
                     {0xFF, 0x58, 0x04, DataByte(numerator), DataByte(denominator_power), 24, 8}});
}

void MidiTrack::Program(std::uint32_t tick, int channel, int program) {
  events_.push_back({tick, kOrderSetup, {Status(0xC0, channel), DataByte(program)}});
}

void MidiTrack::Control(std::uint32_t tick, int channel, int controller, int value) {
  events_.push_back(
      {tick, kOrderSetup, {Status(0xB0, channel), DataByte(controller), DataByte(value)}});
}

void MidiTrack::Note(std::uint32_t tick, std::uint32_t length, int channel, int key, int velocity) {
  if (length == 0) return;
  notes_.push_back({tick, tick + length, channel, key, std::clamp(velocity, 1, 127)});
}

std::vector<MidiTrack::Event> MidiTrack::SortedEvents() const {
  // A note struck again before it ended is cut short at the new stroke; of two strokes at the
  // same tick only the later one added is kept.
  std::vector<NoteSpan> notes = notes_;
  std::stable_sort(notes.begin(), notes.end(), [](const NoteSpan& a, const NoteSpan& b) {
    return std::tie(a.channel, a.key, a.start) < std::tie(b.channel, b.key, b.start);
  });
  std::vector<Event> events = events_;
  for (std::size_t i = 0; i < notes.size(); ++i) {
    NoteSpan note = notes[i];
    if (i + 1 < notes.size() && notes[i + 1].channel == note.channel &&
        notes[i + 1].key == note.key) {
      note.end = std::min(note.end, notes[i + 1].start);
    }
    if (note.end <= note.start) continue;
    events.push_back({note.start,
                      kOrderNoteOn,
                      {Status(0x90, note.channel), DataByte(note.key), DataByte(note.velocity)}});
    events.push_back(
        {note.end, kOrderNoteOff, {Status(0x80, note.channel), DataByte(note.key), 64}});
  }
  std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
    return std::tie(a.tick, a.order) < std::tie(b.tick, b.order);
  });
  return events;
}

std::vector<std::uint8_t> MidiTrack::Chunk() const {
  std::vector<std::uint8_t> body = {0x00, 0xFF, 0x03};
  PutVariableLength(body, static_cast<std::uint32_t>(name_.size()));
  body.insert(body.end(), name_.begin(), name_.end());

  std::uint32_t now = 0;
  std::uint8_t running_status = 0;  // meta events end running status
  for (const Event& event : SortedEvents()) {
    PutVariableLength(body, event.tick - now);
    now = event.tick;
    const std::uint8_t status = event.bytes.front();
    const bool is_channel_event = status < 0xF0;
    auto first = event.bytes.begin();
    if (is_channel_event && status == running_status) ++first;
    body.insert(body.end(), first, event.bytes.end());
    running_status = is_channel_event ? status : 0;
  }
  body.insert(body.end(), {0x00, 0xFF, 0x2F, 0x00});

  std::vector<std::uint8_t> chunk = {'M', 'T', 'r', 'k'};
  PutBigEndian(chunk, static_cast<std::uint32_t>(body.size()), 4);
  chunk.insert(chunk.end(), body.begin(), body.end());
  return chunk;
}

std::vector<std::uint8_t> SmfBytes(std::uint16_t ticks_per_quarter,
                                   const std::vector<MidiTrack>& tracks) {
  std::vector<std::uint8_t> bytes = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
  PutBigEndian(bytes, static_cast<std::uint32_t>(tracks.size()), 2);
  PutBigEndian(bytes, ticks_per_quarter, 2);
  for (const MidiTrack& track : tracks) {
    const std::vector<std::uint8_t> chunk = track.Chunk();
    bytes.insert(bytes.end(), chunk.begin(), chunk.end());
  }
  return bytes;
}

void WriteSmf(const std::filesystem::path& file, std::uint16_t ticks_per_quarter,
              const std::vector<MidiTrack>& tracks) {
  const std::vector<std::uint8_t> bytes = SmfBytes(ticks_per_quarter, tracks);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("mediagen: cannot write " + file.string());
}

}  // namespace mediagen
