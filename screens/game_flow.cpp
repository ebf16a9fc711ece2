// Starting, continuing, closing and ending a game.
#include "app/frame_clock.h"
#include "audio/sound.h"
#include "game/world.h"
#include "persist/hiscore.h"
#include "platform/system/system.h"
#include "screens/modes.h"
#include "video/video.h"

namespace {

bool PickBackground() {
  Video.BackgroundIndex = crt::rand() % 3;
  return sysRestoreBackground(Video.BackgroundIndex);
}

// Two thirds of the level's barrels, signed division.
int32_t TwoThirdsOfBarrels() { return (2 * World.BarelsLeft) / 3; }

bool ScoreExceedsPointsNeeded() { return static_cast<uint32_t>(World.Score) > World.PointsNeeded; }

}  // namespace

bool NewGame() {
  World.Level = 1;
  SetupLevel(1);
  if (!SetGameMode(gmPlay)) return false;
  sysFrameTime();  // the next step measures time from now
  World.Score = 0;
  World.BestScore = 0;
  World.Mine.y = 0.0;
  World.Torpedo.row = -1;
  World.Sub.DyingState = 0;
  World.PointsNeeded = static_cast<uint32_t>(TwoThirdsOfBarrels());
  Screen.LevelIntro = 1;
  return PickBackground();
}

bool ContinueGame() {
  if (World.Level == 0) return false;
  sysFrameTime();
  return SetGameMode(gmPlay);
}

bool IsGameInProgress() { return World.Level != 0; }

// A passed level moves on with its introduction; a failed one is built again at once, with
// the same points needed.
bool EndLevel() {
  const bool passed = ScoreExceedsPointsNeeded();
  if (passed) {
    if (!sndPlayLevelUp()) return false;
    World.Level = static_cast<uint16_t>(World.Level + 1);
    Screen.LevelIntro = 1;
    if (!PickBackground()) return false;
  }
  SetupLevel(World.Level);
  if (passed)
    World.PointsNeeded =
        static_cast<uint32_t>(World.Score) + static_cast<uint32_t>(TwoThirdsOfBarrels());
  sysFrameTime();
  return true;
}

void GameOver() {
  World.Level = 0;
  if (hisQualifies(World.BestScore))
    Screen.NameEntry = 1;  // the playfield stays under the name entry
  else
    SetGameMode(gmMenu);
}
