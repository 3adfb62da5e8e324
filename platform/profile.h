// Our stand-ins for the profile calls of kernel32: a reader and writer of the platform's INI
// format. Sections and keys are matched without regard to case, the first match wins; values
// come back as stored. The files are UTF-8 and may end their lines with CR LF or LF; a value that
// is not UTF-8 was written on an old Windows machine and is read as Windows-1252. What is not a
// regular file, or is larger than a megabyte, reads as no file.
//
// A write replaces the whole file at once (a new file beside it, flushed to disk, then renamed
// over it), so that a crash leaves either the old file or the new one, never half of one. The
// file keeps its permission bits, or a new one gets the usual ones from the umask; a symbolic
// link is written through and stays a link. A file or folder without its owner's write bit is
// read-only, as the Windows attribute is, and is never replaced.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace win {

// The program's text is UTF-8: a buffer of n characters takes up to kMaxCharBytes * n bytes.
constexpr unsigned kMaxCharBytes = 4;

// GetPrivateProfileStringA: copies the value of key in section of file into buffer, at most
// size - 1 characters (never half of one) and a terminating zero; buffer holds size characters,
// that is kMaxCharBytes * size bytes. A missing file, section or key gives default_value.
// A bare file name lies in the Windows directory. Returns the characters copied.
unsigned GetPrivateProfileStringA(std::string_view section, std::string_view key,
                                  std::string_view default_value, char* buffer, unsigned size,
                                  std::string_view file);

// WritePrivateProfileStringA: sets key in section of file to value, creating the file and the
// section when missing; every other line stays as it was. Refuses (returns false) a value that
// holds CR, LF or NUL, which would split the line, and names that could not be read back. True
// only when the value now reads back; on false, LastErrorText (kernel32.h) says why.
bool WritePrivateProfileStringA(std::string_view section, std::string_view key,
                                std::string_view value, std::string_view file);

// The host path of the file that the calls above use for file, a bare name lying in the Windows
// directory: the file to name when telling the user about a failed write.
std::string ProfileHostPath(std::string_view file);

// ---- Our own access, for the stand-ins that keep their data in this format (the registry) ----

// The value of key in section of the file at host_path; nullopt when any of them is missing.
std::optional<std::string> ReadProfileValue(const std::string& host_path, std::string_view section,
                                            std::string_view key);
bool ProfileSectionExists(const std::string& host_path, std::string_view section);
// Sets key to value in section, or with no key only makes sure the section exists. False, with
// the reason as the last error, when the names or the value are refused or the file cannot be
// replaced.
bool WriteProfileValue(const std::string& host_path, std::string_view section,
                       std::optional<std::string_view> key, std::string_view value = {});

}  // namespace win
