#include "support/test_pictures.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
// clang-format off: jpeglib.h needs the definitions of stdio.h before it
#include <jpeglib.h>
// clang-format on

std::vector<uint8_t> MakeBmp(int width, int height,
                             const std::function<uint32_t(int x, int y)>& colour) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, width, height, 24, SDL_PIXELFORMAT_RGB24);
  for (int y = 0; y < height; ++y) {
    auto* row = static_cast<uint8_t*>(s->pixels) + y * s->pitch;
    for (int x = 0; x < width; ++x) {
      const uint32_t c = colour(x, y);
      row[3 * x] = static_cast<uint8_t>(c >> 16);
      row[3 * x + 1] = static_cast<uint8_t>(c >> 8);
      row[3 * x + 2] = static_cast<uint8_t>(c);
    }
  }
  std::vector<uint8_t> bytes(static_cast<size_t>(width) * height * 4 + 1024);
  SDL_RWops* rw = SDL_RWFromMem(bytes.data(), static_cast<int>(bytes.size()));
  SDL_SaveBMP_RW(s, rw, 0);
  bytes.resize(static_cast<size_t>(SDL_RWtell(rw)));
  SDL_RWclose(rw);
  SDL_FreeSurface(s);
  return bytes;
}

namespace {

// LZW without compression: every pixel is its own 9-bit code, with a clear code often
// enough that the decoder never widens its codes.
struct BitWriter {
  std::vector<uint8_t> bytes;
  uint32_t buffer = 0;
  int count = 0;
  void Put(uint32_t code, int bits) {
    buffer |= code << count;
    count += bits;
    while (count >= 8) {
      bytes.push_back(static_cast<uint8_t>(buffer));
      buffer >>= 8;
      count -= 8;
    }
  }
  void Flush() {
    if (count > 0) bytes.push_back(static_cast<uint8_t>(buffer));
    buffer = 0, count = 0;
  }
};

void Put16(std::vector<uint8_t>& out, int v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

}  // namespace

std::vector<uint8_t> MakeGif(int width, int height, const std::vector<dd::PALETTEENTRY>& palette,
                             const std::function<uint8_t(int x, int y)>& index) {
  std::vector<uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
  Put16(out, width);
  Put16(out, height);
  out.push_back(0xF7);  // global colour table of 256 entries
  out.push_back(0);
  out.push_back(0);
  for (int i = 0; i < 256; ++i) {
    const dd::PALETTEENTRY e =
        i < static_cast<int>(palette.size()) ? palette[i] : dd::PALETTEENTRY{};
    out.insert(out.end(), {e.peRed, e.peGreen, e.peBlue});
  }
  out.push_back(0x2C);
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, width);
  Put16(out, height);
  out.push_back(0);
  out.push_back(8);  // minimum code size
  BitWriter bits;
  constexpr uint32_t Clear = 256, End = 257;
  int sinceClear = 0;
  bits.Put(Clear, 9);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      if (sinceClear == 250) bits.Put(Clear, 9), sinceClear = 0;
      bits.Put(index(x, y), 9);
      ++sinceClear;
    }
  bits.Put(End, 9);
  bits.Flush();
  for (size_t at = 0; at < bits.bytes.size(); at += 255) {
    const size_t n = std::min<size_t>(255, bits.bytes.size() - at);
    out.push_back(static_cast<uint8_t>(n));
    out.insert(out.end(), bits.bytes.begin() + at, bits.bytes.begin() + at + n);
  }
  out.push_back(0);
  out.push_back(0x3B);
  return out;
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
