// The sound steps of start-up, and the device and images given back at exit.
#include "app/shell.h"
#include "audio/sound.h"
#include "audio/sound_state.h"
#include "fs/file_system.h"

namespace {

bool LoadImages() {
  GlobalBlock* const explode = Sound.ExplodeB.data();
  struct Row {
    GlobalBlock* image;
    const char* path;
    const char* message;
  };
  const Row rows[] = {
      {&Sound.Bonus, "Zvuk/Bonus.wav", "sysLoadFile: Bonus.wav"},
      {&explode[0], "Zvuk/ExplodeB1.wav", "sysLoadFile: ExplodeB1.wav"},
      {&explode[1], "Zvuk/ExplodeB2.wav", "sysLoadFile: ExplodeB2.wav"},
      {&explode[2], "Zvuk/ExplodeB3.wav", "sysLoadFile: ExplodeB3.wav"},
      {&explode[3], "Zvuk/ExplodeB4.wav", "sysLoadFile: ExplodeB4.wav"},
      {&Sound.LevelUp, "Zvuk/LevelUp.wav", "sysLoadFile: LevelUp.wav"},
      {&Sound.MenuClick, "Zvuk/MenuClick.wav", "sysLoadFile: MenuClick.wav"},
      {&Sound.NauvrelExpl, "Zvuk/NauvrelExpl.wav", "sysLoadFile: NauvrelExpl.wav"},
  };
  for (const Row& row : rows) {
    *row.image = sysLoadFile(row.path);
    if (!*row.image) return sysShowError(row.message);
  }
  return true;
}

}  // namespace

bool sndInit() {
  if (Switches.NoSound) return true;
  if (ds::FAILED(ds::DirectSoundCreate(nullptr, Sound.dsObject))) {
    Switches.NoSound = true;  // no device: a silent game
    return true;
  }
  if (ds::FAILED(Sound.dsObject->SetCooperativeLevel(Shell.Window, ds::DSSCL_PRIORITY)))
    return sysShowError("DirectSound::SetCooperativeLevel");

  ds::DSBUFFERDESC desc;
  desc.dwSize = 36;
  desc.dwFlags = ds::DSBCAPS_PRIMARYBUFFER;
  ds::LPDIRECTSOUNDBUFFER dsbPrimary;
  if (ds::FAILED(Sound.dsObject->CreateSoundBuffer(&desc, dsbPrimary)))
    return sysShowError("DirectSound::CreateSoundBuffer (primary)");
  ds::WAVEFORMATEX format;
  format.wFormatTag = ds::WAVE_FORMAT_PCM;
  format.nChannels = 2;
  format.nSamplesPerSec = 44100;
  format.wBitsPerSample = 16;
  format.nBlockAlign = 4;
  format.nAvgBytesPerSec = 176400;
  const ds::HRESULT set = dsbPrimary->SetFormat(&format);
  dsbPrimary.reset();  // the format stays in force
  if (ds::FAILED(set)) return sysShowError("SetFormat: dsbPrimary");

  if (!LoadImages()) return false;
  return sndCreateAll();
}

void sndReleaseDevice() { Sound.dsObject.reset(); }

void sndFreeImages() {
  Sound.LevelUp.Free();
  Sound.Bonus.Free();
  Sound.MenuClick.Free();
  Sound.NauvrelExpl.Free();
  for (GlobalBlock& image : Sound.ExplodeB) image.Free();
}
