#include "platform/audio_engine.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "platform/capture_file.h"
#include "platform/environment.h"
#include "platform/unsupported.h"

namespace audio {
namespace {

constexpr int kMaxSources = 8;
constexpr int kCaptureBlockFrames = kRate / 200;  // 5 ms

std::array<std::atomic<Source*>, kMaxSources> sources{};
std::atomic<int> source_count{0};
std::vector<std::function<void()>> close_hooks;

// Mixes every source into out (interleaved stereo float).
void RenderMix(float* out, int frames) {
  std::fill(out, out + static_cast<std::size_t>(frames) * kChannels, 0.0f);
  const int count = source_count.load(std::memory_order_acquire);
  for (int i = 0; i < count; ++i) sources[i].load(std::memory_order_acquire)->Mix(out, frames);
}

// Keeps the mix under full scale without the harsh edges of clipping: the gain drops at once
// to hold a peak at the ceiling and recovers over about a tenth of a second, so a moment when
// everything sounds together is turned down rather than squared off.
class Limiter {
 public:
  void Apply(float* frames, int count) {
    for (int i = 0; i < count; ++i) {
      float* frame = frames + static_cast<std::size_t>(i) * kChannels;
      gain_ += (1.0f - gain_) * kRecovery;
      const float peak = std::max(std::abs(frame[0]), std::abs(frame[1]));
      if (peak * gain_ > kCeiling) gain_ = kCeiling / peak;
      frame[0] *= gain_;
      frame[1] *= gain_;
    }
  }

 private:
  static constexpr float kCeiling = 0.9f;                  // about -1 dBFS
  static constexpr float kRecovery = 1.0f / (kRate / 10);  // per frame
  float gain_ = 1.0f;
};

void ToInt16(const float* in, std::int16_t* out, std::size_t samples) {
  for (std::size_t i = 0; i < samples; ++i) {
    out[i] = static_cast<std::int16_t>(std::lrint(in[i] * 32767.0f));
  }
}

// Renders in chunks into storage of its own, so that a block of any size needs no allocation;
// each chunk goes to sink(samples, count) as interleaved 16-bit stereo.
class Renderer {
 public:
  static constexpr int kChunkFrames = 1024;
  static_assert(kChunkFrames * kChannels <= CaptureFile::kMaxBlockSamples);

  template <class Sink>
  void Render(int frames, Sink&& sink) {
    for (int done = 0; done < frames;) {
      const int chunk = std::min(frames - done, kChunkFrames);
      const auto samples = static_cast<std::size_t>(chunk) * kChannels;
      RenderMix(mix_.data(), chunk);
      limiter_.Apply(mix_.data(), chunk);
      ToInt16(mix_.data(), pcm_.data(), samples);
      sink(pcm_.data(), chunk * kChannels);
      done += chunk;
    }
  }

 private:
  std::array<float, kChunkFrames * kChannels> mix_{};
  std::array<std::int16_t, kChunkFrames * kChannels> pcm_{};
  Limiter limiter_;
};

// The running output and who holds it. Touched by the user-interface thread only, but for what
// a running output's render thread uses: its renderer, and the capture file's Append.
struct OutputState {
  Output choice = Output::Default;
  bool running = false;
  bool sdl_ready = false;
  SDL_AudioDeviceID device = 0;
  Renderer device_renderer;
  Renderer capture_renderer;
  Renderer manual_renderer;  // RenderForTests
  CaptureFile capture;
  std::thread capture_thread;
  std::atomic<bool> capture_stop{false};
  std::vector<std::shared_ptr<const void>> loans;  // see Lend
};

OutputState& State() {
  assert(forms::OnInterfaceThread());
  static auto* state = new OutputState;  // never destroyed: no teardown races at exit
  return *state;
}

void DeviceCallback(void* userdata, Uint8* stream, int len) {
  auto& renderer = *static_cast<Renderer*>(userdata);
  const int frames = len / static_cast<int>(kChannels * sizeof(std::int16_t));
  renderer.Render(frames, [&stream](const std::int16_t* samples, int count) {
    const auto bytes = static_cast<std::size_t>(count) * sizeof(std::int16_t);
    std::memcpy(stream, samples, bytes);
    stream += bytes;
  });
}

void CaptureLoop(OutputState* state) {
  using Clock = std::chrono::steady_clock;
  const auto step = std::chrono::microseconds(1'000'000LL * kCaptureBlockFrames / kRate);
  auto next = Clock::now();
  while (!state->capture_stop.load()) {
    state->capture_renderer.Render(
        kCaptureBlockFrames,
        [state](const std::int16_t* samples, int count) { state->capture.Append(samples, count); });
    next += step;
    const auto now = Clock::now();
    if (now - next > std::chrono::milliseconds(200)) next = now;  // fell far behind: catch up
    std::this_thread::sleep_until(next);
  }
}

bool StartDevice(OutputState& state) {
  if (!state.sdl_ready) {
    // SDL's own SIGINT and SIGTERM handlers would only queue an event that nobody reads; the
    // process ends on them through the run time instead.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      std::fprintf(stderr, "audio engine: no audio output (%s)\n", SDL_GetError());
      return false;
    }
    state.sdl_ready = true;
  }
  SDL_AudioSpec want{};
  want.freq = kRate;
  want.format = AUDIO_S16SYS;
  want.channels = kChannels;
  want.samples = 1024;
  want.callback = DeviceCallback;
  want.userdata = &state.device_renderer;
  SDL_AudioSpec have{};
  state.device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (state.device == 0) {
    std::fprintf(stderr, "audio engine: no audio output (%s)\n", SDL_GetError());
    return false;
  }
  SDL_PauseAudioDevice(state.device, 0);
  return true;
}

bool StartOutput(OutputState& state) {
  switch (state.choice) {
    case Output::None:
      return false;
    case Output::Manual:
      return true;
    case Output::Default:
      break;
  }
  const std::string capture = env::Get(env::kAudioCapture);
  if (!capture.empty()) {
    if (!state.capture.Open(capture)) {
      std::fprintf(stderr, "audio engine: cannot write the capture file %s\n", capture.c_str());
      return false;
    }
    state.capture_stop = false;
    state.capture_thread = std::thread(CaptureLoop, &state);
    return true;
  }
  return StartDevice(state);
}

void StopOutput(OutputState& state) {
  if (state.device != 0) {
    SDL_CloseAudioDevice(state.device);  // waits for a running callback, then ends its thread
    state.device = 0;
  }
  if (state.capture_thread.joinable()) {
    state.capture_stop = true;
    state.capture_thread.join();
  }
  state.running = false;
}

}  // namespace

void AddSource(Source& source) {
  const int index = source_count.load();
  if (index >= kMaxSources)
    win::Unsupported("AddSource", "more than " + std::to_string(kMaxSources) + " sources");
  sources[index].store(&source, std::memory_order_release);
  source_count.store(index + 1, std::memory_order_release);
}

void AddCloseHook(std::function<void()> hook) {
  close_hooks.push_back(std::move(hook));
}

bool Acquire() {
  auto& state = State();
  if (!state.running) state.running = StartOutput(state);
  return state.running;
}

// Nobody but the list holds what the render thread has let go of, and then nobody else can take
// it up again: the render thread gets its references only from what is posted.
void LendAny(std::shared_ptr<const void> item) {
  auto& loans = State().loans;
  std::erase_if(loans, [](const auto& loan) { return loan.use_count() == 1; });
  if (item && std::find(loans.begin(), loans.end(), item) == loans.end())
    loans.push_back(std::move(item));
}

void CloseAll() {
  auto& state = State();
  StopOutput(state);
  state.device_renderer = Renderer{};
  state.capture_renderer = Renderer{};
  state.manual_renderer = Renderer{};
  state.capture.Close();
  if (state.sdl_ready) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    state.sdl_ready = false;
  }
  const int count = source_count.load();
  for (int i = 0; i < count; ++i) sources[i].load()->Reset();
  state.loans.clear();
  for (auto& hook : close_hooks) hook();
}

void WaitForRoom(const char* call, const std::function<bool()>& has_room) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
  while (!has_room()) {
    if (std::chrono::steady_clock::now() > deadline)
      win::Unsupported(call, "more commands than a render takes, with no render running");
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

void SetOutputForTests(Output output) {
  State().choice = output;
}

std::vector<std::int16_t> RenderForTests(int frames) {
  auto& state = State();
  if (state.choice != Output::Manual)
    win::Unsupported("RenderForTests", "a render without the Manual output");
  std::vector<std::int16_t> pcm;
  pcm.reserve(static_cast<std::size_t>(frames) * kChannels);
  // A stopped output is silent, whatever the sources still hold.
  if (!state.running) {
    pcm.resize(static_cast<std::size_t>(frames) * kChannels);
    return pcm;
  }
  // One renderer throughout, so that the limiter carries on from call to call as it does on a
  // device.
  state.manual_renderer.Render(frames, [&pcm](const std::int16_t* samples, int count) {
    pcm.insert(pcm.end(), samples, samples + count);
  });
  return pcm;
}

}  // namespace audio
