// Reading the files that the user's folders hold: pictures, songs, sound effects, the settings
// file and the registry store. A name there may stand for something that is not a file at all (a
// named pipe stalls whoever opens or reads it until a writer comes, a device never ends), or for
// a file far larger than anything the program can use, so every reader goes through here:
//   - a path is opened without blocking and read only when it is a regular file; a named pipe,
//     device, socket or folder counts as a file that cannot be loaded;
//   - nothing is read past what the caller allows.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace files {

// The most that one loaded picture, sound or song may occupy once decoded: 32 MiB. That is 95
// seconds of sound at the engine's rate (stereo float samples), a picture of 8 Mi pixels
// counted as 32-bit pixels (4096 x 2048, say), or a song of a million events. Anything larger
// is refused exactly like a broken file.
inline constexpr std::uint64_t kMaxDecodedBytes = 32ull << 20;

// The most that everything loaded at once may occupy together, so that however many files of
// a folder the program uses, together they take the saver to about twice its usual memory at
// most: what does not fit beside what is already loaded is refused exactly like a broken file.
// The saver's built-in media take about 9 MB of it.
inline constexpr std::uint64_t kMaxLoadedBytes = 48ull << 20;

// A share of kMaxLoadedBytes, held by what was loaded for as long as it lives and given back
// with it. An empty one holds nothing.
class Charge {
 public:
  Charge() = default;
  // Nothing when the bytes do not fit beside what is held already.
  static std::optional<Charge> Take(std::uint64_t bytes);
  Charge(Charge&& other) noexcept;
  Charge& operator=(Charge&& other) noexcept;
  ~Charge();

  // What every live charge holds together.
  static std::uint64_t HeldBytes();

 private:
  explicit Charge(std::uint64_t bytes) : bytes_(bytes) {}
  std::uint64_t bytes_ = 0;
};

// A regular file, open for reading.
class RegularFile {
 public:
  // Nothing when the path is missing, unreadable or not a regular file.
  static std::optional<RegularFile> Open(const std::string& host_path);
  RegularFile(RegularFile&& other) noexcept;
  RegularFile& operator=(RegularFile&&) = delete;
  ~RegularFile();

  std::uint64_t Size() const { return size_; }
  // Fills out from offset on; false when the file holds fewer bytes there or cannot be read.
  bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const;

 private:
  RegularFile(int fd, std::uint64_t size) : fd_(fd), size_(size) {}
  int fd_;
  std::uint64_t size_;
};

// The whole of a regular file of at most max_bytes; nothing for any other file.
std::optional<std::vector<std::uint8_t>> ReadRegularFile(const std::string& host_path,
                                                         std::uint64_t max_bytes);

// A loader's passing buffers (the file's bytes, the forms on the way to the one it keeps) are
// freed when it is done, but the allocator keeps what was freed for later: a load ends here, so
// that what it only passed through goes back to the system and a folder of large files, loaded
// or refused, leaves the process no larger than what it keeps.
void ReleaseFreedMemory();

// Whether anything at all, of any kind, is at the path (a link followed); it is not opened.
bool Exists(const std::string& host_path);

}  // namespace files
