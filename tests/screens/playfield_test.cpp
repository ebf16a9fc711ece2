// The play frame: each object from its sheet cell, cut at the screen edges where it must be.
#include <functional>
#include <tuple>

#include "driver.h"

namespace {

using Scene = std::function<void()>;

Scene Score(int32_t score) {
  return [score] { World.Score = score; };
}
// In row 5, y 350.
Scene Torpedo(double x) {
  return [x] { World.Torpedo = {.row = 5, .x = x}; };
}
// In row 5 (y 350, drawn 2 higher): at x, dying, at a speed, in a frame of its explosion.
Scene Sub(double x, int dying = 0, double speed = 100, int frame = 0) {
  return [=] {
    World.Sub = {.x = x, .row = 5, .speed = speed, .DyingState = dying, .explosionFrame = frame};
  };
}
Scene RowChange(uint8_t up) {
  return [up] {
    World.Sub = {.x = 400, .row = 5, .speed = 100, .rowChangeActive = 1, .rowChangeUp = up};
    World.Sub.rowChangeProgress = 12.7;
  };
}
// High, gone above the screen, low.
void Floaters() {
  for (const auto& [column, y] : {std::pair{3, 10.0}, {5, -30.0}, {7, 300.0}}) {
    ASSERT_TRUE(CreateFloater(column, 0));
    World.FloatingBarels->y = y;
  }
}
void Grid() {
  Cell(0, 0).state = csBarel;
  Cell(1, 0) = {.state = csExploding, .phase = 6};
  Cell(2, 0).state = btSpeedUp;
  Cell(3, 0).state = btDeath;
  Cell(4, 0).state = 13;  // unknown: nothing, no failure
  Cell(17, 12).state = btUpper;
}
// A faller, the mine, and bubbles: unborn, at the corner, below and left of the screen.
void FallerMineAndBubbles() {
  while (!World.Fallers) ASSERT_TRUE(CreateFaller(2, 0));  // some draws give no faller
  std::tie(World.Fallers->y, World.Fallers->kind) = std::tuple(200.0, btScoreBonus);
  World.Mine = {.y = 120, .column = 9};
  World.GameClock = 1000;
  const struct {
    double x, y, birth;
    int delay;
  } bubbles[] = {{-1, 200, 0, 0}, {100, 594, 0, 0}, {793.9, 593.2, 0, 0}, {300, 300, 900, 200}};
  for (const auto& b : bubbles) {
    ASSERT_TRUE(CreateBackBubble(b.x, b.y, 0, b.delay));
    World.BackBubbles->birth = b.birth;
  }
}

// Anything but the background: a case that shows nothing finds none of it.
constexpr uint32_t Drawn = 0xFFFFFFFF;
constexpr std::pair<int, int> None{-1, -1};

class PlayfieldTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    SetGameMode(gmPlay);
  }
  // An empty field with no submarine on screen: only what a case adds is drawn.
  static void EmptyField() {
    FreeLists();
    World = {};
    std::tie(World.Level, World.Score) = std::tuple(1, -1);
    World.Sub = {.x = -50, .row = 13, .speed = 100};
  }
  // The extent, inclusive, of `value` along row `at` or column `at`.
  static std::pair<int, int> Span(bool row, int at, uint32_t value) {
    int first = -1, last = -1;
    for (int i = 0; i < (row ? 800 : 600); ++i) {
      const uint32_t p = row ? Pixel(i, at) : Pixel(at, i);
      if (value == Drawn ? p != fixture::Background : p == value) {
        if (first < 0) first = i;
        last = i;
      }
    }
    return {first, last};
  }
};

constexpr bool Row = true, Column = false;

TEST_P(PlayfieldTest, EachObjectShowsItsCellCutAtTheScreenEdges) {
  using fixture::BarelCell, fixture::BonusCell, fixture::DigitCell, fixture::SubFrame;
  // What, the scene, along a row or a column, which one, the value sought, its extent.
  const std::tuple<const char*, Scene, bool, int, uint32_t, std::pair<int, int>> cases[] = {
      {"score right-aligned", Score(305), Row, 10, DigitCell(3), {670, 708}},
      {"no leading zero", Score(305), Row, 10, DigitCell(0), {710, 748}},
      {"a score of 0", Score(0), Row, 10, DigitCell(0), {750, 788}},
      {"below 0 none", Score(-40), Row, 10, Drawn, None},
      {"ten digits", Score(2147483647), Row, 10, DigitCell(2), {390, 428}},
      {"torpedo at the left edge", Torpedo(10), Row, 350, fixture::Torpedo, {0, 28}},
      {"torpedo at the right edge", Torpedo(790), Row, 350, fixture::Torpedo, {770, 797}},
      {"torpedo just off the left", Torpedo(-19), Row, 350, Drawn, None},
      {"torpedo just off the right", Torpedo(818), Row, 350, Drawn, None},
      {"floater cut at the top", Floaters, Column, 160, BarelCell(0), {0, 28}},
      {"floater above the screen", Floaters, Column, 240, Drawn, None},
      {"floater low", Floaters, Column, 320, BarelCell(0), {280, 318}},
      {"submarine at the left edge", Sub(0), Row, 348, SubFrame(0), {0, 38}},
      {"submarine before its pass", Sub(-50), Row, 348, Drawn, None},
      {"submarine frame 150 mod 20", Sub(300), Row, 348, SubFrame(10), {260, 338}},
      {"submarine at the right edge", Sub(830), Row, 348, SubFrame(15), {790, 798}},
      {"explosion B", Sub(400, 1, 0, 7), Row, 340, fixture::ExplBCell(7), {340, 478}},
      {"explosion A's blank start", Sub(400, 2, 0, 4), Row, 340, Drawn, None},
      {"explosion A", Sub(400, 2, 0, 9), Row, 338, fixture::ExplACell(9), {350, 448}},
      {"past explosion A", Sub(400, 2, 0, 20), Row, 338, Drawn, None},
      {"slowing down after btDeath", Sub(400, 2, 50, 9), Column, 400, SubFrame(0), {348, 386}},
      {"a row change down", RowChange(0), Column, 400, SubFrame(0), {360, 398}},
      {"a row change up", RowChange(1), Column, 400, SubFrame(0), {336, 374}},
      {"a barrel", Grid, Column, 40, BarelCell(0), {550, 588}},
      {"the bottom row", Grid, Row, 550, Drawn, {40, 198}},
      {"an explosion", Grid, Row, 550, BarelCell(6), {80, 118}},
      {"btSpeedUp", Grid, Row, 550, BonusCell(0), {120, 158}},
      {"btDeath", Grid, Row, 550, BonusCell(9), {160, 198}},
      {"the top row", Grid, Row, 70, BonusCell(2), {720, 758}},
      {"a faller", FallerMineAndBubbles, Row, 180, BonusCell(5), {120, 158}},
      {"the mine", FallerMineAndBubbles, Column, 400, fixture::Mine, {100, 138}},
      {"a bubble at the corner", FallerMineAndBubbles, Row, 593, fixture::BubbleSprite, {793, 798}},
      {"an unborn bubble", FallerMineAndBubbles, Row, 300, Drawn, None},
      {"a bubble below", FallerMineAndBubbles, Column, 100, fixture::BubbleSprite, None},
      {"a bubble left", FallerMineAndBubbles, Column, 0, fixture::BubbleSprite, None},
  };
  for (const auto& [what, scene, row, at, value, span] : cases) {
    EmptyField();
    scene();
    Frame();
    EXPECT_EQ(Span(row, at, value), span) << what;
  }
}

TEST_P(PlayfieldTest, ExplosionPhaseOutOfRangeStopsTheFrame) {
  const int flips = dd::testing::FlipCount();
  Cell(4, 2) = {.state = csExploding, .phase = 10};
  EXPECT_FALSE(RenderFrame());
  EXPECT_EQ(std::pair(LastError(), dd::testing::FlipCount()),
            std::pair(std::string("DisplayBarel: Phase out of range"), flips));
}

INSTANTIATE_TEST_SUITE_P(Depths, PlayfieldTest, ::testing::Values(8, 16, 32), DepthName);

}  // namespace
