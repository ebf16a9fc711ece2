#include "platform/sound/format.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace ds {
namespace {

constexpr uint32_t MinRate = 100;  // DirectSound's frequency range
constexpr uint32_t MaxRate = 200000;

// The GUID of an extensible format's sub-format is the old format tag followed by these.
constexpr uint8_t SubFormatTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                       0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

uint16_t ExtensibleTag(const WAVEFORMATEX& format) {
  if (format.cbSize < 22) return 0;
  const uint8_t* guid = reinterpret_cast<const uint8_t*>(&format) + 18 + 6;
  if (std::memcmp(guid + 2, SubFormatTail, sizeof SubFormatTail) != 0) return 0;
  return static_cast<uint16_t>(guid[0] | guid[1] << 8);
}

double Sample(const SampleLayout& layout, const uint8_t* p) {
  switch (layout.kind) {
    case SampleKind::Unsigned8:
      return (p[0] - 128) / 128.0;
    case SampleKind::Float:
      if (layout.bytesPerSample == 4) {
        float f;
        std::memcpy(&f, p, 4);
        return std::isfinite(f) ? f : 0.0;
      } else {
        double d;
        std::memcpy(&d, p, 8);
        return std::isfinite(d) ? d : 0.0;
      }
    case SampleKind::Signed:
      break;
  }
  // Little-endian, the top byte carries the sign.
  int64_t v = static_cast<int8_t>(p[layout.bytesPerSample - 1]);
  for (int i = layout.bytesPerSample - 2; i >= 0; --i) v = v << 8 | p[i];
  return static_cast<double>(v) /
         static_cast<double>(int64_t{1} << (8 * layout.bytesPerSample - 1));
}

int16_t ToS16(double v) {
  const double scaled = std::round(v * 32767.0);
  if (scaled > 32767.0) return 32767;
  if (scaled < -32768.0) return -32768;
  return static_cast<int16_t>(scaled);
}

}  // namespace

bool ReadLayout(const WAVEFORMATEX& format, SampleLayout& layout) {
  uint16_t tag = format.wFormatTag;
  if (tag == WAVE_FORMAT_EXTENSIBLE) tag = ExtensibleTag(format);
  const int bits = format.wBitsPerSample;
  if (tag == WAVE_FORMAT_PCM && (bits == 8 || bits == 16 || bits == 24 || bits == 32)) {
    layout.kind = bits == 8 ? SampleKind::Unsigned8 : SampleKind::Signed;
  } else if (tag == WAVE_FORMAT_IEEE_FLOAT && (bits == 32 || bits == 64)) {
    layout.kind = SampleKind::Float;
  } else {
    return false;
  }
  if (format.nChannels != 1 && format.nChannels != 2) return false;
  if (format.nSamplesPerSec < MinRate || format.nSamplesPerSec > MaxRate) return false;
  if (format.nBlockAlign != format.nChannels * bits / 8) return false;
  layout.bytesPerSample = bits / 8;
  layout.channels = format.nChannels;
  layout.rate = format.nSamplesPerSec;
  return true;
}

std::vector<int16_t> ConvertToDevice(const SampleLayout& layout, std::span<const uint8_t> bytes,
                                     int deviceRate, int deviceChannels) {
  const size_t frameBytes = size_t(layout.bytesPerSample) * layout.channels;
  const size_t frames = bytes.size() / frameBytes;
  std::vector<int16_t> out;
  if (frames == 0 || deviceRate <= 0 || deviceChannels <= 0) return out;

  // Left and right of source frame i.
  auto frame = [&](size_t i, double& left, double& right) {
    const uint8_t* p = bytes.data() + i * frameBytes;
    left = Sample(layout, p);
    right = layout.channels == 2 ? Sample(layout, p + layout.bytesPerSample) : left;
  };

  const double step = static_cast<double>(layout.rate) / deviceRate;
  const size_t outFrames = static_cast<size_t>(std::llround(frames / step));
  out.assign(outFrames * deviceChannels, 0);
  for (size_t i = 0; i < outFrames; ++i) {
    const double pos = i * step;
    const size_t a = std::min(static_cast<size_t>(pos), frames - 1);
    const size_t b = std::min(a + 1, frames - 1);
    const double t = pos - static_cast<double>(a);
    double la, ra, lb, rb;
    frame(a, la, ra);
    frame(b, lb, rb);
    const double left = la + (lb - la) * t, right = ra + (rb - ra) * t;
    int16_t* o = out.data() + i * deviceChannels;
    if (deviceChannels == 1) {
      o[0] = ToS16((left + right) / 2);
    } else {
      o[0] = ToS16(left);
      o[1] = ToS16(right);  // further channels stay silent
    }
  }
  return out;
}

}  // namespace ds
