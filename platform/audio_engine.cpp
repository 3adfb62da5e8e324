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

// Renders into buffers owned by the render thread, growing them only when a larger block comes.
struct RenderBuffers {
  std::vector<float> mix;
  std::vector<std::int16_t> pcm;
  Limiter limiter;
  void Render(int frames) {
    const std::size_t samples = static_cast<std::size_t>(frames) * kChannels;
    if (mix.size() < samples) mix.resize(samples);
    if (pcm.size() < samples) pcm.resize(samples);
    RenderMix(mix.data(), frames);
    limiter.Apply(mix.data(), frames);
    ToInt16(mix.data(), pcm.data(), samples);
  }
};

// The WAV file of FINBROOK_AUDIO_CAPTURE: opened at the first start, appended to by every
// later start, its sizes rewritten after each block so that it is whole at any moment.
class CaptureFile {
 public:
  bool Open(const std::string& path) {
    if (file_) return true;
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) return false;
    data_bytes_ = 0;
    WriteHeader();
    return true;
  }
  void Append(const std::int16_t* samples, std::size_t count) {
    unsigned char bytes[2];
    for (std::size_t i = 0; i < count; ++i) {
      const auto v = static_cast<std::uint16_t>(samples[i]);
      bytes[0] = static_cast<unsigned char>(v & 0xFF);
      bytes[1] = static_cast<unsigned char>(v >> 8);
      std::fwrite(bytes, 1, 2, file_);
    }
    data_bytes_ += static_cast<std::uint32_t>(count * 2);
    WriteHeader();
    std::fseek(file_, 0, SEEK_END);
    std::fflush(file_);
  }
  void Close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
  }

 private:
  static void Put32(unsigned char* at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(v >> (8 * i));
  }
  static void Put16(unsigned char* at, std::uint16_t v) {
    at[0] = static_cast<unsigned char>(v & 0xFF);
    at[1] = static_cast<unsigned char>(v >> 8);
  }
  void WriteHeader() {
    unsigned char h[44];
    std::memcpy(h, "RIFF", 4);
    Put32(h + 4, 36 + data_bytes_);
    std::memcpy(h + 8, "WAVEfmt ", 8);
    Put32(h + 16, 16);
    Put16(h + 20, 1);
    Put16(h + 22, kChannels);
    Put32(h + 24, kRate);
    Put32(h + 28, kRate * kChannels * 2);
    Put16(h + 32, kChannels * 2);
    Put16(h + 34, 16);
    std::memcpy(h + 36, "data", 4);
    Put32(h + 40, data_bytes_);
    std::fseek(file_, 0, SEEK_SET);
    std::fwrite(h, 1, sizeof h, file_);
  }

  std::FILE* file_ = nullptr;
  std::uint32_t data_bytes_ = 0;
};

// The running output and who holds it. Touched by the user-interface thread only.
struct OutputState {
  Output choice = Output::Default;
  bool running = false;
  bool sdl_ready = false;
  SDL_AudioDeviceID device = 0;
  RenderBuffers device_buffers;  // used by the SDL callback only
  RenderBuffers manual_buffers;  // used by RenderForTests only
  CaptureFile capture;
  std::thread capture_thread;
  std::atomic<bool> capture_stop{false};
};

OutputState& State() {
  static auto* state = new OutputState;  // never destroyed: no teardown races at exit
  return *state;
}

void DeviceCallback(void* userdata, Uint8* stream, int len) {
  auto& buffers = *static_cast<RenderBuffers*>(userdata);
  const int frames = len / static_cast<int>(kChannels * sizeof(std::int16_t));
  buffers.Render(frames);
  std::memcpy(stream, buffers.pcm.data(), static_cast<std::size_t>(len));
}

void CaptureLoop(OutputState* state) {
  using Clock = std::chrono::steady_clock;
  const auto step = std::chrono::microseconds(1'000'000LL * kCaptureBlockFrames / kRate);
  RenderBuffers buffers;
  auto next = Clock::now();
  while (!state->capture_stop.load()) {
    buffers.Render(kCaptureBlockFrames);
    state->capture.Append(buffers.pcm.data(), kCaptureBlockFrames * kChannels);
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
  want.userdata = &state.device_buffers;
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

void CloseAll() {
  auto& state = State();
  StopOutput(state);
  state.device_buffers = RenderBuffers{};
  state.manual_buffers = RenderBuffers{};
  state.capture.Close();
  if (state.sdl_ready) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    state.sdl_ready = false;
  }
  const int count = source_count.load();
  for (int i = 0; i < count; ++i) sources[i].load()->Reset();
  for (auto& hook : close_hooks) hook();
}

void SetOutputForTests(Output output) {
  State().choice = output;
}

std::vector<std::int16_t> RenderForTests(int frames) {
  auto& state = State();
  if (state.choice != Output::Manual)
    win::Unsupported("RenderForTests", "a render without the Manual output");
  // A stopped output is silent, whatever the sources still hold.
  if (!state.running)
    return std::vector<std::int16_t>(static_cast<std::size_t>(frames) * kChannels);
  // One render state throughout, so that the limiter carries on from call to call as it does on
  // a device.
  RenderBuffers& buffers = state.manual_buffers;
  buffers.Render(frames);
  const auto samples = static_cast<std::ptrdiff_t>(frames) * kChannels;
  return {buffers.pcm.begin(), buffers.pcm.begin() + samples};
}

}  // namespace audio
