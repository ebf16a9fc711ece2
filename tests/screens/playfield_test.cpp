// The play frame: each object from its sheet cell, cut at the screen edges where it must be.
#include "driver.h"

namespace {

class PlayfieldTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    // An empty field with no submarine on screen: only what a test adds is drawn.
    SetGameMode(gmPlay);
    World.Level = 1;
    World.Sub.x = -50;
    World.Sub.row = 13;
    World.Sub.speed = 100;
    World.Score = -1;
  }
  // The extent of `value` along a row or a column, inclusive; -1 when it does not show.
  static std::pair<int, int> Span(int length, auto shows) {
    int first = -1, last = -1;
    for (int i = 0; i < length; ++i)
      if (shows(i)) {
        if (first < 0) first = i;
        last = i;
      }
    return {first, last};
  }
  static std::pair<int, int> RunInRow(int y, uint32_t value) {
    return Span(800, [&](int x) { return Pixel(x, y) == value; });
  }
  static std::pair<int, int> RunInColumn(int x, uint32_t value) {
    return Span(600, [&](int y) { return Pixel(x, y) == value; });
  }
};

TEST_P(PlayfieldTest, ScoreIsRightAlignedWithoutLeadingZeros) {
  World.Score = 305;
  Frame();
  for (const auto& [digit, x] : {std::pair{3, 670}, {0, 710}, {5, 750}})
    EXPECT_EQ(RunInRow(10, fixture::DigitCell(digit)), std::make_pair(x, x + 38)) << digit;
  EXPECT_EQ(RunInColumn(750, fixture::DigitCell(5)), std::make_pair(10, 48));
  EXPECT_EQ(Pixel(669, 10), fixture::Background);

  World.Score = 0;
  Frame();
  EXPECT_EQ(RunInRow(10, fixture::DigitCell(0)), std::make_pair(750, 788));
  World.Score = -40;
  Frame();
  EXPECT_EQ(RunInRow(10, fixture::Background), std::make_pair(0, 799));
  World.Score = 2147483647;  // ten digits, the first at 390
  Frame();
  EXPECT_EQ(RunInRow(10, fixture::DigitCell(2)).first, 390);
}

TEST_P(PlayfieldTest, TorpedoIsCutAtBothScreenEdges) {
  World.Torpedo.row = 5;  // y 350
  World.Torpedo.x = 10;
  Frame();
  EXPECT_EQ(RunInRow(350, fixture::Torpedo), std::make_pair(0, 28));
  EXPECT_EQ(RunInColumn(0, fixture::Torpedo), std::make_pair(350, 388));

  World.Torpedo.x = 790;
  Frame();
  EXPECT_EQ(RunInRow(350, fixture::Torpedo), std::make_pair(770, 797));

  // With nothing left to show at either edge the frame goes on and shows none of it.
  for (double x : {-19.0, 818.0, -400.0, 1000.0}) {
    World.Torpedo.x = x;
    Frame();
    EXPECT_EQ(RunInRow(350, fixture::Torpedo).first, -1) << x;
  }
}

TEST_P(PlayfieldTest, FloatingBarrelIsCutAtTheTop) {
  // High, gone above the screen, low.
  for (const auto& [column, y] : {std::pair{3, 10.0}, {5, -30.0}, {7, 300.0}}) {
    ASSERT_TRUE(CreateFloater(column, 0));
    World.FloatingBarels->y = y;
  }
  Frame();
  EXPECT_EQ(RunInColumn(160, fixture::BarelCell(0)), std::make_pair(0, 28));
  EXPECT_EQ(RunInRow(0, fixture::BarelCell(0)), std::make_pair(160, 198));
  EXPECT_EQ(RunInColumn(240, fixture::BarelCell(0)).first, -1);
  EXPECT_EQ(RunInColumn(320, fixture::BarelCell(0)), std::make_pair(280, 318));
}

TEST_P(PlayfieldTest, SubmarineIsCutAtTheLeftEdge) {
  World.Sub.row = 5;  // y 350, drawn 2 higher
  World.Sub.x = 0;
  Frame();
  EXPECT_EQ(RunInRow(348, fixture::SubFrame(0)), std::make_pair(0, 38));
  EXPECT_EQ(RunInColumn(0, fixture::SubFrame(0)), std::make_pair(348, 386));

  World.Sub.x = -50;
  Frame();
  for (int f = 0; f < 20; ++f) EXPECT_EQ(RunInRow(348, fixture::SubFrame(f)).first, -1);
  World.Sub.x = 300;  // frame 150 mod 20 = 10
  Frame();
  EXPECT_EQ(RunInRow(348, fixture::SubFrame(10)), std::make_pair(260, 338));
  World.Sub.x = 830;  // cut at the right edge: 790 to 798
  Frame();
  EXPECT_EQ(RunInRow(348, fixture::SubFrame(15)), std::make_pair(790, 798));
}

TEST_P(PlayfieldTest, SubmarineExplosionsAndRowChange) {
  World.Sub.row = 5;
  World.Sub.x = 400;
  World.Sub.speed = 0;
  World.Sub.DyingState = 1;
  World.Sub.explosionFrame = 7;  // explosion B, cell 7
  Frame();
  EXPECT_EQ(RunInRow(340, fixture::ExplBCell(7)), std::make_pair(340, 478));

  World.Sub.DyingState = 2;
  World.Sub.explosionFrame = 4;  // the blank start of explosion A
  Frame();
  EXPECT_EQ(RunInRow(340, fixture::ExplACell(4)).first, -1);
  World.Sub.explosionFrame = 9;
  Frame();
  EXPECT_EQ(RunInRow(338, fixture::ExplACell(9)), std::make_pair(350, 448));
  World.Sub.explosionFrame = 20;  // past the last cell: nothing
  Frame();
  EXPECT_EQ(RunInRow(338, fixture::ExplACell(9)).first, -1);

  // Slowing down after btDeath it still travels; a row change shifts it 12 px either way.
  World.Sub.speed = 50;
  Frame();
  EXPECT_EQ(RunInColumn(400, fixture::SubFrame(0)), std::make_pair(348, 386));
  World.Sub.DyingState = 0;
  World.Sub.speed = 100;
  World.Sub.rowChangeActive = 1;
  World.Sub.rowChangeProgress = 12.7;
  for (const auto& [up, top] : {std::pair{0, 360}, {1, 336}}) {
    World.Sub.rowChangeUp = up;
    Frame();
    EXPECT_EQ(RunInColumn(400, fixture::SubFrame(0)), std::make_pair(top, top + 38)) << up;
  }
}

TEST_P(PlayfieldTest, GridCellsShowTheirSprites) {
  Cell(0, 0).state = csBarel;
  Cell(1, 0).state = csExploding;
  Cell(1, 0).phase = 6;
  Cell(2, 0).state = btSpeedUp;
  Cell(3, 0).state = btDeath;
  Cell(4, 0).state = 13;  // unknown: nothing, no failure
  Cell(17, 12).state = btUpper;
  Frame();
  EXPECT_EQ(RunInColumn(40, fixture::BarelCell(0)), std::make_pair(550, 588));
  for (const auto& [value, x] : {std::pair{fixture::BarelCell(0), 40},
                                 {fixture::BarelCell(6), 80},
                                 {fixture::BonusCell(0), 120},
                                 {fixture::BonusCell(9), 160}})
    EXPECT_EQ(RunInRow(550, value), std::make_pair(x, x + 38)) << x;
  EXPECT_EQ(Pixel(200, 550), fixture::Background);
  EXPECT_EQ(RunInRow(70, fixture::BonusCell(2)), std::make_pair(720, 758));
}

TEST_P(PlayfieldTest, FallersMineAndBubbles) {
  while (!World.Fallers) ASSERT_TRUE(CreateFaller(2, 0));  // some draws give no faller
  World.Fallers->y = 200;
  World.Fallers->kind = btScoreBonus;
  World.Mine.column = 9;
  World.Mine.y = 120;
  World.GameClock = 1000;
  // Unborn, shown at the corner, below and left of the screen.
  const struct {
    double x, y, birth;
    int delay;
  } bubbles[] = {{-1, 200, 0, 0}, {100, 594, 0, 0}, {793.9, 593.2, 0, 0}, {300, 300, 900, 200}};
  for (const auto& b : bubbles) {
    ASSERT_TRUE(CreateBackBubble(b.x, b.y, 0, b.delay));
    World.BackBubbles->birth = b.birth;
  }
  Frame();
  EXPECT_EQ(RunInRow(180, fixture::BonusCell(5)), std::make_pair(120, 158));
  EXPECT_EQ(RunInColumn(400, fixture::Mine), std::make_pair(100, 138));
  EXPECT_EQ(RunInRow(593, fixture::BubbleSprite), std::make_pair(793, 798));
  EXPECT_EQ(RunInRow(300, fixture::BubbleSprite).first, -1);
  EXPECT_EQ(RunInColumn(100, fixture::BubbleSprite).first, -1);
  EXPECT_EQ(RunInColumn(0, fixture::BubbleSprite).first, -1);
}

TEST_P(PlayfieldTest, ExplosionPhaseOutOfRangeStopsTheFrame) {
  const int flips = dd::testing::FlipCount();
  Cell(4, 2).state = csExploding;
  Cell(4, 2).phase = 10;
  EXPECT_FALSE(RenderFrame());
  EXPECT_EQ(LastError(), "DisplayBarel: Phase out of range");
  EXPECT_EQ(dd::testing::FlipCount(), flips);
}

TEST_P(PlayfieldTest, NoBackgroundClearsToBlack) {
  Switches.ShowBackground = false;
  Frame();
  EXPECT_EQ(Pixel(400, 300), Video.BackBuffer->MapColour(0, 0, 0));
}

INSTANTIATE_TEST_SUITE_P(Depths, PlayfieldTest, ::testing::Values(8, 16, 32), DepthName);

}  // namespace
