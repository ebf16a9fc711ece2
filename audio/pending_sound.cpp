// Placeholder until the sound effects land: a silent game.
#include "audio/sound.h"

bool sndInit() { return true; }
bool sndCreateAll() { return true; }
void sndReleaseAll() {}
void sndReleaseDevice() {}
void sndFreeImages() {}
bool sndPlayMenuClick() { return true; }
bool sndPlayBonus() { return true; }
bool sndPlayLevelUp() { return true; }
bool sndPlayExplosion() { return true; }
bool sysPlayExplodeP() { return true; }
