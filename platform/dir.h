// The run time's directory search, Dir(path, attributes), as far as the program uses it: one
// look-up of one file name, never a pattern.
#pragma once

#include <string>

namespace forms {

// Attribute sets of the search; the program asks for normal files only.
enum class FileAttribute : int {
  vbNormal = 0,
};

// The name under which the file system stores the file that path names (a Windows-style path,
// mapped with win::HostPath; the last part is matched without regard to case), or "" when there
// is none. Folders and hidden files are never found. A last part that holds a wildcard ("*" or
// "?") finds nothing: the program only ever asks for one file. A path with characters no file
// name can hold raises error 52 (Bad file name or number).
std::string Dir(const std::string& path, FileAttribute attributes);

}  // namespace forms
