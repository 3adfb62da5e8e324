// mciExecute's wave playback and sndPlaySoundA's stop: one simple player of whole wave files,
// each file playing once on a voice of its own.
#include <array>
#include <cassert>
#include <map>
#include <memory>

#include "platform/audio_engine.h"
#include "platform/fading_tails.h"
#include "platform/file_read.h"
#include "platform/forms.h"
#include "platform/interface_thread.h"
#include "platform/paths.h"
#include "platform/text_case.h"
#include "platform/unsupported.h"
#include "platform/wav_reader.h"
#include "platform/winmm.h"

namespace win {
namespace {

constexpr const char* kMessageTitle = "MCI";
// Wave files the player keeps apart between two stops of everything.
constexpr int kVoices = 8;

// Play a sound on a voice (sound set) or stop the voice (sound null); voice -1 stops all.
struct Command {
  int voice;
  std::shared_ptr<const audio::Pcm> sound;
};

class PlayerSource final : public audio::Source {
 public:
  audio::CommandQueue<Command> commands;

  void Mix(float* out, int frames) override {
    commands.TakeEach([this](Command& c) {
      // A stopped or replaced sound fades out.
      for (std::size_t voice = 0; voice < voices_.size(); ++voice) {
        Voice& v = voices_[voice];
        if (!v.sound || (c.voice >= 0 && voice != static_cast<std::size_t>(c.voice))) continue;
        tails_.Add(v.sound, v.at, false);
        v = Voice{};
      }
      if (c.sound) voices_[static_cast<std::size_t>(c.voice)] = Voice{std::move(c.sound), 0};
    });
    for (Voice& v : voices_) {
      if (!v.sound) continue;
      const std::size_t total = v.sound->samples.size();
      const std::size_t wanted = static_cast<std::size_t>(frames) * 2;
      for (std::size_t i = 0; i < wanted && v.at < total; ++i) out[i] += v.sound->samples[v.at++];
      if (v.at >= total) v = Voice{};
    }
    tails_.Mix(out, frames);
  }

  void Reset() override {
    commands.Clear();
    voices_.fill(Voice{});
    tails_.Clear();
  }

 private:
  struct Voice {
    std::shared_ptr<const audio::Pcm> sound;  // null when the voice is silent
    std::size_t at = 0;
  };
  std::array<Voice, kVoices> voices_;
  audio::FadingTails tails_;
};

struct Player {
  PlayerSource source;
  std::map<std::string, int> voice_of;  // host path -> voice
  std::function<void(const std::string&, const std::string&)> message_hook;
};

Player& ThePlayer() {
  assert(forms::OnInterfaceThread());
  static Player& player = audio::NewClient<Player>([](Player& p) { p.voice_of.clear(); });
  return player;
}

bool Fail(const std::string& text) {
  Player& player = ThePlayer();
  if (player.message_hook) {
    player.message_hook(text, kMessageTitle);
  } else {
    forms::MsgBox(text, kMessageTitle);
  }
  return false;
}

bool Play(const std::string& path) {
  Player& player = ThePlayer();
  if (!player.voice_of.contains(path) && player.voice_of.size() == kVoices) {
    Unsupported("mciExecute", "more than " + std::to_string(kVoices) +
                                  " wave files between two stops of everything");
  }
  if (!files::Exists(path)) {
    return Fail("The specified file cannot be found. Make sure the path and filename are correct.");
  }
  auto sound = audio::LoadWavFile(path);
  if (!sound) {
    return Fail(
        "The file cannot be played on the specified MCI device. The file may be corrupt, or not "
        "in the correct format.");
  }
  if (!audio::Acquire()) return Fail("The wave output device cannot be opened.");
  auto [it, added] = player.voice_of.try_emplace(path, static_cast<int>(player.voice_of.size()));
  player.source.commands.Post({it->second, audio::Lend(std::move(sound))});
  return true;
}

bool Stop(const std::string& path) {
  Player& player = ThePlayer();
  const auto it = player.voice_of.find(path);
  if (it != player.voice_of.end()) {
    player.source.commands.Post({it->second, nullptr});
    return true;
  }
  if (!files::Exists(path)) {
    return Fail("The specified file cannot be found. Make sure the path and filename are correct.");
  }
  return true;
}

using textcase::Lower;

}  // namespace

bool mciExecute(const std::string& command) {
  detail::LogWinmmCall("mciExecute(" + command + ")");
  const std::size_t blank = command.find(' ');
  const std::string verb = Lower(command.substr(0, blank));
  std::string element = blank == std::string::npos ? "" : command.substr(blank + 1);
  if (element.size() >= 2 && element.front() == '"' && element.back() == '"') {
    element = element.substr(1, element.size() - 2);
  }
  if ((verb != "play" && verb != "stop") || element.empty() || element.find('"') != element.npos) {
    Unsupported("mciExecute", "the command \"" + command + "\"");
  }
  const std::string path = HostPath(element);
  return verb == "play" ? Play(path) : Stop(path);
}

bool sndPlaySoundA(const char* sound_name, unsigned flags) {
  detail::LogWinmmCall(std::string("sndPlaySoundA(") + (sound_name ? sound_name : "null") + ", " +
                       std::to_string(flags) + ")");
  if (sound_name != nullptr) Unsupported("sndPlaySoundA", std::string("the sound ") + sound_name);
  if ((flags & ~SND_NODEFAULT) != 0) Unsupported("sndPlaySoundA", "flags " + std::to_string(flags));
  Player& player = ThePlayer();
  player.source.commands.Post({-1, nullptr});
  player.voice_of.clear();
  return true;
}

void SetMciExecuteMessageHookForTests(
    std::function<void(const std::string& text, const std::string& title)> hook) {
  ThePlayer().message_hook = std::move(hook);
}

}  // namespace win
