#include "platform/midi_file.h"

#include <algorithm>

#include "platform/file_read.h"

namespace midi {
namespace {

constexpr std::size_t kMaxFileBytes = 16u << 20;
constexpr std::uint32_t kDefaultTempo = 500000;  // microseconds per quarter: 120 beats a minute

struct RawEvent {
  std::uint64_t tick;
  std::uint32_t tempo;  // 0 for a channel message
  Event message;
};

// The events as read are the largest form of a song: their count bounds what it occupies.
constexpr std::size_t kMaxEvents = files::kMaxDecodedBytes / sizeof(RawEvent);

// What the tracks of a file hold: their events, or only how many when out is null.
struct Tally {
  std::vector<RawEvent>* out = nullptr;
  std::size_t events = 0;
  std::size_t tempi = 0;
};

// Reads one track's events into the tally; false when the track is broken.
class TrackReader {
 public:
  explicit TrackReader(std::span<const std::uint8_t> track) : data_(track) {}

  bool Read(Tally& out, std::uint64_t& end_tick) {
    std::uint64_t tick = 0;
    std::uint8_t running = 0;
    while (at_ < data_.size()) {
      std::uint32_t delta = 0;
      if (!Vlq(delta)) return false;
      tick += delta;
      std::uint8_t status = 0;
      if (!Byte(status)) return false;
      if (status < 0x80) {  // running status: this byte is the first data byte
        if (running == 0) return false;
        --at_;
        status = running;
      }
      if (status == 0xFF) {
        std::uint8_t type = 0;
        std::uint32_t length = 0;
        if (!Byte(type) || !Vlq(length) || length > data_.size() - at_) return false;
        if (type == 0x51 && length == 3) {
          const std::uint32_t us = static_cast<std::uint32_t>(data_[at_]) << 16 |
                                   static_cast<std::uint32_t>(data_[at_ + 1]) << 8 | data_[at_ + 2];
          if (us == 0 || !Add(out, {tick, us, {}})) return false;
        }
        at_ += length;
        if (type == 0x2F) break;  // end of track
      } else if (status == 0xF0 || status == 0xF7) {
        std::uint32_t length = 0;
        if (!Vlq(length) || length > data_.size() - at_) return false;
        at_ += length;
      } else if (status >= 0xF0) {
        return false;  // system messages have no place in a file
      } else {
        running = status;
        Event e;
        e.status = status;
        if (!Data(e.data1)) return false;
        const std::uint8_t kind = status & 0xF0;
        if (kind != 0xC0 && kind != 0xD0 && !Data(e.data2)) return false;
        if (!Add(out, {tick, 0, e})) return false;
      }
    }
    end_tick = std::max(end_tick, tick);
    return true;
  }

 private:
  static bool Add(Tally& out, const RawEvent& e) {
    if (out.events == kMaxEvents) return false;
    ++out.events;
    out.tempi += e.tempo != 0;
    if (out.out) out.out->push_back(e);
    return true;
  }
  bool Byte(std::uint8_t& b) {
    if (at_ >= data_.size()) return false;
    b = data_[at_++];
    return true;
  }
  bool Data(std::uint8_t& b) { return Byte(b) && b < 0x80; }
  bool Vlq(std::uint32_t& value) {
    value = 0;
    for (int i = 0; i < 4; ++i) {
      std::uint8_t b = 0;
      if (!Byte(b)) return false;
      value = value << 7 | (b & 0x7F);
      if (!(b & 0x80)) return true;
    }
    return false;
  }

  std::span<const std::uint8_t> data_;
  std::size_t at_ = 0;
};

std::uint32_t Get32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
         static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}
std::uint16_t Get16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
}

// Reads the tracks that follow the header into the tally; false when the file is broken.
bool ReadTracks(std::span<const std::uint8_t> bytes, std::size_t at, int tracks, Tally& tally,
                std::uint64_t& end_tick) {
  for (int found = 0; found < tracks;) {
    if (bytes.size() - at < 8) return false;
    const std::uint32_t size = Get32(&bytes[at + 4]);
    if (size > bytes.size() - at - 8) return false;
    if (Get32(&bytes[at]) == 0x4D54726B) {  // "MTrk"; other chunks are skipped
      if (!TrackReader(bytes.subspan(at + 8, size)).Read(tally, end_tick)) return false;
      ++found;
    }
    at += 8 + size;
  }
  return true;
}

void BuildTimes(Sequence& seq, std::vector<RawEvent>& raw) {
  std::stable_sort(raw.begin(), raw.end(),
                   [](const RawEvent& a, const RawEvent& b) { return a.tick < b.tick; });
  seq.tempi.push_back({0, 0.0, kDefaultTempo});
  for (const auto& r : raw) {
    if (r.tempo == 0) continue;
    const double seconds = seq.SecondsAt(static_cast<double>(r.tick));
    if (seq.tempi.back().tick == r.tick) seq.tempi.pop_back();
    seq.tempi.push_back({r.tick, seconds, r.tempo});
  }
  for (const auto& r : raw) {
    if (r.tempo != 0) continue;
    Event e = r.message;
    e.seconds = seq.SecondsAt(static_cast<double>(r.tick));
    seq.events.push_back(e);
  }
  seq.end_seconds = seq.SecondsAt(static_cast<double>(seq.end_tick));
}

}  // namespace

double Sequence::SecondsAt(double tick) const {
  auto it = std::upper_bound(tempi.begin(), tempi.end(), tick, [](double t, const Tempo& tempo) {
    return t < static_cast<double>(tempo.tick);
  });
  const Tempo& t = it == tempi.begin() ? tempi.front() : *(it - 1);
  return t.seconds + (tick - static_cast<double>(t.tick)) * t.us_per_quarter / 1e6 / division;
}

std::optional<Sequence> ParseMidi(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 14 || Get32(&bytes[0]) != 0x4D546864) return std::nullopt;  // "MThd"
  const std::uint32_t header_size = Get32(&bytes[4]);
  if (header_size < 6 || header_size > bytes.size() - 8) return std::nullopt;
  const int format = Get16(&bytes[8]);
  const int tracks = Get16(&bytes[10]);
  const int division = Get16(&bytes[12]);
  // Time-code divisions have no sixteenth notes to count positions in.
  if (format > 1 || tracks == 0 || division == 0 || (division & 0x8000)) return std::nullopt;

  // The file declares no count of events: they are counted first, and the song's share of the
  // loaded-media budget is taken before anything is allocated for them.
  Sequence seq;
  seq.division = division;
  Tally counted;
  if (!ReadTracks(bytes, 8 + header_size, tracks, counted, seq.end_tick)) return std::nullopt;
  auto charge = files::Charge::Take((counted.events - counted.tempi) * sizeof(Event) +
                                    (counted.tempi + 1) * sizeof(Sequence::Tempo));
  if (!charge) return std::nullopt;
  seq.charge = std::move(*charge);
  std::vector<RawEvent> raw;
  raw.reserve(counted.events);
  seq.events.reserve(counted.events - counted.tempi);
  seq.tempi.reserve(counted.tempi + 1);
  Tally read{&raw};
  ReadTracks(bytes, 8 + header_size, tracks, read, seq.end_tick);  // sound, as counted
  BuildTimes(seq, raw);
  return seq;
}

std::optional<Sequence> ReadMidiFile(const std::string& host_path) {
  std::optional<Sequence> seq;
  if (const auto bytes = files::ReadRegularFile(host_path, kMaxFileBytes)) seq = ParseMidi(*bytes);
  files::ReleaseFreedMemory();
  return seq;
}

}  // namespace midi
