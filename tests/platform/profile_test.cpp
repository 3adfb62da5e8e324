#include "platform/profile.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/kernel32.h"
#include "platform/temp_windir.h"

namespace {

namespace fs = std::filesystem;
using test_support::TempWindir;

// What GetPrivateProfileStringA hands back through a 128-character buffer, and its count.
struct Read128 {
  std::string text;
  unsigned count;
};
Read128 Get(std::string_view section, std::string_view key,
            const std::string& file = "quorvane.ini") {
  std::string buffer(128 * win::kMaxCharBytes, '\x7f');
  const unsigned n = win::GetPrivateProfileStringA(section, key, "dflt", buffer.data(), 128, file);
  return {buffer.substr(0, buffer.find('\0')), n};
}
bool Put(std::string_view section, std::string_view key, std::string_view value,
         const std::string& file = "quorvane.ini") {
  return win::WritePrivateProfileStringA(section, key, value, file);
}
std::string Repeat(const std::string& piece, int times) {
  std::string s;
  for (int i = 0; i < times; ++i) s += piece;
  return s;
}

TEST(Profile, ReadsFindTheFirstMatchWithoutRegardToCaseAndGiveTheValueAsStored) {
  const struct {
    const char* section;
    const char* key;
    const char* value;
  } cases[] = {
      {"S", "dolphin", " 1"},         {"s", "DOLPHIN", " 1"},
      {"S", "speed", " 70 "},         {"S", "empty", ""},
      {"S", "message", "\"q\" text"}, {"S", "padded", "x"},
      {"S", "firstrun", "dflt"},      {"Missing", "speed", "dflt"},
      {"S", "whale", "dflt"},  // only the first section of a name counts
  };
  for (const std::string eol : {"\r\n", "\n"}) {
    TempWindir windir;
    EXPECT_EQ(Get("S", "speed").text, "dflt") << "no file";
    std::string file;
    for (const char* line : {"[O]", "firstrun=1", "[s]", "Dolphin= 1", "dolphin= 0", "speed= 70 ",
                             "empty=", "message=\"q\" text", "  padded  =x", "[S]", "whale=7"})
      file += line + eol;
    windir.Write("QUORVANE.INI", file);
    for (const auto& c : cases) EXPECT_EQ(Get(c.section, c.key).text, c.value) << c.key;
    EXPECT_EQ(Get("S", "empty").count, 0u);
    EXPECT_EQ(Get("S", "speed", "C:\\Windows\\Quorvane.ini").text, " 70 ");
    ASSERT_TRUE(Put("O", "firstrun", "2"));
    EXPECT_NE(windir.Read("QUORVANE.INI").find("firstrun=2"), std::string::npos) << "in that file";
  }
}

// The program reads through a buffer of 128 characters: 127 come back, never half of one. A
// settings file brought from an old Windows machine holds its text in Windows-1252: a value that
// is not UTF-8 is read as that code page, and a write elsewhere keeps its line as it was.
TEST(Profile, ValuesAreCutAt127CharactersAndTextThatIsNotUtf8IsReadAsWindows1252) {
  const std::string euro = "\xE2\x82\xAC";
  const struct {
    const char* what;
    std::string stored;
    std::string read;
  } cases[] = {
      {"200 letters", Repeat("m", 200), Repeat("m", 127)},
      {"126 letters then euros", Repeat("a", 126) + euro + euro, Repeat("a", 126) + euro},
      {"all euros", Repeat(euro, 130), Repeat(euro, 127)},
      {"broken UTF-8 swelling to 3 bytes a character", "\xC3" + Repeat("\x80", 1200),
       "\u00C3" + Repeat(euro, 126)},
      {"accent and euro", "Caf\xE9 \x80", "Caf\u00E9 \u20AC"},
      {"a byte the code page leaves out", "a\x81", "a\u0081"},
      {"UTF-8 as it is", "Caf\u00E9 \u20AC \U0001F41F", "Caf\u00E9 \u20AC \U0001F41F"},
      {"UTF-8 cut short", "\xC3", "\u00C3"},
      {"an overlong form", "\xC0\xAF", "\u00C0\u00AF"},
      {"a surrogate", "\xED\xA0\x80", "\u00ED\u00A0\u20AC"},
  };
  for (const auto& c : cases) {
    TempWindir windir;
    windir.Write("quorvane.ini", "[S]\r\nk=" + c.stored + "\r\n");
    EXPECT_EQ(Get("S", "k").text, c.read) << c.what;
    const auto chars = std::count_if(c.read.begin(), c.read.end(),
                                     [](char byte) { return (byte & 0xC0) != 0x80; });
    EXPECT_EQ(Get("S", "k").count, static_cast<unsigned>(chars)) << c.what;
    ASSERT_TRUE(Put("S", "other", "x"));
    EXPECT_EQ(windir.Read("quorvane.ini"), "[S]\r\nk=" + c.stored + "\r\nother=x\r\n") << c.what;
  }
}

TEST(Profile, WhatIsNoRegularFileReadsAsNoFileAtOnceAndIsNeverWritten) {
  TempWindir windir;
  windir.ExpectSpecialFilesRefused(
      [](const std::string& path) { return Get("S", "k", path).text == "dflt"; });
  // Writes aim only at files of the test's own: a faulty writer would replace what it names.
  ::mkfifo(windir.File("pipe.ini").c_str(), 0600);
  std::filesystem::create_directory(windir.File("folder.ini"));
  for (const char* name : {"pipe.ini", "folder.ini"})
    EXPECT_FALSE(Put("S", "k", "v", windir.File(name).string())) << name;
  EXPECT_TRUE(std::filesystem::is_fifo(windir.File("pipe.ini")));
}

// Each write changes one line or adds one, keeping every other line, a byte order mark and the
// file's own line ending; a missing section goes at the end, a missing file is created. Lines
// that end in a lone CR, or in more than one, keep their meaning when a write adds lines after
// them, so that what a write reports as written reads back.
TEST(Profile, WritesChangeOrAddOnlyTheirOwnLine) {
  const struct {
    const char* what;
    std::optional<std::string> before;
    std::vector<std::pair<const char*, const char*>> writes;  // key, value in section "S"
    std::string after;
  } cases[] = {
      {"no file", std::nullopt, {{"Dolphin", " 1"}, {"dolphin", " 0"}}, "[S]\r\nDolphin= 0\r\n"},
      {"other sections and notes",
       "; notes\r\n[O]\r\nspeed=3\r\n\r\n[S]\r\nwhale= 1\r\nodd line\r\nspeed= 70\r\n\r\n[T]\r\n",
       {{"SPEED", " 20"}, {"orca", " 1"}},
       "; notes\r\n[O]\r\nspeed=3\r\n\r\n[S]\r\nwhale= 1\r\nodd line\r\nspeed= 20\r\norca= 1\r\n"
       "\r\n[T]\r\n"},
      {"missing section", "[O]\nspeed=3", {{"firstrun", "1"}}, "[O]\nspeed=3\n[S]\nfirstrun=1"},
      {"many empty lines",
       "[S]\nk=1\n \r" + std::string(20, '\n'),
       {{"w", "1"}},
       "[S]\nk=1\nw=1\n \r" + std::string(20, '\n')},
      {"byte order mark",
       "\xEF\xBB\xBF[S]\r\nf=1\r\n",
       {{"w", "1"}},
       "\xEF\xBB\xBF[S]\r\nf=1\r\nw=1\r\n"},
      {"a header ending in CR at the end", "[S]\r", {{"k", "new"}}, "[S]\r\nk=new"},
      {"two headers joined by a lone CR", "[x]\r[S]\n", {{"k", "new"}}, "[x]\r[S]\n[S]\nk=new\n"},
      {"a header cut by two CRs",
       "[T]\nt=1\n[S\r\r\n",
       {{"k", "new"}},
       "[T]\nt=1\n[S\r\r\n[S]\nk=new\n"},
  };
  for (const auto& c : cases) {
    TempWindir windir;
    if (c.before) windir.Write("quorvane.ini", *c.before);
    for (const auto& [key, value] : c.writes) {
      ASSERT_TRUE(Put("S", key, value)) << c.what;
      EXPECT_EQ(Get("S", key).text, value) << c.what;
    }
    EXPECT_EQ(windir.Read("quorvane.ini"), c.after) << c.what;
  }
}

// Every entry below the Windows directory with its bytes, to show that a write changed nothing.
std::map<std::string, std::string> Tree(const TempWindir& windir) {
  std::map<std::string, std::string> tree;
  for (const auto& entry : fs::recursive_directory_iterator(windir.Dir())) {
    const std::string name = fs::relative(entry.path(), windir.Dir()).string();
    tree[name] = entry.is_regular_file() ? windir.Read(name) : "(folder)";
  }
  return tree;
}

TEST(Profile, ValuesAndNamesThatWouldSplitALineAreRefused) {
  TempWindir windir;
  ASSERT_TRUE(Put("S", "message", "kept"));
  const std::string before = windir.Read("quorvane.ini");
  using namespace std::string_view_literals;
  for (std::string_view bad : {"two\r\nlines"sv, "cr\ronly"sv, "lf\nonly"sv, "nul\0inside"sv})
    EXPECT_FALSE(Put("S", "message", bad));
  EXPECT_EQ(win::LastErrorText(), "Invalid argument");
  for (const auto& [section, key] :
       {std::pair{"S", "a=b"}, {"S", ""}, {"S]x", "k"}, {"S\n[T", "k"}})
    EXPECT_FALSE(Put(section, key, "v")) << section << key;
  EXPECT_EQ(windir.Read("quorvane.ini"), before);
}

// A file or folder without its owner's write bit is read-only, as the Windows attribute is,
// even for the superuser; a file that cannot be ours is not replaced by the one line written.
// Either way the reason comes back in the system's words and nothing changes.
TEST(Profile, WritesThatCannotBeMadeFailLeavingEverythingAsItWas) {
  const std::string old = "[S]\nk=old\n", too_long(250, 'q'), big = old + std::string(2 << 20, ';');
  const struct {
    const char* what;
    std::string file, made;  // the file written; what the case makes first (a folder if empty)
    std::string content;
    fs::perms mode;  // of what was made, unless none
    const char* reason;
  } cases[] = {
      {"a read-only file", "q.ini", "q.ini", old, fs::perms(0444), "Permission denied"},
      {"a read-only folder", "ro/q.ini", "ro", "", fs::perms(0555), "Permission denied"},
      {"a folder that is a file", "plain/q.ini", "plain", old, {}, "Not a directory"},
      {"a name too long for one beside it", too_long, too_long, old, {}, "File name too long"},
      {"a file too large to be ours", "q.ini", "q.ini", big, {}, "File too large"},
  };
  for (const auto& c : cases) {
    TempWindir windir;
    if (c.content.empty()) fs::create_directory(windir.File(c.made));
    if (!c.content.empty()) windir.Write(c.made, c.content);
    if (c.mode != fs::perms::none) fs::permissions(windir.File(c.made), c.mode);
    const auto before = Tree(windir);
    EXPECT_FALSE(Put("S", "k", "new", windir.File(c.file).string())) << c.what;
    EXPECT_EQ(win::LastErrorText(), c.reason) << c.what;
    EXPECT_EQ(Tree(windir), before) << c.what;
  }
}

// A new file takes its mode from the umask, an existing one keeps its own; a symbolic link stays
// where the user put it and the file it leads to is replaced. A temporary file left by a write
// that was killed is cleared.
TEST(Profile, AWriteKeepsTheFilesModeAndLinkAndLeavesNothingBeside) {
  TempWindir windir;
  const auto write_under = [](mode_t mask) {
    const mode_t saved = ::umask(mask);
    const bool written = Put("S", "k", "new");
    ::umask(saved);
    return written;
  };
  const auto mode = [&] { return fs::status(windir.File("quorvane.ini")).permissions(); };
  ASSERT_TRUE(write_under(077));
  EXPECT_EQ(mode(), fs::perms(0600));
  fs::remove(windir.File("quorvane.ini"));
  ASSERT_TRUE(write_under(022));
  EXPECT_EQ(mode(), fs::perms(0644));
  fs::permissions(windir.File("quorvane.ini"), fs::perms(0664));
  fs::rename(windir.File("quorvane.ini"), windir.File("real.ini"));
  fs::create_symlink("real.ini", windir.File("quorvane.ini"));
  windir.Write(".real.ini.finbrook-tmp", "left by a write that was killed");
  ASSERT_TRUE(write_under(077));
  EXPECT_TRUE(fs::is_symlink(windir.File("quorvane.ini")));
  EXPECT_EQ(mode(), fs::perms(0664));
  EXPECT_EQ(windir.Read("real.ini"), "[S]\r\nk=new\r\n");
  EXPECT_FALSE(fs::exists(windir.File(".real.ini.finbrook-tmp")));
}

}  // namespace
