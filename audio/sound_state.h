#pragma once
// The sound device, the eight WAV images and the sound set, alive from start-up to exit.
#include <array>
#include <cstdint>

#include "platform/sound/dsound.h"
#include "platform/system/system.h"

constexpr int ExplosionVoices = 30;

struct SoundState {
  ds::LPDIRECTSOUND dsObject;

  // The WAV images as loaded, kept for the whole run.
  GlobalBlock Bonus;
  std::array<GlobalBlock, 4> ExplodeB;
  GlobalBlock LevelUp;
  GlobalBlock MenuClick;
  GlobalBlock NauvrelExpl;

  ds::LPDIRECTSOUNDBUFFER sndMenuClick;
  ds::LPDIRECTSOUNDBUFFER sndBonus;
  ds::LPDIRECTSOUNDBUFFER sndLevelUp;
  std::array<ds::LPDIRECTSOUNDBUFFER, 4> sndExplodeB;  // sources of the pool, never played
  std::array<ds::LPDIRECTSOUNDBUFFER, ExplosionVoices> sndExplsions;
  ds::LPDIRECTSOUNDBUFFER sndExplodeP;

  int32_t ExplosionIndex = 0;  // the pool voice played last
};
inline SoundState Sound;
