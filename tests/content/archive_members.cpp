#include "archive_members.h"

#include "fs/file_system.h"
#include "fs/tfile.h"
#include "platform/picture/picture.h"

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
  const auto picture = pic::OleLoadPicture(bytes);
  if (!picture) return out;
  out.width = picture->PixelWidth();
  out.height = picture->PixelHeight();
  for (int y = 0; y < out.height; ++y)
    for (int x = 0; x < out.width; ++x) {
      const uint32_t c = picture->PixelRGB(x, y);
      out.pixels.push_back({uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
    }
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
