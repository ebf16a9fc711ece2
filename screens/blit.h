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

// A cell of a sheet laid out in cells of width × height; the sheets' rectangles stop one
// pixel short of the next cell on the right and below.
constexpr dd::RECT SheetCell(int32_t width, int32_t height, int32_t column, int32_t row) {
  return {width * column, height * row, width * column + width - 1, height * row + height - 1};
}
