#include "platform/profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/file_read.h"
#include "platform/kernel32.h"
#include "platform/paths.h"
#include "platform/text_case.h"

namespace win {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
// The settings file and the registry store hold a few hundred bytes. A file far larger is none
// of ours, and every line of it would become a string of its own.
constexpr std::uint64_t kMaxFileBytes = 1u << 20;

using textcase::SameText;

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool HoldsLineBreak(std::string_view s) {
  return s.find_first_of(std::string_view("\r\n\0", 3)) != s.npos;
}

// One INI file, read where it lies and changed by splicing one line in, so that a rewrite
// changes only the line it means to: a line read as "[S\r" (from "[S\r\r\n") must not come
// back as "[S\r\n", which reads as the header of another section. A line is known by the
// offset where it starts; its text leaves out its line ending ("\r\n" or "\n"; the last
// line's may be "\r" or nothing). Searches jump from one '[' or '=' to the next rather than
// walking every line, so that a call costs little more than reading the file, however many
// lines it holds.
struct IniText {
  std::string text;
  std::string eol = "\r\n";  // the file's own line ending, kept for lines we add

  // A missing file holds no lines; one that is there but cannot be read (not a regular file,
  // larger than any of ours) gives nothing, so that a write never replaces what it did not read.
  static std::optional<IniText> Load(const std::string& path) {
    IniText ini;
    const auto bytes = files::ReadRegularFile(path, kMaxFileBytes);
    if (!bytes) {
      if (files::Exists(path)) return std::nullopt;
      return ini;
    }
    ini.text.assign(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    const size_t first_lf = ini.text.find('\n');
    if (first_lf != std::string::npos && (first_lf == 0 || ini.text[first_lf - 1] != '\r'))
      ini.eol = "\n";
    return ini;
  }

  // The start of the line that holds the character at offset at.
  size_t LineStart(size_t at) const { return at == 0 ? 0 : text.rfind('\n', at - 1) + 1; }
  size_t NextLine(size_t start) const {
    const size_t lf = text.find('\n', start);
    return lf == std::string::npos ? text.size() : lf + 1;
  }
  std::string_view Line(size_t start) const {
    std::string_view line = std::string_view(text).substr(start);
    line = line.substr(0, line.find('\n'));
    if (line.ends_with('\r')) line.remove_suffix(1);
    return line;
  }

  // The section named by a line "[name]", or nullopt when the line is not a section header.
  static std::optional<std::string_view> SectionOf(std::string_view line, bool first_line) {
    if (first_line && line.starts_with(kUtf8Bom)) line.remove_prefix(kUtf8Bom.size());
    line = TrimBlanks(line);
    if (!line.starts_with('[')) return std::nullopt;
    line.remove_prefix(1);
    const size_t close = line.find(']');
    return TrimBlanks(close == line.npos ? line : line.substr(0, close));
  }

  // The first line at or after from (a line's start) that holds the mark and passes the check.
  template <class Check>
  std::optional<size_t> FindLine(size_t from, size_t to, char mark, Check check) const {
    for (size_t at = text.find(mark, from); at < to; at = text.find(mark, NextLine(at))) {
      at = LineStart(at);
      if (check(at)) return at;
    }
    return std::nullopt;
  }

  // The first header at or after from whose name passes the check.
  template <class Check>
  std::optional<size_t> FindHeader(size_t from, Check check) const {
    return FindLine(from, text.size(), '[', [&](size_t at) {
      const auto name = SectionOf(Line(at), at == 0);
      return name && check(*name);
    });
  }

  std::optional<size_t> FindSection(std::string_view section) const {
    return FindHeader(0, [&](std::string_view name) { return SameText(name, section); });
  }

  // Where the section ends: the next header or the end of the file.
  size_t SectionEnd(size_t header) const {
    return FindHeader(NextLine(header), [](std::string_view) { return true; })
        .value_or(text.size());
  }

  std::optional<size_t> FindKey(size_t header, std::string_view key) const {
    return FindLine(NextLine(header), SectionEnd(header), '=', [&](size_t at) {
      const std::string_view line = Line(at);
      return SameText(TrimBlanks(line.substr(0, line.find('='))), key);
    });
  }

  std::optional<std::string> Value(std::string_view section, std::string_view key) const {
    const auto header = FindSection(section);
    if (!header) return std::nullopt;
    const auto line = FindKey(*header, key);
    if (!line) return std::nullopt;
    const std::string_view text_of_line = Line(*line);
    return std::string(text_of_line.substr(text_of_line.find('=') + 1));
  }

  void Set(std::string_view section, std::optional<std::string_view> key, std::string_view value) {
    auto header = FindSection(section);
    if (!header) header = Insert(text.size(), "[" + std::string(section) + "]");
    if (!key) return;
    if (const auto line = FindKey(*header, *key)) {
      // The key keeps its own spelling; only its value changes.
      const std::string_view old = Line(*line);
      const size_t eq = old.find('=');
      text.replace(*line + eq + 1, old.size() - eq - 1, value);
      return;
    }
    // A new key goes after the section's last key, before any blank lines that close it.
    Insert(BlankLinesBefore(SectionEnd(*header), NextLine(*header)),
           std::string(*key) + "=" + std::string(value));
  }

  // Where the blank lines (blanks alone) just before at begin, going back no further than
  // first. Character by character, and empty lines seven at a time: a section may end in a
  // million of them.
  size_t BlankLinesBefore(size_t at, size_t first) const {
    constexpr std::string_view kEightEnds = "\n\n\n\n\n\n\n\n";
    while (at > first) {
      if (at >= first + 8 && std::string_view(text).substr(at - 8, 8) == kEightEnds) {
        at -= 7;
        continue;
      }
      size_t end = text[at - 1] == '\n' ? at - 1 : at;  // the line before, without its ending
      if (text[end - 1] == '\r') --end;
      while (end > first && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
      if (end > first && text[end - 1] != '\n') break;
      at = end;
    }
    return at;
  }

  // Puts a line before the line that starts at at, or after the last one, and gives where it
  // starts. A line added after a last line that does not end in a line break becomes the last
  // line, without one either; the former last line gains one, its lone CR, if any, becoming
  // part of it.
  size_t Insert(size_t at, const std::string& line) {
    if (at == text.size() && !text.empty() && !text.ends_with('\n')) {
      text += text.ends_with('\r') ? "\n" : eol;
      text += line;
      return text.size() - line.size();
    }
    text.insert(at, line + eol);
    return at;
  }
};

// Fails with the host's error number as the thread's last error.
bool Fail(int error_number) {
  SetLastHostError(error_number);
  return false;
}

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) errno = ENOSPC;
    if (n <= 0) return false;
    data.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// The file that a write changes: the path itself, or the file that a symbolic link at the path
// leads to (through any further links), so that the link stays a link. nullopt with errno set
// when a link cannot be followed.
std::optional<fs::path> WriteTarget(fs::path path) {
  constexpr int kMaxLinks = 40;  // the system's own limit, beyond which a chain is a loop
  for (int links = 0; links < kMaxLinks; ++links) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(path, ec))) return path;
    const fs::path next = fs::read_symlink(path, ec);
    if (ec) {
      errno = ec.value();
      return std::nullopt;
    }
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  errno = ELOOP;
  return std::nullopt;
}

// Whether we may change the file or folder at path, with errno set when not. Besides the
// system's own answer, a missing write bit for the owner counts as the read-only attribute,
// which even the superuser respects. An existing file must also be readable, or its other
// lines would be lost.
bool MayChange(const fs::path& path, int access_mode) {
  struct stat st {};
  if (::access(path.c_str(), access_mode) != 0 || ::stat(path.c_str(), &st) != 0) return false;
  if ((st.st_mode & S_IWUSR) == 0) {
    errno = EACCES;
    return false;
  }
  return true;
}

fs::path FolderOf(const fs::path& file) {
  return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

// Writes the new text beside the file, flushes it to disk, makes sure that it reads back as
// meant and renames it over the file. The copy beside it has one fixed name, so that a write
// cut short leaves at most that one file behind, and the next write clears it.
template <class ReadsBack>
bool ReplaceFile(const fs::path& target, std::string_view text, ReadsBack reads_back) {
  const fs::path folder = FolderOf(target);
  const fs::path temp = folder / ("." + target.filename().string() + ".finbrook-tmp");
  ::unlink(temp.c_str());
  // A new file gets the usual mode from the umask, an existing one keeps its own.
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return Fail(errno);
  bool ok =
      (!exists || ::fchmod(fd, old.st_mode & 07777) == 0) && WriteAll(fd, text) && ::fsync(fd) == 0;
  int error = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok && !reads_back(temp.string())) {
    ok = false;
    error = EINVAL;
  }
  if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    return Fail(error);
  }
  // The rename itself reaches the disk with the folder's entry.
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

bool AcceptableNames(std::string_view section, std::optional<std::string_view> key) {
  if (section.empty() || HoldsLineBreak(section) || section.find(']') != section.npos ||
      TrimBlanks(section) != section)
    return false;
  if (!key) return true;
  return !key->empty() && !HoldsLineBreak(*key) && key->find('=') == key->npos &&
         TrimBlanks(*key) == *key && !key->starts_with('[');
}

// The first max_chars characters of UTF-8 text, never half of one. A character takes at most
// four bytes even in broken text, so the copy always fits the caller's buffer.
std::string_view FirstChars(std::string_view text, size_t max_chars, unsigned& chars) {
  size_t i = 0;
  chars = 0;
  for (; chars < max_chars && i < text.size(); ++chars) {
    ++i;
    for (int more = 0;
         more < 3 && i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
         ++more)
      ++i;
  }
  return text.substr(0, i);
}

// ---- Text from an old Windows machine ----
// The old program stored its text in the ANSI code page, Windows-1252, which a settings file
// brought from such a machine still holds. Text that is not UTF-8 is read as that code page.

bool IsUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t more = 0;
    char32_t c = lead;
    if (lead >= 0xC2 && lead <= 0xDF) {
      more = 1;
      c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      more = 2;
      c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      more = 3;
      c = lead & 0x07;
    } else if (lead >= 0x80) {
      return false;
    }
    if (more >= text.size() - i) return false;  // cut short
    for (size_t k = 1; k <= more; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      c = c << 6 | (next & 0x3F);
    }
    // Overlong forms, surrogates and numbers past the last character are not UTF-8.
    constexpr char32_t kShortest[] = {0, 0x80, 0x800, 0x10000};
    if (c < kShortest[more] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return false;
    i += more + 1;
  }
  return true;
}

// Bytes 0x80 to 0x9F of Windows-1252; the five it leaves unassigned stand for themselves, as
// Windows reads them.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::string Utf8FromStored(std::string text) {
  if (IsUtf8(text)) return text;
  std::string out;
  for (const char byte : text) {
    const auto b = static_cast<unsigned char>(byte);
    const char16_t c = b >= 0x80 && b <= 0x9F ? kWindows1252High[b - 0x80] : b;
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | c >> 6);
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | c >> 12);
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace

// A bare file name lies in the Windows directory, as the profile calls place it.
std::string ProfileHostPath(std::string_view file) {
  if (file.find_first_of("\\/") != file.npos) return HostPath(file);
  char windir[260];
  const unsigned n = GetWindowsDirectoryA(windir, sizeof windir);
  return HostPath(std::string(windir, n) + "\\" + std::string(file));
}

std::optional<std::string> ReadProfileValue(const std::string& host_path, std::string_view section,
                                            std::string_view key) {
  auto value = IniText::Load(host_path).value_or(IniText{}).Value(section, key);
  if (value) *value = Utf8FromStored(std::move(*value));
  return value;
}

bool ProfileSectionExists(const std::string& host_path, std::string_view section) {
  return IniText::Load(host_path).value_or(IniText{}).FindSection(section).has_value();
}

bool WriteProfileValue(const std::string& host_path, std::string_view section,
                       std::optional<std::string_view> key, std::string_view value) {
  if (!AcceptableNames(section, key) || HoldsLineBreak(value)) return Fail(EINVAL);
  const std::optional<fs::path> target = WriteTarget(host_path);
  if (!target) return Fail(errno);
  std::error_code ec;
  fs::create_directories(FolderOf(*target), ec);
  if (ec) return Fail(ec.value());
  if (!MayChange(FolderOf(*target), W_OK) ||
      (fs::exists(*target, ec) && !MayChange(*target, R_OK | W_OK)))
    return Fail(errno);
  std::optional<IniText> ini = IniText::Load(*target);
  if (!ini) {
    return Fail(fs::is_directory(*target, ec)      ? EISDIR
                : fs::is_regular_file(*target, ec) ? EFBIG
                                                   : EINVAL);
  }
  ini->Set(section, key, value);
  // A write that reports success must read back, whatever the file held around it.
  return ReplaceFile(*target, ini->text, [&](const std::string& written) {
    return key ? ReadProfileValue(written, section, *key) == value
               : ProfileSectionExists(written, section);
  });
}

unsigned GetPrivateProfileStringA(std::string_view section, std::string_view key,
                                  std::string_view default_value, char* buffer, unsigned size,
                                  std::string_view file) {
  if (buffer == nullptr || size == 0) return 0;
  const std::optional<std::string> stored = ReadProfileValue(ProfileHostPath(file), section, key);
  const std::string_view value = stored ? std::string_view(*stored) : default_value;
  unsigned chars = 0;
  const std::string_view copied = FirstChars(value, size - 1, chars);
  std::memcpy(buffer, copied.data(), copied.size());
  buffer[copied.size()] = '\0';
  return chars;
}

bool WritePrivateProfileStringA(std::string_view section, std::string_view key,
                                std::string_view value, std::string_view file) {
  return WriteProfileValue(ProfileHostPath(file), section, key, value);
}

}  // namespace win
