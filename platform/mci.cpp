// The MCI command-string interpreter: the sequencer device under per-process aliases.
#include <algorithm>
#include <cassert>
#include <cctype>
#include <map>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/audio_engine.h"
#include "platform/file_read.h"
#include "platform/interface_thread.h"
#include "platform/midi_synth.h"
#include "platform/paths.h"
#include "platform/text_case.h"
#include "platform/unsupported.h"
#include "platform/winmm.h"

namespace win {
namespace {

struct Alias {
  std::shared_ptr<const midi::Sequence> song;
  int block = -1;
};

std::map<std::string, Alias>& Aliases() {
  assert(forms::OnInterfaceThread());
  static auto* aliases = [] {
    auto* a = new std::map<std::string, Alias>;  // lives as long as the process
    audio::AddCloseHook([a] { a->clear(); });
    return a;
  }();
  return *aliases;
}

std::vector<std::string>* call_log = nullptr;

constexpr std::int32_t Code(MciError e) {
  return static_cast<std::int32_t>(e);
}

using textcase::Lower;

// Words separated by blanks; a double-quoted word may hold blanks. Nothing on an open quote.
std::optional<std::vector<std::string>> Words(std::string_view command) {
  std::vector<std::string> words;
  std::size_t at = 0;
  while (true) {
    while (at < command.size() && command[at] == ' ') ++at;
    if (at == command.size()) return words;
    if (command[at] == '"') {
      const std::size_t close = command.find('"', at + 1);
      if (close == std::string_view::npos) return std::nullopt;
      words.emplace_back(command.substr(at + 1, close - at - 1));
      at = close + 1;
    } else {
      const std::size_t end = std::min(command.find(' ', at), command.size());
      words.emplace_back(command.substr(at, end - at));
      at = end;
    }
  }
}

void WriteReply(std::string* reply, int reply_size, std::string_view text) {
  if (!reply || reply_size <= 0) return;
  const auto size = static_cast<std::size_t>(reply_size);
  if (reply->size() < size) reply->resize(size, '\0');
  const std::size_t n = std::min(text.size(), size - 1);
  reply->replace(0, n, text.substr(0, n));
  (*reply)[n] = '\0';
}

[[noreturn]] void Refuse(const std::string& command) {
  Unsupported("mciSendStringA", "the command \"" + command + "\"");
}

std::int32_t Open(const std::string& command, const std::vector<std::string>& w) {
  if (w.size() != 6 || Lower(w[2]) != "type" || Lower(w[3]) != "sequencer" ||
      Lower(w[4]) != "alias") {
    Refuse(command);
  }
  const std::string name = Lower(w[5]);
  if (Aliases().contains(name)) return Code(MciError::MCIERR_DUPLICATE_ALIAS);
  const std::string path = HostPath(w[1]);
  if (!files::Exists(path)) return Code(MciError::MCIERR_FILE_NOT_FOUND);
  auto song = midi::ReadMidiFile(path);
  if (!song) return Code(MciError::MCIERR_INVALID_FILE);
  if (!midi::EnsureSynth()) return Code(MciError::MCIERR_CANNOT_LOAD_DRIVER);
  const int block = midi::TakeBlock();
  if (block < 0) return Code(MciError::MCIERR_HARDWARE);
  if (!audio::Acquire()) {
    midi::FreeBlock(block);
    return Code(MciError::MCIERR_HARDWARE);
  }
  Aliases()[name] = Alias{std::make_shared<const midi::Sequence>(std::move(*song)), block};
  return 0;
}

void Close(std::map<std::string, Alias>::iterator alias) {
  midi::FreeBlock(alias->second.block);
  Aliases().erase(alias);
}

// "from n": n sixteenth notes, a quarter of the file's ticks per quarter note each.
std::int32_t Play(const std::string& command, const std::vector<std::string>& w, Alias& alias) {
  const auto digits = [](const std::string& n) {
    return !n.empty() && n.size() <= 9 && std::all_of(n.begin(), n.end(), [](char c) {
      return std::isdigit(static_cast<unsigned char>(c));
    });
  };
  if (w.size() != 4 || Lower(w[2]) != "from" || !digits(w[3])) Refuse(command);
  const double tick = std::stod(w[3]) * alias.song->division / 4.0;
  if (tick > static_cast<double>(alias.song->end_tick)) return Code(MciError::MCIERR_OUTOFRANGE);
  midi::Play(alias.block, alias.song, alias.song->SecondsAt(tick));
  return 0;
}

std::int32_t Run(const std::string& command, std::string* reply, int reply_size) {
  const auto words = Words(command);
  if (!words || words->empty()) Refuse(command);
  const auto& w = *words;
  const std::string verb = Lower(w[0]);
  if (verb == "open") {
    const std::int32_t result = Open(command, w);
    if (result == 0) WriteReply(reply, reply_size, "");
    return result;
  }
  if ((verb != "play" && verb != "status" && verb != "stop" && verb != "close") || w.size() < 2) {
    Refuse(command);
  }
  const auto found = Aliases().find(Lower(w[1]));
  if (found == Aliases().end()) return Code(MciError::MCIERR_INVALID_DEVICE_NAME);
  Alias& alias = found->second;
  std::string_view answer;
  if (verb == "play") {
    if (const std::int32_t result = Play(command, w, alias); result != 0) return result;
  } else if (verb == "status") {
    if (w.size() != 3 || Lower(w[2]) != "mode") Refuse(command);
    answer = midi::Playing(alias.block) ? "playing" : "stopped";
  } else if (w.size() != 2) {
    Refuse(command);
  } else if (verb == "stop") {
    midi::Stop(alias.block);
  } else {
    Close(found);
  }
  WriteReply(reply, reply_size, answer);
  return 0;
}

}  // namespace

namespace detail {
void LogWinmmCall(const std::string& call) {
  if (call_log) call_log->push_back(call);
}
}  // namespace detail

void RecordWinmmCallsForTests(std::vector<std::string>* log) {
  call_log = log;
}

void CloseMciAliasesForTests() {
  while (!Aliases().empty()) Close(Aliases().begin());
}

std::int32_t mciSendStringA(const std::string& command, std::string* reply, int reply_size,
                            HWND /*callback*/) {
  detail::LogWinmmCall("mciSendStringA(" + command + ")");
  return Run(command, reply, reply_size);
}

}  // namespace win
