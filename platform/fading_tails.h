// The ends of waves that were stopped while they sounded. Cutting a wave in mid-swing is heard
// as a click; instead each stopped wave plays on from where it was, its gain falling to nothing
// over a few milliseconds. Render thread only; it never allocates.
#pragma once

#include <array>
#include <cstddef>
#include <memory>

#include "platform/audio_engine.h"
#include "platform/wav_reader.h"

namespace audio {

inline constexpr int kStopFadeFrames = kRate / 200;  // 5 ms

class FadingTails {
 public:
  // Fades the wave out from sample `at`; a repeating wave runs on from its start should the
  // fade reach its end. A wave that has not begun (at 0) has nothing to fade; with every tail
  // busy the wave is cut.
  void Add(std::shared_ptr<const Pcm> pcm, std::size_t at, bool repeats);
  void Mix(float* out, int frames);
  void Clear();

 private:
  struct Tail {
    std::shared_ptr<const Pcm> pcm;  // null when the slot is free
    std::size_t at = 0;
    bool repeats = false;
    int frames_left = 0;
  };
  std::array<Tail, 16> tails_;
};

}  // namespace audio
