// The playfield objects other than the submarine and the score.
#include <cstdint>

#include "app/shell.h"
#include "screens/blit.h"
#include "screens/display.h"

namespace {

constexpr dd::RECT MineRect{360, 80, 399, 119};
constexpr dd::RECT BubbleRect{577, 137, 583, 143};
constexpr dd::RECT BarelRect{0, 0, 39, 39};

constexpr int32_t ColumnX(int32_t column) { return 40 * column + 40; }
constexpr int32_t RowY(int32_t row) { return 550 - 40 * row; }

// A bonus icon's cell in ddsBonus and its name in messages; kinds outside 3 to 12 have none.
struct BonusSprite {
  int cell;
  const char* barelMessage;
  const char* fallerMessage;
};
const BonusSprite* BonusFor(int32_t kind) {
  static const BonusSprite sprites[] = {
      {2, "DisplayBarel: BltFast: ddsBonus (btUpper)",
       "DisplayFaller: BltFast: ddsBonus (btUpper)"},
      {3, "DisplayBarel: BltFast: ddsBonus (btLower)",
       "DisplayFaller: BltFast: ddsBonus (btLower)"},
      {4, "DisplayBarel: BltFast: ddsBonus (btDoubleScore)",
       "DisplayFaller: BltFast: ddsBonus (btDoubleScore)"},
      {6, "DisplayBarel: BltFast: ddsBonus (btMinusScore)",
       "DisplayFaller: BltFast: ddsBonus (btMinusScore)"},
      {0, "DisplayBarel: BltFast: ddsBonus (btSpeedUp)",
       "DisplayFaller: BltFast: ddsBonus (btSpeedUp)"},
      {1, "DisplayBarel: BltFast: ddsBonus (btSlowDown)",
       "DisplayFaller: BltFast: ddsBonus (btSlowDown)"},
      {5, "DisplayBarel: BltFast: ddsBonus (btScoreBonus)",
       "DisplayFaller: BltFast: ddsBonus (btScoreBonus)"},
      {7, "DisplayBarel: BltFast: ddsBonus (btFinishLevel)",
       "DisplayFaller: BltFast: ddsBonus (btFinishLevel)"},
      {8, "DisplayBarel: BltFast: ddsBonus (btRestartLevel)",
       "DisplayFaller: BltFast: ddsBonus (btRestartLevel)"},
      {9, "DisplayBarel: BltFast: ddsBonus (btDeath)",
       "DisplayFaller: BltFast: ddsBonus (btDeath)"},
  };
  if (kind < btUpper || kind > btDeath) return nullptr;
  return &sprites[kind - btUpper];
}

}  // namespace

bool DisplayBackground() {
  if (Switches.ShowBackground)
    return BackBlt(0, 0, Video.ddsBackground.get(), nullptr, OpaqueFlags, "DisplayBackground");
  dd::DDBLTFX fx;
  if (!Video.BackBuffer ||
      dd::Failed(Video.BackBuffer->Blt(nullptr, nullptr, nullptr,
                                       dd::DDBLT_COLORFILL | dd::DDBLT_WAIT, &fx)))
    return sysShowError("DisplayBackground");
  return true;
}

bool sysDisplayBubbles(const Bubble* layer) {
  for (const Bubble* bubble = layer; bubble; bubble = bubble->next) {
    if (World.GameClock - bubble->birth < bubble->delay) continue;  // not born yet
    const auto x = static_cast<int32_t>(bubble->x);
    const auto y = static_cast<int32_t>(bubble->y);
    if (x < 0 || y < 0 || x > 793 || y > 593) continue;
    if (!BackBlt(x, y, Video.ddsGame.get(), &BubbleRect, SpriteFlags,
                 "sysDisplayBubbles: BltFast: ddsGame"))
      return false;
  }
  return true;
}

bool sysDisplayMine(int32_t column, double height) {
  return BackBlt(ColumnX(column), static_cast<int32_t>(height) - 20, Video.ddsGame.get(), &MineRect,
                 SpriteFlags, "sysDisplayMine: BltFast: ddsGame");
}

bool sysDisplayTorpedo(double x, int32_t row) {
  dd::RECT source{400, 80, 439, 119};
  double left = x - 20.0;
  if (left < 0) {
    source.left = 400 - static_cast<int32_t>(left);
    left = 0;
  }
  if (left > 759) source.right = 439 + 759 - static_cast<int32_t>(left);
  // Nothing left to show; an empty rectangle would fail the blit.
  if (source.left >= source.right) return true;
  return BackBlt(static_cast<int32_t>(left), RowY(row), Video.ddsGame.get(), &source, SpriteFlags,
                 "sysDisplayTorpedo: BltFast: ddsGame");
}

bool DisplayBarel(int32_t column, int32_t row, const BarelCell& cell) {
  if (column < 0 || column >= GridColumns || row < 0 || row >= GridRows)
    return sysShowError("DisplayBarel: barel out of range");
  const int32_t x = ColumnX(column), y = RowY(row);
  switch (cell.state) {
    case csEmpty:
      return true;
    case csBarel:
      return BackBlt(x, y, Video.ddsBarel.get(), &BarelRect, SpriteFlags,
                     "DisplayBarel: BltFast: ddsBarel");
    case csExploding: {
      const auto phase = static_cast<uint8_t>(cell.phase);
      if (phase > 9) return sysShowError("DisplayBarel: Phase out of range");
      const dd::RECT source = SheetCell(40, 40, phase, 0);
      return BackBlt(x, y, Video.ddsBarel.get(), &source, SpriteFlags,
                     "DisplayBarel: BltFast: ddsBarel (explosion)");
    }
    default: {
      const BonusSprite* bonus = BonusFor(cell.state);
      if (!bonus) return true;  // states above 12 (and below 0) show nothing
      const dd::RECT source = SheetCell(40, 40, bonus->cell, 0);
      return BackBlt(x, y, Video.ddsBonus.get(), &source, SpriteFlags, bonus->barelMessage);
    }
  }
}

bool sysDisplayFloating() {
  for (const FloatingBarel* barel = World.FloatingBarels; barel; barel = barel->next) {
    dd::RECT source = BarelRect;
    int32_t y = static_cast<int32_t>(barel->y) - 20;
    if (y < 0) {  // cut at the top of the screen
      source.top = -y;
      y = 0;
    }
    if (source.top >= source.bottom) continue;
    if (!BackBlt(ColumnX(barel->column), y, Video.ddsBarel.get(), &source, SpriteFlags,
                 "sysDisplayFloating: BltFast: ddsBarel"))
      return false;
  }
  return true;
}

bool DisplayFaller() {
  for (const Faller* faller = World.Fallers; faller; faller = faller->next) {
    const BonusSprite* bonus = BonusFor(faller->kind);
    if (!bonus) continue;
    const dd::RECT source = SheetCell(40, 40, bonus->cell, 0);
    if (!BackBlt(ColumnX(faller->column), static_cast<int32_t>(faller->y) - 20,
                 Video.ddsBonus.get(), &source, SpriteFlags, bonus->fallerMessage))
      return false;
  }
  return true;
}
