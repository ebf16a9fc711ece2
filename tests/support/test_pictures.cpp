#include "support/test_pictures.h"

#include <algorithm>
#include <cstdio>

#include "tools/forge/encoders.hpp"
// clang-format off: jpeglib.h needs the definitions of stdio.h before it
#include <jpeglib.h>
// clang-format on

std::vector<uint8_t> MakeBmp(int width, int height,
                             const std::function<uint32_t(int x, int y)>& colour) {
  forge::Picture picture(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const uint32_t c = colour(x, y);
      picture.at(x, y) = {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8),
                          static_cast<uint8_t>(c)};
    }
  return forge::encodeBmp(picture);
}

std::vector<uint8_t> MakeGif(int width, int height, const std::vector<dd::PALETTEENTRY>& palette,
                             const std::function<uint8_t(int x, int y)>& index) {
  forge::IndexedPicture picture{width, height, {}, std::vector<forge::Rgb>(256)};
  for (size_t i = 0; i < palette.size() && i < 256; ++i)
    picture.palette[i] = {palette[i].peRed, palette[i].peGreen, palette[i].peBlue};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.indices.push_back(index(x, y));
  return forge::encodeGif(picture);
}

std::vector<uint8_t> MakeJpeg(int width, int height,
                              const std::function<uint32_t(int x, int y)>& colour, JpegInks inks) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  const bool four = inks != JpegInks::Rgb;
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = four ? 4 : 3;
  info.in_color_space = four ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&info);
  if (inks == JpegInks::AdobeYcck) jpeg_set_colorspace(&info, JCS_YCCK);
  if (inks == JpegInks::Cmyk) info.write_Adobe_marker = FALSE;
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(static_cast<size_t>(width) * info.input_components);
  const bool inverted = inks == JpegInks::AdobeCmyk || inks == JpegInks::AdobeYcck;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t c = colour(x, y);
      const int rgb[3] = {static_cast<int>(c >> 16), static_cast<int>(c >> 8 & 0xFF),
                          static_cast<int>(c & 0xFF)};
      JSAMPLE* p = &row[static_cast<size_t>(x) * info.input_components];
      if (!four) {
        std::copy(rgb, rgb + 3, p);
        continue;
      }
      const int k = 255 - std::max({rgb[0], rgb[1], rgb[2]});
      for (int i = 0; i < 3; ++i) {
        const int ink = k == 255 ? 0 : (255 - rgb[i] - k) * 255 / (255 - k);
        p[i] = static_cast<JSAMPLE>(inverted ? 255 - ink : ink);
      }
      p[3] = static_cast<JSAMPLE>(inverted ? 255 - k : k);
    }
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<uint8_t> bytes(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return bytes;
}
