#pragma once
// The formats a secondary buffer takes, and their conversion to the device's format.
#include <cstdint>
#include <span>
#include <vector>

#include "platform/sound/dsound.h"

namespace ds {

enum class SampleKind { Unsigned8, Signed, Float };

// A format reduced to what decoding needs.
struct SampleLayout {
  SampleKind kind = SampleKind::Signed;
  int bytesPerSample = 0;
  int channels = 0;
  uint32_t rate = 0;
};

// Integer PCM of 8, 16, 24 or 32 bits or IEEE float of 32 or 64 bits, 1 or 2 channels,
// 100 to 200 000 frames a second, also as WAVE_FORMAT_EXTENSIBLE; false for any other.
bool ReadLayout(const WAVEFORMATEX& format, SampleLayout& layout);

// Interleaved 16-bit samples at the device's rate and channel count (a trailing partial
// frame is dropped).
std::vector<int16_t> ConvertToDevice(const SampleLayout& layout, std::span<const uint8_t> bytes,
                                     int deviceRate, int deviceChannels);

}  // namespace ds
