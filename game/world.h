#pragma once
// The playfield: barrel grid, submarine, mine, torpedo, counters and the object lists.
#include <array>
#include <cstdint>

enum CellState : int32_t {
  csEmpty = 0,
  csBarel = 1,
  csExploding = 2,
  btUpper = 3,
  btLower = 4,
  btDoubleScore = 5,
  btMinusScore = 6,
  btSpeedUp = 7,
  btSlowDown = 8,
  btScoreBonus = 9,
  btFinishLevel = 10,
  btRestartLevel = 11,
  btDeath = 12,
};
using BonusType = CellState;

inline bool IsBonus(int32_t state) { return state >= btUpper && state <= btDeath; }

constexpr int GridColumns = 18;
constexpr int GridRows = 13;

struct BarelCell {
  int32_t state = csEmpty;  // a CellState
  double stamp = 0;         // exploding: last explosion-frame step; fused barrel: fuse length
  double since = 0;         // barrel: fuse lit at (0 = none); bonus: came to rest at
  int8_t phase = 0;         // exploding: frame 0 to 9
  uint8_t dropsBonus = 0;   // exploding: a bonus may fall out (mine hits only)
};

struct FloatingBarel {
  int32_t column = 0;
  double y = 0;
  double stamp = 0;
  double velocity = 0;
  FloatingBarel* next = nullptr;
  FloatingBarel* previous = nullptr;
};

struct Faller {
  int32_t column = 0;
  double y = 0;
  double stamp = 0;
  int32_t kind = 0;  // a BonusType, 3 to 12
  Faller* next = nullptr;
  Faller* previous = nullptr;
};

struct Bubble {
  double x = 0, y = 0;
  double vx = 0, vy = 0;
  double birth = 0;
  double delay = 0;
  Bubble* next = nullptr;
  Bubble* previous = nullptr;
};

struct SubmarineRecord {
  double x = 0;
  int32_t row = 0;
  double speed = 0;
  double pendingSpeedChange = 0;
  double changeRate = 0;
  uint8_t rowChangeActive = 0;
  uint8_t rowChangeUp = 0;
  double rowChangeProgress = 0;
  int32_t DyingState = 0;  // 0 alive, 1 struck a barrel, 2 took btDeath
  int32_t explosionFrame = 0;
  double explosionStamp = 0;
  double lastTrailBubble = 0;
};

struct MineRecord {
  double y = 0;  // 0: no mine
  int32_t column = 0;
  int32_t hits = 0;
  double fallSpeed = 0;
  double lastBubble = 0;
};

struct TorpedoRecord {
  int32_t row = -1;  // -1: no torpedo
  double x = 0;
  double speed = 0;
  double lastBubble = 0;
};

struct WorldState {
  // Column by column: cell (c, r) is element 13c + r.
  std::array<BarelCell, GridColumns * GridRows> BarelGrid{};
  std::array<uint8_t, GridColumns> ColumnBonusUsed{};

  uint16_t Level = 0;  // 0: no game in progress
  int32_t Score = 0;
  uint32_t PointsNeeded = 0;
  uint32_t BestScore = 0;
  int32_t BarelsLeft = 0;
  double GameClock = 0;
  uint8_t DoubleScore = 0;
  double DoubleScoreStart = 0;
  uint8_t MinusScore = 0;
  double MinusScoreStart = 0;

  SubmarineRecord Sub;
  MineRecord Mine;
  TorpedoRecord Torpedo;

  FloatingBarel* FloatingBarels = nullptr;
  Faller* Fallers = nullptr;
  Bubble* BackBubbles = nullptr;
  Bubble* FrontBubbles = nullptr;
};
inline WorldState World;

inline BarelCell& Cell(int column, int row) { return World.BarelGrid[13 * column + row]; }

// Derived from the six bubble settings by ApplySettings; read by the simulation.
struct BubbleParams {
  uint8_t NauvrelBubblesOn = 0;
  int32_t NauvrelBubbleDelay = 0;
  int32_t NauvrelExplBubbleRange = 0;
  uint8_t MineBubblesOn = 0;
  int32_t MineBubbleDelay = 0;
  uint8_t TorpedoBubblesOn = 0;
  int32_t TorpedoBubbleDelay = 0;
  int32_t BarelExplBubbleMax = 0;
  int32_t BarelFloatBubbleMax = 0;
};
inline BubbleParams Bubbles;

struct LevelRow {
  int speedBase;
  int spread;
};
inline constexpr std::array<LevelRow, 3> LevelTable{{{90, 2}, {110, 4}, {130, 6}}};

bool SetupLevel(uint16_t level);
bool CreateFloater(int column, int row);
bool CreateFaller(int column, int row);
bool CreateBubble(double x, double y, int direction, int delay);
bool CreateBackBubble(double x, double y, int direction, int delay);
void FreeFloaters();
void FreeFallers();
void FreeBubbles();
