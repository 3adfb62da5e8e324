// A small, strict reader of Standard MIDI Files for the tests: it reads the bytes the way a
// sequencer would (chunk lengths, variable-length deltas, running status, meta and system
// exclusive events) and throws std::runtime_error on anything malformed.
#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace smf {

struct Event {
  std::uint32_t tick = 0;   // absolute
  std::uint8_t status = 0;  // 0xFF for meta events
  std::uint8_t meta_type = 0;
  std::vector<std::uint8_t> data;  // channel data bytes, or the meta event's payload
  int Kind() const { return status & 0xF0; }
  int Channel() const { return status & 0x0F; }
  bool IsNoteOn() const { return Kind() == 0x90 && status < 0xF0 && data.at(1) > 0; }
  bool IsNoteOff() const {
    return status < 0xF0 && (Kind() == 0x80 || (Kind() == 0x90 && data.at(1) == 0));
  }
};

struct Track {
  std::vector<Event> events;   // the end-of-track event is checked and left out
  std::uint32_t end_tick = 0;  // where the end-of-track event stands
};

struct File {
  int format = 0;
  int division = 0;  // ticks per quarter note
  std::vector<Track> tracks;
};

class Reader {
 public:
  Reader(const std::vector<std::uint8_t>& bytes, std::size_t begin, std::size_t end)
      : bytes_(bytes), at_(begin), end_(end) {}
  bool AtEnd() const { return at_ >= end_; }
  std::size_t Position() const { return at_; }
  std::uint8_t Byte() {
    if (at_ >= end_) throw std::runtime_error("unexpected end of data");
    return bytes_[at_++];
  }
  std::uint8_t Peek() const {
    if (at_ >= end_) throw std::runtime_error("unexpected end of data");
    return bytes_[at_];
  }
  std::uint32_t BigEndian(int count) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) value = (value << 8) | Byte();
    return value;
  }
  std::uint32_t VariableLength() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
      const std::uint8_t b = Byte();
      value = (value << 7) | (b & 0x7F);
      if ((b & 0x80) == 0) return value;
    }
    throw std::runtime_error("variable-length number longer than four bytes");
  }
  std::string Tag() {
    std::string tag;
    for (int i = 0; i < 4; ++i) tag += static_cast<char>(Byte());
    return tag;
  }
  void Skip(std::size_t count) {
    if (count > end_ - at_) throw std::runtime_error("length past end of data");
    at_ += count;
  }

 private:
  const std::vector<std::uint8_t>& bytes_;
  std::size_t at_;
  std::size_t end_;
};

inline Track ParseTrack(const std::vector<std::uint8_t>& bytes, std::size_t begin,
                        std::size_t end) {
  Reader in(bytes, begin, end);
  Track track;
  std::uint32_t tick = 0;
  std::uint8_t running = 0;
  while (!in.AtEnd()) {
    Event event;
    tick += in.VariableLength();
    event.tick = tick;
    std::uint8_t status = in.Peek();
    if (status & 0x80) {
      in.Byte();
    } else if (running == 0) {
      throw std::runtime_error("data byte without a running status");
    } else {
      status = running;
    }
    event.status = status;
    if (status == 0xFF) {
      event.meta_type = in.Byte();
      const std::uint32_t length = in.VariableLength();
      for (std::uint32_t i = 0; i < length; ++i) event.data.push_back(in.Byte());
      running = 0;
      if (event.meta_type == 0x2F) {
        if (!in.AtEnd()) throw std::runtime_error("events after end-of-track");
        track.end_tick = tick;
        return track;
      }
    } else if (status == 0xF0 || status == 0xF7) {
      in.Skip(in.VariableLength());
      running = 0;
      continue;
    } else if (status > 0xF0) {
      throw std::runtime_error("system message inside a file");
    } else {
      const int kind = status & 0xF0;
      const int count = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
      for (int i = 0; i < count; ++i) {
        const std::uint8_t b = in.Byte();
        if (b & 0x80) throw std::runtime_error("status byte where data was expected");
        event.data.push_back(b);
      }
      running = status;
    }
    track.events.push_back(event);
  }
  throw std::runtime_error("track without end-of-track");
}

inline File Parse(const std::vector<std::uint8_t>& bytes) {
  Reader in(bytes, 0, bytes.size());
  if (in.Tag() != "MThd" || in.BigEndian(4) != 6) throw std::runtime_error("bad MThd header");
  File file;
  file.format = static_cast<int>(in.BigEndian(2));
  const std::uint32_t track_count = in.BigEndian(2);
  file.division = static_cast<int>(in.BigEndian(2));
  if (file.division & 0x8000) throw std::runtime_error("SMPTE division");
  for (std::uint32_t t = 0; t < track_count; ++t) {
    if (in.Tag() != "MTrk") throw std::runtime_error("missing MTrk chunk");
    const std::uint32_t length = in.BigEndian(4);
    const std::size_t begin = in.Position();
    in.Skip(length);
    file.tracks.push_back(ParseTrack(bytes, begin, begin + length));
  }
  if (!in.AtEnd()) throw std::runtime_error("bytes after the last track");
  return file;
}

// Seconds from the start to `tick`, following every tempo change in any track (default 120
// beats a minute until the first).
inline double SecondsAt(const File& file, std::uint32_t tick) {
  std::map<std::uint32_t, std::uint32_t> tempo = {{0, 500000}};
  for (const Track& track : file.tracks) {
    for (const Event& e : track.events) {
      if (e.status == 0xFF && e.meta_type == 0x51 && e.data.size() == 3) {
        tempo[e.tick] = (std::uint32_t{e.data[0]} << 16) | (e.data[1] << 8) | e.data[2];
      }
    }
  }
  double seconds = 0.0;
  for (auto it = tempo.begin(); it != tempo.end() && it->first < tick; ++it) {
    const auto next = std::next(it);
    const std::uint32_t until = (next == tempo.end() || next->first > tick) ? tick : next->first;
    seconds += static_cast<double>(until - it->first) * it->second / 1e6 / file.division;
  }
  return seconds;
}

inline std::uint32_t LastTick(const File& file) {
  std::uint32_t last = 0;
  for (const Track& track : file.tracks) {
    last = std::max(last, track.end_tick);
  }
  return last;
}

}  // namespace smf
