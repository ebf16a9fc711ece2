// The sound set: three effects, the four explosion sources and their pool, the submarine.
#include "app/shell.h"
#include "audio/sound.h"
#include "audio/sound_state.h"
#include "audio/volume.h"
#include "audio/wav.h"
#include "platform/system/system.h"

bool sndCreateAll() {
  sndReleaseAll();
  if (!(Sound.sndMenuClick = wavCreateBuffer(Sound.MenuClick)))
    return sysShowError("wavCreateBuffer: sndMenuClick");
  if (!(Sound.sndBonus = wavCreateBuffer(Sound.Bonus)))
    return sysShowError("wavCreateBuffer: sndBonus");
  if (!(Sound.sndLevelUp = wavCreateBuffer(Sound.LevelUp)))
    return sysShowError("wavCreateBuffer: sndLevelUp");
  for (size_t i = 0; i < Sound.sndExplodeB.size(); ++i) {
    if (!(Sound.sndExplodeB[i] = wavCreateBuffer(Sound.ExplodeB[i])))
      return sysShowError("WavCreateBuffer: sndExplodeB array");
  }
  // The generator is not seeded yet, so every run builds the same pool.
  for (ds::LPDIRECTSOUNDBUFFER& voice : Sound.sndExplsions) {
    const int source = crt::rand() % 4;
    if (ds::FAILED(Sound.dsObject->DuplicateSoundBuffer(Sound.sndExplodeB[source].get(), voice)))
      return sysShowError("DuplicateSoundBuffer: sndExplsions array");
  }
  if (!(Sound.sndExplodeP = wavCreateBuffer(Sound.NauvrelExpl)))
    return sysShowError("wavCreateBuffer: sndExplodeP");
  volApplySound();
  return true;
}

void sndReleaseAll() {
  Sound.sndMenuClick.reset();
  Sound.sndBonus.reset();
  Sound.sndLevelUp.reset();
  for (auto& source : Sound.sndExplodeB) source.reset();
  for (auto& voice : Sound.sndExplsions) voice.reset();
  Sound.sndExplodeP.reset();
}
