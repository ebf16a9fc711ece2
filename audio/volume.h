#pragma once
// The effects and music volumes, 0 to 100 each, heard on a decibel scale.
#include <cstdint>

constexpr uint32_t MaxVolume = 100;
constexpr uint32_t VolumeStep = 10;

struct VolumeState {
  uint32_t SoundVolume = MaxVolume;
  uint32_t MusicVolume = MaxVolume;
};
inline VolumeState Volume;

// 100 is the sound as recorded, each step below it VolumeRangeDb / 100 quieter, 0 silent.
constexpr int32_t VolumeRangeDb = 40;
// Attenuation in hundredths of a decibel, as a sound buffer takes it.
int32_t volAttenuation(uint32_t volume);
// The same level as a linear factor in thousandths, as the CD device takes it.
int32_t volMusicLevel(uint32_t volume);

// Hands both volumes to the sound set and the CD device.
void volApplySound();
void volApplyMusic();

// The volume keys: F5/F6 effects down/up, F7/F8 music down/up. True when `key` was one.
bool volKey(uint16_t key);
