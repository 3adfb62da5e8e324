#include "platform/profile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/kernel32.h"
#include "platform/special_files.h"
#include "platform/temp_windir.h"

namespace {

namespace fs = std::filesystem;
using test_support::TempWindir;

// What GetPrivateProfileStringA hands back through a 128-character buffer, and its count.
struct Read128 {
  std::string text;
  unsigned count;
};
Read128 Get(std::string_view section, std::string_view key, std::string_view file = "quorvane.ini",
            std::string_view fallback = "") {
  std::string buffer(128 * win::kMaxCharBytes, '\x7f');
  const unsigned n =
      win::GetPrivateProfileStringA(section, key, fallback, buffer.data(), 128, file);
  return {buffer.substr(0, buffer.find('\0')), n};
}

std::string Repeat(const std::string& piece, int times) {
  std::string s;
  for (int i = 0; i < times; ++i) s += piece;
  return s;
}

TEST(Profile, MissingFileSectionOrKeyGivesTheDefault) {
  TempWindir windir;
  EXPECT_EQ(Get("Solmere Finbrook", "firstrun", "quorvane.ini", "dflt").text, "dflt");
  windir.Write("quorvane.ini", "[Other]\r\nfirstrun=1\r\n[Solmere Finbrook]\r\nspeed=5\r\n");
  EXPECT_EQ(Get("Solmere Finbrook", "firstrun", "quorvane.ini", "dflt").text, "dflt");
  EXPECT_EQ(Get("Missing", "speed", "quorvane.ini", "dflt").text, "dflt");
  const Read128 empty = Get("Solmere Finbrook", "firstrun");
  EXPECT_EQ(empty.text, "");
  EXPECT_EQ(empty.count, 0u);
}

TEST(Profile, SectionsAndKeysMeetWithoutRegardToCaseFirstMatchWins) {
  TempWindir windir;
  windir.Write("quorvane.ini",
               "[solmere finbrook]\nDolphin= 1\ndolphin= 0\n[SOLMERE FINBROOK]\nwhale=7\n");
  EXPECT_EQ(Get("Solmere Finbrook", "dolphin").text, " 1");
  EXPECT_EQ(Get("Solmere Finbrook", "DOLPHIN").text, " 1");
  // The first section of that name is the one that counts.
  EXPECT_EQ(Get("Solmere Finbrook", "whale").text, "");
}

TEST(Profile, ValuesComeBackExactlyAsStoredFromCrLfAndLfFiles) {
  TempWindir windir;
  for (const char* eol : {"\r\n", "\n"}) {
    windir.Write("quorvane.ini", std::string("[S]") + eol + "speed= 70 " + eol +
                                     "messagetext=\"quoted\" text" + eol + "empty=" + eol +
                                     "  padded  =x" + eol + "last=no end");
    EXPECT_EQ(Get("S", "speed").text, " 70 ") << "eol " << (eol[0] == '\r' ? "CRLF" : "LF");
    EXPECT_EQ(Get("S", "messagetext").text, "\"quoted\" text");
    EXPECT_EQ(Get("S", "empty").text, "");
    EXPECT_EQ(Get("S", "padded").text, "x");
    EXPECT_EQ(Get("S", "last").text, "no end");
  }
}

TEST(Profile, LongValuesAreCutAt127CharactersNeverInsideOne) {
  TempWindir windir;
  const std::string euro = "\xE2\x82\xAC";
  struct Case {
    const char* what;
    std::string stored;
    std::string expected;
  };
  const Case cases[] = {
      {"200 letters", Repeat("m", 200), Repeat("m", 127)},
      {"exactly 127", Repeat("k", 127), Repeat("k", 127)},
      {"126 letters then euros", Repeat("a", 126) + euro + euro, Repeat("a", 126) + euro},
      {"all euros", Repeat(euro, 130), Repeat(euro, 127)},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(win::WritePrivateProfileStringA("S", "messagetext", c.stored, "quorvane.ini"));
    const Read128 got = Get("S", "messagetext");
    EXPECT_EQ(got.text, c.expected) << c.what;
    EXPECT_EQ(got.count, 127u) << c.what;
  }
}

TEST(Profile, BrokenUtf8NeverOverrunsTheBuffer) {
  TempWindir windir;
  // One lead byte followed by a long run of continuation bytes, twice over the buffer's size.
  windir.Write("quorvane.ini", "[S]\nk=\xC3" + Repeat("\x80", 1200) + "\n");
  const Read128 got = Get("S", "k");
  EXPECT_LE(got.text.size(), 127u * win::kMaxCharBytes);
  EXPECT_EQ(got.count, 127u);
}

// A settings file brought from an old Windows machine holds its text in Windows-1252: any value
// that is not UTF-8 is read as that code page, and a write elsewhere keeps its line as it was.
TEST(Profile, TextThatIsNotUtf8IsReadAsWindows1252) {
  const struct {
    const char* what;
    std::string stored;
    std::string read;
  } cases[] = {
      {"accent and euro", "Caf\xE9 \x80", "Caf\u00E9 \u20AC"},
      {"quotes and ellipsis", "\x93hi\x94\x85", "\u201Chi\u201D\u2026"},
      {"a byte the code page leaves out", "a\x81", "a\u0081"},
      {"UTF-8 as it is", "Caf\u00E9 \u20AC \U0001F41F", "Caf\u00E9 \u20AC \U0001F41F"},
      {"UTF-8 cut short", "\xC3", "\u00C3"},
      {"an overlong form", "\xC0\xAF", "\u00C0\u00AF"},
      {"a surrogate", "\xED\xA0\x80", "\u00ED\u00A0\u20AC"},
  };
  TempWindir windir;
  std::string file = "[S]\r\n";
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    file += "k" + std::to_string(i) + "=" + cases[i].stored + "\r\n";
  }
  windir.Write("quorvane.ini", file);
  ASSERT_TRUE(win::WritePrivateProfileStringA("S", "other", "x", "quorvane.ini"));
  EXPECT_EQ(windir.Read("quorvane.ini"), file + "other=x\r\n");
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(Get("S", "k" + std::to_string(i)).text, cases[i].read) << cases[i].what;
  }
}

TEST(Profile, WhatIsNoRegularFileReadsAsNoFileAtOnceAndIsNeverWritten) {
  specialtest::SpecialFiles().ExpectRefusedAtOnce(
      [](const std::string& path) { return Get("S", "k", path, "dflt").text == "dflt"; });
  // Writes only into a folder of the test's own: a faulty writer would replace what it names.
  TempWindir windir;
  ::mkfifo(windir.File("pipe.ini").c_str(), 0600);
  std::filesystem::create_directory(windir.File("folder.ini"));
  for (const char* name : {"pipe.ini", "folder.ini"}) {
    EXPECT_FALSE(win::WritePrivateProfileStringA("S", "k", "v", windir.File(name).string()))
        << name;
  }
  EXPECT_TRUE(std::filesystem::is_fifo(windir.File("pipe.ini")));
}

// Each write changes one line or adds one, keeping every other line, a byte order mark and the
// file's own line ending; a missing section goes at the end, a missing file is created.
TEST(Profile, WritesChangeOrAddOnlyTheirOwnLine) {
  const struct {
    const char* what;
    std::optional<std::string> before;
    std::vector<std::pair<const char*, const char*>> writes;  // key, value in "Solmere Finbrook"
    std::string after;
  } cases[] = {
      {"no file",
       std::nullopt,
       {{"Dolphin", " 1"}, {"dolphin", " 0"}},
       "[Solmere Finbrook]\r\nDolphin= 0\r\n"},
      {"other sections and notes",
       "; my notes\r\n[Other]\r\nspeed=3\r\n\r\n[Solmere Finbrook]\r\nwhale= 1\r\n"
       "odd line\r\nspeed= 70\r\n\r\n[Tail]\r\nx=y\r\n",
       {{"SPEED", " 20"}, {"orca", " 1"}},
       "; my notes\r\n[Other]\r\nspeed=3\r\n\r\n[Solmere Finbrook]\r\nwhale= 1\r\n"
       "odd line\r\nspeed= 20\r\norca= 1\r\n\r\n[Tail]\r\nx=y\r\n"},
      {"missing section",
       "[Other]\nspeed=3",
       {{"firstrun", "1"}},
       "[Other]\nspeed=3\n[Solmere Finbrook]\nfirstrun=1"},
      {"byte order mark",
       "\xEF\xBB\xBF[Solmere Finbrook]\r\nfirstrun=1\r\n",
       {{"whale", " 1"}},
       "\xEF\xBB\xBF[Solmere Finbrook]\r\nfirstrun=1\r\nwhale= 1\r\n"},
  };
  for (const auto& c : cases) {
    TempWindir windir;
    if (c.before) windir.Write("quorvane.ini", *c.before);
    for (const auto& [key, value] : c.writes) {
      ASSERT_TRUE(win::WritePrivateProfileStringA("Solmere Finbrook", key, value, "quorvane.ini"))
          << c.what;
      EXPECT_EQ(Get("Solmere Finbrook", key).text, value) << c.what;
    }
    EXPECT_EQ(windir.Read("quorvane.ini"), c.after) << c.what;
  }
}

TEST(Profile, ValuesAndNamesThatWouldSplitALineAreRefused) {
  TempWindir windir;
  ASSERT_TRUE(win::WritePrivateProfileStringA("S", "message", "kept", "quorvane.ini"));
  const std::string before = windir.Read("quorvane.ini");
  using namespace std::string_view_literals;
  for (std::string_view bad : {"two\r\nlines"sv, "cr\ronly"sv, "lf\nonly"sv, "nul\0inside"sv})
    EXPECT_FALSE(win::WritePrivateProfileStringA("S", "message", bad, "quorvane.ini"));
  EXPECT_EQ(win::LastErrorText(), "Invalid argument");
  EXPECT_FALSE(win::WritePrivateProfileStringA("S", "a=b", "v", "quorvane.ini"));
  EXPECT_FALSE(win::WritePrivateProfileStringA("S", "", "v", "quorvane.ini"));
  EXPECT_FALSE(win::WritePrivateProfileStringA("S]x", "k", "v", "quorvane.ini"));
  EXPECT_FALSE(win::WritePrivateProfileStringA("S\n[T", "k", "v", "quorvane.ini"));
  EXPECT_EQ(windir.Read("quorvane.ini"), before);
}

TEST(Profile, WritesReplaceTheFileWholeAndClearALeftOverTemporaryFile) {
  TempWindir windir;
  windir.Write(".quorvane.ini.finbrook-tmp", "left by a write that was killed");
  for (int i = 0; i < 3; ++i)
    ASSERT_TRUE(win::WritePrivateProfileStringA("S", "k" + std::to_string(i), "v", "quorvane.ini"));
  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(windir.Dir()))
    if (entry.path().filename() != "config") ++entries;
  EXPECT_EQ(entries, 1);
}

TEST(Profile, AFailedWriteLeavesTheOldFileIntact) {
  TempWindir windir;
  // A name so long that no file can be made beside it: the write must fail before touching it.
  const std::string name(250, 'q');
  windir.Write(name, "[S]\nk=old\n");
  EXPECT_FALSE(win::WritePrivateProfileStringA("S", "k", "new", (windir.Dir() / name).string()));
  EXPECT_EQ(windir.Read(name), "[S]\nk=old\n");
  // A file too large to be ours is not read, so it must not be replaced by what was.
  const std::string large = "[S]\nk=old\n" + std::string(2 << 20, ';');
  windir.Write("quorvane.ini", large);
  EXPECT_FALSE(win::WritePrivateProfileStringA("S", "k", "new", "quorvane.ini"));
  EXPECT_EQ(windir.Read("quorvane.ini"), large);
}

// Lines that end in a lone CR, or in more than one CR, keep their meaning when a write adds
// lines after them, so that what a write reports as written reads back.
TEST(Profile, LinesWithStrayCarriageReturnsKeepTheirMeaning) {
  const struct {
    const char* what;
    std::string before;
    const char* section;
  } cases[] = {
      {"a header ending in CR at the end of the file", "[Solmere Finbrook]\r", "Solmere Finbrook"},
      {"two headers joined by a lone CR", "[x]\r[y]\n", "y"},
      {"an unclosed header ending in two CRs", "[T]\nt=1\n[S\r\r\n", "S"},
  };
  for (const auto& c : cases) {
    TempWindir windir;
    windir.Write("quorvane.ini", c.before);
    ASSERT_TRUE(win::WritePrivateProfileStringA(c.section, "k", "new", "quorvane.ini")) << c.what;
    EXPECT_EQ(Get(c.section, "k").text, "new") << c.what;
    EXPECT_TRUE(windir.Read("quorvane.ini").starts_with(c.before)) << c.what;
  }
}

TEST(Profile, AFileKeepsItsPermissionBitsAndANewOneTakesThemFromTheUmask) {
  const struct {
    const char* what;
    std::optional<fs::perms> before;
    mode_t umask;
    fs::perms after;
  } cases[] = {
      {"a file shared with the group", fs::perms(0664), 077, fs::perms(0664)},
      {"a new file", std::nullopt, 022, fs::perms(0644)},
      {"a new file under a strict umask", std::nullopt, 077, fs::perms(0600)},
  };
  for (const auto& c : cases) {
    TempWindir windir;
    if (c.before) {
      windir.Write("quorvane.ini", "[S]\nk=old\n");
      fs::permissions(windir.File("quorvane.ini"), *c.before);
    }
    const mode_t saved = ::umask(c.umask);
    const bool written = win::WritePrivateProfileStringA("S", "k", "new", "quorvane.ini");
    ::umask(saved);
    ASSERT_TRUE(written) << c.what;
    EXPECT_EQ(fs::status(windir.File("quorvane.ini")).permissions(), c.after) << c.what;
  }
}

// The link stays where the user put it; the file it leads to is replaced, keeping its mode.
TEST(Profile, ASymbolicLinkIsWrittenThroughAndStaysALink) {
  TempWindir windir;
  fs::create_directory(windir.File("real"));
  windir.Write("real/settings.ini", "[S]\nk=old\n");
  fs::permissions(windir.File("real/settings.ini"), fs::perms(0640));
  fs::create_symlink("real/settings.ini", windir.File("quorvane.ini"));
  ASSERT_TRUE(win::WritePrivateProfileStringA("S", "k", "new", "quorvane.ini"));
  EXPECT_TRUE(fs::is_symlink(windir.File("quorvane.ini")));
  EXPECT_EQ(windir.Read("real/settings.ini"), "[S]\nk=new\n");
  EXPECT_EQ(fs::status(windir.File("real/settings.ini")).permissions(), fs::perms(0640));
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

// A file or folder without its owner's write bit is read-only, as the Windows attribute is,
// even for the superuser; the reason comes back in the system's words.
TEST(Profile, ReadOnlyFilesAndFoldersAreNotWritten) {
  const struct {
    const char* what;
    const char* file;  // below the Windows directory
    void (*make)(const TempWindir&);
    const char* reason;
  } cases[] = {
      {"a read-only file", "quorvane.ini",
       [](const TempWindir& w) {
         w.Write("quorvane.ini", "[S]\nk=old\n");
         fs::permissions(w.File("quorvane.ini"), fs::perms(0444));
       },
       "Permission denied"},
      {"a new file in a read-only folder", "locked/quorvane.ini",
       [](const TempWindir& w) {
         fs::create_directory(w.File("locked"));
         fs::permissions(w.File("locked"), fs::perms(0555));
       },
       "Permission denied"},
      {"a folder that is a file", "plain/quorvane.ini",
       [](const TempWindir& w) { w.Write("plain", "[S]\nk=old\n"); }, "Not a directory"},
  };
  for (const auto& c : cases) {
    TempWindir windir;
    c.make(windir);
    const auto before = Tree(windir);
    EXPECT_FALSE(win::WritePrivateProfileStringA("S", "k", "new", windir.File(c.file).string()))
        << c.what;
    EXPECT_EQ(win::LastErrorText(), c.reason) << c.what;
    EXPECT_EQ(Tree(windir), before) << c.what;
  }
}

TEST(Profile, ABareFileNameLiesInTheWindowsDirectoryFoundWithoutRegardToCase) {
  TempWindir windir;
  windir.Write("QUORVANE.INI", "[S]\nk=upper\n");
  EXPECT_EQ(Get("S", "k", "quorvane.ini").text, "upper");
  EXPECT_EQ(Get("S", "k", "C:\\Windows\\Quorvane.ini").text, "upper");
  ASSERT_TRUE(win::WritePrivateProfileStringA("S", "k", "again", "quorvane.ini"));
  EXPECT_EQ(windir.Read("QUORVANE.INI"), "[S]\nk=again\n");
}

}  // namespace
