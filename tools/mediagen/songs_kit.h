// The composer's kit behind the six songs: keys and chords counted in scale degrees, rhythms
// written one character per sixteenth note, and a score that collects the parts of one song and
// writes it as a Standard MIDI File. Time is counted in sixteenth notes throughout, the unit in
// which a sequencer is told where to start playing.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "mediagen/midi_writer.h"
#include "mediagen/seeded_random.h"

namespace mediagen::songs {

constexpr int kTicksPerQuarter = 480;
constexpr int kTicksPerSixteenth = kTicksPerQuarter / 4;
constexpr int kBar = 16;  // sixteenths in a bar of four beats
constexpr int kDrumChannel = 9;

using Mode = std::array<int, 7>;  // semitones of the seven steps above the tonic
inline constexpr Mode kMajor = {0, 2, 4, 5, 7, 9, 11};
inline constexpr Mode kMinor = {0, 2, 3, 5, 7, 8, 10};
inline constexpr Mode kHarmonicMinor = {0, 2, 3, 5, 7, 8, 11};

struct Key {
  int tonic;  // MIDI note of scale degree 0
  Mode mode;
};

// The MIDI note of a scale degree; degree 7 is the tonic an octave up, -1 the step below it.
int Pitch(const Key& key, int degree);

// A chord named by the scale degree of its root: root, third and fifth of the scale above it,
// and the seventh too when asked.
struct Chord {
  int root;
  bool seventh = false;
};
using Progression = std::vector<Chord>;  // one chord per bar

bool IsChordTone(int degree, const Chord& chord);

// A rhythm, one character per sixteenth: 'X' accented stroke, 'x' stroke, 'o' soft stroke,
// '-' the stroke before held on, '.' silence.
struct Stroke {
  int at;
  int length;
  int velocity;
};
std::vector<Stroke> Strokes(std::string_view rhythm, int loudness);

// One song under construction. Parts are tracks, each on a channel of its own (drums on the
// drum channel); track 0 holds the title, time signature and tempo map.
class Score {
 public:
  // level_db raises or lowers every part's volume together, so that songs of different moods
  // still play about equally loud.
  Score(std::string title, double beats_per_minute, double level_db = 0.0);

  int Instrument(std::string name, int program, int volume, int pan, int reverb);
  int Drums(int volume);
  void Tempo(int at, double beats_per_minute);
  // Velocities get a slight, repeatable unevenness so that no two strokes sound machine-alike.
  void Note(int part, int at, int length, int key, int velocity);
  void Write(const std::filesystem::path& file) const;

 private:
  int AddPart(std::string name, int channel, int program, int volume, int pan, int reverb);

  std::vector<MidiTrack> tracks_;
  std::vector<int> channels_;  // per part
  int next_channel_ = 0;
  SeededRandom humanize_;
  double volume_scale_;
};

// Repeats a drum rhythm on one drum key for `bars` bars from `at`.
void DrumLoop(Score& score, int part, int at, int bars, int drum_key, std::string_view rhythm,
              int loudness);

// A line over the chords, one bar of the progression after another from `at`: each stroke of
// the (repeating) rhythm plays the next of `degrees`, scale steps above the bar's chord root,
// whose note is the first at or above `root_floor`.
void Riff(Score& score, int part, int at, const Key& key, const Progression& chords,
          std::string_view rhythm, const std::vector<int>& degrees, int root_floor, int loudness);

// Chord strokes: each stroke sounds the bar's chord in close position around `centre`.
void Comp(Score& score, int part, int at, const Key& key, const Progression& chords,
          std::string_view rhythm, int centre, int loudness);

// A melody as scale degrees; `at` counts from the phrase's first bar line, so a pickup before
// it has negative times.
struct MelodyNote {
  int at;
  int length;
  int degree;
  int velocity;
};
using Phrase = std::vector<MelodyNote>;

struct MelodyStyle {
  std::vector<std::string_view> bars;  // bar rhythms; the first opens every phrase on its downbeat
  std::string_view ending;             // the rhythm of a phrase's last bar
  std::string_view pickup;             // the notes leading into the first bar line, or empty
  int lowest;                          // range, in scale degrees
  int highest;
  int loudness;
};

// Composes a phrase over the chords: chord tones on the beats, steps between them, a contour
// that wanders up and down, and a close on a chord tone. `degree` is where the melody stands
// before and after the phrase.
Phrase ComposePhrase(SeededRandom& random, const Progression& chords, const MelodyStyle& style,
                     int& degree);

void PlayPhrase(Score& score, int part, int at, const Key& key, const Phrase& phrase, int transpose,
                int loudness_change);

// `count` bars of a progression from bar `from`.
Progression Slice(const Progression& chords, int from, int count);

// The bar progressions one after the other.
Progression Join(const std::vector<Progression>& parts);

}  // namespace mediagen::songs
