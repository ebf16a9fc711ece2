#pragma once
// The two steps that keys and clicks share.
#include "app/frame_clock.h"
#include "audio/sound.h"
#include "screens/modes.h"

// The click comes first: when it fails the mode stays.
inline bool ClickAndEnter(GameMode mode) { return sndPlayMenuClick() && SetGameMode(mode); }

// The time spent reading the level text is not simulated; the click comes last.
inline bool EndIntroduction() {
  Screen.LevelIntro = 0;
  sysFrameTime();
  return sndPlayMenuClick();
}
