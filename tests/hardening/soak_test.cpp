// Random play in every mode and random step lengths, the world checked after every step.
// NAUVREL_SOAK_MINUTES sets the game time (scripts/soak runs an hour under the sanitizers).
#include <cstdlib>
#include <random>

#include "app/frame_clock.h"
#include "app/init.h"
#include "game/simulation.h"
#include "game/world.h"
#include "game_folder.h"
#include "persist/hiscore.h"
#include "persist/settings.h"
#include "screens/modes.h"
#include "support/fake_clock.h"
#include "support/game_window.h"

namespace {

// A list that ends within ten million records: a cycle would not.
template <typename Node>
bool Ends(const Node* head) {
  size_t n = 0;
  for (const Node* p = head; p && n < 10'000'000; p = p->next) ++n;
  return n < 10'000'000;
}

void CheckWorld(uint64_t step) {
  SCOPED_TRACE(step);
  int barrels = 0;
  for (const BarelCell& c : World.BarelGrid) {
    ASSERT_TRUE(c.state >= 0 && c.state <= 12) << c.state;
    ASSERT_TRUE(c.state != csExploding || (c.phase >= 0 && c.phase <= 9)) << int{c.phase};
    barrels += c.state == csBarel || c.state == csExploding;
  }
  ASSERT_TRUE(World.Level == 0 || World.Sub.DyingState != 0 || World.BarelsLeft == barrels);
  ASSERT_GE(World.Score, 0);
  ASSERT_TRUE(Ends(World.FloatingBarels) && Ends(World.Fallers) && Ends(World.BackBubbles) &&
              Ends(World.FrontBubbles));
  ASSERT_TRUE(World.Sub.row >= -1 && World.Sub.row <= 13) << World.Sub.row;
}

struct Soak : GameFolder {
  FakeClock clock;
  void TearDown() override {
    sysReleaseAll();
    CloseQuietWindow();
  }
};

// A player who mostly plays, sometimes pauses, visits every screen and changes settings.
void RandomInput(std::mt19937& rng) {
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  const auto click = [&](int x, int y) {
    MainWndProc(Shell.Window, win::WM_MOUSEMOVE, 0, win::MAKELPARAM(x, y));
    MainWndProc(Shell.Window, win::WM_LBUTTONUP, 0, win::MAKELPARAM(x, y));
  };
  const auto key = [&](uint16_t vk) { MainWndProc(Shell.Window, win::WM_KEYDOWN, vk, 1); };
  if (pick(4) != 0) return;  // most steps have no input
  const int what = pick(10);
  if (Screen.Mode == gmMenu) {  // new game most often, every other item but quit too
    const int items[][2] = {{650, 30},  {650, 30},  {650, 30}, {600, 120},
                            {650, 160}, {700, 210}, {600, 80}};
    return click(items[what % 7][0], items[what % 7][1]);
  }
  if (Screen.Mode == gmSettings)
    return what == 0 ? key(win::VK_ESCAPE) : click(593 + pick(193), 90 + 56 * pick(7));
  if (Screen.Mode != gmPlay)
    return what < 5 ? key(static_cast<uint16_t>('A' + pick(26))) : click(pick(800), pick(600));
  if (Screen.NameEntry) {
    const uint16_t keys[] = {'A',           'N',           'M', 'P',
                             win::VK_SPACE, win::VK_BACK,  '7', win::VK_ESCAPE,
                             win::VK_F12,   win::VK_RETURN};
    return key(keys[what]);
  }
  if (what == 0) return key(win::VK_ESCAPE);
  if (what == 1) return click(pick(800), pick(600));
  if (what == 2) return MainWndProc(Shell.Window, win::WM_ACTIVATEAPP, pick(2), 0), void();
  return key(what < 6 ? win::VK_CONTROL : win::VK_SPACE);
}

}  // namespace

TEST_F(Soak, RandomPlayKeepsTheWorldWhole) {
  Switches = ReadSwitches("--no-sound --no-cd-music");
  ASSERT_TRUE(LoadSettings());
  // The input goes straight to MainWndProc; nothing takes the window's queue.
  ASSERT_TRUE(OpenQuietWindow());
  Shell.AppActive = true;
  ASSERT_TRUE(sysInit() && sysTimerStart() && hisLoadData());
  const char* minutes = std::getenv("NAUVREL_SOAK_MINUTES");
  const double gameTime = (minutes ? std::atof(minutes) : 3.0) * 60'000;
  std::mt19937 rng(2024);
  uint64_t step = 0;
  while (World.GameClock < gameTime) {
    RandomInput(rng);
    if (!Shell.AppActive) MainWndProc(Shell.Window, win::WM_ACTIVATEAPP, 1, 0);
    // Steps from a fraction of a millisecond to a long stall.
    const int kind = static_cast<int>(rng() % 100);
    clock.AdvanceMicroseconds(kind < 90 ? rng() % 40'000 : kind < 99 ? rng() % 400'000 : 3'000'000);
    ASSERT_TRUE(SimulateFrame()) << "step " << step << ": " << win::testing::MessageBoxes().size();
    ASSERT_TRUE(RenderFrame()) << "step " << step;
    CheckWorld(step);
    if (HasFatalFailure()) return;
    ++step;
    ASSERT_LT(step, 2'000'000u) << "game time does not advance";
  }
  EXPECT_TRUE(win::testing::MessageBoxes().empty());
}
