// The two volumes: on a decibel scale, because loudness is heard as a ratio.
#include "audio/volume.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "audio/sound_state.h"
#include "platform/cdaudio/mci.h"
#include "platform/window/window.h"

int32_t volAttenuation(uint32_t volume) {
  if (volume == 0) return ds::DSBVOLUME_MIN;
  const uint32_t v = std::min(volume, MaxVolume);
  return -static_cast<int32_t>(MaxVolume - v) * VolumeRangeDb;  // hundredths of a dB
}

int32_t volMusicLevel(uint32_t volume) {
  if (volume == 0) return 0;
  const double gain = std::pow(10.0, volAttenuation(volume) / 2000.0);
  return std::max(1, static_cast<int32_t>(std::lround(gain * 1000)));
}

void volApplySound() {
  const int32_t attenuation = volAttenuation(Volume.SoundVolume);
  const auto set = [&](ds::LPDIRECTSOUNDBUFFER& buffer) {
    if (buffer) buffer->SetVolume(attenuation);
  };
  set(Sound.sndMenuClick);
  set(Sound.sndBonus);
  set(Sound.sndLevelUp);
  for (auto& voice : Sound.sndExplsions) set(voice);
  set(Sound.sndExplodeP);
}

void volApplyMusic() {
  char command[48];
  std::snprintf(command, sizeof command, "setaudio cdaudio volume to %d",
                static_cast<int>(volMusicLevel(Volume.MusicVolume)));
  mci::mciSendString(command, nullptr, 0, nullptr);  // the level only; nothing can fail
}

namespace {

void Step(uint32_t& volume, int direction) {
  const int next = static_cast<int>(volume) + direction * static_cast<int>(VolumeStep);
  volume = static_cast<uint32_t>(std::clamp(next, 0, static_cast<int>(MaxVolume)));
}

}  // namespace

bool volKey(uint16_t key) {
  switch (key) {
    case win::VK_F1 + 4:  // F5
    case win::VK_F1 + 5:  // F6
      Step(Volume.SoundVolume, key == win::VK_F1 + 4 ? -1 : 1);
      volApplySound();
      return true;
    case win::VK_F1 + 6:  // F7
    case win::VK_F1 + 7:  // F8
      Step(Volume.MusicVolume, key == win::VK_F1 + 6 ? -1 : 1);
      volApplyMusic();
      return true;
    default:
      return false;
  }
}
