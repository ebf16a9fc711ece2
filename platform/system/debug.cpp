#include "platform/system/debug.h"

#include <SDL.h>

void EnableDebugOutput() {
  SDL_LogSetPriority(SDL_LOG_CATEGORY_APPLICATION, SDL_LOG_PRIORITY_DEBUG);
}

void OutputDebugString(const char* text) { SDL_LogDebug(SDL_LOG_CATEGORY_APPLICATION, "%s", text); }

void OutputDebugString(const char* text, size_t length) {
  SDL_LogDebug(SDL_LOG_CATEGORY_APPLICATION, "%.*s", static_cast<int>(length), text);
}
