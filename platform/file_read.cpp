#include "platform/file_read.h"

#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <utility>

namespace files {
namespace {

std::atomic<std::uint64_t> held_bytes{0};

}  // namespace

std::optional<Charge> Charge::Take(std::uint64_t bytes) {
  std::uint64_t held = held_bytes.load();
  do {
    if (bytes > kMaxLoadedBytes - held) return std::nullopt;
  } while (!held_bytes.compare_exchange_weak(held, held + bytes));
  return Charge(bytes);
}

Charge::Charge(Charge&& other) noexcept : bytes_(std::exchange(other.bytes_, 0)) {}

Charge& Charge::operator=(Charge&& other) noexcept {
  if (this != &other) {
    held_bytes -= bytes_;
    bytes_ = std::exchange(other.bytes_, 0);
  }
  return *this;
}

Charge::~Charge() {
  held_bytes -= bytes_;
}

std::uint64_t Charge::HeldBytes() {
  return held_bytes.load();
}

std::optional<RegularFile> RegularFile::Open(const std::string& host_path) {
  // Without O_NONBLOCK opening a named pipe waits for a writer, possibly for ever.
  const int fd = ::open(host_path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0) {
    ::close(fd);
    return std::nullopt;
  }
  return RegularFile(fd, static_cast<std::uint64_t>(info.st_size));
}

RegularFile::RegularFile(RegularFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), size_(other.size_) {}

RegularFile::~RegularFile() {
  if (fd_ >= 0) ::close(fd_);
}

bool RegularFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const {
  while (!out.empty()) {
    const ssize_t n = ::pread(fd_, out.data(), out.size(), static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;  // an error, or the file ends early (it shrank since it was opened)
    offset += static_cast<std::uint64_t>(n);
    out = out.subspan(static_cast<std::size_t>(n));
  }
  return true;
}

std::optional<std::vector<std::uint8_t>> ReadRegularFile(const std::string& host_path,
                                                         std::uint64_t max_bytes) {
  const auto file = RegularFile::Open(host_path);
  if (!file || file->Size() > max_bytes) return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(file->Size()));
  if (!file->ReadAt(0, bytes)) return std::nullopt;
  return bytes;
}

void ReleaseFreedMemory() {
  ::malloc_trim(0);
}

bool Exists(const std::string& host_path) {
  struct stat info {};
  return ::stat(host_path.c_str(), &info) == 0;
}

}  // namespace files
