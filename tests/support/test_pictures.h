#pragma once
// Picture files made in memory for tests: true-colour BMP, palettised GIF and JPEG.
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/display/ddraw.h"

// colour(x, y) gives 0x00RRGGBB, top row first.
std::vector<uint8_t> MakeBmp(int width, int height,
                             const std::function<uint32_t(int x, int y)>& colour);
// index(x, y) chooses one of the palette's entries (at most 256).
std::vector<uint8_t> MakeGif(int width, int height, const std::vector<dd::PALETTEENTRY>& palette,
                             const std::function<uint8_t(int x, int y)>& index);
// A JPEG (lossy: colours come back close, not exact) in the given inks: RGB (as YCbCr), or
// four-channel as photo tools write it, plain CMYK without Adobe's marker, or with it
// (inverted: 255 is no ink) as CMYK or YCCK.
enum class JpegInks { Rgb, Cmyk, AdobeCmyk, AdobeYcck };
std::vector<uint8_t> MakeJpeg(int width, int height,
                              const std::function<uint32_t(int x, int y)>& colour,
                              JpegInks inks = JpegInks::Rgb);
