// Playing the effects; silent and successful while there is no sound or the user has it off.
#include "app/shell.h"
#include "audio/sound.h"
#include "audio/sound_state.h"
#include "persist/settings.h"

namespace {

bool Silent() { return Switches.NoSound || !Settings.UseSound; }

// A buffer that is not there (the set not made, or released after a failure) has
// nothing to play; only a buffer that refuses to play is a fault.
bool PlayOnce(ds::DirectSoundBuffer* buffer, const char* message) {
  if (Silent() || !buffer) return true;
  if (ds::FAILED(buffer->Play(0, 0, 0))) return sysShowError(message);
  return true;
}

}  // namespace

bool sndPlayMenuClick() { return PlayOnce(Sound.sndMenuClick.get(), "Play: dsbMenuClick"); }
bool sndPlayBonus() { return PlayOnce(Sound.sndBonus.get(), "Play: dsbBonus"); }
bool sndPlayLevelUp() { return PlayOnce(Sound.sndLevelUp.get(), "Play: dsbLevelUp"); }
bool sysPlayExplodeP() { return PlayOnce(Sound.sndExplodeP.get(), "sysPlayExplodeP: Play"); }

bool sndPlayExplosion() {
  if (Silent()) return true;
  Sound.ExplosionIndex = (Sound.ExplosionIndex + 1) % ExplosionVoices;
  ds::DirectSoundBuffer* voice = Sound.sndExplsions[Sound.ExplosionIndex].get();
  if (!voice) return true;  // released by an earlier failure; nothing to play
  switch (voice->Play(0, 0, 0)) {
    case ds::DSERR_BUFFERLOST:
      return sysShowError("Play: dsbExplosions DSERR_BUFFERLOST ");
    case ds::DSERR_INVALIDCALL:
      return sysShowError("Play: INVALIDCALL ");
    case ds::DSERR_INVALIDPARAM:
      return sysShowError("Play: DSERR_INVALIDPARAM ");
    case ds::DSERR_PRIOLEVELNEEDED:
      return sysShowError("Play: DSERR_PRIOLEVELNEEDED ");
    default:
      return true;  // any other failure is not worth stopping the game for
  }
}
