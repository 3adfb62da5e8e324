#include "platform/wavemix.h"

#include <algorithm>
#include <cassert>
#include <map>
#include <memory>

#include "platform/audio_engine.h"
#include "platform/fading_tails.h"
#include "platform/interface_thread.h"
#include "platform/paths.h"
#include "platform/unsupported.h"
#include "platform/wav_reader.h"

namespace win {
namespace {

using Wave = std::shared_ptr<const audio::Pcm>;

// A session's place in the render's fixed table, and how many waves a channel holds at most.
constexpr int kSessionSlots = 4;
constexpr int kQueueDepth = 16;

struct Command {
  enum class Kind { AddSession, RemoveSession, Activate, Deactivate, Play, CloseChannels };
  Kind kind = Kind::Play;
  int slot = 0;
  int channel = 0;
  Wave wave;
  std::uint16_t repeats = 0;
  bool clear_queue = false;
};

Command SessionCommand(Command::Kind kind, int slot) {
  Command c;
  c.kind = kind;
  c.slot = slot;
  return c;
}

// The render side: each session's channels, each a queue of waves playing in turn, in storage
// of a fixed size.
class MixerSource final : public audio::Source {
 public:
  audio::CommandQueue<Command> commands;

  void Mix(float* out, int frames) override {
    commands.TakeEach([this](Command& c) { Apply(c); });
    for (auto& session : sessions_) {
      if (!session.active) continue;
      for (auto& channel : session.channels) MixChannel(channel, out, frames);
    }
    tails_.Mix(out, frames);
  }

  void Reset() override {
    commands.Clear();
    for (auto& session : sessions_) Remove(session);
    tails_.Clear();
  }

 private:
  struct Queued {
    Wave wave;
    std::uint16_t repeats_left = 0;  // kWaveMixEndless: for ever
  };
  // A ring of `count` waves from `first`.
  struct Channel {
    std::array<Queued, kQueueDepth> queue;
    int first = 0;
    int count = 0;
    std::size_t at = 0;  // next sample of the front wave

    Queued& Front() { return queue[static_cast<std::size_t>(first)]; }
    void Push(Queued queued) {
      queue[static_cast<std::size_t>((first + count++) % kQueueDepth)] = std::move(queued);
    }
    void Pop() {
      Front() = Queued{};
      first = (first + 1) % kQueueDepth;
      --count;
      at = 0;
    }
  };
  struct Session {
    bool active = false;
    std::array<Channel, kWaveMixChannels> channels;
  };

  void Apply(Command& c) {
    using Kind = Command::Kind;
    Session& session = sessions_[static_cast<std::size_t>(c.slot)];
    switch (c.kind) {
      case Kind::AddSession:
      case Kind::RemoveSession:
        Remove(session);
        break;
      case Kind::Activate:
      case Kind::Deactivate:
        session.active = c.kind == Kind::Activate;
        break;
      case Kind::Play: {
        Channel& channel = session.channels[static_cast<std::size_t>(c.channel)];
        if (c.clear_queue) Clear(channel, session.active);
        channel.Push({std::move(c.wave), c.repeats});
        break;
      }
      case Kind::CloseChannels:
        for (auto& channel : session.channels) Clear(channel, session.active);
        break;
    }
  }

  // A session that goes stops at once: nobody hears it fade.
  static void Remove(Session& session) {
    session.active = false;
    for (auto& channel : session.channels) {
      while (channel.count > 0) channel.Pop();
      channel.first = 0;
    }
  }

  // What the channel was sounding fades out (a silent, inactive session has nothing to fade).
  void Clear(Channel& channel, bool sounding) {
    if (sounding && channel.count > 0) {
      const Queued& front = channel.Front();
      tails_.Add(front.wave, channel.at, front.repeats_left != 0);
    }
    while (channel.count > 0) channel.Pop();
  }

  static void MixChannel(Channel& channel, float* out, int frames) {
    std::size_t i = 0;
    const std::size_t wanted = static_cast<std::size_t>(frames) * 2;
    while (i < wanted && channel.count > 0) {
      Queued& front = channel.Front();
      const auto& samples = front.wave->samples;
      while (i < wanted && channel.at < samples.size()) out[i++] += samples[channel.at++];
      if (channel.at < samples.size()) break;
      channel.at = 0;
      if (front.repeats_left == kWaveMixEndless) continue;
      if (front.repeats_left > 0) {
        --front.repeats_left;
      } else {
        channel.Pop();
      }
    }
  }

  std::array<Session, kSessionSlots> sessions_;
  audio::FadingTails tails_;
};

struct SessionState {
  int slot = 0;
  std::array<bool, kWaveMixChannels> open{};
  // Waves each channel may hold: every play since the channel's queue was last cleared.
  std::array<int, kWaveMixChannels> queued{};
  std::map<std::int32_t, Wave> waves;
};

struct Mixer {
  MixerSource source;
  std::map<std::int32_t, SessionState> sessions;
  std::int32_t next_handle = 1;
  std::vector<std::string>* log = nullptr;
};

Mixer& TheMixer() {
  assert(forms::OnInterfaceThread());
  static Mixer& mixer = audio::NewClient<Mixer>([](Mixer& m) { m.sessions.clear(); });
  return mixer;
}

// The slot of no open session; -1 when every slot is taken.
int FreeSlot() {
  std::array<bool, kSessionSlots> taken{};
  for (const auto& [handle, state] : TheMixer().sessions)
    taken[static_cast<std::size_t>(state.slot)] = true;
  const auto free = std::find(taken.begin(), taken.end(), false);
  return free == taken.end() ? -1 : static_cast<int>(free - taken.begin());
}

void Log(const std::string& call) {
  if (TheMixer().log) TheMixer().log->push_back(call);
}

SessionState* Find(std::int32_t session) {
  auto& sessions = TheMixer().sessions;
  const auto found = sessions.find(session);
  return found == sessions.end() ? nullptr : &found->second;
}

std::int32_t Join(std::int16_t low, std::int16_t high) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint16_t>(high))
                                       << 16 |
                                   static_cast<std::uint16_t>(low));
}

}  // namespace

std::int32_t WaveMixInit() {
  Log("WaveMixInit()");
  Mixer& mixer = TheMixer();
  const int slot = FreeSlot();
  if (slot < 0)
    Unsupported("WaveMixInit", "more than " + std::to_string(kSessionSlots) + " sessions");
  if (!audio::Acquire()) return 0;
  const std::int32_t handle = mixer.next_handle++;
  mixer.sessions[handle].slot = slot;
  mixer.source.commands.Post(SessionCommand(Command::Kind::AddSession, slot));
  return handle;
}

std::int32_t WaveMixOpenWave(std::int32_t session, const std::string& path, std::int32_t instance,
                             std::uint32_t flags) {
  Log("WaveMixOpenWave(" + std::to_string(session) + ", " + path + ", " + std::to_string(instance) +
      ", " + std::to_string(flags) + ")");
  if (instance != 0 || flags != 0) Unsupported("WaveMixOpenWave", "a resource (instance or flags)");
  SessionState* state = Find(session);
  if (!state) return 0;
  Wave wave = audio::LoadWavFile(HostPath(path));
  if (!wave || wave->Frames() == 0) return 0;
  const std::int32_t handle = TheMixer().next_handle++;
  state->waves[handle] = std::move(wave);
  return handle;
}

MmResult WaveMixOpenChannel(std::int32_t session, int channel, WaveMixOpen flags) {
  Log("WaveMixOpenChannel(" + std::to_string(session) + ", " + std::to_string(channel) + ", " +
      std::to_string(static_cast<std::uint32_t>(flags)) + ")");
  if (flags != WaveMixOpen::Count) Unsupported("WaveMixOpenChannel", "a single channel's flags");
  SessionState* state = Find(session);
  if (!state) return MmResult::MMSYSERR_INVALHANDLE;
  if (channel < 1 || channel > kWaveMixChannels) return MmResult::MMSYSERR_INVALPARAM;
  for (int c = 0; c < channel; ++c) state->open[c] = true;
  return MmResult::MMSYSERR_NOERROR;
}

MmResult WaveMixActivate(std::int32_t session, bool activate) {
  Log("WaveMixActivate(" + std::to_string(session) + ", " + (activate ? "1" : "0") + ")");
  const SessionState* state = Find(session);
  if (!state) return MmResult::MMSYSERR_INVALHANDLE;
  using Kind = Command::Kind;
  TheMixer().source.commands.Post(
      SessionCommand(activate ? Kind::Activate : Kind::Deactivate, state->slot));
  return MmResult::MMSYSERR_NOERROR;
}

MmResult WaveMixPlay(const MixPlayParams& params) {
  std::string words;
  for (const auto w : params) words += (words.empty() ? "" : " ") + std::to_string(w);
  Log("WaveMixPlay(" + words + ")");
  const std::int32_t session = Join(params[1], params[2]);
  const std::int32_t channel = Join(params[3], params[4]);
  const std::int32_t wave = Join(params[5], params[6]);
  const std::int32_t window = Join(params[7], params[8]);
  const auto flags = static_cast<std::uint32_t>(Join(params[9], params[10]));
  const auto repeats = static_cast<std::uint16_t>(params[11]);
  if (params[0] != static_cast<std::int16_t>(sizeof(MixPlayParams))) {
    return MmResult::MMSYSERR_INVALPARAM;
  }
  if (window != 0) Unsupported("WaveMixPlay", "a notification window");
  if ((flags & ~(kWaveMixClearQueue | kWaveMixHighPriority)) != 0)
    Unsupported("WaveMixPlay", "flags " + std::to_string(flags));
  SessionState* state = Find(session);
  if (!state) return MmResult::MMSYSERR_INVALHANDLE;
  if (channel < 0 || channel >= kWaveMixChannels || !state->open[channel]) {
    return MmResult::MMSYSERR_INVALPARAM;
  }
  const auto found = state->waves.find(wave);
  if (found == state->waves.end()) return MmResult::MMSYSERR_INVALHANDLE;
  const bool clear_queue = (flags & kWaveMixClearQueue) != 0;
  int& queued = state->queued[static_cast<std::size_t>(channel)];
  queued = clear_queue ? 1 : queued + 1;
  if (queued > kQueueDepth) {
    Unsupported("WaveMixPlay",
                "more than " + std::to_string(kQueueDepth) + " waves queued on a channel");
  }
  TheMixer().source.commands.Post({Command::Kind::Play, state->slot, channel,
                                   audio::Lend(found->second), repeats, clear_queue});
  return MmResult::MMSYSERR_NOERROR;
}

MmResult WaveMixCloseChannel(std::int32_t session, int channel, WaveMixClose flags) {
  Log("WaveMixCloseChannel(" + std::to_string(session) + ", " + std::to_string(channel) + ", " +
      std::to_string(static_cast<std::uint32_t>(flags)) + ")");
  if (flags != WaveMixClose::All) Unsupported("WaveMixCloseChannel", "a single channel's flags");
  SessionState* state = Find(session);
  if (!state) return MmResult::MMSYSERR_INVALHANDLE;
  state->open.fill(false);
  state->queued.fill(0);
  TheMixer().source.commands.Post(SessionCommand(Command::Kind::CloseChannels, state->slot));
  return MmResult::MMSYSERR_NOERROR;
}

MmResult WaveMixFreeWave(std::int32_t session, std::int32_t wave) {
  Log("WaveMixFreeWave(" + std::to_string(session) + ", " + std::to_string(wave) + ")");
  SessionState* state = Find(session);
  if (!state) return MmResult::MMSYSERR_INVALHANDLE;
  // A wave still queued keeps sounding: it was lent to the render side.
  return state->waves.erase(wave) ? MmResult::MMSYSERR_NOERROR : MmResult::MMSYSERR_INVALHANDLE;
}

MmResult WaveMixCloseSession(std::int32_t session) {
  Log("WaveMixCloseSession(" + std::to_string(session) + ")");
  const SessionState* state = Find(session);
  if (!state) return MmResult::MMSYSERR_INVALHANDLE;
  TheMixer().source.commands.Post(SessionCommand(Command::Kind::RemoveSession, state->slot));
  TheMixer().sessions.erase(session);
  return MmResult::MMSYSERR_NOERROR;
}

void RecordWaveMixCallsForTests(std::vector<std::string>* log) {
  TheMixer().log = log;
}

}  // namespace win
