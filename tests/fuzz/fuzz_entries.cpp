#include "fuzz/fuzz_entries.h"

#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/audio_engine.h"
#include "platform/bmp_reader.h"
#include "platform/midi_file.h"
#include "platform/profile.h"
#include "platform/unsupported.h"
#include "platform/wav_reader.h"
#include "platform/winmm.h"
#include "runtime/conversions.h"
#include "runtime/errors.h"

namespace fuzz {
namespace {

namespace fs = std::filesystem;

void Require(bool holds, const char* rule) {
  if (!holds) throw Broken(rule);
}

std::string_view AsText(Input input) {
  return {reinterpret_cast<const char*>(input.data()), input.size()};
}

// A folder of this process's own for the entries' files, removed when the process ends.
const fs::path& ScratchDir() {
  static std::string pattern = (fs::temp_directory_path() / "finbrook-fuzz-XXXXXX").string();
  static const struct Folder {
    fs::path path;
    ~Folder() {
      std::error_code ec;
      fs::remove_all(path, ec);
    }
  } folder{::mkdtemp(pattern.data())};
  return folder.path;
}

void Bmp(Input input) {
  const auto image = win::DecodeBmp(input);
  if (!image) return;
  Require(image->width >= 0 && image->height >= 0 && image->width <= win::kBmpMaxDimension &&
              image->height <= win::kBmpMaxDimension,
          "a picture's size is within the limits");
  const std::size_t pixels = static_cast<std::size_t>(image->width) * image->height;
  if (image->bits == 1 || image->bits == 8) {
    Require(image->indices.size() == pixels && image->words.empty(), "an index for every pixel");
    if (image->bits == 1) {
      Require(std::all_of(image->indices.begin(), image->indices.end(),
                          [](std::uint8_t v) { return v <= 1; }),
              "a monochrome pixel is 0 or 1");
    }
  } else {
    Require(image->bits == 24 || image->bits == 32, "a picture has 1, 8, 24 or 32 bits");
    Require(image->words.size() == pixels && image->indices.empty(), "a word for every pixel");
  }
}

void Wav(Input input) {
  const auto wav = audio::ParseWav(input);
  if (!wav) return;
  Require((wav->channels == 1 || wav->channels == 2) && wav->rate > 0,
          "a sound has one or two channels and a rate");
  Require(wav->samples.size() % wav->channels == 0, "every frame is whole");
  Require(std::all_of(wav->samples.begin(), wav->samples.end(),
                      [](float s) { return s >= -1.0f && s <= 1.0f; }),
          "samples stay within full scale");
  Require(audio::ToEnginePcm(*wav).samples.size() % 2 == 0, "the engine's sound is stereo");
}

void Midi(Input input) {
  const auto song = midi::ParseMidi(input);
  if (!song) return;
  Require(song->division > 0, "a song counts ticks per quarter note");
  double last = 0;
  for (const midi::Event& e : song->events) {
    Require(e.status >= 0x80 && e.status <= 0xEF, "events are channel messages");
    Require(std::isfinite(e.seconds) && e.seconds >= last, "events come in time order");
    last = e.seconds;
  }
  Require(song->end_seconds >= last, "a song ends after its last event");
}

// Input: the settings file as it stands, then a section, a key and a value, separated by 0x1E
// bytes. A value written must read back, whatever the file held before.
void Profile(Input input) {
  static const std::string path = (ScratchDir() / "profile.ini").string();
  std::string_view rest = AsText(input), parts[3];
  for (std::string_view& part : parts) {
    part = rest.substr(0, rest.find('\x1e'));
    rest.remove_prefix(std::min(part.size() + 1, rest.size()));
  }
  const auto [file, section, key] = parts;
  const std::string_view value = rest;
  std::ofstream(path, std::ios::binary | std::ios::trunc) << file;
  char before[8 * win::kMaxCharBytes];
  win::GetPrivateProfileStringA(section, key, "", before, 8, path);
  if (!win::WritePrivateProfileStringA(section, key, value, path)) return;
  std::vector<char> after((value.size() + 1) * win::kMaxCharBytes);
  win::GetPrivateProfileStringA(section, key, "", after.data(),
                                static_cast<unsigned>(value.size() + 1), path);
  Require(std::string_view(after.data()) == value, "a value written reads back");
}

// The Windows directory of the MCI commands holds song.mid and sound.wav, the seeds of the
// MIDI and WAV targets.
bool PrepareMci() {
  const fs::path windir = ScratchDir() / "windows";
  fs::create_directories(windir);
  const fs::path seeds = fs::path(FINBROOK_SOURCE_DIR) / "tests" / "fuzz" / "seeds";
  fs::copy_file(seeds / "midi" / "song.mid", windir / "song.mid");
  fs::copy_file(seeds / "wav" / "sound.wav", windir / "sound.wav");
  ::setenv("FINBROOK_WINDIR", windir.c_str(), 1);
  audio::SetOutputForTests(audio::Output::Manual);
  win::SetMciExecuteMessageHookForTests([](const std::string&, const std::string&) {});
  return true;
}

// Input: command lines, each sent to mciSendStringA with the next of a few reply sizes; a line
// that starts with '!' goes to mciExecute instead. After each the output renders a moment. A
// command the program never sends is refused (win::UnsupportedCall), and the script goes on.
void Mci(Input input) {
  static const bool prepared = PrepareMci();
  Require(prepared, "the MCI folder is ready");
  constexpr int kReplySizes[] = {255, 1, 0, 8};
  const std::string_view script = AsText(input);
  std::size_t replies = 0;
  for (std::size_t at = 0; at < script.size();) {
    const std::size_t end = std::min(script.find('\n', at), script.size());
    const std::string line(script.substr(at, end - at));
    at = end + 1;
    try {
      if (line.starts_with('!')) {
        win::mciExecute(line.substr(1));
      } else {
        const int size = kReplySizes[replies++ % std::size(kReplySizes)];
        std::string reply = "old";
        if (win::mciSendStringA(line, &reply, size, 0) != 0) {
          Require(reply == "old", "a failed command leaves the reply untouched");
        } else if (size > 0) {
          Require(reply.size() >= static_cast<std::size_t>(size) &&
                      reply.find('\0') < static_cast<std::size_t>(size),
                  "a reply ends within its buffer");
        }
      }
    } catch (const win::UnsupportedCall&) {
    }
    audio::RenderForTests(64);
  }
  win::CloseMciAliasesForTests();
  win::sndPlaySoundA(nullptr, win::SND_NODEFAULT);
}

// Input: one byte n, then a text.
void Conversions(Input input) {
  if (input.empty()) return;
  const long n = input[0];
  const std::string_view text = AsText(input.subspan(1));

  const double value = rt::Val(text);
  const bool numeric = rt::IsNumeric(text);
  try {
    const double converted = rt::CDblText(text);
    Require(numeric && converted == value, "a number's CDbl is its Val");
  } catch (const rt::RuntimeError& error) {
    Require(!numeric && error.Number() == rt::kTypeMismatch, "CDbl refuses only what is no number");
  }
  try {
    const rt::Long whole = rt::CLng(value);
    Require(rt::IsNumeric(rt::Str(whole)) && rt::Val(rt::Str(whole)) == whole.Value() &&
                rt::Val(rt::Digits(whole)) == whole.Value(),
            "a whole number's text reads back");
    rt::CInt(value);
  } catch (const rt::RuntimeError& error) {
    Require(error.Number() == rt::kOverflow, "a number too large is an overflow");
  }

  const long length = rt::Len(text).Value();
  const std::string left = rt::Left(text, n);
  Require(rt::Len(left).Value() == std::min(n, length), "Left takes n characters");
  Require(left + rt::Right(text, std::max(length - n, 0L)) == text,
          "Left and Right split a text in two");
}

}  // namespace

Entry EntryNamed(std::string_view target) {
  static constexpr std::pair<std::string_view, Entry> kEntries[] = {
      {"bmp", &Bmp},         {"wav", &Wav}, {"midi", &Midi},
      {"profile", &Profile}, {"mci", &Mci}, {"conversions", &Conversions}};
  for (const auto& [name, entry] : kEntries) {
    if (name == target) return entry;
  }
  return nullptr;
}

}  // namespace fuzz
