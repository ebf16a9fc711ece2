// JPEG through libjpeg directly: its warnings are how it reports a file cut short or
// corrupt, and a decoder that only warns goes on with grey; here they end the decode.
#include "platform/picture/jpeg.h"

#include <csetjmp>
#include <cstdio>
// clang-format off: jpeglib.h needs the definitions of stdio.h before it
#include <jerror.h>
#include <jpeglib.h>
// clang-format on

namespace pic {

namespace {

// More scans than any encoder writes: a few bytes can otherwise keep the decoder busy
// for minutes.
constexpr int MaxScans = 1000;

struct Failure {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

[[noreturn]] void Fail(j_common_ptr info) {
  std::longjmp(reinterpret_cast<Failure*>(info->err)->jump, 1);
}

// Level -1 is a warning, all of which tell of damage but two: an unknown JFIF revision
// and a broken colour profile, which the picture is drawn without.
void Warn(j_common_ptr info, int level) {
  const int code = info->err->msg_code;
  if (level < 0 && code != JWRN_JFIF_MAJOR && code != JWRN_BOGUS_ICC) Fail(info);
}

void Quiet(j_common_ptr) {}

void CountScans(j_common_ptr info) {
  if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > MaxScans) Fail(info);
}

uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r << 16 | g << 8 | b; }

// Four channels: with Adobe's marker they are stored inverted (255 is no ink), as photo
// tools write them; without it, as they are.
uint32_t FromCmyk(const JSAMPLE* p, bool inverted) {
  uint32_t c = p[0], m = p[1], y = p[2], k = p[3];
  if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
  return Rgb((c * k + 127) / 255, (m * k + 127) / 255, (y * k + 127) / 255);
}

// Separate from DecodeJpeg so that nothing with a destructor lives across the jump.
bool Decode(jpeg_decompress_struct& info, Failure& failure, std::span<const uint8_t> bytes,
            size_t memoryLimit, DecodedJpeg& out, std::vector<JSAMPLE>& row) {
  if (setjmp(failure.jump)) return false;
  jpeg_create_decompress(&info);
  info.mem->max_memory_to_use = static_cast<long>(memoryLimit);
  jpeg_progress_mgr progress{};
  progress.progress_monitor = CountScans;
  info.progress = &progress;
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
  const bool fourChannels = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  if (fourChannels) {
    info.out_color_space = JCS_CMYK;
  } else if (info.jpeg_color_space == JCS_GRAYSCALE || info.jpeg_color_space == JCS_YCbCr ||
             info.jpeg_color_space == JCS_RGB) {
    info.out_color_space = JCS_RGB;
  } else {
    return false;
  }
  jpeg_start_decompress(&info);
  const int channels = info.output_components;
  if (channels != (fourChannels ? 4 : 3)) return false;
  out.width = static_cast<int>(info.output_width);
  out.height = static_cast<int>(info.output_height);
  row.resize(static_cast<size_t>(out.width) * channels);
  // Rows are kept as they come, so that memory follows what the file holds rather than
  // what its header claims.
  while (info.output_scanline < info.output_height) {
    JSAMPROW rows[] = {row.data()};
    if (jpeg_read_scanlines(&info, rows, 1) != 1) return false;
    for (int x = 0; x < out.width; ++x) {
      const JSAMPLE* p = row.data() + static_cast<size_t>(x) * channels;
      out.rgb.push_back(fourChannels ? FromCmyk(p, info.saw_Adobe_marker) : Rgb(p[0], p[1], p[2]));
    }
  }
  jpeg_finish_decompress(&info);
  return true;
}

}  // namespace

bool DecodeJpeg(std::span<const uint8_t> bytes, size_t memoryLimit, DecodedJpeg& out) {
  out = DecodedJpeg{};
  jpeg_decompress_struct info{};
  Failure failure{};
  info.err = jpeg_std_error(&failure.manager);
  failure.manager.error_exit = Fail;
  failure.manager.emit_message = Warn;
  failure.manager.output_message = Quiet;
  std::vector<JSAMPLE> row;
  const bool decoded = Decode(info, failure, bytes, memoryLimit, out, row);
  jpeg_destroy_decompress(&info);
  if (!decoded) out = DecodedJpeg{};
  return decoded;
}

}  // namespace pic
