#pragma once
// The sound device, in place of DirectSound, over SDL2_mixer: one device, static
// secondary buffers converted once to the device's format, duplicates that share their
// samples, and Play with DirectSound's rules. Each buffer owns a mixer channel.
// Left out: streaming buffers, 3D sound, effects, capture, changing a buffer's format.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/window/window.h"

namespace ds {

using HRESULT = int32_t;
constexpr HRESULT DS_OK = 0;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005);
constexpr HRESULT DSERR_OUTOFMEMORY = static_cast<HRESULT>(0x8007000E);
constexpr HRESULT DSERR_INVALIDPARAM = static_cast<HRESULT>(0x80070057);
constexpr HRESULT DSERR_INVALIDCALL = static_cast<HRESULT>(0x88780032);
constexpr HRESULT DSERR_PRIOLEVELNEEDED = static_cast<HRESULT>(0x88780046);
constexpr HRESULT DSERR_BADFORMAT = static_cast<HRESULT>(0x88780064);
constexpr HRESULT DSERR_NODRIVER = static_cast<HRESULT>(0x88780078);
constexpr HRESULT DSERR_BUFFERLOST = static_cast<HRESULT>(0x88780096);
constexpr bool FAILED(HRESULT hr) { return hr < 0; }

constexpr uint32_t DSSCL_NORMAL = 1;
constexpr uint32_t DSSCL_PRIORITY = 2;
constexpr uint32_t DSBCAPS_PRIMARYBUFFER = 0x1;
constexpr uint32_t DSBCAPS_STATIC = 0x2;

// Buffer volume in hundredths of a decibel, as DirectSound takes it.
constexpr int32_t DSBVOLUME_MIN = -10000;
constexpr int32_t DSBVOLUME_MAX = 0;

constexpr uint16_t WAVE_FORMAT_PCM = 1;
constexpr uint16_t WAVE_FORMAT_IEEE_FLOAT = 3;
constexpr uint16_t WAVE_FORMAT_EXTENSIBLE = 0xFFFE;

// The format record; cbSize extra bytes follow it in the same allocation.
struct WAVEFORMATEX {
  uint16_t wFormatTag = 0;
  uint16_t nChannels = 0;
  uint32_t nSamplesPerSec = 0;
  uint32_t nAvgBytesPerSec = 0;
  uint16_t nBlockAlign = 0;
  uint16_t wBitsPerSample = 0;
  uint16_t cbSize = 0;
};

// A format record with room for its extra bytes, as one block.
struct FormatRecord {
  std::vector<uint8_t> bytes;  // the 18-byte record, then cbSize bytes
  const WAVEFORMATEX* Get() const { return reinterpret_cast<const WAVEFORMATEX*>(bytes.data()); }
  WAVEFORMATEX* Get() { return reinterpret_cast<WAVEFORMATEX*>(bytes.data()); }
  uint8_t* Extra() { return bytes.data() + 18; }
};

struct DSBUFFERDESC {
  uint32_t dwSize = 0;
  uint32_t dwFlags = 0;
  uint32_t dwBufferBytes = 0;
  uint32_t dwReserved = 0;
  const WAVEFORMATEX* lpwfxFormat = nullptr;  // its cbSize extra bytes follow it
};

// --- for tests ---------------------------------------------------------------
class DirectSoundBuffer;
namespace testing {
// What a buffer was asked to do: Play calls, and those that started it from its beginning.
struct PlayCounts {
  int requests = 0;
  int starts = 0;
};
PlayCounts Plays(const DirectSoundBuffer* buffer);
// Buffers that received a Play request, in order of the requests (null once released).
const std::vector<const DirectSoundBuffer*>& PlayLog();
void ClearPlayLog();
// The sound output goes away, as when its card is pulled out.
void LoseDevice();
// The next Play calls fail with this code (DS_OK: play again).
void FailPlay(HRESULT code);
// DirectSoundCreate fails while set.
void FailCreate(bool fail);
// While set, no audio output can be opened (nor opened again after it went away).
void NoOutput(bool none);
// The mixer volume (0 to 128) of the buffer's channel.
int ChannelVolume(const DirectSoundBuffer* buffer);
// The samples a buffer holds in the device format (interleaved 16-bit), shared by duplicates.
const std::vector<int16_t>* DeviceSamples(const DirectSoundBuffer* buffer);
bool SharesSamples(const DirectSoundBuffer* a, const DirectSoundBuffer* b);
// Buffers alive now.
int LiveBuffers();
}  // namespace testing

struct Device;
struct Samples;

class DirectSoundBuffer {
 public:
  ~DirectSoundBuffer();
  // The primary buffer's format: only the device's own output format is accepted.
  HRESULT SetFormat(const WAVEFORMATEX* format);
  // A static buffer is locked whole or in part; a second region is never needed.
  HRESULT Lock(uint32_t offset, uint32_t bytes, void** region1, uint32_t* bytes1, void** region2,
               uint32_t* bytes2, uint32_t flags);
  // Unlocking converts the buffer's bytes to the device format, once.
  HRESULT Unlock(void* region1, uint32_t bytes1, void* region2, uint32_t bytes2);
  // Not looping: a buffer still sounding goes on, a stopped one starts from its beginning.
  HRESULT Play(uint32_t reserved, uint32_t priority, uint32_t flags);
  // Attenuation from DSBVOLUME_MIN (silent) to DSBVOLUME_MAX (as recorded).
  HRESULT SetVolume(int32_t volume);

 private:
  friend class DirectSound;
  friend struct Device;
  friend const std::vector<int16_t>* testing::DeviceSamples(const DirectSoundBuffer*);
  friend bool testing::SharesSamples(const DirectSoundBuffer*, const DirectSoundBuffer*);
  friend int testing::ChannelVolume(const DirectSoundBuffer*);
  std::shared_ptr<Device> device;
  bool primary = false;
  std::vector<uint8_t> raw;  // the bytes as written, in the buffer's own format
  FormatRecord format;
  std::shared_ptr<Samples> samples;  // shared with duplicates
  int channel = -1;
  bool locked = false;
  int32_t volume = DSBVOLUME_MAX;
};
using LPDIRECTSOUNDBUFFER = std::unique_ptr<DirectSoundBuffer>;

class DirectSound {
 public:
  HRESULT SetCooperativeLevel(win::HWND window, uint32_t level);
  HRESULT CreateSoundBuffer(const DSBUFFERDESC* desc, LPDIRECTSOUNDBUFFER& buffer);
  HRESULT DuplicateSoundBuffer(const DirectSoundBuffer* original, LPDIRECTSOUNDBUFFER& duplicate);

 private:
  friend HRESULT DirectSoundCreate(const void* guid, std::unique_ptr<DirectSound>& out);
  std::shared_ptr<Device> device;
  uint32_t level = 0;
};
using LPDIRECTSOUND = std::unique_ptr<DirectSound>;

// The default device (guid null) on the shared audio output; DSERR_NODRIVER without one.
HRESULT DirectSoundCreate(const void* guid, LPDIRECTSOUND& out);

// The audio output went away: the default output is opened again and every buffer goes
// on there (its samples converted anew when the output's format differs). Only when no
// output can be opened is every buffer of the device lost, and Play reports DSERR_BUFFERLOST.
void NoteDeviceRemoved();

}  // namespace ds
