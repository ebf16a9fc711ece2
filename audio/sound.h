#pragma once
// Sound effects.

// The sound steps of start-up; a missing device is not an error (the game runs silent).
bool sndInit();
bool sndCreateAll();
void sndReleaseAll();
// Releases the sound device and the eight WAV images (steps of sysReleaseAll).
void sndReleaseDevice();
void sndFreeImages();

bool sndPlayMenuClick();
bool sndPlayBonus();
bool sndPlayLevelUp();
bool sndPlayExplosion();
bool sysPlayExplodeP();
