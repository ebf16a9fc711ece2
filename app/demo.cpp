#include "app/demo.h"

#include <cstring>

#include "game/world.h"
#include "game/world_hash.h"
#include "persist/hiscore.h"
#include "persist/settings.h"
#include "platform/system/system.h"
#include "screens/input.h"

namespace {

constexpr char Magic[8] = {'N', 'V', 'R', 'L', 'D', 'E', 'M', 'O'};
constexpr int TagFrame = 'F', TagTime = 'T', TagMessage = 'M', TagEnd = 'E';

bool Put(const void* p, size_t n) { return std::fwrite(p, 1, n, Demo.File) == n; }
template <typename T>
bool Put(T v) {
  return Put(&v, sizeof v);
}
bool Get(void* p, size_t n) { return std::fread(p, 1, n, Demo.File) == n; }
template <typename T>
bool Get(T& v) {
  return Get(&v, sizeof v);
}

bool Refuse(const std::string& why) {
  std::fprintf(stderr, "Nauvrel: demo %s: %s\n", Demo.Path.c_str(), why.c_str());
  if (Demo.File) std::fclose(Demo.File);
  Demo.File = nullptr;
  Demo.Broken = true;
  return false;
}

std::string Argument(const std::string& commandLine, const char* name) {
  const size_t at = commandLine.find(name);
  if (at == std::string::npos) return {};
  const size_t start = commandLine.find_first_not_of(' ', at + std::strlen(name));
  if (start == std::string::npos) return {};
  return commandLine.substr(start, commandLine.find(' ', start) - start);
}

void PrintResult(const char* what, uint16_t level, int32_t score, uint64_t hash) {
  std::printf("%s: level %u score %d hash %016llx\n", what, level, score,
              static_cast<unsigned long long>(hash));
  std::fflush(stdout);
}

}  // namespace

bool DemoReadSwitches(const std::string& commandLine) {
  const bool record = commandLine.find("--record") != std::string::npos;
  const bool replay = commandLine.find("--replay") != std::string::npos;
  if (!record && !replay) return true;
  Demo.Mode = replay ? DemoMode::Replay : DemoMode::Record;
  Demo.Path = Argument(commandLine, replay ? "--replay" : "--record");
  if (Demo.Path.empty()) {
    std::fprintf(stderr, "Nauvrel: %s needs a file name\n", replay ? "--replay" : "--record");
    return false;
  }
  return true;
}

bool DemoStart() {
  if (Demo.Mode == DemoMode::Off) return true;
  Demo.File = std::fopen(Demo.Path.c_str(), Demo.Mode == DemoMode::Record ? "wb" : "rb");
  if (!Demo.File) return Refuse("cannot be opened");
  const SettingsState& s = Settings;
  if (Demo.Mode == DemoMode::Record) {
    const bool ok = Put(Magic, sizeof Magic) && Put(DemoVersion) && Put(crt::State()) &&
                    Put(s.NauvrelBubbles) && Put(s.NauvrelExplBubbles) && Put(s.MineBubbles) &&
                    Put(s.TorpedoBubbles) && Put(s.BarelExplBubbles) && Put(s.BarelFloatBubbles) &&
                    Put(static_cast<uint8_t>(s.UseSound)) &&
                    Put(HiScores.Table.data(), sizeof HiScores.Table);
    return ok || Refuse("cannot be written");
  }
  return DemoReadHeader();
}

bool DemoReadHeader() {
  const SettingsState& s = Settings;
  char magic[sizeof Magic];
  uint32_t version = 0, seed = 0;
  SettingsState read;
  uint8_t useSound = 0;
  if (!Get(magic, sizeof magic) || std::memcmp(magic, Magic, sizeof Magic) != 0)
    return Refuse("not a demo file");
  if (!Get(version)) return Refuse("damaged (no version)");
  if (version != DemoVersion)
    return Refuse("made by another version of the game (format " + std::to_string(version) +
                  ", this game reads " + std::to_string(DemoVersion) + ")");
  HiScoreState table;
  if (!Get(seed) || !Get(read.NauvrelBubbles) || !Get(read.NauvrelExplBubbles) ||
      !Get(read.MineBubbles) || !Get(read.TorpedoBubbles) || !Get(read.BarelExplBubbles) ||
      !Get(read.BarelFloatBubbles) || !Get(useSound) || useSound > 1 ||
      !Get(table.Table.data(), sizeof table.Table))
    return Refuse("damaged (header cut short)");
  read.UseSound = useSound && s.UseSound;  // sound never decides a game
  Settings = read;
  ApplySettings();
  HiScores = table;
  crt::srand(seed);
  return true;
}

bool DemoRecordsInput(uint32_t message) {
  switch (message) {
    case win::WM_KEYDOWN:
    case win::WM_LBUTTONUP:
    case win::WM_RBUTTONUP:
    case win::WM_MBUTTONUP:
    case win::WM_MOUSEMOVE:
    case win::WM_GAMEPAD:
    case win::WM_ACTIVATEAPP:
    case win::MM_MCINOTIFY:
      return true;
    default:
      return false;
  }
}

void DemoWriteMessage(const win::MSG& msg) {
  if (!Demo.File) return;
  Put<uint8_t>(TagMessage), Put(msg.message), Put(msg.wParam), Put(msg.lParam);
  ++Demo.Records;
}

void DemoWriteFrame() {
  if (!Demo.File) return;
  Put<uint8_t>(TagFrame);
  ++Demo.Records;
}

void DemoWriteTime(double elapsed) {
  if (!Demo.File) return;
  Put<uint8_t>(TagTime), Put(static_cast<uint32_t>(elapsed));
  ++Demo.Records;
}

DemoStep DemoNext(win::MSG& msg) {
  if (!Demo.File) return DemoStep::End;
  uint8_t tag = 0;
  if (!Get(tag)) return Refuse("damaged (it ends before its end record)"), DemoStep::End;
  ++Demo.Records;
  if (tag == TagFrame) return DemoStep::Frame;
  if (tag == TagMessage) {
    msg = win::MSG{};
    if (!Get(msg.message) || !Get(msg.wParam) || !Get(msg.lParam) || !DemoRecordsInput(msg.message))
      return Refuse("damaged (bad message record)"), DemoStep::End;
    return DemoStep::Message;
  }
  if (tag == TagEnd) {
    uint16_t level = 0;
    int32_t score = 0;
    uint64_t hash = 0;
    if (!Get(level) || !Get(score) || !Get(hash))
      return Refuse("damaged (end record cut short)"), DemoStep::End;
    Demo.Ended = true;
    const uint64_t now = WorldHash();
    PrintResult("replay", World.Level, World.Score, now);
    if (now != hash || level != World.Level || score != World.Score) {
      PrintResult("recorded", level, score, hash);
      Refuse("the replay went another way than the recording");
    }
    return DemoStep::End;
  }
  return Refuse("damaged (unknown record)"), DemoStep::End;
}

double DemoReadTime() {
  uint8_t tag = 0;
  uint32_t elapsed = 0;
  if (!Demo.File || !Get(tag) || tag != TagTime || !Get(elapsed))
    return Refuse("does not match this game (the clock was read elsewhere)"), 0.0;
  ++Demo.Records;
  return elapsed;
}

void DemoFinish() {
  if (!Demo.File) return;
  if (Demo.Mode == DemoMode::Record) {
    const uint64_t hash = WorldHash();
    Put<uint8_t>(TagEnd), Put(World.Level), Put(World.Score), Put(hash);
    PrintResult("recorded", World.Level, World.Score, hash);
    if (std::fclose(Demo.File) != 0)
      std::fprintf(stderr, "Nauvrel: demo %s: cannot be written\n", Demo.Path.c_str());
  } else {
    // A game that quit itself (F12, the menu) ends right before the end record.
    win::MSG msg;
    if (!Demo.Ended && !Demo.Broken && DemoNext(msg) != DemoStep::End)
      Refuse("the replay ended before the recording did");
    if (Demo.File) std::fclose(Demo.File);
  }
  Demo.File = nullptr;
}
