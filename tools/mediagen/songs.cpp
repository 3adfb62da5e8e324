// The six songs of the song cycle, "a_song0.Mid" to "a_song5.Mid", each composed here for its
// title's mood. Melodies come from the kit's phrase composer with a fixed seed per song; chords,
// grooves and arrangement are written out by hand below.
//
// The settings dialog starts some songs part way in: "Jaws" at sixteenth 110, "The Boardwalk"
// at 10, "MargaritaVille" and "The Silence" at 30. In those songs the first melody phrase
// begins exactly there, its pickup leading into the next bar line, so an audition opens on
// the tune.
#include <filesystem>
#include <string>

#include "mediagen/media.h"
#include "mediagen/songs_kit.h"

namespace mediagen {
namespace {

using songs::Chord;
using songs::Comp;
using songs::ComposePhrase;
using songs::DrumLoop;
using songs::Join;
using songs::kBar;
using songs::Key;
using songs::MelodyStyle;
using songs::Phrase;
using songs::PlayPhrase;
using songs::Progression;
using songs::Riff;
using songs::Score;
using songs::Slice;

// General MIDI drum keys.
constexpr int kBassDrum = 36;
constexpr int kLowBassDrum = 35;
constexpr int kSideStick = 37;
constexpr int kClosedHat = 42;
constexpr int kLowFloorTom = 41;
constexpr int kHighFloorTom = 43;
constexpr int kCrash = 49;
constexpr int kRide = 51;
constexpr int kHighBongo = 60;
constexpr int kLowBongo = 61;
constexpr int kOpenConga = 63;
constexpr int kLowConga = 64;
constexpr int kMaracas = 70;
constexpr int kClaves = 75;
constexpr int kTriangle = 81;

// A held chord on the last bar, so that every song comes to rest instead of stopping mid-groove.
void FinalChord(Score& score, int part, int at, const Key& key, const Chord& chord, int centre,
                int loudness) {
  Comp(score, part, at, key, {chord}, "x---------------", centre, loudness);
}

// 0: a bright, bubbly calypso in F: steel drums and flute over guitar offbeats, clave and congas.
Score UnderTheSea() {
  const Key key{65, songs::kMajor};
  Score score("Under The Sea", 118, -2.0);
  const int steel = score.Instrument("Steel Drums", 114, 112, 76, 50);
  const int flute = score.Instrument("Flute", 73, 96, 50, 60);
  const int marimba = score.Instrument("Marimba", 12, 86, 88, 40);
  const int guitar = score.Instrument("Guitar", 24, 78, 40, 40);
  const int bass = score.Instrument("Bass", 32, 108, 64, 20);
  const int strings = score.Instrument("Strings", 48, 62, 64, 70);
  const int drums = score.Drums(96);

  const Progression intro = {{0}, {3}, {4, true}, {0}};
  const Progression verse = {{0}, {0}, {3}, {4, true}, {0}, {5}, {1}, {4, true}};
  const Progression chorus = {{3}, {4}, {0}, {5}, {3}, {4, true}, {0}, {0}};
  const Progression outro = {{3}, {4, true}, {0}};
  const Progression whole = Join({intro, verse, chorus, verse, verse, chorus, outro});
  const int bars = static_cast<int>(whole.size());
  const int verse1 = 4 * kBar, chorus1 = 12 * kBar, solo = 20 * kBar, verse2 = 28 * kBar,
            chorus2 = 36 * kBar, tag = 44 * kBar;

  Riff(score, bass, 0, key, whole, "x--x--x-x--x--x-", {0, 4, 7, 0, 4, 2}, 40, 96);
  Comp(score, guitar, 0, key, whole, "..x-..x-..x-..x-", 62, 72);
  DrumLoop(score, drums, 0, bars, kBassDrum, "x...x...x...x...", 84);
  DrumLoop(score, drums, 0, bars, kClaves, "x..x..x...x.x...", 70);
  DrumLoop(score, drums, 0, bars, kMaracas, "oxoxoxoxoxoxoxox", 66);
  DrumLoop(score, drums, verse1, bars - 4, kOpenConga, "..x...xx..x...x.", 76);
  DrumLoop(score, drums, verse1, bars - 4, kLowConga, "......x.......xx", 76);
  for (int at : {verse1, chorus1, solo, verse2, chorus2}) score.Note(drums, at, 1, kCrash, 90);

  const std::vector<int> arpeggio = {0, 2, 4, 7, 9, 7, 4, 2};
  Riff(score, marimba, 0, key, intro, "x.x.x.x.x.x.x.x.", arpeggio, 60, 76);
  for (int at : {verse1, verse2}) {
    Riff(score, marimba, at, key, verse, "x.x.x.x.x.x.x.x.", arpeggio, 60, 68);
  }
  for (int at : {chorus1, chorus2})
    Comp(score, strings, at, key, chorus, "x-------x-------", 62, 64);

  SeededRandom random(0xCA1F50u);
  const MelodyStyle tune{
      .bars = {"x-.x-.x-x-x-x---", "x--x--x-x-x-x-x-", "..x-x-.xx---x-x-", "x-x-x--x--x-x---"},
      .ending = "x-x-x-------....",
      .pickup = "",
      .lowest = 2,
      .highest = 11,
      .loudness = 94};
  const MelodyStyle busy{.bars = {"x.xxx.x.x.xxx-x-", "xxx.x.xxx.x.x-x-", "x.x.xxx.x-x-xxx."},
                         .ending = "x-x-x-x-x-------",
                         .pickup = "",
                         .lowest = 0,
                         .highest = 12,
                         .loudness = 90};
  int degree = 4;
  const Phrase verse_a = ComposePhrase(random, Slice(verse, 0, 4), tune, degree);
  const Phrase verse_b = ComposePhrase(random, Slice(verse, 4, 4), tune, degree);
  const Phrase chorus_a = ComposePhrase(random, Slice(chorus, 0, 4), tune, degree);
  const Phrase chorus_b = ComposePhrase(random, Slice(chorus, 4, 4), tune, degree);
  for (int at : {verse1, verse2}) {
    PlayPhrase(score, steel, at, key, verse_a, 0, 0);
    PlayPhrase(score, steel, at + 4 * kBar, key, verse_b, 0, 0);
  }
  for (int at : {chorus1, chorus2}) {
    PlayPhrase(score, flute, at, key, chorus_a, 0, 0);
    PlayPhrase(score, flute, at + 4 * kBar, key, chorus_b, 0, 0);
  }
  // The second chorus doubles the flute on the steel drums an octave down, for the lift.
  PlayPhrase(score, steel, chorus2, key, chorus_a, -12, -14);
  PlayPhrase(score, steel, chorus2 + 4 * kBar, key, chorus_b, -12, -14);
  PlayPhrase(score, marimba, solo, key, ComposePhrase(random, Slice(verse, 0, 4), busy, degree), 0,
             0);
  PlayPhrase(score, marimba, solo + 4 * kBar, key,
             ComposePhrase(random, Slice(verse, 4, 4), busy, degree), 0, 0);
  PlayPhrase(score, steel, tag, key, ComposePhrase(random, Slice(outro, 0, 2), tune, degree), 0, 0);

  const int end = bars * kBar;
  FinalChord(score, steel, end, key, {0}, 72, 100);
  FinalChord(score, strings, end, key, {0}, 62, 70);
  Riff(score, bass, end, key, {{0}}, "x---------------", {0}, 40, 100);
  score.Note(drums, end, 1, kCrash, 100);
  score.Note(drums, end, 1, kBassDrum, 100);
  return score;
}

// 1: "Jaws": a low, restless ostinato in D harmonic minor that gathers instruments, speed and
// weight, then drops away to one last blow.
Score Jaws() {
  const Key key{62, songs::kHarmonicMinor};
  Score score("Jaws", 76, -4.0);
  const int basses = score.Instrument("Contrabasses", 43, 118, 58, 30);
  const int cellos = score.Instrument("Cellos", 42, 108, 70, 30);
  const int timpani = score.Instrument("Timpani", 47, 110, 64, 40);
  const int trombones = score.Instrument("Trombones", 57, 106, 54, 40);
  const int horns = score.Instrument("Horns", 60, 100, 76, 50);
  const int tremolo = score.Instrument("Tremolo Strings", 44, 84, 64, 60);
  const int brass = score.Instrument("Brass", 61, 100, 64, 40);
  const int drums = score.Drums(100);

  const Progression theme = {{0}, {0}, {5}, {4}, {0}, {3}, {5}, {4, true}};
  const Progression fade(3, Chord{0});
  // Bar 7 begins the theme; its pickup starts two sixteenths earlier, at sixteenth 110.
  const int theme1 = 7 * kBar, theme2 = 15 * kBar, climax = 23 * kBar, collapse = 31 * kBar,
            end = 34 * kBar;
  score.Tempo(theme1, 84);
  score.Tempo(theme2, 94);
  score.Tempo(climax, 104);
  score.Tempo(collapse, 80);

  const std::string_view prowl = "x.x.x.x.x.x.x.x.";
  const std::vector<int> prowl_steps = {0, 0, 2, 0, -2, 0, -1, 0};
  // The opening grows from a low prowl of basses and cellos to a growl with timpani: from its
  // first bar it sits not far under the sea's bubbles, so it is heard from the start.
  struct Swell {
    int first_bar;
    int bars;
    int loudness;
  };
  for (const Swell& swell : {Swell{0, 3, 84}, Swell{3, 2, 87}, Swell{5, 2, 90}}) {
    const Progression dread(static_cast<std::size_t>(swell.bars), Chord{0});
    const int at = swell.first_bar * kBar;
    Riff(score, basses, at, key, dread, prowl, prowl_steps, 31, swell.loudness);
    Riff(score, cellos, at, key, dread, prowl, prowl_steps, 43, swell.loudness - 8);
  }
  Riff(score, timpani, 4 * kBar, key, fade, "x...............", {0}, 38, 80);
  for (int at : {theme1, theme2}) {
    Riff(score, basses, at, key, theme, prowl, prowl_steps, 31, 86);
    Riff(score, cellos, at, key, theme, prowl, prowl_steps, 43, 80);
    Comp(score, tremolo, at, key, theme, "x---------------", 57, at == theme1 ? 56 : 70);
    Riff(score, timpani, at, key, theme, "x.......x.......", {0, 4}, 38, 84);
  }
  const std::string_view surge = "xxx.xxx.x.x.xxx.";
  const std::vector<int> surge_steps = {0, 0, 2, 0, 0, -2, 0, -1, 0, 0, 1};
  Riff(score, basses, climax, key, theme, surge, surge_steps, 31, 104);
  Riff(score, cellos, climax, key, theme, surge, surge_steps, 43, 100);
  Comp(score, brass, climax, key, theme, "X..X..X.........", 55, 100);
  Comp(score, tremolo, climax, key, theme, "x---------------", 62, 84);
  Riff(score, timpani, climax, key, theme, "x.......x.x.x...", {0, 4, 4, 0}, 38, 100);
  Riff(score, basses, collapse, key, fade, prowl, prowl_steps, 31, 72);

  DrumLoop(score, drums, theme2, 8, kLowBassDrum, "x...x...x...x...", 76);
  DrumLoop(score, drums, theme2, 8, kLowFloorTom, "....x.......x.x.", 72);
  DrumLoop(score, drums, climax, 8, kLowBassDrum, "x..xx...x..xx...", 96);
  DrumLoop(score, drums, climax, 8, kLowFloorTom, "x.xxx.xxx.xxx.xx", 80);
  DrumLoop(score, drums, climax, 8, kHighFloorTom, "..x...x...x...x.", 84);
  for (int at : {climax, climax + 4 * kBar}) score.Note(drums, at, 1, kCrash, 104);

  SeededRandom random(0x5A4C0u);
  const MelodyStyle menace{
      .bars = {"x-------x---x---", "x-----------x-x-", "x---x---x-------", "x-----x-x-------"},
      .ending = "x-----------....",
      .pickup = "x-",
      .lowest = -3,
      .highest = 5,
      .loudness = 92};
  int degree = 0;
  const Phrase call = ComposePhrase(random, Slice(theme, 0, 4), menace, degree);
  const Phrase answer = ComposePhrase(random, Slice(theme, 4, 4), menace, degree);
  PlayPhrase(score, trombones, theme1, key, call, -12, 0);
  PlayPhrase(score, trombones, theme1 + 4 * kBar, key, answer, -12, 0);
  PlayPhrase(score, horns, theme2, key, call, 0, 4);
  PlayPhrase(score, horns, theme2 + 4 * kBar, key, answer, 0, 4);
  for (int part : {trombones, horns}) {
    PlayPhrase(score, part, climax, key, call, part == horns ? 0 : -12, 14);
    PlayPhrase(score, part, climax + 4 * kBar, key, answer, part == horns ? 0 : -12, 14);
  }

  FinalChord(score, brass, end, key, {0}, 50, 112);
  Riff(score, basses, end, key, {{0}}, "X---------------", {0}, 31, 110);
  Riff(score, timpani, end, key, {{0}}, "X---------------", {0}, 38, 110);
  score.Note(drums, end, 1, kLowBassDrum, 120);
  score.Note(drums, end, 1, kCrash, 110);
  return score;
}

// 2: "The Boardwalk": an easy stroll in G, clarinet and vibraphone over a walking bass.
Score TheBoardwalk() {
  const Key key{67, songs::kMajor};
  Score score("The Boardwalk", 100);
  const int clarinet = score.Instrument("Clarinet", 71, 100, 56, 50);
  const int vibes = score.Instrument("Vibraphone", 11, 94, 80, 60);
  const int piano = score.Instrument("Piano", 0, 82, 70, 40);
  const int bass = score.Instrument("Bass", 32, 108, 60, 20);
  const int drums = score.Drums(88);

  const Progression vamp = {{4, true}};
  const Progression stroll = {{0}, {5}, {1}, {4, true}, {0}, {3}, {4, true}, {0}};
  const Progression bridge = {{3}, {3}, {0}, {0}, {1}, {1, true}, {4}, {4, true}};
  const Progression tag = {{3}, {4, true}};
  const Progression whole = Join({vamp, stroll, stroll, bridge, stroll, stroll, tag});
  const int bars = static_cast<int>(whole.size());
  // Bar 1 begins the tune; its pickup starts at sixteenth 10 of the opening bar.
  const int a1 = 1 * kBar, a2 = 9 * kBar, b = 17 * kBar, solo = 25 * kBar, a3 = 33 * kBar,
            coda = 41 * kBar, end = bars * kBar;

  Riff(score, bass, 0, key, whole, "x---x---x---x---", {0, 2, 4, 5}, 40, 92);
  Comp(score, piano, 0, key, whole, "x-.x..x-x-.x..x.", 64, 64);
  DrumLoop(score, drums, 0, bars, kBassDrum, "x.......x.x.....", 74);
  DrumLoop(score, drums, 0, bars, kSideStick, "....x.......x...", 70);
  DrumLoop(score, drums, 0, b / kBar, kClosedHat, "x.x.x.x.x.x.x.x.", 58);
  DrumLoop(score, drums, b, 8, kRide, "x..xx..xx..xx..x", 62);
  DrumLoop(score, drums, solo, bars - solo / kBar, kClosedHat, "x.x.x.x.x.x.x.x.", 58);

  SeededRandom random(0xB0A4Du);
  const MelodyStyle opening{
      .bars = {"x--xx-x-x--xx---", "x-x-x-x-x---x-x-", "x---x-x-x--x----", "x--x--x-x-x-x---"},
      .ending = "x-------........",
      .pickup = "x-x-x-",
      .lowest = 0,
      .highest = 9,
      .loudness = 96};
  MelodyStyle inner = opening;
  inner.pickup = "x-x-";
  const MelodyStyle busy{.bars = {"x-xxx-x-x-xxx---", "x.x.x-xxx-x-x-x-", "xxx-x-x-x---x-x-"},
                         .ending = "x-x-x-------....",
                         .pickup = "",
                         .lowest = 2,
                         .highest = 11,
                         .loudness = 90};
  int degree = 2;
  const Phrase call = ComposePhrase(random, Slice(stroll, 0, 4), opening, degree);
  const Phrase answer = ComposePhrase(random, Slice(stroll, 4, 4), inner, degree);
  const Phrase bridge_call = ComposePhrase(random, Slice(bridge, 0, 4), inner, degree);
  const Phrase bridge_answer = ComposePhrase(random, Slice(bridge, 4, 4), inner, degree);
  for (int at : {a1, a2, a3}) {
    PlayPhrase(score, clarinet, at, key, call, 0, 0);
    PlayPhrase(score, clarinet, at + 4 * kBar, key, answer, 0, 0);
  }
  PlayPhrase(score, vibes, b, key, bridge_call, 0, 0);
  PlayPhrase(score, vibes, b + 4 * kBar, key, bridge_answer, 0, 0);
  PlayPhrase(score, vibes, solo, key, ComposePhrase(random, Slice(stroll, 0, 4), busy, degree), 0,
             0);
  PlayPhrase(score, vibes, solo + 4 * kBar, key,
             ComposePhrase(random, Slice(stroll, 4, 4), busy, degree), 0, 0);
  PlayPhrase(score, vibes, a3, key, call, -12, -20);
  PlayPhrase(score, clarinet, coda, key, ComposePhrase(random, tag, inner, degree), 0, 0);

  FinalChord(score, piano, end, key, {0}, 64, 80);
  FinalChord(score, vibes, end, key, {0}, 72, 80);
  Riff(score, bass, end, key, {{0}}, "x---------------", {0}, 40, 96);
  score.Note(drums, end, 1, kBassDrum, 80);
  return score;
}

// 3: "MargaritaVille": laid back in D, steel drums and harmonica over a lazy nylon-string strum.
Score MargaritaVille() {
  const Key key{62, songs::kMajor};
  Score score("MargaritaVille", 92);
  const int steel = score.Instrument("Steel Drums", 114, 108, 70, 60);
  const int harmonica = score.Instrument("Harmonica", 22, 84, 50, 60);
  const int guitar = score.Instrument("Nylon Guitar", 24, 100, 44, 40);
  const int bass = score.Instrument("Fretless Bass", 35, 104, 64, 20);
  const int strings = score.Instrument("Strings", 49, 58, 64, 80);
  const int drums = score.Drums(84);

  const Progression intro = {{0}, {0}};
  const Progression verse = {{0}, {0}, {4}, {4}, {4}, {4, true}, {0}, {0}};
  const Progression chorus = {{3}, {3}, {0}, {0}, {4}, {4, true}, {0}, {0}};
  const Progression bridge = {{1}, {4}, {0}, {5}, {1}, {3}, {4, true}, {4, true}};
  const Progression tag = {{3}, {0}};
  const Progression whole = Join({intro, verse, verse, chorus, bridge, chorus, tag});
  const int bars = static_cast<int>(whole.size());
  // Bar 2 begins the tune; its pickup starts two sixteenths earlier, at sixteenth 30.
  const int v1 = 2 * kBar, v2 = 10 * kBar, c1 = 18 * kBar, br = 26 * kBar, c2 = 34 * kBar,
            coda = 42 * kBar, end = bars * kBar;

  Comp(score, guitar, 0, key, whole, "x-.x.xx-x-.x.xx-", 60, 70);
  Riff(score, bass, 0, key, whole, "x-----x-x-----x-", {0, 0, 4, 2}, 38, 90);
  DrumLoop(score, drums, 0, bars, kBassDrum, "x.......x.......", 72);
  DrumLoop(score, drums, 0, bars, kSideStick, "........x.......", 68);
  DrumLoop(score, drums, 0, bars, kMaracas, "o.x.o.x.o.x.o.x.", 64);
  DrumLoop(score, drums, v1, bars - 2, kLowConga, "......x.......xx", 70);
  for (int at : {c1, c2}) Comp(score, strings, at, key, chorus, "x---------------", 62, 60);

  SeededRandom random(0x3A46A4u);
  const MelodyStyle easy{
      .bars = {"x-x---x-x-x-x---", "..x-x-x-x---x---", "x---x-x-x-x-----", "x-x-x-x-x---x-.."},
      .ending = "x-----------....",
      .pickup = "x-",
      .lowest = 0,
      .highest = 9,
      .loudness = 92};
  int degree = 2;
  const Phrase verse_call = ComposePhrase(random, Slice(verse, 0, 4), easy, degree);
  const Phrase verse_answer = ComposePhrase(random, Slice(verse, 4, 4), easy, degree);
  const Phrase chorus_call = ComposePhrase(random, Slice(chorus, 0, 4), easy, degree);
  const Phrase chorus_answer = ComposePhrase(random, Slice(chorus, 4, 4), easy, degree);
  for (int at : {v1, v2}) {
    PlayPhrase(score, steel, at, key, verse_call, 0, 0);
    PlayPhrase(score, steel, at + 4 * kBar, key, verse_answer, 0, 0);
  }
  for (int at : {c1, c2}) {
    PlayPhrase(score, steel, at, key, chorus_call, 0, 0);
    PlayPhrase(score, steel, at + 4 * kBar, key, chorus_answer, 0, 0);
  }
  PlayPhrase(score, harmonica, br, key, ComposePhrase(random, Slice(bridge, 0, 4), easy, degree), 0,
             0);
  PlayPhrase(score, harmonica, br + 4 * kBar, key,
             ComposePhrase(random, Slice(bridge, 4, 4), easy, degree), 0, 0);
  PlayPhrase(score, harmonica, c2, key, chorus_call, -12, -16);
  PlayPhrase(score, harmonica, coda, key, ComposePhrase(random, tag, easy, degree), 0, 0);

  FinalChord(score, guitar, end, key, {0}, 60, 80);
  FinalChord(score, strings, end, key, {0}, 62, 64);
  Riff(score, bass, end, key, {{0}}, "x---------------", {0}, 38, 94);
  return score;
}

// 4: "Kokomo": a breezy tropical tune in E flat, pan flute over marimba, strings and bongos.
Score Kokomo() {
  const Key key{63, songs::kMajor};
  Score score("Kokomo", 108);
  const int pan_flute = score.Instrument("Pan Flute", 75, 104, 56, 70);
  const int steel = score.Instrument("Steel Drums", 114, 96, 84, 60);
  const int marimba = score.Instrument("Marimba", 12, 84, 40, 40);
  const int strings = score.Instrument("Strings", 49, 70, 64, 80);
  const int bass = score.Instrument("Bass", 33, 104, 64, 20);
  const int drums = score.Drums(86);

  const Progression intro = {{0}, {3}, {0}, {3}};
  const Progression verse = {{0}, {0, true}, {3}, {3}, {1, true}, {4, true}, {0}, {4}};
  const Progression chorus = {{5}, {5}, {3}, {3}, {1}, {4}, {0, true}, {0, true}};
  const Progression outro = {{3}, {3}, {0}};
  const Progression whole = Join({intro, verse, chorus, verse, chorus, outro});
  const int bars = static_cast<int>(whole.size());
  const int v1 = 4 * kBar, c1 = 12 * kBar, v2 = 20 * kBar, c2 = 28 * kBar, coda = 36 * kBar,
            end = bars * kBar;

  Riff(score, marimba, 0, key, whole, "x.x.x.x.x.x.x.x.", {0, 4, 7, 9, 7, 4, 2, 4}, 51, 64);
  Riff(score, bass, 0, key, whole, "x-----x-x---x---", {0, 4, 0, 4}, 39, 90);
  Comp(score, strings, v1, key, Slice(whole, 4, bars - 4), "x---------------", 63, 58);
  DrumLoop(score, drums, 0, bars, kHighBongo, "..x.x..x..x.xx.x", 70);
  DrumLoop(score, drums, 0, bars, kLowBongo, "x.....x.x.....x.", 72);
  DrumLoop(score, drums, 0, bars, kMaracas, "xoxoxoxoxoxoxoxo", 60);
  DrumLoop(score, drums, v1, bars - 4, kBassDrum, "x.....x.x.......", 76);
  DrumLoop(score, drums, c1, 8, kTriangle, "........x.......", 60);
  DrumLoop(score, drums, c2, 8, kTriangle, "........x.......", 60);

  SeededRandom random(0xC0C0u);
  const MelodyStyle breeze{
      .bars = {"x---x-x-x---x-x-", "x--x--x-x---x---", "..x-x-x-x-------", "x-x-x---x--x--x-"},
      .ending = "x---------------",
      .pickup = "",
      .lowest = 0,
      .highest = 10,
      .loudness = 96};
  int degree = 4;
  const Phrase verse_call = ComposePhrase(random, Slice(verse, 0, 4), breeze, degree);
  const Phrase verse_answer = ComposePhrase(random, Slice(verse, 4, 4), breeze, degree);
  const Phrase chorus_call = ComposePhrase(random, Slice(chorus, 0, 4), breeze, degree);
  const Phrase chorus_answer = ComposePhrase(random, Slice(chorus, 4, 4), breeze, degree);
  PlayPhrase(score, pan_flute, v1, key, verse_call, 0, 0);
  PlayPhrase(score, pan_flute, v1 + 4 * kBar, key, verse_answer, 0, 0);
  PlayPhrase(score, steel, v2, key, verse_call, 0, 0);
  PlayPhrase(score, steel, v2 + 4 * kBar, key, verse_answer, 0, 0);
  for (int at : {c1, c2}) {
    PlayPhrase(score, pan_flute, at, key, chorus_call, 0, 0);
    PlayPhrase(score, pan_flute, at + 4 * kBar, key, chorus_answer, 0, 0);
  }
  PlayPhrase(score, steel, c2, key, chorus_call, -12, -18);
  PlayPhrase(score, steel, c2 + 4 * kBar, key, chorus_answer, -12, -18);
  PlayPhrase(score, pan_flute, coda, key, ComposePhrase(random, outro, breeze, degree), 0, 0);

  FinalChord(score, strings, end, key, {0}, 63, 70);
  FinalChord(score, marimba, end, key, {0}, 68, 80);
  Riff(score, bass, end, key, {{0}}, "x---------------", {0}, 39, 94);
  score.Note(drums, end, 1, kLowBongo, 80);
  return score;
}

// 5: "The Silence": slow, sparse and calm in A minor; pads breathe under a few celesta notes.
Score TheSilence() {
  const Key key{57, songs::kMinor};
  Score score("The Silence", 58, 3.0);
  const int celesta = score.Instrument("Celesta", 8, 96, 70, 100);
  const int pad = score.Instrument("Warm Pad", 89, 86, 64, 100);
  const int halo = score.Instrument("Halo Pad", 94, 64, 44, 110);
  const int choir = score.Instrument("Choir", 52, 58, 84, 110);
  const int bass = score.Instrument("Fretless Bass", 35, 82, 64, 60);

  const Progression intro = {{0}, {5}};
  const Progression still = {{0}, {5}, {2}, {6}, {0}, {5}, {3}, {0}};
  const Progression drift = {{5}, {2}, {6}, {0}, {5}, {3}, {6}, {6}};
  const Progression outro = {{5}};
  const Progression whole = Join({intro, still, drift, still, outro});
  const int bars = static_cast<int>(whole.size());
  // Bar 2 begins the tune; its pickup starts two sixteenths earlier, at sixteenth 30.
  const int s1 = 2 * kBar, d = 10 * kBar, s2 = 18 * kBar, end = bars * kBar;

  Comp(score, pad, 0, key, whole, "x---------------", 57, 74);
  Riff(score, bass, 0, key, whole, "x---------------", {0}, 33, 66);
  Comp(score, halo, s1, key, Slice(whole, 2, bars - 2), "........x-------", 69, 52);
  Comp(score, choir, d, key, drift, "x---------------", 64, 54);

  SeededRandom random(0x511E7u);
  const MelodyStyle sparse{.bars = {"x-------........", "x-----------....", "....x-------x---",
                                    "x---------------", "........x-------"},
                           .ending = "x---------------",
                           .pickup = "x-",
                           .lowest = 0,
                           .highest = 9,
                           .loudness = 76};
  int degree = 4;
  const Phrase still_call = ComposePhrase(random, Slice(still, 0, 4), sparse, degree);
  const Phrase still_answer = ComposePhrase(random, Slice(still, 4, 4), sparse, degree);
  for (int at : {s1, s2}) {
    PlayPhrase(score, celesta, at, key, still_call, 12, at == s1 ? 0 : -8);
    PlayPhrase(score, celesta, at + 4 * kBar, key, still_answer, 12, at == s1 ? 0 : -8);
  }
  PlayPhrase(score, celesta, d, key, ComposePhrase(random, Slice(drift, 0, 4), sparse, degree), 12,
             0);
  PlayPhrase(score, celesta, d + 4 * kBar, key,
             ComposePhrase(random, Slice(drift, 4, 4), sparse, degree), 12, 0);

  FinalChord(score, pad, end, key, {0}, 57, 74);
  FinalChord(score, halo, end, key, {0}, 69, 52);
  Riff(score, bass, end, key, {{0}}, "x---------------", {0}, 33, 66);
  score.Note(celesta, end, 16, songs::Pitch(key, 7) + 12, 66);
  return score;
}

}  // namespace

void WriteSongs(const std::filesystem::path& dir) {
  const Score songs[] = {UnderTheSea(),    Jaws(),   TheBoardwalk(),
                         MargaritaVille(), Kokomo(), TheSilence()};
  for (int i = 0; i < 6; ++i) {
    songs[i].Write(dir / ("a_song" + std::to_string(i) + ".Mid"));
  }
}

}  // namespace mediagen
