#include "platform/system/debug.h"

#include <SDL.h>

#include <cstdlib>

namespace {

// NAUVREL_DEBUG=1 in the environment shows the debug output on standard error.
void ShowWhenAsked() {
  static const bool asked = [] {
    const char* value = std::getenv("NAUVREL_DEBUG");
    if (value && *value && *value != '0')
      SDL_LogSetPriority(SDL_LOG_CATEGORY_APPLICATION, SDL_LOG_PRIORITY_DEBUG);
    return true;
  }();
  (void)asked;
}

}  // namespace

void OutputDebugString(const char* text) {
  ShowWhenAsked();
  SDL_LogDebug(SDL_LOG_CATEGORY_APPLICATION, "%s", text);
}

void OutputDebugString(const char* text, size_t length) {
  ShowWhenAsked();
  SDL_LogDebug(SDL_LOG_CATEGORY_APPLICATION, "%.*s", static_cast<int>(length), text);
}
