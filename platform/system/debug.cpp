#include "platform/system/debug.h"

#include <SDL.h>

void OutputDebugString(const char* text) { SDL_LogDebug(SDL_LOG_CATEGORY_APPLICATION, "%s", text); }

void OutputDebugString(const char* text, size_t length) {
  SDL_LogDebug(SDL_LOG_CATEGORY_APPLICATION, "%.*s", static_cast<int>(length), text);
}
