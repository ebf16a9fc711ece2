#pragma once
// CD-audio music through MCI command strings.
#include <cstdint>

struct CDState {
  bool CDOpen = false;
  bool CDPlaying = false;
  int32_t CDTrackCount = 0;
};
inline CDState CD;

bool cdInit();
bool cdResume();
bool cdPause();
bool cdStop();
bool cdClose();
bool cdNextTrack();
bool cdPrevTrack();
