#pragma once
// The two steps that keys and clicks share.
#include "app/frame_clock.h"
#include "audio/sound.h"
#include "screens/modes.h"

// The click comes first: when it fails the mode stays.
inline bool ClickAndEnter(GameMode mode) { return sndPlayMenuClick() && SetGameMode(mode); }

// Where any key or click leads from the logo, the help pages and the hi-score table.
inline GameMode PageAfter(GameMode mode) {
  return mode == gmHelp1 ? gmHelp2 : mode == gmHelp2 ? gmHelp3 : gmMenu;
}

// The time spent reading the level text is not simulated; the click comes last.
inline bool EndIntroduction() {
  Screen.LevelIntro = 0;
  sysFrameTime();
  return sndPlayMenuClick();
}
