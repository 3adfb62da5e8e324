#include "platform/fading_tails.h"

#include <algorithm>

namespace audio {

void FadingTails::Add(std::shared_ptr<const Pcm> pcm, std::size_t at, bool repeats) {
  if (!pcm || at == 0 || at >= pcm->samples.size()) return;
  const auto free =
      std::find_if(tails_.begin(), tails_.end(), [](const Tail& t) { return !t.pcm; });
  if (free != tails_.end()) *free = Tail{std::move(pcm), at, repeats, kStopFadeFrames};
}

void FadingTails::Mix(float* out, int frames) {
  for (Tail& tail : tails_) {
    if (!tail.pcm) continue;
    const auto& samples = tail.pcm->samples;
    for (int i = 0; i < frames && tail.frames_left > 0; ++i) {
      if (tail.at >= samples.size()) {
        if (!tail.repeats) break;
        tail.at = 0;
      }
      const float gain = static_cast<float>(tail.frames_left--) / (kStopFadeFrames + 1);
      out[2 * i] += samples[tail.at++] * gain;
      out[2 * i + 1] += samples[tail.at++] * gain;
    }
    if (tail.frames_left == 0 || (!tail.repeats && tail.at >= samples.size())) tail = Tail{};
  }
}

void FadingTails::Clear() {
  tails_.fill(Tail{});
}

}  // namespace audio
