#include "audio/wav.h"

#include <cstring>
#include <new>
#include <vector>

#include "audio/sound_state.h"

namespace {
constexpr uint32_t PcmRecordBytes = 16;
constexpr uint32_t FormatRecordBytes = 18;
constexpr uint32_t DescriptionSize = 36;
}  // namespace

ds::HRESULT wavReadFormat(mmio::MemFile& file, mmio::MMCKINFO& riff, ds::FormatRecord& format) {
  format.bytes.clear();
  if (!mmio::mmioDescend(file, riff, nullptr, 0)) return ds::E_FAIL;
  if (riff.ckid != mmio::FOURCC_RIFF || riff.fccType != mmio::FOURCC('W', 'A', 'V', 'E'))
    return ds::E_FAIL;

  mmio::MMCKINFO chunk;
  chunk.ckid = mmio::FOURCC('f', 'm', 't', ' ');
  if (!mmio::mmioDescend(file, chunk, &riff, mmio::MMIO_FINDCHUNK)) return ds::E_FAIL;
  if (chunk.cksize < PcmRecordBytes) return ds::E_FAIL;

  uint8_t pcm[PcmRecordBytes];
  if (mmio::mmioRead(file, pcm, sizeof pcm) != sizeof pcm) return ds::E_FAIL;
  uint16_t tag;
  std::memcpy(&tag, pcm, 2);

  // A 16-byte record of another format has no extra bytes; the count is read only from
  // inside the chunk, and the extra bytes must fit in it too.
  uint16_t extra = 0;
  if (tag != ds::WAVE_FORMAT_PCM && chunk.cksize >= FormatRecordBytes) {
    uint8_t count[2];
    if (mmio::mmioRead(file, count, 2) != 2) return ds::E_FAIL;
    extra = static_cast<uint16_t>(count[0] | count[1] << 8);
    if (extra > chunk.cksize - FormatRecordBytes) return ds::E_FAIL;
  }
  format.bytes.assign(FormatRecordBytes + extra, 0);
  std::memcpy(format.bytes.data(), pcm, sizeof pcm);
  format.Get()->cbSize = extra;
  if (extra && mmio::mmioRead(file, format.Extra(), extra) != extra) {
    format.bytes.clear();
    return ds::E_FAIL;
  }
  if (!mmio::mmioAscend(file, chunk)) {
    format.bytes.clear();
    return ds::E_FAIL;
  }
  return ds::DS_OK;
}

ds::LPDIRECTSOUNDBUFFER wavCreateBuffer(const GlobalBlock& image) {
  if (!image || !Sound.dsObject) return nullptr;
  mmio::MemFile file = mmio::mmioOpen(image.Lock());

  mmio::MMCKINFO riff;
  ds::FormatRecord format;
  if (ds::FAILED(wavReadFormat(file, riff, format))) return nullptr;
  if (!mmio::mmioSeek(file, size_t{riff.dwDataOffset} + 4)) return nullptr;

  mmio::MMCKINFO data;
  data.ckid = mmio::FOURCC('d', 'a', 't', 'a');
  if (!mmio::mmioDescend(file, data, &riff, mmio::MMIO_FINDCHUNK)) return nullptr;
  // A size beyond the block is refused before anything that large is allocated.
  if (data.cksize > image.Size() - data.dwDataOffset) return nullptr;
  std::vector<uint8_t> samples;
  try {
    samples.resize(data.cksize);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  if (mmio::mmioRead(file, samples.data(), samples.size()) != samples.size()) return nullptr;

  ds::DSBUFFERDESC desc;
  desc.dwSize = DescriptionSize;
  desc.dwFlags = ds::DSBCAPS_STATIC;
  desc.dwBufferBytes = data.cksize;
  desc.lpwfxFormat = format.Get();
  ds::LPDIRECTSOUNDBUFFER buffer;
  if (ds::FAILED(Sound.dsObject->CreateSoundBuffer(&desc, buffer))) return nullptr;

  void* region = nullptr;
  uint32_t regionBytes = 0;
  if (ds::FAILED(buffer->Lock(0, static_cast<uint32_t>(samples.size()), &region, &regionBytes,
                              nullptr, nullptr, 0)))
    return nullptr;
  std::memcpy(region, samples.data(), regionBytes);
  buffer->Unlock(region, regionBytes, nullptr, 0);
  return buffer;
}
