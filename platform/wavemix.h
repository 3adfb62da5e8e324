// Our stand-in for the wave-mixer library: sessions of eight channels that each play a queue of
// loaded waves, mixed and repeated on the audio engine's render thread with no help from the
// program once a wave is started.
//
// Handles are 32-bit numbers, 0 meaning none. A call naming an unknown session, channel or
// wave (a zero wave handle included) does nothing and returns an error. Only what the program
// uses is supported; any other flag, a resource or a notification window is refused by
// win::Unsupported, and so are a fifth session open at once and a seventeenth wave played on a
// channel without its queue being cleared in between (the render thread's storage is fixed).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace win {

enum class MmResult : std::uint32_t {
  MMSYSERR_NOERROR = 0,
  MMSYSERR_INVALHANDLE = 5,
  MMSYSERR_INVALPARAM = 11,
};

// WaveMixOpenChannel: the channel number is a count; channels 0 to count-1 open.
enum class WaveMixOpen : std::uint32_t { Count = 2 };
// WaveMixCloseChannel: every channel of the session, whatever the channel number.
enum class WaveMixClose : std::uint32_t { All = 1 };

// Bits of the play record's flags.
inline constexpr std::uint32_t kWaveMixClearQueue = 1;  // drop the channel's queue, start now
inline constexpr std::uint32_t kWaveMixHighPriority = 4;
// A repeat count of 65535 repeats until the channel is closed; n plays the wave n + 1 times.
inline constexpr std::uint16_t kWaveMixEndless = 0xFFFF;

// The play record, 24 bytes as twelve little-endian 16-bit words; each 32-bit field is its low
// word followed by its high word:
//   0 size (24) | 1-2 session | 3-4 channel | 5-6 wave | 7-8 notification window (0)
//   9-10 flags | 11 repeat count (unsigned)
using MixPlayParams = std::array<std::int16_t, 12>;
inline constexpr int kWaveMixChannels = 8;

// A session, or 0 when no wave output can be opened.
std::int32_t WaveMixInit();
// Loads a WAV file (the program's Windows-style path); 0 when it cannot be loaded. instance
// and flags must be 0 (a file, not a resource).
std::int32_t WaveMixOpenWave(std::int32_t session, const std::string& path, std::int32_t instance,
                             std::uint32_t flags);
MmResult WaveMixOpenChannel(std::int32_t session, int channel, WaveMixOpen flags);
// Until a session is activated its channels hold their waves without playing them.
MmResult WaveMixActivate(std::int32_t session, bool activate);
// Starts or queues the record's wave on its channel and returns at once.
MmResult WaveMixPlay(const MixPlayParams& params);
MmResult WaveMixCloseChannel(std::int32_t session, int channel, WaveMixClose flags);
MmResult WaveMixFreeWave(std::int32_t session, std::int32_t wave);
MmResult WaveMixCloseSession(std::int32_t session);

// ---- For tests ----
// Every wave-mixer call is appended to the log as text ("WaveMixCloseSession(1)") while a log is
// set; null stops.
void RecordWaveMixCallsForTests(std::vector<std::string>* log);

}  // namespace win
