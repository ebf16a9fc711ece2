#include "platform/sound/mixer.h"

#include <SDL.h>
#include <SDL_mixer.h>

namespace mixer {
namespace {
int Users = 0;
}

bool Acquire() {
  if (Users > 0) {
    ++Users;
    return true;
  }
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  Users = 1;
  return true;
}

void Release() {
  if (Users == 0) return;
  if (--Users > 0) return;
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool IsOpen() { return Users > 0; }

}  // namespace mixer
