#include "platform/sound/mixer.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <vector>

namespace mixer {
namespace {

struct Output {
  int users = 0;
  bool open = false;  // false after a reopen that found no output
  bool noOutput = false;
  std::vector<Listener> listeners;
};
Output Out;

bool OpenDefault() {
  if (Out.noOutput) return false;
  return Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) == 0;
}

}  // namespace

bool Acquire() {
  if (Out.users > 0) {
    ++Out.users;
    return true;
  }
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  if (!OpenDefault()) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  Out.users = 1;
  Out.open = true;
  return true;
}

void Release() {
  if (Out.users == 0) return;
  if (--Out.users > 0) return;
  if (Out.open) Mix_CloseAudio();
  Out.open = false;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool IsOpen() { return Out.users > 0; }

bool Reopen() {
  if (Out.users == 0) return false;
  if (Out.open) Mix_CloseAudio();
  Out.open = OpenDefault();
  if (!Out.open) return false;
  for (Listener listener : Out.listeners) listener();
  return true;
}

void OnReopen(Listener listener) {
  if (std::find(Out.listeners.begin(), Out.listeners.end(), listener) == Out.listeners.end())
    Out.listeners.push_back(listener);
}

namespace testing {
void NoOutput(bool none) { Out.noOutput = none; }
}  // namespace testing

}  // namespace mixer
