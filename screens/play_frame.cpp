// One frame of the playfield, back to front, with the two text overlays on top.
#include <cstdio>
#include <string>

#include "app/language.h"
#include "screens/display.h"
#include "screens/pad.h"
#include "video/video.h"

namespace {

bool DisplayOverlays() {
  char text[1024];
  if (Screen.LevelIntro) {
    std::snprintf(text, sizeof text, Texts().LevelIntro, static_cast<int>(World.Level),
                  static_cast<int>(World.PointsNeeded), static_cast<int>(World.BestScore));
    if (!sysTextBox(text)) return false;
  }
  if (Screen.NameEntry) {
    // With a controller the letter on offer stands after the name, in brackets.
    std::string name = Screen.PlayerName;
    if (const char letter = PadLetter()) name += std::string("[") + letter + "]";
    std::snprintf(text, sizeof text, Texts().NameEntry, name.c_str());
    if (!sysTextBox(text)) return false;
  }
  return true;
}

}  // namespace

bool DisplayPlayFrame() {
  if (!DisplayBackground() || !sysDisplayBubbles(World.BackBubbles)) return false;
  if (World.Mine.y != 0.0 && !sysDisplayMine(World.Mine.column, World.Mine.y)) return false;
  if (World.Torpedo.row != -1 && !sysDisplayTorpedo(World.Torpedo.x, World.Torpedo.row))
    return false;
  for (int32_t column = 0; column < GridColumns; ++column)
    for (int32_t row = 0; row < GridRows; ++row)
      if (!DisplayBarel(column, row, Cell(column, row))) return false;
  return sysDisplayFloating() && DisplayFaller() && sysDispayPlayer(World.Sub.x, World.Sub.row) &&
         sysDisplayBubbles(World.FrontBubbles) && sysDisplayScore(World.Score) && DisplayOverlays();
}
