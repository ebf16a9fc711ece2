#include "bench/stage.h"

#include <filesystem>
#include <fstream>

#include "app/frame_clock.h"
#include "app/init.h"
#include "app/shell.h"
#include "bench/sheets.h"
#include "fs/spl_writer.h"
#include "game/lists.h"
#include "game/simulation.h"
#include "game/world.h"
#include "platform/system/crt_rand.h"
#include "platform/system/timer.h"
#include "screens/display.h"
#include "screens/modes.h"
#include "video/video.h"

namespace stage {

namespace {

// A step's length for every reading of the frame clock.
struct SteppingClock : timer::TimeSource {
  int64_t ticks = 0;
  uint32_t ms = 0;
  int step = 1;
  bool Frequency(uint64_t& f) override {
    f = 1000;
    return true;
  }
  int64_t Counter() override { return ticks += step; }
  uint32_t Milliseconds() override { return ms += static_cast<uint32_t>(step); }
};
SteppingClock Clock;

std::string Here;
const char* Source = "bench pictures";
bool Up = false;

win::LRESULT Quiet(win::HWND hwnd, uint32_t message, win::WPARAM w, win::LPARAM l) {
  return win::DefWindowProc(hwnd, message, w, l);
}

}  // namespace

bool WriteArchive(int depth, const std::string& path) {
  // The built game's pictures, when the build made them, are the honest workload.
  const std::filesystem::path built =
      std::filesystem::path(NAUVREL_PROGRAM).parent_path() / "Nauvrel.spl";
  std::error_code error;
  if (std::filesystem::exists(built, error)) {
    Source = "game archive";
    return std::filesystem::copy_file(built, path,
                                      std::filesystem::copy_options::overwrite_existing, error);
  }
  Source = "bench pictures";
  const PictureFiles files = BenchPictureFiles(depth);
  const std::vector<uint8_t> bytes = WriteSplArchive(SplFiles(files.begin(), files.end()));
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return !bytes.empty() && out.good();
}

namespace {

void FillGrid() {
  for (int c = 0; c < GridColumns; ++c)
    for (int r = 0; r < GridRows; ++r) {
      BarelCell& cell = Cell(c, r);
      cell = BarelCell{};
      const int k = (c * GridRows + r) % 13;
      if (k == 5) {  // an explosion in its first phases
        cell.state = csExploding;
        cell.phase = static_cast<int8_t>((c + r) % 4);
        cell.stamp = World.GameClock;
      } else if (k == 9) {
        cell.state = btUpper + (c + r) % 10;
        cell.since = World.GameClock;
      } else {
        cell.state = csBarel;
      }
    }
  World.BarelsLeft = GridColumns * GridRows;
}

void AddFaller(int column, double y, int32_t kind) {
  Faller* faller = NewRecord<Faller>(RecordKind::Faller);
  faller->column = column;
  faller->y = y;
  faller->stamp = World.GameClock;
  faller->kind = kind;
  PushFront(World.Fallers, faller);
}

}  // namespace

const std::string& Folder() { return Here; }
const char* PictureSource() { return Source; }

bool Start(int depth) {
  Stop();
  Here = (std::filesystem::temp_directory_path() / "nauvrel-bench").string();
  std::filesystem::create_directories(Here);
  std::filesystem::current_path(Here);
  if (!WriteArchive(depth, "Nauvrel.spl")) return false;

  win::SetWindowedPreference(true);
  static bool registered = false;
  if (!registered) {
    win::WindowClass wc;
    wc.lpfnWndProc = Quiet;
    wc.lpszClassName = "Nauvrel_wnd";
    registered = win::RegisterClassEx(wc);
  }
  Shell.Window = win::CreateWindowEx("Nauvrel_wnd", "Nauvrel", 544, 375);
  if (!Shell.Window) return false;
  win::ShowWindow(Shell.Window);
  Switches = ReadSwitches(depth == 8    ? "--no-sound --no-cd-music --use-8-bit-colors"
                          : depth == 16 ? "--no-sound --no-cd-music --use-16-bit-colors"
                                        : "--no-sound --no-cd-music");
  if (!sysInit()) return false;
  Up = true;
  timer::UseTimeSource(&Clock);
  if (!sysTimerStart()) return false;
  Shell.AppActive = true;
  return SetGameMode(gmPlay);
}

void Stop() {
  if (!Up) return;
  FreeBubbles();
  FreeFallers();
  FreeFloaters();
  sysTimerEnd();
  timer::UseTimeSource(nullptr);
  sysReleaseAll();
  win::DestroyWindow(Shell.Window);
  Shell.Window = nullptr;
  Up = false;
}

void BuildPlayWorld(int bubbles) {
  crt::srand(12345);
  World.Level = 3;
  SetupLevel(3);  // also empties the lists
  World.GameClock = 1000;
  FillGrid();
  World.Score = 1234;
  World.BestScore = 1234;
  World.PointsNeeded = 156;
  World.Sub.x = 300;
  World.Sub.row = 13;

  // Spread over the screen low enough to stay on it while a world is measured.
  for (int i = 0; i < bubbles; ++i) {
    const double x = 20 + (i * 37) % 760, y = 200 + (i * 53) % 390;
    CreateBubble(x, y, crt::rand() % 36, 0);
  }
  CreateFloater(5, 8);
  AddFaller(3, 30, btUpper);
  AddFaller(12, 40, btDeath);
  Screen.Mode = gmPlay;
  Screen.NameEntry = 0;
  sysFrameTime();  // the next step is one step long
}

void SetStepMs(int ms) { Clock.step = ms; }

bool PlayFrame() {
  // The level text stops the world, so the step runs without it and the drawing with it:
  // both at their dearest.
  Screen.LevelIntro = 0;
  const bool stepped = SimulateFrame();
  Screen.LevelIntro = 1;
  return stepped && DisplayPlayFrame();
}

}  // namespace stage
