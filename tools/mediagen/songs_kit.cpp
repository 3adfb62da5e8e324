#include "mediagen/songs_kit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <utility>

namespace mediagen::songs {
namespace {

constexpr int kControlVolume = 7;
constexpr int kControlPan = 10;
constexpr int kControlReverb = 91;

int FloorDiv(int value, int divisor) {
  return value / divisor - ((value % divisor != 0) && ((value < 0) != (divisor < 0)));
}

std::uint32_t Ticks(int sixteenths) {
  if (sixteenths < 0) throw std::logic_error("mediagen: a note before the start of a song");
  return static_cast<std::uint32_t>(sixteenths) * kTicksPerSixteenth;
}

const Chord& ChordAt(const Progression& chords, int sixteenth) {
  return chords.at(static_cast<std::size_t>(sixteenth / kBar));
}

// Calls `play(stroke_index, absolute_start, stroke)` for every stroke of a rhythm repeated over
// the whole progression.
template <typename Play>
void OverProgression(const Progression& chords, std::string_view rhythm, int loudness, Play play) {
  const std::vector<Stroke> strokes = Strokes(rhythm, loudness);
  const int span = static_cast<int>(chords.size()) * kBar;
  const int cycle = static_cast<int>(rhythm.size());
  for (int start = 0; start < span; start += cycle) {
    for (std::size_t i = 0; i < strokes.size(); ++i) {
      if (start + strokes[i].at < span) play(i, start, strokes[i]);
    }
  }
}

// The first chord tone from `degree` going `way` (from `degree` itself when `may_stay`), or the
// other way when that one lies outside the style's range.
int ChordToneToward(int degree, int way, bool may_stay, const Chord& chord,
                    const MelodyStyle& style) {
  for (int attempt = 0; attempt < 2; ++attempt, way = -way) {
    int next = may_stay ? degree : degree + way;
    while (!IsChordTone(next, chord)) next += way;
    if (next >= style.lowest && next <= style.highest) return next;
  }
  return std::clamp(degree, style.lowest, style.highest);
}

}  // namespace

int Pitch(const Key& key, int degree) {
  const int octave = FloorDiv(degree, 7);
  return key.tonic + 12 * octave + key.mode[static_cast<std::size_t>(degree - 7 * octave)];
}

bool IsChordTone(int degree, const Chord& chord) {
  const int step = degree - chord.root - 7 * FloorDiv(degree - chord.root, 7);
  return step == 0 || step == 2 || step == 4 || (chord.seventh && step == 6);
}

std::vector<Stroke> Strokes(std::string_view rhythm, int loudness) {
  std::vector<Stroke> strokes;
  for (int i = 0; i < static_cast<int>(rhythm.size()); ++i) {
    switch (rhythm[i]) {
      case 'X':
        strokes.push_back({i, 1, loudness + 16});
        break;
      case 'x':
        strokes.push_back({i, 1, loudness});
        break;
      case 'o':
        strokes.push_back({i, 1, loudness - 22});
        break;
      case '-':
        if (!strokes.empty() && strokes.back().at + strokes.back().length == i) {
          ++strokes.back().length;
        }
        break;
      case '.':
        break;
      default:
        throw std::logic_error("mediagen: unknown rhythm character");
    }
  }
  return strokes;
}

// General MIDI hears a channel volume v as 40 log10(v / 127) decibels.
Score::Score(std::string title, double beats_per_minute, double level_db)
    : humanize_(0x5EA50u), volume_scale_(std::pow(10.0, level_db / 40.0)) {
  tracks_.emplace_back(std::move(title));
  tracks_.front().TimeSignature(0, 4, 2);
  tracks_.front().Tempo(0, beats_per_minute);
}

int Score::AddPart(std::string name, int channel, int program, int volume, int pan, int reverb) {
  MidiTrack& track = tracks_.emplace_back(std::move(name));
  track.Program(0, channel, program);
  track.Control(0, channel, kControlVolume,
                std::min(127, static_cast<int>(std::lround(volume * volume_scale_))));
  track.Control(0, channel, kControlPan, pan);
  track.Control(0, channel, kControlReverb, reverb);
  channels_.push_back(channel);
  return static_cast<int>(channels_.size()) - 1;
}

int Score::Instrument(std::string name, int program, int volume, int pan, int reverb) {
  if (next_channel_ == kDrumChannel) ++next_channel_;
  if (next_channel_ > 15) throw std::logic_error("mediagen: more parts than MIDI channels");
  return AddPart(std::move(name), next_channel_++, program, volume, pan, reverb);
}

int Score::Drums(int volume) {
  return AddPart("Drums", kDrumChannel, 0, volume, 64, 30);
}

void Score::Tempo(int at, double beats_per_minute) {
  tracks_.front().Tempo(Ticks(at), beats_per_minute);
}

void Score::Note(int part, int at, int length, int key, int velocity) {
  const int unevenness = humanize_.Below(9) - 4;
  tracks_.at(static_cast<std::size_t>(part) + 1)
      .Note(Ticks(at), Ticks(length), channels_.at(static_cast<std::size_t>(part)), key,
            velocity + unevenness);
}

void Score::Write(const std::filesystem::path& file) const {
  WriteSmf(file, kTicksPerQuarter, tracks_);
}

void DrumLoop(Score& score, int part, int at, int bars, int drum_key, std::string_view rhythm,
              int loudness) {
  const Progression span(static_cast<std::size_t>(bars), Chord{0});
  OverProgression(span, rhythm, loudness, [&](std::size_t, int start, const Stroke& s) {
    score.Note(part, at + start + s.at, 1, drum_key, s.velocity);
  });
}

void Riff(Score& score, int part, int at, const Key& key, const Progression& chords,
          std::string_view rhythm, const std::vector<int>& degrees, int root_floor, int loudness) {
  OverProgression(chords, rhythm, loudness, [&](std::size_t i, int start, const Stroke& s) {
    const Chord& chord = ChordAt(chords, start + s.at);
    const int root = Pitch(key, chord.root);
    const int lift = 12 * (FloorDiv(root_floor - root - 1, 12) + 1);
    const int degree = chord.root + degrees[i % degrees.size()];
    score.Note(part, at + start + s.at, s.length, Pitch(key, degree) + lift, s.velocity);
  });
}

void Comp(Score& score, int part, int at, const Key& key, const Progression& chords,
          std::string_view rhythm, int centre, int loudness) {
  OverProgression(chords, rhythm, loudness, [&](std::size_t, int start, const Stroke& s) {
    const Chord& chord = ChordAt(chords, start + s.at);
    for (int step = 0; step <= (chord.seventh ? 6 : 4); step += 2) {
      const int pitch = Pitch(key, chord.root + step);
      const int near_centre = pitch + 12 * FloorDiv(centre + 6 - pitch, 12);
      score.Note(part, at + start + s.at, s.length, near_centre, s.velocity);
    }
  });
}

Phrase ComposePhrase(SeededRandom& random, const Progression& chords, const MelodyStyle& style,
                     int& degree) {
  Phrase phrase;
  int direction = random.Chance(0.5) ? 1 : -1;
  const int last_bar = static_cast<int>(chords.size()) - 1;
  for (int bar = 0; bar <= last_bar; ++bar) {
    const Chord& chord = chords[static_cast<std::size_t>(bar)];
    const std::string_view rhythm = bar == last_bar ? style.ending
                                    : bar == 0      ? style.bars.front()
                                               : style.bars[static_cast<std::size_t>(random.Below(
                                                     static_cast<int>(style.bars.size())))];
    const std::vector<Stroke> strokes = Strokes(rhythm, style.loudness);
    if (random.Chance(0.3)) direction = -direction;
    for (std::size_t i = 0; i < strokes.size(); ++i) {
      const Stroke& s = strokes[i];
      const bool closing = bar == last_bar && i + 1 == strokes.size();
      if (closing) {
        // Settle on the nearest chord tone, down rather than up.
        degree = ChordToneToward(degree, -1, true, chord, style);
      } else if (s.at % 4 == 0) {
        // On a beat: the next chord tone in the melody's direction, now and then the other way.
        const int way = random.Chance(0.25) ? -direction : direction;
        const int next = ChordToneToward(degree, way, false, chord, style);
        if (next != degree) direction = next > degree ? 1 : -1;
        degree = next;
      } else if (!random.Chance(0.15)) {
        // Between the beats: a step or a skip, turned back at the edges of the range.
        degree += direction * (random.Chance(0.25) ? 2 : 1);
        if (degree > style.highest || degree < style.lowest) {
          direction = -direction;
          degree += 2 * direction *
                    (degree > style.highest ? degree - style.highest : style.lowest - degree);
        }
      }
      phrase.push_back({bar * kBar + s.at, s.length, degree, s.velocity});
    }
  }
  // The pickup climbs by step into the phrase's first note.
  const std::vector<Stroke> pickup = Strokes(style.pickup, style.loudness - 8);
  const int lead = static_cast<int>(style.pickup.size());
  const int first = phrase.empty() ? degree : phrase.front().degree;
  for (std::size_t i = 0; i < pickup.size(); ++i) {
    const int steps_before = static_cast<int>(pickup.size() - i);
    phrase.insert(
        phrase.begin() + static_cast<std::ptrdiff_t>(i),
        {pickup[i].at - lead, pickup[i].length, first - steps_before, pickup[i].velocity});
  }
  return phrase;
}

void PlayPhrase(Score& score, int part, int at, const Key& key, const Phrase& phrase, int transpose,
                int loudness_change) {
  for (const MelodyNote& note : phrase) {
    score.Note(part, at + note.at, note.length, Pitch(key, note.degree) + transpose,
               note.velocity + loudness_change);
  }
}

Progression Slice(const Progression& chords, int from, int count) {
  return Progression(chords.begin() + from, chords.begin() + from + count);
}

Progression Join(const std::vector<Progression>& parts) {
  Progression joined;
  for (const Progression& part : parts) joined.insert(joined.end(), part.begin(), part.end());
  return joined;
}

}  // namespace mediagen::songs
