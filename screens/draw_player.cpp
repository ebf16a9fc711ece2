// The submarine: its travel frames, and the two explosions.
#include <cstdint>
#include <cstdlib>

#include "screens/blit.h"
#include "screens/display.h"

bool sysDispayPlayer(double x, int32_t row) {
  const SubmarineRecord& sub = World.Sub;
  const auto ix = static_cast<int32_t>(x);
  int32_t destX = ix - 40;
  int32_t destY = 550 - 40 * row;

  // The frame advances every 2 pixels of travel; standing still, it is the explosion frame.
  int32_t f = sub.speed != 0 ? std::abs(ix / 2) % 20 : sub.explosionFrame;
  if (sub.DyingState == 1) f = sub.explosionFrame;
  if (f < 0 || f > 19) return true;
  const int32_t column = f % 8, sheetRow = f / 8;

  const bool explosionA = sub.DyingState == 2 && sub.speed <= 0;
  if (explosionA && f - 5 < 0) return true;  // explosion A opens with five blank frames

  if (sub.rowChangeActive) {
    const auto progress = static_cast<int32_t>(sub.rowChangeProgress);
    destY += sub.rowChangeUp ? -progress : progress;
  }

  dd::Surface* sheet;
  dd::RECT source;
  if (sub.DyingState == 1) {
    sheet = Video.ddsNauvrelExplB.get();
    source = SheetCell(140, 60, f % 5, f / 5);
    destX -= 20;
    destY -= 10;
  } else if (explosionA) {
    sheet = Video.ddsNauvrelExpl.get();
    source = SheetCell(100, 60, column, sheetRow);
    destX -= 10;
    destY -= 12;
  } else {
    sheet = Video.ddsGame.get();
    source = SheetCell(80, 40, column, sheetRow);
    destY -= 2;
  }

  if (destX < 0) {
    source.left -= destX;
    destX = 0;
  }
  if (destX > 799 - (source.right - source.left)) source.right = source.left + 799 - destX;
  if (source.left >= source.right) return true;
  return BackBlt(destX, destY, sheet, &source, SpriteFlags, "sysDispayPlayer: BltFast: ddsGame");
}
