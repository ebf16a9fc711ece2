#include "archive_members.h"

#include <SDL_image.h>

#include "fs/file_system.h"
#include "fs/tfile.h"

std::vector<uint8_t> ArchiveMember(const std::string& path) {
  static TFileSystem* files = [] {
    TFileSystem* fs = FS_Init();
    if (fs && !FS_LoadSPL(fs, NAUVREL_BINARY_DIR "/Nauvrel.spl"))
      return static_cast<TFileSystem*>(nullptr);
    return fs;
  }();
  if (!files) return {};
  auto file = FS_Open(files, path.c_str());
  if (!file) return {};
  GlobalBlock block = FS_ReadAll(*file);
  if (!block) return {};
  auto bytes = block.Lock();
  return {bytes.begin(), bytes.end()};
}

Decoded DecodePicture(const std::vector<uint8_t>& bytes) {
  Decoded out;
  SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), int(bytes.size()));
  SDL_Surface* loaded = IMG_Load_RW(rw, 1);
  if (!loaded) return out;
  SDL_Surface* rgb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB24, 0);
  SDL_FreeSurface(loaded);
  if (!rgb) return out;
  out.width = rgb->w;
  out.height = rgb->h;
  out.pixels.resize(size_t(rgb->w) * rgb->h);
  for (int y = 0; y < rgb->h; ++y) {
    const auto* row = static_cast<const uint8_t*>(rgb->pixels) + size_t(y) * rgb->pitch;
    for (int x = 0; x < rgb->w; ++x)
      out.pixels[size_t(y) * rgb->w + x] = {row[3 * x], row[3 * x + 1], row[3 * x + 2]};
  }
  SDL_FreeSurface(rgb);
  return out;
}

std::vector<Rgb8> GifPalette(const std::string& path) {
  const auto bytes = ArchiveMember(path);
  if (bytes.size() < 13 + 768 || (bytes[10] & 0x87) != 0x87) return {};
  std::vector<Rgb8> palette(256);
  for (size_t i = 0; i < 256; ++i)
    palette[i] = {bytes[13 + 3 * i], bytes[14 + 3 * i], bytes[15 + 3 * i]};
  return palette;
}
