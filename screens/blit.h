#pragma once
// One blit into the back buffer, reported under the caller's message when it fails.
#include "app/shell.h"
#include "video/video.h"

inline constexpr uint32_t SpriteFlags = dd::DDBLTFAST_SRCCOLORKEY | dd::DDBLTFAST_WAIT;
inline constexpr uint32_t OpaqueFlags = dd::DDBLTFAST_WAIT;

inline bool BackBlt(int32_t x, int32_t y, dd::Surface* source, const dd::RECT* rect, uint32_t flags,
                    const char* message) {
  if (!Video.BackBuffer || !source ||
      dd::Failed(Video.BackBuffer->BltFast(x, y, source, rect, flags)))
    return sysShowError(message);
  return true;
}
